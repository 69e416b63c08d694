#!/usr/bin/env bash
# Shows that the release is reproducible: the files scripts/package.sh has just
# written into dist/ are compared byte for byte with those of one more build, from
# a clone of the checkout in another folder (with a blank in its path), in another
# time zone and with another umask. The clone is of the current commit with the
# checkout's uncommitted changes to tracked files applied, the state dist/ was
# built from.
#   scripts/package.sh && scripts/check-reproducible.sh
# Prints "ok ..." or one "FAIL ..." and fails when the files differ, dist/ is
# missing or the packaging failed.
set -u
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd) || exit 1
here=$root/dist
[ -f "$here/SHA256SUMS" ] || { echo "FAIL reproducible release: no $here/SHA256SUMS (run scripts/package.sh first)"; exit 1; }
work=$(mktemp -d "${TMPDIR:-/tmp}/tallywise-reproducible.XXXXXX") ||
  { echo "FAIL reproducible release: could not make a temporary folder"; exit 1; }
trap 'rm -rf "$work"' EXIT

names_in() {  # folder: the paths of its files, manifests' folders included, on one line
  (cd "$1" && find . -type f -printf '%P\n' | LC_ALL=C sort | tr '\n' ' ')
}

elsewhere="$work/build elsewhere"
if ! {
  git clone -q "$root" "$elsewhere" &&
    git -C "$root" diff --binary HEAD >"$work/uncommitted.diff" &&
    { [ ! -s "$work/uncommitted.diff" ] || git -C "$elsewhere" apply --whitespace=nowarn "$work/uncommitted.diff"; } &&
    (umask 0002 && export TZ=Pacific/Auckland && cd "$elsewhere" && bash scripts/package.sh)
} >"$work/elsewhere.log" 2>&1; then
  echo "FAIL reproducible release: the build in $elsewhere failed:"
  tail -n 20 "$work/elsewhere.log"
  exit 1
fi
there=$elsewhere/dist

if [ "$(names_in "$here")" != "$(names_in "$there")" ]; then
  echo "FAIL reproducible release: different files: $(names_in "$here") / $(names_in "$there")"
  exit 1
fi
status=0
for name in $(names_in "$here"); do
  cmp -s "$here/$name" "$there/$name" || { echo "FAIL reproducible release: $name differs"; status=1; }
done
[ $status -eq 0 ] && echo "ok reproducible release: $(names_in "$here") byte-identical from a clone in another folder (with a blank), time zone and umask"
exit $status
