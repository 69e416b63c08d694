#!/usr/bin/env bash
# Builds the Debian package of tallywise-eval from the checkout's files with
# dpkg-buildpackage, in a copy below build/deb (dpkg-buildpackage writes its
# results beside the source folder, and leaves its work in debian/), and
# copies the package into DIST.
#   scripts/build-deb.sh DIST
# Run by scripts/package.sh, which sets SOURCE_DATE_EPOCH: every time in the
# package is that one, so that the same commit gives the same bytes.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
dist=$1
work=$root/build/deb
source=$work/tallywise

rm -rf "$work"
mkdir -p "$source"
# The files the checkout tracks (built things and dist/ stay out), with the
# release's time, so that no file's time depends on when it was checked out.
if git -C "$root" rev-parse --is-inside-work-tree >/dev/null 2>&1; then
  git -C "$root" ls-files -z | tar -C "$root" --null -T - -cf - | tar -C "$source" -xf -
else
  tar -C "$root" --exclude=./build --exclude=./dist --exclude=./.git -cf - . | tar -C "$source" -xf -
fi
find "$source" -exec touch -h -d "@$SOURCE_DATE_EPOCH" {} +

(cd "$source" && dpkg-buildpackage -us -uc -b -j2) >"$work/build.log" 2>&1 || {
  tail -n 40 "$work/build.log" >&2
  echo "build-deb.sh: dpkg-buildpackage failed (all of it in $work/build.log)" >&2
  exit 1
}
deb=$(cd "$work" && ls tallywise-eval_*.deb)
cp "$work/$deb" "$dist/"
echo "$deb"
