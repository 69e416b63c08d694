#!/usr/bin/env bash
# Shows that the release is reproducible: clones the current commit into two
# folders of different names, runs scripts/package.sh in each, one after the
# other, the second in another time zone and with another umask, and compares
# the files of both dist/ folders byte for byte. Changes not yet committed
# take no part.
#   scripts/check-reproducible.sh
# Prints "ok ..." or "FAIL ..." and fails when the files differ.
set -u
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
work=$(mktemp -d "${TMPDIR:-/tmp}/tallywise-reproducible.XXXXXX")
trap 'rm -rf "$work"' EXIT

package_in() {  # folder
  git clone -q "$root" "$1" && (cd "$1" && bash scripts/package.sh) >"$1.log" 2>&1 ||
    { echo "FAIL reproducible release: scripts/package.sh failed in $1:"; tail -n 20 "$1.log"; exit 1; }
}

package_in "$work/first"
(umask 0002 && TZ=Pacific/Auckland package_in "$work/second-build-elsewhere")

first=$work/first/dist
second=$work/second-build-elsewhere/dist
if [ "$(cd "$first" && ls)" != "$(cd "$second" && ls)" ]; then
  echo "FAIL reproducible release: different files: $(cd "$first" && ls | tr '\n' ' ')/ $(cd "$second" && ls | tr '\n' ' ')"
  exit 1
fi
status=0
for f in "$first"/*; do
  name=$(basename "$f")
  cmp -s "$f" "$second/$name" || { echo "FAIL reproducible release: $name differs"; status=1; }
done
[ $status -eq 0 ] && echo "ok reproducible release: $(cd "$first" && ls | tr '\n' ' ')byte-identical from two folders"
exit $status
