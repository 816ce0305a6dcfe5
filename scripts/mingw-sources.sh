#!/usr/bin/env bash
# Unpacks the Debian sources that the Windows builds compile for mingw-w64,
# where Debian ships no mingw build: libzip, under Vaultrix.dll's ZIP
# archives (zlib comes built, from libz-mingw-w64-dev). They land in
#   /usr/src/quenta-mingw/libzip
# which the windows presets read (QUENTA_LIBZIP_SOURCE_DIR). Needs root the
# first time, to add Debian's source lists beside the binary ones. Safe to
# run again: it does nothing once the sources are there.
set -euo pipefail

root=/usr/src/quenta-mingw
[[ -f $root/libzip/CMakeLists.txt ]] && exit 0
if [[ $EUID -ne 0 ]]; then
  exec sudo "$0" "$@"
fi

# Debian's source lists, as the binary lists name them; on a machine whose
# lists already have them, apt finds the same sources either way.
lists=/etc/apt/sources.list.d/quenta-deb-src.sources
if ! apt-get source --print-uris libzip >/dev/null 2>&1; then
  if [[ -f /etc/apt/sources.list.d/debian.sources ]]; then
    sed 's/^Types: deb$/Types: deb-src/' /etc/apt/sources.list.d/debian.sources > "$lists"
  fi
  if [[ -f /etc/apt/sources.list ]] && grep -q '^deb ' /etc/apt/sources.list; then
    sed -n 's/^deb /deb-src /p' /etc/apt/sources.list > /etc/apt/sources.list.d/quenta-deb-src.list
  fi
  apt-get update -qq
fi

mkdir -p "$root"
cd "$root"
apt-get source -qq libzip
unpacked=$(find . -maxdepth 1 -type d -name 'libzip-*' | sort | tail -1)
ln -sfn "${unpacked#./}" libzip
test -f libzip/CMakeLists.txt
