#!/usr/bin/env bash
# Installs what building, testing, packaging and measuring Tallywise need on
# Debian 12, as root (through sudo when it is there). Does nothing for packages
# that are already there.
set -euo pipefail

if [ "$(id -u)" -ne 0 ]; then
  if command -v sudo >/dev/null; then
    exec sudo bash "$0" "$@"
  fi
  echo "install-deps.sh: not root and no sudo; assuming its packages are installed" >&2
  exit 0
fi

packages=(
  cmake g++ clang libclang-rt-14-dev make
  libgtest-dev libbenchmark-dev libmuparser-dev googletest
  g++-mingw-w64-i686 mingw-w64-i686-dev
  wine wine32:i386 wine64 xvfb x11-utils
  fonts-liberation imagemagick librsvg2-bin icoutils
  nsis fonts-wine zip unzip xdotool bc
  libedit-dev pkg-config python3 shellcheck mandoc fish
  libboost-dev
  build-essential debhelper dpkg-dev lintian python3-jsonschema python3-yaml
  libboost-dev gettext wine64-tools locales
)

if ! dpkg --print-foreign-architectures | grep -qx i386; then
  dpkg --add-architecture i386
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  apt-get update -qq
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
