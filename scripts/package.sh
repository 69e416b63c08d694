#!/usr/bin/env bash
# Builds the release into dist/:
#   Tallywise-<version>-win32.zip   Tallywise.exe, tallywise-eval.exe, README.txt, LICENSE.txt,
#                                   tallywise-eval.txt (the Windows tool's manual), portable.txt
#   Tallywise-<version>-setup.exe   the same but portable.txt, installed with NSIS, only for the
#                                   user or for all
#   tallywise-eval_<version>_<arch>.deb  the command-line tool for Debian (scripts/build-deb.sh)
#   SHA256SUMS                      of those three
#   winget/, scoop/                 the package managers' manifests (scripts/write-manifests.sh)
#   scripts/package.sh
# The version is the CMake project's. The same commit gives the same bytes in
# any folder at any time in any time zone: every time stamp is the commit's
# (SOURCE_DATE_EPOCH, when set, wins), and no build path reaches the programs.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
build=$root/build/release
stage=$build/stage
dist=$root/dist

bash scripts/install-deps.sh

if [ -z "${SOURCE_DATE_EPOCH:-}" ]; then
  SOURCE_DATE_EPOCH=$(git -C "$root" log -1 --format=%ct) || {
    echo "package.sh: not a git checkout; set SOURCE_DATE_EPOCH to the release's time" >&2
    exit 1
  }
fi
export SOURCE_DATE_EPOCH

# The PE header's time stamp is left at zero, and source paths are written
# relative to the checkout.
cmake -S "$root" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake" \
  -DCMAKE_BUILD_TYPE=Release -DTALLYWISE_REPRODUCIBLE=ON >/dev/null

# The version and who makes the program, as the build wrote them; the change
# logs must name the same version.
# shellcheck source=cmake/tallywise-release.sh.in
. "$build/release/tallywise-release.sh"
version=$tallywise_version
bash "$root/scripts/check-version.sh" "$version" "$root"

cmake --build "$build" -j2 --target Tallywise tallywise-eval

rm -rf "$stage"
mkdir -p "$stage"
cp "$build/app/Tallywise.exe" "$build/cli/tallywise-eval.exe" "$stage/"
sed -e "s/@VERSION@/$version/g" -e 's/$/\r/' "$root/docs/README.txt" >"$stage/README.txt"
sed -e 's/$/\r/' "$root/LICENSE" >"$stage/LICENSE.txt"
sed -e 's/$/\r/' "$root/docs/portable.txt" >"$stage/portable.txt"
# The manual of the Windows console build (the Unix manual page would tell of
# a history file and a terminal it does not have).
sed -e "s/@VERSION@/$version/g" -e 's/$/\r/' "$root/docs/tallywise-eval-windows.txt" >"$stage/tallywise-eval.txt"
chmod 0644 "$stage"/*
# Zip entries keep the local time of day: the files get the commit's UTC time
# of day as local time, so the zip is the same in every time zone.
touch -d "$(date -u -d "@$SOURCE_DATE_EPOCH" '+%Y-%m-%d %H:%M:%S')" "$stage"/*

rm -rf "$dist"
mkdir -p "$dist"
zip_name=Tallywise-$version-win32.zip
setup_name=Tallywise-$version-setup.exe

# Names in a fixed order; -X leaves out the owner and the extra time fields.
(cd "$stage" && zip -q -X -9 "$dist/$zip_name" Tallywise.exe tallywise-eval.exe README.txt LICENSE.txt tallywise-eval.txt portable.txt)

# The uninstaller first: the installer carries it.
makensis -V2 -INPUTCHARSET UTF8 -DRELEASE_INFO="$build/release/tallywise-release.nsh" \
  -DICON="$root/ui/icons/tallywise.ico" -DOUTFILE="$build/Uninstall.exe" \
  "$root/installer/Uninstall.nsi"
makensis -V2 -INPUTCHARSET UTF8 -DRELEASE_INFO="$build/release/tallywise-release.nsh" \
  -DSTAGE="$stage" -DUNINSTALLER="$build/Uninstall.exe" -DICON="$root/ui/icons/tallywise.ico" \
  -DOUTFILE="$dist/$setup_name" "$root/installer/Tallywise.nsi"

# The package managers' manifests name the two files above with their hashes.
bash "$root/scripts/write-manifests.sh" "$dist" "$build/release/tallywise-release.sh"

deb_name=$(bash "$root/scripts/build-deb.sh" "$dist")

(cd "$dist" && sha256sum "$zip_name" "$setup_name" "$deb_name" >SHA256SUMS)

(cd "$dist" && find . -type f -printf '%10s  %P\n' | LC_ALL=C sort -k 2)
