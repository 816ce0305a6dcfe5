#!/bin/sh
# Runs a Windows program under wine for the build and its tests:
#   wine-emulator.sh PREFIX PROGRAM [ARGS...]
# Headless and quiet, in a wine prefix of the build's own. The prefix is made
# once, with wine's null display driver, so that programs can create windows
# (the message boxes under test) without any X display.
set -eu
prefix=$1
shift
export WINEPREFIX="$prefix" WINEDEBUG=-all
# No Mono or Gecko installer prompts while the prefix is made.
export WINEDLLOVERRIDES="mscoree,mshtml="
unset DISPLAY WAYLAND_DISPLAY

if [ ! -e "$prefix/.quenta-ready" ]; then
  mkdir -p "$(dirname "$prefix")"
  # Test discovery may start several programs at once: one makes the prefix.
  (
    flock 9
    if [ ! -e "$prefix/.quenta-ready" ]; then
      echo "wine-emulator: making the wine prefix $prefix" >&2
      wineboot --init >/dev/null 2>&1
      wine reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f >/dev/null 2>&1
      # The desktop process started without a driver: restart everything.
      wineserver --kill
      wineserver --wait
      touch "$prefix/.quenta-ready"
    fi
  ) 9>"$prefix.lock"
fi

exec wine "$@"
