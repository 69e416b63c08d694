#!/usr/bin/env bash
# Lists the functions that the given Windows programs import and fails on any
# that tests/package/imports-allowed.txt does not name, so that no new system
# call slips in that Windows 7 lacks.
#   tests/package/check-imports.sh program.exe...
set -u
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
allowed=$here/imports-allowed.txt
status=0
for exe in "$@"; do
  # objdump -p prints each import as "<address> <hint> <name>" below the
  # "DLL Name:" of its library; an import by ordinal has no name there and
  # so is never allowed.
  imports=$(i686-w64-mingw32-objdump -p "$exe" | awk '
    /^\tDLL Name: / { dll = tolower($3); next }
    /^$/ { dll = "" }
    dll != "" && /^\t[0-9a-f]+\t/ { print dll, $3 }') || {
    echo "FAIL imports of $exe: objdump could not read it"
    status=1
    continue
  }
  if [ -z "$imports" ]; then
    echo "FAIL imports of $exe: none found"
    status=1
    continue
  fi
  unknown=$(sort -u <<<"$imports" | grep -vxF -f <(grep -v '^#' "$allowed"))
  if [ -n "$unknown" ]; then
    echo "FAIL imports of $(basename "$exe"): not in imports-allowed.txt:"
    echo "  ${unknown//$'\n'/$'\n'  }"
    status=1
  else
    echo "ok imports of $(basename "$exe"): $(wc -l <<<"$imports") functions, all allowed"
  fi
done
exit $status
