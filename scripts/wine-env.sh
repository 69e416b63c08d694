# shellcheck shell=bash
# Environment for running Tallywise and its Windows tests under Wine.
# Source it from bash:  . scripts/wine-env.sh
#
# It exports the Wine variables, starts a private Xvfb when there is no
# display, and creates the prefix (32-bit unless asked) the first time. Sourced with
# --no-setup it only exports the variables (scripts/wine-stop.sh does that).
#
#   TALLYWISE_WINEPREFIX  prefix folder (default: $TMPDIR/tallywise-wine);
#                         give parallel test runs different ones.
#   TALLYWISE_WINEARCH    win32 (default) or win64, for a new prefix.
#   TALLYWISE_WINE_DPI    screen scale in DPI (default 96, that is 100 %);
#                         any other scale gets a prefix of its own beside
#                         that folder, named <folder>-dpi<DPI>.
#
# Returns non-zero when the display or the prefix cannot be brought up.

export WINEARCH="${TALLYWISE_WINEARCH:-win32}"
export WINEPREFIX="${TALLYWISE_WINEPREFIX:-${TMPDIR:-/tmp}/tallywise-wine}"
# Wine reads the scale from the prefix's registry when its server starts, so
# each scale has a prefix of its own.
_tw_dpi=${TALLYWISE_WINE_DPI:-96}
if [ "$_tw_dpi" != 96 ]; then
  WINEPREFIX="$WINEPREFIX-dpi$_tw_dpi"
fi
export WINEDEBUG=-all
# Without these Wine offers to download Mono and Gecko, and litters the
# desktop menus with entries for the test programs.
export WINEDLLOVERRIDES="mscoree=d;mshtml=d;winemenubuilder.exe=d"

# Files kept in the prefix folder next to Wine's own.
_tw_lock="$WINEPREFIX/.tallywise.lock"
_tw_ready="$WINEPREFIX/.tallywise-ready"
_tw_xvfb="$WINEPREFIX/.tallywise-xvfb"   # "<display number> <pid>" of our Xvfb
_tw_log="$WINEPREFIX/.tallywise-setup.log"

# Prints the display number of the Xvfb this prefix started, if it still runs.
tallywise_xvfb_display() {
  local n pid
  [ -r "$_tw_xvfb" ] || return 1
  read -r n pid <"$_tw_xvfb" || return 1
  [ -n "$n" ] && [ -n "$pid" ] || return 1
  kill -0 "$pid" 2>/dev/null || return 1
  # The pid may have been reused; the X lock file names the server's pid.
  [ "$(tr -d ' \n' </tmp/.X"$n"-lock 2>/dev/null)" = "$pid" ] || return 1
  echo "$n"
}

# Starts Xvfb on the first free display from :90 on; caller holds the lock.
_tallywise_start_xvfb() {
  local n pid
  for n in $(seq 90 189); do
    [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
    # setsid keeps it out of the caller's process group, so a test that is
    # killed on timeout does not take the shared server with it; no inherited
    # descriptors, so CTest does not wait on its output pipes and the setup
    # lock is not held for as long as the server runs.
    setsid Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp \
      </dev/null >>"$_tw_log" 2>&1 {_tw_lockfd}>&- &
    for _ in $(seq 1 100); do
      if timeout 5 xdpyinfo -display ":$n" >/dev/null 2>&1; then
        pid=$(tr -d ' \n' </tmp/.X"$n"-lock 2>/dev/null)
        echo "$n $pid" >"$_tw_xvfb"
        echo "$n"
        return 0
      fi
      # Lost a race for this number to another X server: try the next one.
      [ -e "/tmp/.X$n-lock" ] && ! kill -0 "$(tr -d ' \n' </tmp/.X"$n"-lock)" 2>/dev/null && break
      sleep 0.1
    done
  done
  return 1
}

# Bump when the settings below change, so existing prefixes take them up.
_tw_settings_version=3

_tallywise_configure_prefix() {
  # Managed=N: with no window manager on Xvfb, Wine would otherwise wait 2 s
  # whenever a top-level window is hidden, and it then draws the captions
  # itself. Liberation Mono has Courier New's metrics, so the fields look as
  # designed. No crash dialog: it would wait for a click that never comes
  # and hold a test until its timeout; the backtrace still goes to stderr.
  timeout 60 wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f &&
  timeout 60 wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v 'Courier New' /t REG_SZ /d 'Liberation Mono' /f &&
  timeout 60 wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f || return 1
  if [ "$_tw_dpi" != 96 ]; then
    timeout 60 wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$_tw_dpi" /f || return 1
  fi
  # Wine draws the caption buttons with Marlett, which it does not find in
  # fonts-wine's folder; without it they show as the letters "0 1 r".
  cp /usr/share/wine/fonts/marlett.ttf "$WINEPREFIX/drive_c/windows/Fonts/" || return 1
  # Lets a fresh prefix's start-up processes finish, and the server go, so
  # that the next one reads the scale; when programs of an earlier run still
  # use the prefix it gives up, which does no harm.
  timeout 30 wineserver -w
  return 0
}

_tallywise_create_prefix() {
  if [ ! -e "$WINEPREFIX/system.reg" ]; then
    echo "Creating Wine prefix $WINEPREFIX (takes about 15 s)" >&2
    timeout 180 wineboot -i </dev/null >>"$_tw_log" 2>&1 {_tw_lockfd}>&- || return 1
  fi
  _tallywise_configure_prefix </dev/null >>"$_tw_log" 2>&1 {_tw_lockfd}>&-
}

# Brings up the display and the prefix. Safe to call from several processes
# at once: the first one does the work while the others wait on the lock.
tallywise_wine_setup() {
  local n status=0
  mkdir -p "$WINEPREFIX" || return 1
  exec {_tw_lockfd}>"$_tw_lock" || return 1
  if ! flock -w 300 "$_tw_lockfd"; then
    echo "wine-env: timed out waiting for $_tw_lock" >&2
    exec {_tw_lockfd}>&-
    return 1
  fi
  if [ -z "${DISPLAY:-}" ]; then
    n=$(tallywise_xvfb_display) || n=$(_tallywise_start_xvfb) || {
      echo "wine-env: could not start Xvfb (see $_tw_log)" >&2
      status=1
    }
    [ -n "$n" ] && export DISPLAY=":$n"
  fi
  if [ $status -eq 0 ] && [ "$(cat "$_tw_ready" 2>/dev/null)" != "$_tw_settings_version" ]; then
    if _tallywise_create_prefix; then
      echo "$_tw_settings_version" >"$_tw_ready"
    else
      echo "wine-env: creating the Wine prefix failed (see $_tw_log)" >&2
      status=1
    fi
  fi
  # Debian's wine starts its server with -p0: it quits the moment the last
  # program ends, and a program starting at that moment loses its connection
  # ("recvmsg: Connection reset by peer"). The tests start one program per
  # case, so the prefix gets a server that waits a few seconds for the next
  # one (wineserver -w then returns that much later); one already running
  # answers with an error, which does no harm. No inherited descriptors, for
  # the same reason as Xvfb's.
  if [ $status -eq 0 ]; then
    wineserver -p3 </dev/null >>"$_tw_log" 2>&1 {_tw_lockfd}>&-
  fi
  exec {_tw_lockfd}>&-
  return $status
}

if [ "${1:-}" != "--no-setup" ]; then
  tallywise_wine_setup
fi
