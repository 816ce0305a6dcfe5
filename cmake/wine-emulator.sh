#!/bin/sh
# Runs a Windows program under wine for the build and its tests:
#   wine-emulator.sh PREFIX PROGRAM [ARGS...]
# Headless and quiet, in the given wine prefix (both Windows builds share one;
# a WoW64 prefix runs 32- and 64-bit programs alike). The prefix is made
# once, with wine's null display driver, so that programs can create windows
# (the message boxes under test) without any X display.
set -eu
prefix=$1
shift
export WINEPREFIX="$prefix" WINEDEBUG=-all
# No Mono or Gecko installer prompts while the prefix is made.
export WINEDLLOVERRIDES="mscoree,mshtml="
unset DISPLAY WAYLAND_DISPLAY

# Each program runs under the loader of its own width. Debian's `wine` starts
# every program with the 32-bit loader when wine32 is installed, which hands
# a 64-bit program on to wine64; where 32-bit code is emulated, that detour
# alone costs a minute per program.
wine64=/usr/lib/wine/wine64
loader_for() {
  # The PE header's offset is at 0x3C; its machine field follows "PE\0\0".
  if [ -f "$1" ] && [ -x "$wine64" ]; then
    header=$(od -An -t u4 -j 60 -N 4 "$1" 2>/dev/null | tr -d ' ')
    if [ -n "$header" ] &&
       [ "$(od -An -t x2 -j $((header + 4)) -N 2 "$1" 2>/dev/null | tr -d ' ')" = 8664 ]; then
      echo "$wine64"
      return
    fi
  fi
  echo wine
}

if [ ! -e "$prefix/.quenta-ready" ]; then
  mkdir -p "$(dirname "$prefix")"
  # Test discovery may start several programs at once: one makes the prefix.
  (
    flock 9
    if [ ! -e "$prefix/.quenta-ready" ]; then
      echo "wine-emulator: making the wine prefix $prefix" >&2
      # wine64 makes the prefix when it can: the 32-bit loader would only
      # hand wineboot and reg, 64-bit programs, on to it.
      boot=wine
      [ -x "$wine64" ] && boot=$wine64
      "$boot" wineboot --init >/dev/null 2>&1
      "$boot" reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f >/dev/null 2>&1
      # The desktop process started without a driver: restart everything.
      wineserver --kill
      wineserver --wait
      touch "$prefix/.quenta-ready"
    fi
  ) 9>"$prefix.lock"
fi

exec "$(loader_for "$1")" "$@"
