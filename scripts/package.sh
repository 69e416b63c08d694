#!/usr/bin/env bash
# Builds the release for Windows users into dist/:
#   Tallywise-<version>-win32.zip   Tallywise.exe, tallywise-eval.exe, README.txt, LICENSE.txt,
#                                   tallywise-eval.txt (the manual page)
#   Tallywise-<version>-setup.exe   the same, installed with NSIS
#   SHA256SUMS                      of those two
#   scripts/package.sh
# The version is the CMake project's. The same commit gives the same bytes in
# any folder at any time: every time stamp is the commit's (SOURCE_DATE_EPOCH,
# when set, wins), and no build path reaches the programs.
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
# Zip entries keep local time: the same for everyone in UTC.
export TZ=UTC

# The PE header's time stamp is left at zero, and source paths are written
# relative to the checkout.
cmake -S "$root" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake" \
  -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_CXX_FLAGS="-ffile-prefix-map=$root/=" \
  -DCMAKE_EXE_LINKER_FLAGS="-Wl,--no-insert-timestamp" >/dev/null
cmake --build "$build" -j2 --target Tallywise tallywise-eval

version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
IFS=. read -r major minor patch _ <<<"$version"
four_part="$major.$minor.${patch:-0}.0"
# The About box's home page, which the Apps & Features entry links to as well.
host=$(sed -n 's/.*kWebHost = "\([^"]*\)".*/\1/p' "$root/controls/AboutBox.h")
[ -n "$version" ] && [ -n "$host" ] || { echo "package.sh: version or home page not found" >&2; exit 1; }

rm -rf "$stage"
mkdir -p "$stage"
cp "$build/app/Tallywise.exe" "$build/cli/tallywise-eval.exe" "$stage/"
sed -e "s/@VERSION@/$version/g" -e 's/$/\r/' "$root/docs/README.txt" >"$stage/README.txt"
sed -e 's/$/\r/' "$root/LICENSE" >"$stage/LICENSE.txt"
# The manual page as plain text: mandoc's overstruck bold and underlining taken out.
mandoc -T ascii "$root/docs/tallywise-eval.1" | sed -e 's/.\x08//g' -e 's/$/\r/' >"$stage/tallywise-eval.txt"
chmod 0644 "$stage"/*
touch -d "@$SOURCE_DATE_EPOCH" "$stage"/*

rm -rf "$dist"
mkdir -p "$dist"
zip_name=Tallywise-$version-win32.zip
setup_name=Tallywise-$version-setup.exe

# Names in a fixed order; -X leaves out the owner and the extra time fields.
(cd "$stage" && zip -q -X -9 "$dist/$zip_name" Tallywise.exe tallywise-eval.exe README.txt LICENSE.txt tallywise-eval.txt)

makensis -V2 -INPUTCHARSET UTF8 \
  -DVERSION="$version" -DVERSION_FOUR_PART="$four_part" -DHOME_PAGE="http://$host" \
  -DSTAGE="$stage" -DICON="$root/ui/icons/tallywise.ico" -DOUTFILE="$dist/$setup_name" \
  "$root/installer/Tallywise.nsi"

(cd "$dist" && sha256sum "$zip_name" "$setup_name" >SHA256SUMS)

ls -l "$dist"
