#!/usr/bin/env bash
# The release in dist/ as a Windows user gets it: the zip's contents, the
# checksums, one version everywhere, the imports, and the installer and
# uninstaller run silently under Wine, in a 32-bit and a 64-bit prefix of this
# run's own: a clean install and uninstall, and the refusals with a program
# running from the install folder and over a newer version, for all users in
# both prefixes and only for the user in the 64-bit one, with the refusal to
# install beside the other scope; there too the zip's program run in place.
#   tests/package/package-test.sh      (after scripts/package.sh)
# Prints "ok <check>" or "FAIL <check>" a line, and fails when any failed.
set -u
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
root=$(cd "$here/../.." && pwd)
dist=$root/dist
failures=0

check() {  # name, command...: the command explains a failure on stdout
  local name=$1 output
  shift
  if output=$("$@" 2>&1); then
    echo "ok $name"
  else
    echo "FAIL $name"
    [ -n "$output" ] && echo "  ${output//$'\n'/$'\n'  }"
    failures=$((failures + 1))
  fi
}

# The version and who makes the program, as the release's build wrote them.
# shellcheck source=cmake/tallywise-release.sh.in
. "$root/build/release/release/tallywise-release.sh" || { echo "FAIL release information: run scripts/package.sh first"; exit 1; }
version=$tallywise_version
IFS=. read -r major minor patch _ <<<"$version"
zip_file=$dist/Tallywise-$version-win32.zip
deb_file=$dist/tallywise-eval_${version}_$(dpkg --print-architecture).deb
setup_file=$dist/Tallywise-$version-setup.exe
installed_files="LICENSE.txt README.txt Tallywise.exe Uninstall.exe tallywise-eval.exe tallywise-eval.txt"
work=$(mktemp -d "${TMPDIR:-/tmp}/tallywise-package-test.XXXXXX") || { echo "FAIL temporary folder: mktemp failed"; exit 1; }
trap 'rm -rf "$work"' EXIT
unzip -q "$zip_file" -d "$work/zip" 2>/dev/null

zip_holds_its_files() {
  local names
  names=$(unzip -Z1 "$zip_file" | sort | tr '\n' ' ')
  [ "$names" = "LICENSE.txt README.txt Tallywise.exe portable.txt tallywise-eval.exe tallywise-eval.txt " ] || { echo "holds: $names"; return 1; }
  local text
  for text in README.txt LICENSE.txt tallywise-eval.txt portable.txt; do
    # Every line ends in CR LF: no LF without its CR.
    if grep -q $'[^\r]$\|^$' "$work/zip/$text"; then echo "$text has lines without CR LF"; return 1; fi
  done
  # The Windows tool's own manual, with the release's version.
  head -n 1 "$work/zip/tallywise-eval.txt" | grep -q "^tallywise-eval $version for Windows"$'\r$' ||
    { echo "tallywise-eval.txt begins: $(head -n 1 "$work/zip/tallywise-eval.txt")"; return 1; }
}

checksums_verify() {
  [ "$(awk '{print $2}' "$dist/SHA256SUMS" | tr '\n' ' ')" = "$(basename "$zip_file") $(basename "$setup_file") $(basename "$deb_file") " ] ||
    { echo "SHA256SUMS lists: $(awk '{print $2}' "$dist/SHA256SUMS")"; return 1; }
  (cd "$dist" && sha256sum --check --strict SHA256SUMS)
}

# Both programs' version records and manifests, and the About box, read back
# from the resources against the release's version; both declare Windows 7 as
# the oldest system they run on.
one_version_everywhere() {
  local exe resources record manifest about subsystem status=0
  for exe in Tallywise.exe tallywise-eval.exe; do
    resources=$(i686-w64-mingw32-windres -J coff -O rc -i "$work/zip/$exe") || return 1
    record=$(grep -E '^ (FILE|PRODUCT)VERSION |VALUE "(File|Product)Version"' <<<"$resources" | tr -s ' ' | tr '\n' '|')
    [ "$record" = " FILEVERSION $major, $minor, ${patch:-0}, 0| PRODUCTVERSION $major, $minor, ${patch:-0}, 0| VALUE \"FileVersion\", \"$tallywise_version_text\"| VALUE \"ProductVersion\", \"$tallywise_version_text\"|" ] ||
      { echo "$exe version record: $record"; status=1; }
    manifest=$(wrestool --raw -x -t 24 "$work/zip/$exe" | tr -s ' \n' ' ' |
               grep -o "name=\"$tallywise_maker.Tallywise[.A-Za-z]*\" version=\"[^\"]*\"" | sed 's/.* version=//')
    [ "$manifest" = "\"$tallywise_version_four_part\"" ] || { echo "$exe manifest version: $manifest"; status=1; }
    subsystem=$(i686-w64-mingw32-objdump -p "$work/zip/$exe" | awk '/^M(aj|in)orSubsystemVersion/ { printf "%s.", $2 }')
    [ "$subsystem" = "6.1." ] || { echo "$exe subsystem version: $subsystem"; status=1; }
    [ "$exe" = Tallywise.exe ] || continue
    # The About box's template carries the version; the string tables carry the
    # translatable line with a %s for it.
    about=$(grep -o '" Tallywise Version [^"%]*"' <<<"$resources")
    [ "$about" = "\" Tallywise Version $tallywise_version_text\"" ] || { echo "About box: $about"; status=1; }
  done
  return $status
}

# The build's version, debian/changelog's and CHANGELOG.md's agree, and the
# check that package.sh makes of it names the one that does not.
versions_agree_and_the_check_says_which_does_not() {
  local copy=$work/version-check out status=0
  mkdir -p "$copy/debian" && cp "$root/debian/changelog" "$copy/debian/" && cp "$root/CHANGELOG.md" "$copy/" || return 1
  bash "$root/scripts/check-version.sh" "$version" "$copy" || status=1
  sed -i '1s/([^)]*)/(0.0.1)/' "$copy/debian/changelog"
  if out=$(bash "$root/scripts/check-version.sh" "$version" "$copy" 2>&1) ||
     [[ $out != *"debian/changelog's latest entry is '0.0.1'"* ]] || [[ $out == *CHANGELOG.md* ]]; then
    echo "with debian/changelog at 0.0.1: $out"; status=1
  fi
  cp "$root/debian/changelog" "$copy/debian/"
  sed -i "s/^## \[$version\]/## [0.0.2]/" "$copy/CHANGELOG.md"
  if out=$(bash "$root/scripts/check-version.sh" "$version" "$copy" 2>&1) ||
     [[ $out != *"CHANGELOG.md's latest release is '0.0.2'"* ]] || [[ $out == *debian/changelog* ]]; then
    echo "with CHANGELOG.md at 0.0.2: $out"; status=1
  fi
  return $status
}

check "zip holds exactly the six files, text with CR LF" zip_holds_its_files
check "one version in the build, debian/changelog and CHANGELOG.md; the check names a disagreeing one" \
  versions_agree_and_the_check_says_which_does_not
check "SHA256SUMS verifies" checksums_verify
check "one version in both version records and manifests and the About box; Windows 7 subsystem" one_version_everywhere
check "imports of both programs allowed" bash "$here/check-imports.sh" "$work/zip/Tallywise.exe" "$work/zip/tallywise-eval.exe"
python3 "$here/check-manifests.py" "$dist" "$here/schemas" "$version" "$tallywise_maker" "$tallywise_program_name" \
  "$tallywise_web_host" || failures=$((failures + 1))

# The Debian package: lintian's verdict, its files, and its program run from
# the unpacked package (never installed into this machine).
deb_passes_lintian() {
  lintian --fail-on error,warning "$deb_file" 2>&1 |
    grep -v '^running with root privileges'
  [ "${PIPESTATUS[0]}" -eq 0 ]
}

# The source package, as dpkg-source builds it from the checkout's files in a
# folder of its own, with what a build leaves in a checkout beside them (the
# build trees, the release, dpkg-buildpackage's tree): none of that is packed.
deb_source_passes_lintian() {
  local source=$work/debian-source/tallywise dsc packed
  mkdir -p "$source" || return 1
  if git -C "$root" rev-parse --is-inside-work-tree >/dev/null 2>&1; then
    git -C "$root" ls-files -z | tar -C "$root" --null -T - -cf - | tar -C "$source" -xf -
  else
    tar -C "$root" --exclude=./build --exclude=./dist --exclude=./.git -cf - . | tar -C "$source" -xf -
  fi
  mkdir -p "$source/build/native" "$source/dist" "$source/obj-x86_64-linux-gnu" || return 1
  echo built >"$source/build/native/CMakeCache.txt"
  echo built >"$source/dist/SHA256SUMS"
  echo built >"$source/obj-x86_64-linux-gnu/Makefile"
  (cd "$source" && dpkg-source -b . >/dev/null) || { echo "dpkg-source -b failed"; return 1; }
  packed=$(tar -tf "$work/debian-source/"*.tar.* | grep -E '^[^/]+/(build|dist|obj-[^/]*)(/|$)')
  [ -z "$packed" ] || { echo "packed from the build: ${packed//$'\n'/ }"; return 1; }
  dsc=$(ls "$work/debian-source/"*.dsc) || return 1
  lintian --fail-on error,warning "$dsc" 2>&1 | grep -v '^running with root privileges'
  [ "${PIPESTATUS[0]}" -eq 0 ]
}

deb_holds_the_tool() {
  local unpacked=$work/deb status=0 out
  dpkg -x "$deb_file" "$unpacked" || return 1
  local path
  for path in usr/bin/tallywise-eval usr/share/man/man1/tallywise-eval.1.gz \
              usr/share/bash-completion/completions/tallywise-eval usr/share/zsh/vendor-completions/_tallywise-eval \
              usr/share/fish/vendor_completions.d/tallywise-eval.fish usr/share/doc/tallywise-eval/copyright \
              usr/share/locale/de/LC_MESSAGES/tallywise-eval.mo usr/share/locale/zh_CN/LC_MESSAGES/tallywise-eval.mo; do
    [ -f "$unpacked/$path" ] || { echo "no /$path"; status=1; }
  done
  out=$("$unpacked/usr/bin/tallywise-eval" -d 2 "2*(3+4)-5" "1/3")
  [ "$out" = $'9.00\n0.33' ] || { echo "the packaged tool printed: $out"; status=1; }
  # Its catalogs beside it: the unpacked tool speaks German too.
  out=$(LC_ALL=C.UTF-8 LANGUAGE=de "$unpacked/usr/bin/tallywise-eval" "1/0" 2>&1)
  [ "$out" = $'tallywise-eval: Argument 1: Division durch null!\n0.000' ] || { echo "in German: $out"; status=1; }
  out=$("$unpacked/usr/bin/tallywise-eval" --version | head -n 2)
  [ "$out" = "tallywise-eval $version"$'\n'"$tallywise_legal_notice" ] || { echo "--version printed: $out"; status=1; }
  out=$(zcat "$unpacked/usr/share/man/man1/tallywise-eval.1.gz" | head -n 1)
  [[ $out == *"\"Tallywise $version\""* ]] || { echo "manual page header: $out"; status=1; }
  # The package's own records say the same version and maker as the build.
  out=$(dpkg-deb -f "$deb_file" Version Maintainer | tr '\n' '|')
  [ "$out" = "Version: $version|Maintainer: $tallywise_maker <$tallywise_support_address>|" ] ||
    { echo "control: $out"; status=1; }
  return $status
}

check "Debian package: lintian finds no error and no warning" deb_passes_lintian
check "Debian source package: lintian finds no error and no warning in the .dsc" deb_source_passes_lintian
check "Debian package: the tool, its page with the version, completions, copyright, catalogs; it computes from dpkg -x" deb_holds_the_tool

# The installer and uninstaller in a new prefix of the given kind, where nothing
# was installed before. Exits with the number of failed checks.
checks_in_prefix() {  # win32 or win64
  local arch=$1
  failures=0
  export TALLYWISE_WINEPREFIX=$work/prefix-$arch TALLYWISE_WINEARCH=$arch
  trap 'bash "$root/scripts/wine-stop.sh" >/dev/null 2>&1' EXIT
  # shellcheck source=scripts/wine-env.sh
  . "$root/scripts/wine-env.sh" || { echo "FAIL Wine prefix ($arch)"; exit 1; }
  settings_file="$WINEPREFIX/drive_c/windows/quillbright/tallywise/data.dat"

  if [ "$arch" = win64 ]; then
    check "[$arch] the zip's Tallywise.exe keeps its settings beside itself, nothing below the Windows folder" \
      portable_program_keeps_its_settings_beside_itself
  fi

  # /S alone installs for all users, as the setups before the choice did.
  use_scope machine
  check "[$arch all users] silent install: files, shortcut, Apps & Features entry, the uninstaller's description" installs_silently
  check "[$arch all users] installed Tallywise.exe shows its window" installed_program_shows_its_window
  check "[$arch all users] installed tallywise-eval.exe computes, shows its version, and its usage for /?" installed_evaluator_works
  check "[$arch all users] silent install while Tallywise runs: status 3, nothing changed" install_refused_while_running
  check "[$arch all users] install over an earlier version replaces it in place" installs_over_an_earlier_version
  check "[$arch all users] silent install over a newer version: status 4, nothing changed" downgrade_refused
  check "[$arch all users] Uninstall.exe /S while tallywise-eval runs: status 3, all kept" uninstall_refused_while_running tallywise-eval
  check "[$arch all users] Uninstall.exe /S: status 0 once all is gone but the settings file" uninstalls_silently_and_keeps_the_settings
  [ "$arch" = win64 ] || exit $failures

  use_scope user
  check "[$arch only for me] silent /CurrentUser install: files, the user's Start menu, HKCU entry" installs_silently
  check "[$arch only for me] silent install while Tallywise runs: status 3, nothing changed" install_refused_while_running
  check "[$arch only for me] install over an earlier version replaces it in place" installs_over_an_earlier_version
  check "[$arch only for me] silent install over a newer version: status 4, nothing changed" downgrade_refused
  check "[$arch only for me] silent install for all users beside it: status 5, nothing changed" other_scope_refused
  check "[$arch only for me] Uninstall.exe /S while Tallywise runs: status 3, all kept" uninstall_refused_while_running Tallywise
  check "[$arch only for me] Uninstall.exe /S: status 0 once all is gone but the settings file" uninstalls_silently_and_keeps_the_settings
  check "[$arch only for me] /D= chooses the folder, which the entry and the uninstaller follow" installs_where_told
  exit $failures
}

windows_path_of() {  # %VARIABLE%: its folder in this prefix, as a Linux path
  winepath -u "$(wine cmd /c "echo $1" 2>/dev/null | tr -d '\r')" 2>/dev/null
}

# Where an installation of the scope goes, and the installer's switch for it.
use_scope() {  # machine or user
  if [ "$1" = machine ]; then
    # A 32-bit installer on 64-bit Windows installs into Program Files (x86)
    # and registers below Wow6432Node.
    local program_files='Program Files' software='HKLM\Software'
    if [ "$TALLYWISE_WINEARCH" = win64 ]; then
      program_files='Program Files (x86)'
      software='HKLM\Software\Wow6432Node'
    fi
    scope_switch=
    install_dir="C:\\$program_files\\Tallywise"
    program_dir="$WINEPREFIX/drive_c/$program_files/Tallywise"
    shortcut="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Tallywise.lnk"
    uninstall_key="$software\\Microsoft\\Windows\\CurrentVersion\\Uninstall"
  else
    scope_switch=/CurrentUser
    install_dir="$(wine cmd /c 'echo %LOCALAPPDATA%' 2>/dev/null | tr -d '\r')\\Programs\\Tallywise"
    program_dir="$(windows_path_of %LOCALAPPDATA%)/Programs/Tallywise"
    shortcut="$(windows_path_of %APPDATA%)/Microsoft/Windows/Start Menu/Programs/Tallywise.lnk"
    uninstall_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall'
  fi
  entry="$uninstall_key\\Tallywise"
}

run_setup() {  # silently, in the scope of the table; prints nothing, returns its status
  # shellcheck disable=SC2086 # no switch at all for all users
  bash "$root/scripts/wine-run.sh" "$setup_file" $scope_switch /S
}

install_and_wait() {
  run_setup && timeout 120 wineserver -w
}

# Uninstall.exe /S as Windows and the package managers run it, which returns
# the outcome as its status; what is left of it goes once it has ended.
uninstall_as_windows_does() {
  bash "$root/scripts/wine-run.sh" "$program_dir/Uninstall.exe" /S
}

# A copy outside the folder, run with _?=, works on that folder. wine would
# quote the blank in _?=, which the uninstaller does not take, so cmd passes
# the command line on as written.
uninstall_and_wait() {
  cp "$program_dir/Uninstall.exe" "$WINEPREFIX/drive_c/windows/temp/Uninstall-copy.exe" || return 125
  wine cmd /c "C:\\windows\\temp\\Uninstall-copy.exe /S _?=$install_dir" </dev/null >/dev/null 2>&1
}

entry_values() {
  wine reg query "$entry" 2>/dev/null | tr -d '\r' | sed -n 's/^    \([^ ]*\)    REG_[A-Z]*    \(.*\)$/\1=\2/p' | sort
}

set_installed_version() {  # version, as an installation of it would have registered it
  wine reg add "$entry" /v DisplayVersion /d "$1" /f >/dev/null 2>&1
}

installed_version() {
  entry_values | sed -n 's/^DisplayVersion=//p'
}

installs_silently() {
  install_and_wait || { echo "setup $scope_switch /S failed"; return 1; }
  local status=0 name
  [ "$(cd "$program_dir" && echo *)" = "$installed_files" ] ||
    { echo "program folder: $(cd "$program_dir" 2>&1 && echo *)"; status=1; }
  for name in Tallywise.exe tallywise-eval.exe README.txt LICENSE.txt tallywise-eval.txt; do
    cmp -s "$work/zip/$name" "$program_dir/$name" || { echo "$name differs from the zip's"; status=1; }
  done
  grep -qa 'Tallywise.exe' "$shortcut" 2>/dev/null || { echo "no Start-menu shortcut to Tallywise.exe"; status=1; }
  local description
  description=$(i686-w64-mingw32-windres -J coff -O rc -i "$program_dir/Uninstall.exe" | grep -o '"FileDescription", "[^"]*"')
  [ "$description" = "\"FileDescription\", \"Tallywise $version Uninstall\"" ] ||
    { echo "Uninstall.exe describes itself as $description"; status=1; }
  local size_kib wanted got
  size_kib=$(( $(cat "$program_dir"/* | wc -c) / 1024 ))
  wanted="DisplayIcon=$install_dir\\Tallywise.exe,-$tallywise_icon_id
DisplayName=Tallywise
DisplayVersion=$version
EstimatedSize=$(printf '0x%x' "$size_kib")
InstallLocation=$install_dir
NoModify=0x1
NoRepair=0x1
Publisher=$tallywise_maker
QuietUninstallString=\"$install_dir\\Uninstall.exe\" /S
URLInfoAbout=http://$tallywise_web_host
UninstallString=\"$install_dir\\Uninstall.exe\""
  got=$(entry_values)
  [ "$got" = "$wanted" ] || { echo "Apps & Features entry:"; diff <(echo "$wanted") <(echo "$got"); status=1; }
  return $status
}

start_tallywise() {  # [program], by default the installed one; returns once its window is there
  timeout 60 wine "${1:-$program_dir/Tallywise.exe}" </dev/null >/dev/null 2>&1 &
  for _ in $(seq 1 120); do
    xwininfo -root -tree 2>/dev/null | grep -q '"Tallywise": ("tallywise.exe"' && return 0
    sleep 0.5
  done
  echo "no Tallywise window within 60 s"
  return 1
}

end_programs() {
  timeout 30 wineserver -k
  timeout 30 wineserver -w
}

installed_program_shows_its_window() {
  local status=0
  start_tallywise || status=1
  end_programs
  return $status
}

installed_evaluator_works() {
  local eval_exe="$program_dir/tallywise-eval.exe" out help status=0
  out=$(bash "$root/scripts/wine-run.sh" "$eval_exe" "2*(3+4)-5" | tr -d '\r')
  [ "$out" = "9.000" ] || { echo "2*(3+4)-5 printed: $out"; status=1; }
  out=$(bash "$root/scripts/wine-run.sh" "$eval_exe" --version | tr -d '\r' | head -n 2)
  [ "$out" = "tallywise-eval $version"$'\n'"$tallywise_legal_notice" ] || { echo "--version printed: $out"; status=1; }
  help=$(bash "$root/scripts/wine-run.sh" "$eval_exe" --help)
  out=$(bash "$root/scripts/wine-run.sh" "$eval_exe" '/?')
  if [ -z "$help" ] || [ "$out" != "$help" ]; then echo "/? printed: $out"; status=1; fi
  return $status
}

# The installer must not half-replace a running program: it changes nothing,
# the files and the entry's version stay those of the earlier installation.
install_refused_while_running() {
  echo "an earlier README" >"$program_dir/README.txt"
  set_installed_version 1.0.0
  start_tallywise || { end_programs; return 1; }
  run_setup
  local setup_status=$? status=0
  end_programs
  [ $setup_status = 3 ] || { echo "setup /S ended with status $setup_status"; status=1; }
  [ "$(cat "$program_dir/README.txt")" = "an earlier README" ] || { echo "README.txt was replaced"; status=1; }
  [ "$(installed_version)" = 1.0.0 ] || { echo "entry's version: $(installed_version)"; status=1; }
  return $status
}

# An earlier installation's program gives way to this one, in the same folder,
# under the same entry.
installs_over_an_earlier_version() {
  echo "an earlier Tallywise.exe" >"$program_dir/Tallywise.exe"
  install_and_wait || { echo "setup $scope_switch /S failed"; return 1; }
  cmp -s "$work/zip/Tallywise.exe" "$program_dir/Tallywise.exe" || { echo "Tallywise.exe not replaced"; return 1; }
  [ "$(installed_version)" = "$version" ] || { echo "entry's version: $(installed_version)"; return 1; }
  [ "$(wine reg query "$uninstall_key" | tr -d '\r' | grep -c 'Tallywise')" = 1 ] ||
    { echo "not exactly one Apps & Features entry"; return 1; }
}

downgrade_refused() {
  set_installed_version 1.10.0
  echo "a newer README" >"$program_dir/README.txt"
  run_setup
  local setup_status=$? status=0
  timeout 120 wineserver -w
  [ $setup_status = 4 ] || { echo "setup /S ended with status $setup_status"; status=1; }
  [ "$(cat "$program_dir/README.txt")" = "a newer README" ] || { echo "README.txt was replaced"; status=1; }
  [ "$(installed_version)" = 1.10.0 ] || { echo "entry's version: $(installed_version)"; status=1; }
  set_installed_version "$version"
  return $status
}

# Either program running from the folder keeps everything in place: Tallywise
# with its window, tallywise-eval reading from a pipe that stays open.
uninstall_refused_while_running() {  # Tallywise or tallywise-eval
  local input=$work/eval-input-$TALLYWISE_WINEARCH output=$work/eval-output-$TALLYWISE_WINEARCH
  local status=0 uninstall_status eval_input=
  if [ "$1" = Tallywise ]; then
    start_tallywise || { end_programs; return 1; }
  else
    rm -f "$input" "$output"
    mkfifo "$input" || return 1
    wine "$program_dir/tallywise-eval.exe" <"$input" >"$output" 2>&1 &
    exec {eval_input}>"$input"
    echo "1+1" >&"$eval_input"
    # It answers once it runs and holds its file.
    for _ in $(seq 1 120); do
      grep -q '2\.000' "$output" && break
      sleep 0.5
    done
    grep -q '2\.000' "$output" || { echo "tallywise-eval did not answer"; status=1; }
  fi
  uninstall_as_windows_does
  uninstall_status=$?
  [ -n "$eval_input" ] && exec {eval_input}>&-
  end_programs
  [ "$uninstall_status" = 3 ] || { echo "Uninstall.exe /S ended with status $uninstall_status"; status=1; }
  [ "$(cd "$program_dir" 2>&1 && echo *)" = "$installed_files" ] ||
    { echo "program folder: $(cd "$program_dir" 2>&1 && echo *)"; status=1; }
  [ -e "$shortcut" ] || { echo "the shortcut was removed"; status=1; }
  [ "$(installed_version)" = "$version" ] || { echo "the Apps & Features entry was changed or removed"; status=1; }
  return $status
}

# An installation for all users beside this user's own would leave two of
# everything; the installer says so and, silently, changes nothing.
other_scope_refused() {
  local machine machine_dir machine_entry setup_status status=0
  machine=$(use_scope machine && printf '%s\n%s' "$program_dir" "$entry")
  machine_dir=${machine%%$'\n'*}
  machine_entry=${machine#*$'\n'}
  bash "$root/scripts/wine-run.sh" "$setup_file" /S
  setup_status=$?
  timeout 120 wineserver -w
  [ $setup_status = 5 ] || { echo "setup /S ended with status $setup_status"; status=1; }
  [ ! -e "$machine_dir" ] || { echo "installed into $machine_dir"; status=1; }
  wine reg query "$machine_entry" >/dev/null 2>&1 && { echo "an all-users Apps & Features entry was written"; status=1; }
  [ "$(installed_version)" = "$version" ] || { echo "this user's entry was changed: $(installed_version)"; status=1; }
  return $status
}

# /D=, last and unquoted, as installers of NSIS take it.
installs_where_told() {
  install_dir='C:\Tools\Tally wise'
  program_dir=$WINEPREFIX/drive_c/Tools/Tally\ wise
  local status=0
  # cmd passes the blank in /D= on as written; the setup's copy has a path without one.
  cp "$setup_file" "$WINEPREFIX/drive_c/windows/temp/setup-copy.exe" || return 1
  wine cmd /c "C:\\windows\\temp\\setup-copy.exe /CurrentUser /S /D=$install_dir" </dev/null >/dev/null 2>&1 ||
    { echo "setup /D= failed"; return 1; }
  timeout 120 wineserver -w
  [ -f "$program_dir/Tallywise.exe" ] || { echo "nothing in $install_dir"; status=1; }
  [ "$(entry_values | sed -n 's/^InstallLocation=//p')" = "$install_dir" ] || { echo "entry: $(entry_values)"; status=1; }
  uninstall_and_wait || { echo "the uninstaller failed"; status=1; }
  if [ -e "$program_dir" ] || [ -n "$(entry_values)" ]; then echo "left behind after uninstalling"; status=1; fi
  return $status
}

# The zip unpacked anywhere: its portable.txt keeps the settings beside the
# program. taskkill asks the window to close, which saves them.
portable_program_keeps_its_settings_beside_itself() {
  local folder="$WINEPREFIX/drive_c/Portable Tallywise" windows_data="$WINEPREFIX/drive_c/windows/quillbright" status=0
  mkdir -p "$folder" && unzip -q "$zip_file" -d "$folder" || return 1
  start_tallywise "$folder/Tallywise.exe" || { end_programs; return 1; }
  wine taskkill /im Tallywise.exe >/dev/null 2>&1
  for _ in $(seq 1 120); do
    [ -e "$folder/data.dat" ] && ! xwininfo -root -tree 2>/dev/null | grep -q '"Tallywise": ("tallywise.exe"' && break
    sleep 0.5
  done
  end_programs
  [ -s "$folder/data.dat" ] || { echo "no settings file beside the program: $(cd "$folder" && echo *)"; status=1; }
  [ ! -e "$windows_data" ] || { echo "written below the Windows folder: $(find "$windows_data" -printf '%P ')"; status=1; }
  return $status
}

# The status comes when the work is done: the programs, the texts, the
# shortcut and the entry are gone by then; the uninstaller's own file and the
# empty folder go as soon as it has ended.
uninstalls_silently_and_keeps_the_settings() {
  mkdir -p "$(dirname "$settings_file")"
  printf '%%0.5f\r\n10\r\n20\r\n-15\r\n500\r\n0\r\nCourier New\r\n1\r\n' >"$settings_file"
  cp "$settings_file" "$work/settings-before"
  uninstall_as_windows_does || { echo "Uninstall.exe /S ended with status $?"; return 1; }
  local status=0 left
  # The folder itself may still be there, empty, for a moment.
  left=$(find "$program_dir" -mindepth 1 -maxdepth 1 -printf '%f\n' 2>/dev/null | sort | tr '\n' ' ')
  [ -z "$left" ] || [ "$left" = "Uninstall.exe " ] || { echo "left when it returned: $left"; status=1; }
  [ ! -e "$shortcut" ] || { echo "the shortcut is still there"; status=1; }
  [ -z "$(entry_values)" ] || { echo "the Apps & Features entry is still there"; status=1; }
  timeout 120 wineserver -w
  [ ! -e "$program_dir" ] || { echo "left behind: $(find "$program_dir" -mindepth 1 -printf '%f ')"; status=1; }
  cmp -s "$work/settings-before" "$settings_file" || { echo "the settings file was removed or changed"; status=1; }
  return $status
}

for arch in win32 win64; do
  (checks_in_prefix "$arch")
  failures=$((failures + $?))
done

[ $failures -eq 0 ]
