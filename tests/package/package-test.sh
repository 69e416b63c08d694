#!/usr/bin/env bash
# The release in dist/ as a Windows user gets it: the zip's contents, the
# checksums, one version everywhere, the imports, and the installer and
# uninstaller run silently under Wine in a prefix of this run's own.
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
    [ -n "$output" ] && sed 's/^/  /' <<<"$output"
    failures=$((failures + 1))
  fi
}

version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$root/build/release/CMakeCache.txt")
IFS=. read -r major minor patch _ <<<"$version"
version_text=$major.$minor
[ "${patch:-0}" != 0 ] && version_text=$version_text.$patch
zip_file=$dist/Tallywise-$version-win32.zip
setup_file=$dist/Tallywise-$version-setup.exe
work=$(mktemp -d "${TMPDIR:-/tmp}/tallywise-package-test.XXXXXX")
unzip -q "$zip_file" -d "$work/zip" 2>/dev/null

zip_holds_the_four_files() {
  local names
  names=$(unzip -Z1 "$zip_file" | sort | tr '\n' ' ')
  [ "$names" = "LICENSE.txt README.txt Tallywise.exe tallywise-eval.exe tallywise-eval.txt " ] || { echo "holds: $names"; return 1; }
  local text
  for text in README.txt LICENSE.txt tallywise-eval.txt; do
    # Every line ends in CR LF: no LF without its CR.
    if grep -q $'[^\r]$\|^$' "$work/zip/$text"; then echo "$text has lines without CR LF"; return 1; fi
  done
}

checksums_verify() {
  [ "$(awk '{print $2}' "$dist/SHA256SUMS" | tr '\n' ' ')" = "$(basename "$zip_file") $(basename "$setup_file") " ] ||
    { echo "SHA256SUMS lists: $(awk '{print $2}' "$dist/SHA256SUMS")"; return 1; }
  (cd "$dist" && sha256sum --check --strict SHA256SUMS)
}

# The version record, the manifest and the About box, read back from the
# program's resources, and the evaluator's --version, against the project's.
one_version_everywhere() {
  local resources record manifest about eval_version status=0
  resources=$(i686-w64-mingw32-windres -J coff -O rc -i "$work/zip/Tallywise.exe") || return 1
  record=$(grep -E '^ (FILE|PRODUCT)VERSION |VALUE "(File|Product)Version"' <<<"$resources" | tr -s ' ' | tr '\n' '|')
  [ "$record" = " FILEVERSION $major, $minor, ${patch:-0}, 0| PRODUCTVERSION $major, $minor, ${patch:-0}, 0| VALUE \"FileVersion\", \"$version_text\"| VALUE \"ProductVersion\", \"$version_text\"|" ] ||
    { echo "version record: $record"; status=1; }
  manifest=$(wrestool --raw -x -t 24 "$work/zip/Tallywise.exe" | tr -s ' \n' ' ' |
             grep -o 'name="Quillbright.Tallywise" version="[^"]*"')
  [ "$manifest" = "name=\"Quillbright.Tallywise\" version=\"$major.$minor.${patch:-0}.0\"" ] ||
    { echo "manifest: $manifest"; status=1; }
  about=$(grep -o '" Tallywise Version [^"]*"' <<<"$resources")
  [ "$about" = "\" Tallywise Version $version_text\"" ] || { echo "About box: $about"; status=1; }
  eval_version=$(bash "$root/scripts/wine-run.sh" "$work/zip/tallywise-eval.exe" --version | tr -d '\r')
  [ "$eval_version" = "tallywise-eval $version" ] || { echo "--version: $eval_version"; status=1; }
  return $status
}

# A prefix of this run's own, where nothing was installed before.
export TALLYWISE_WINEPREFIX=$work/prefix
trap 'bash "$root/scripts/wine-stop.sh" >/dev/null 2>&1; rm -rf "$work"' EXIT
# shellcheck source=scripts/wine-env.sh
. "$root/scripts/wine-env.sh" || { echo "FAIL Wine prefix"; exit 1; }
# Wine's view of the prefix: the program folder, the all-users Start menu.
program_dir="$WINEPREFIX/drive_c/Program Files/Tallywise"
shortcut="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Tallywise.lnk"
entry='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Tallywise'
settings_file="$WINEPREFIX/drive_c/windows/quillbright/tallywise/data.dat"

run_silently() {  # program: runs it with /S and waits for every process it started
  bash "$root/scripts/wine-run.sh" "$1" /S && timeout 120 wineserver -w
}

entry_values() {
  wine reg query "$entry" 2>/dev/null | tr -d '\r' | sed -n 's/^    \([^ ]*\)    REG_[A-Z]*    \(.*\)$/\1=\2/p' | sort
}

installs_silently() {
  run_silently "$setup_file" || { echo "setup /S failed"; return 1; }
  local status=0 name
  [ "$(cd "$program_dir" && ls | tr '\n' ' ')" = "LICENSE.txt README.txt Tallywise.exe Uninstall.exe tallywise-eval.exe " ] ||
    { echo "program folder: $(ls "$program_dir" 2>&1 | tr '\n' ' ')"; status=1; }
  for name in Tallywise.exe tallywise-eval.exe README.txt LICENSE.txt; do
    cmp -s "$work/zip/$name" "$program_dir/$name" || { echo "$name differs from the zip's"; status=1; }
  done
  grep -qa 'Tallywise.exe' "$shortcut" 2>/dev/null || { echo "no Start-menu shortcut to Tallywise.exe"; status=1; }
  local size_kib wanted got
  size_kib=$(( $(cat "$program_dir"/* | wc -c) / 1024 ))
  wanted="DisplayIcon=C:\\Program Files\\Tallywise\\Tallywise.exe,0
DisplayName=Tallywise
DisplayVersion=$version
EstimatedSize=$(printf '0x%x' "$size_kib")
InstallLocation=C:\\Program Files\\Tallywise
NoModify=0x1
NoRepair=0x1
Publisher=Quillbright
QuietUninstallString=\"C:\\Program Files\\Tallywise\\Uninstall.exe\" /S
URLInfoAbout=http://$(sed -n 's/.*kWebHost = "\([^"]*\)".*/\1/p' "$root/controls/AboutBox.h")
UninstallString=\"C:\\Program Files\\Tallywise\\Uninstall.exe\""
  got=$(entry_values)
  [ "$got" = "$wanted" ] || { echo "Apps & Features entry:"; diff <(echo "$wanted") <(echo "$got"); status=1; }
  return $status
}

installed_program_shows_its_window() {
  timeout 60 wine "$program_dir/Tallywise.exe" </dev/null >/dev/null 2>&1 &
  local found=1
  for _ in $(seq 1 40); do
    if xwininfo -root -tree 2>/dev/null | grep -q '"Tallywise": ("tallywise.exe"'; then found=0; break; fi
    sleep 0.5
  done
  timeout 30 wineserver -k
  timeout 30 wineserver -w
  [ $found = 0 ] || echo "no Tallywise window within 20 s"
  return $found
}

installed_evaluator_computes() {
  local out
  out=$(bash "$root/scripts/wine-run.sh" "$program_dir/tallywise-eval.exe" "2*(3+4)-5" | tr -d '\r')
  [ "$out" = "9.000" ] || { echo "printed: $out"; return 1; }
}

# An earlier installation's program gives way to this one, in the same folder,
# under the same entry.
installs_over_an_earlier_version() {
  echo "an earlier Tallywise.exe" >"$program_dir/Tallywise.exe"
  run_silently "$setup_file" || { echo "setup /S failed"; return 1; }
  cmp -s "$work/zip/Tallywise.exe" "$program_dir/Tallywise.exe" || { echo "Tallywise.exe not replaced"; return 1; }
  [ "$(wine reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall' | tr -d '\r' | grep -c 'Tallywise')" = 1 ] ||
    { echo "not exactly one Apps & Features entry"; return 1; }
}

uninstalls_silently_and_keeps_the_settings() {
  mkdir -p "$(dirname "$settings_file")"
  printf '%%0.5f\r\n10\r\n20\r\n-15\r\n500\r\n0\r\nCourier New\r\n1\r\n' >"$settings_file"
  cp "$settings_file" "$work/settings-before"
  run_silently "$program_dir/Uninstall.exe" || { echo "Uninstall.exe /S failed"; return 1; }
  local status=0
  [ ! -e "$program_dir" ] || { echo "left behind: $(ls -A "$program_dir" | tr '\n' ' ')"; status=1; }
  [ ! -e "$shortcut" ] || { echo "the shortcut is still there"; status=1; }
  [ -z "$(entry_values)" ] || { echo "the Apps & Features entry is still there"; status=1; }
  cmp -s "$work/settings-before" "$settings_file" || { echo "the settings file was removed or changed"; status=1; }
  return $status
}

check "zip holds exactly the five files, text with CR LF" zip_holds_the_four_files
check "SHA256SUMS verifies" checksums_verify
check "one version in the version record, the manifest, the About box and --version" one_version_everywhere
check "imports of both programs allowed" bash "$here/check-imports.sh" "$work/zip/Tallywise.exe" "$work/zip/tallywise-eval.exe"
check "silent install: files, shortcut, Apps & Features entry" installs_silently
check "installed Tallywise.exe shows its window" installed_program_shows_its_window
check "installed tallywise-eval.exe computes 2*(3+4)-5" installed_evaluator_computes
check "install over an earlier version replaces it in place" installs_over_an_earlier_version
check "silent uninstall: all gone but the settings file" uninstalls_silently_and_keeps_the_settings

[ $failures -eq 0 ]
