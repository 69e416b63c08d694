#!/usr/bin/env bash
# Ends everything running in Tallywise's Wine prefix, and in the prefixes of
# other screen scales beside it, and the Xvfb that scripts/wine-env.sh started
# for each, if any. Run it after a test run. The prefixes are kept for the
# next run.
set -u
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source=scripts/wine-env.sh
. "$here/wine-env.sh" --no-setup

stop_prefix() {  # prefix folder
  export WINEPREFIX=$1
  _tw_xvfb="$WINEPREFIX/.tallywise-xvfb"
  if [ -d "$WINEPREFIX" ]; then
    timeout 30 wineserver -k 2>/dev/null
    timeout 30 wineserver -w 2>/dev/null
  fi

  if n=$(tallywise_xvfb_display); then
    read -r _ pid <"$_tw_xvfb"
    kill "$pid" 2>/dev/null
    for _ in $(seq 1 50); do
      kill -0 "$pid" 2>/dev/null || break
      sleep 0.1
    done
    echo "Stopped Xvfb on :$n"
  fi
  rm -f "$_tw_xvfb"
}

base=${WINEPREFIX%-dpi[0-9]*}
stop_prefix "$base"
for scaled in "$base"-dpi*; do
  [ -d "$scaled" ] && stop_prefix "$scaled"
done
exit 0
