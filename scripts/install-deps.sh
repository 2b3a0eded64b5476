#!/usr/bin/env bash
# Installs, with apt, whatever of the build and test dependencies is missing on a Debian 12
# machine: the native toolchain and libraries, mingw-w64 for the 32-bit Windows module,
# 32-bit Wine and Xvfb to test it. Does nothing when all is there.
set -euo pipefail

packages=(
  cmake ninja-build g++ python3 pkg-config
  googletest libgtest-dev libbenchmark-dev libpng-dev libstb-dev
  clang libclang-rt-14-dev valgrind
  g++-mingw-w64-i686-posix binutils-mingw-w64-i686 mingw-w64-i686-dev
  wine wine32:i386 xvfb xauth
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
echo "Installing: ${missing[*]}"
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  $sudo dpkg --add-architecture i386
fi
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
