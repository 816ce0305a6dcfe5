#!/usr/bin/env bash
# Installs what a fresh Debian 12 machine lacks to build and test Quenta.
# Needs root: run by anyone else, it asks sudo for it. Safe to run again.
set -euo pipefail
if [[ $EUID -ne 0 ]]; then
  exec sudo "$0" "$@"
fi

packages=(
  build-essential cmake pkg-config git
  libgtest-dev libgmock-dev libbenchmark-dev
  libfreetype-dev libfontconfig-dev fonts-ipafont-gothic fonts-ipafont-mincho
  libpng-dev libzip-dev libstb-dev zip
  libpango1.0-dev libcairo2-dev manpages-ja  # the benchmarks: PangoCairo, and a long Japanese text
  clang libclang-rt-14-dev llvm  # the fuzz targets: libFuzzer, the sanitizer runtimes, llvm-symbolizer
  g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix googletest wine wine64  # Quenta.dll, tested under wine
  wine32:i386 qemu-user-static  # the 32-bit Quenta.dll, under 32-bit wine (emulated where the kernel cannot run it)
)

# wine32 comes from Debian's i386 packages.
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  dpkg --add-architecture i386
  apt-get update -qq
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# 32-bit programs must run, natively or under qemu, for the 32-bit tests.
bash "$(dirname "$0")/wine32-binfmt.sh"
