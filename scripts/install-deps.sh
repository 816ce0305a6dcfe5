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
  libcli11-dev nlohmann-json3-dev libicu-dev libcsv-dev libgettextpo-dev  # quenta: options, reports, scripts
  libxxhash-dev  # quenta render --script: the keys that tell which pictures are up to date
  libxml2-dev  # the tests parse the review page quenta render --script writes
  python3-jsonschema  # the tests validate the checker's JSON and SARIF against their schemas
  libpango1.0-dev libcairo2-dev manpages-ja  # the benchmarks: PangoCairo, and a long Japanese text
  clang libclang-rt-14-dev llvm  # the fuzz targets: libFuzzer, the sanitizer runtimes, llvm-symbolizer
  g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix googletest wine wine64  # Quenta.dll, tested under wine
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
