#!/usr/bin/env bash
# Installs what a fresh Debian 12 machine lacks for Quenta, by group:
#   build  (the default) building the modules, the tool, the host kit and
#          the default preset's tests, and rendering with the IPA fonts
#   test   build, and everything scripts/test-all.sh runs besides: the
#          benchmarks, the fuzz targets, the preview's browser tests and
#          the SDL example under Xvfb, the release packages' checks and
#          the Windows DLLs under wine (scripts/wine32-binfmt.sh then lets
#          32-bit programs run, under qemu where the kernel cannot), and
#          the Debian sources built for them (scripts/mingw-sources.sh)
# Safe to run again: it installs only what is missing, and asks sudo for
# root only then.
set -euo pipefail

build=(
  build-essential cmake ninja-build pkg-config git
  libfreetype-dev libfontconfig-dev fonts-ipafont-gothic fonts-ipafont-mincho
  libpng-dev libzip-dev libstb-dev
  libcli11-dev nlohmann-json3-dev libicu-dev libcsv-dev libgettextpo-dev  # quenta: options, reports, scripts
  libxxhash-dev  # quenta render --script: the keys that tell which pictures are up to date
  libgtest-dev libgmock-dev  # the tests every preset builds
  libmicrohttpd-dev  # quenta preview: its web server
  libtomlplusplus-dev  # quenta: the project settings in quenta.toml
  libxml2-dev  # the tests of quenta render --script parse the review page it writes
)
test=(
  python3-jsonschema  # the tests validate the checker's JSON and SARIF against their schemas
  gettext  # msgfmt -c checks the catalogues quenta wrap writes
  chromium chromium-driver python3-selenium python3-pil  # the preview's and the review page's tests in headless Chromium
  libcpp-httplib-dev  # the preview benchmark's client
  libbenchmark-dev libpango1.0-dev libcairo2-dev manpages-ja zip  # the benchmarks: PangoCairo, and a long Japanese text
  clang libclang-rt-14-dev llvm  # the fuzz targets: libFuzzer, the sanitizer runtimes, llvm-symbolizer
  g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix googletest wine wine64  # Quenta.dll, tested under wine
  libz-mingw-w64-dev dpkg-dev  # the Windows Vaultrix: static zlib; libzip's Debian sources unpacked
  wine32:i386 qemu-user-static  # the 32-bit Quenta.dll, under 32-bit wine (emulated where the kernel cannot run it)
  libsdl2-dev xvfb xauth  # the SDL example, run under a virtual X server
  neovim  # quenta lsp tested with Neovim's own client, headless
)

case "${1:-build}" in
  build) packages=("${build[@]}") ;;
  test) packages=("${build[@]}" "${test[@]}") ;;
  *)
    echo "usage: $0 [build|test]" >&2
    exit 2
    ;;
esac

# The Windows builds compile libzip from Debian's sources, once unpacked.
sources() {
  if [[ ${1:-build} == test ]]; then
    "$(dirname "$0")/mingw-sources.sh"
  fi
}

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]} == 0)); then
  sources "$@"
  exit 0
fi
if [[ $EUID -ne 0 ]]; then
  exec sudo "$0" "$@"
fi
export DEBIAN_FRONTEND=noninteractive
# wine32 comes from Debian's i386 packages.
if [[ " ${missing[*]} " == *":i386 "* ]] && ! dpkg --print-foreign-architectures | grep -qx i386; then
  dpkg --add-architecture i386
fi
apt-get update -qq
apt-get install -y -qq --no-install-recommends "${missing[@]}"
sources "$@"
