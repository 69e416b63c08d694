#!/usr/bin/env bash
# Checks that the release's version, the CMake project's, is the one that
# debian/changelog and CHANGELOG.md give their latest release, and says what
# to change where they disagree.
#   scripts/check-version.sh VERSION [SOURCE-FOLDER]
# Run by scripts/package.sh before it builds anything.
set -u
version=$1
root=${2:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}
status=0

# "tallywise (1.3.0) unstable; urgency=medium"
debian=$(sed -n '1s/^[^ ]* (\([^)]*\)).*/\1/p' "$root/debian/changelog" 2>/dev/null)
if [ "$debian" != "$version" ]; then
  echo "check-version.sh: the build's version is $version, but debian/changelog's latest entry is '${debian:-none}':" \
       "add an entry for $version at its top" >&2
  status=1
fi

# "## [1.3.0] - 2026-12-08", the first section that is not [Unreleased].
changelog=$(sed -n 's/^## \[\([0-9][^]]*\)\].*/\1/p' "$root/CHANGELOG.md" 2>/dev/null | head -n 1)
if [ "$changelog" != "$version" ]; then
  echo "check-version.sh: the build's version is $version, but CHANGELOG.md's latest release is '${changelog:-none}':" \
       "add a section '## [$version] - YYYY-MM-DD' below [Unreleased]" >&2
  status=1
fi
exit $status
