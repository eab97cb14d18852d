#!/usr/bin/env bash
# Installs the Debian packages the build, the emulated Pocket PC and the tests
# need. Does nothing when everything is already there, so `make run` and
# `make test` can call it every time.
set -euo pipefail

PACKAGES=(
  cmake ninja-build make g++ clang clang-format libclang-rt-14-dev googletest libgtest-dev
  g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
  g++-mingw-w64-i686-win32 binutils-mingw-w64-i686
  lld llvm
  wine wine64 fonts-wine
  xvfb xdotool imagemagick x11-utils x11-xserver-utils fonts-liberation fonts-roboto-unhinted
  librsvg2-bin python3
  cabextract gcab libarchive-tools
  valgrind procps
)

missing=()
for p in "${PACKAGES[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -ne 0 ]; then
  echo "install-deps: missing packages: ${missing[*]}; run as root or install them" >&2
  exit 1
fi

echo "== Installing ${#missing[@]} packages: ${missing[*]} (takes a few minutes the first time)"
export DEBIAN_FRONTEND=noninteractive
apt-get update -q
apt-get install -y -q --no-install-recommends "${missing[@]}" 2>&1 | grep -E '^(Setting up|E:)' || true
for p in "${missing[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || { echo "install-deps: $p did not install" >&2; exit 1; }
done
echo "== Packages installed"
