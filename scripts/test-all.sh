#!/usr/bin/env bash
# Builds and runs every test: the release build with warnings as errors, then
# the AddressSanitizer + UndefinedBehaviorSanitizer build.
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=${JOBS:-$(nproc)}

run_preset() {
  echo "== $1 =="
  cmake --preset "$1" >/dev/null
  cmake --build --preset "$1" -j "$jobs"
  ctest --preset "$1" -j "$jobs"
}

run_preset ci
run_preset asan
