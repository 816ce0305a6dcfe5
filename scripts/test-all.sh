#!/usr/bin/env bash
# Builds and runs every test: the release build with warnings as errors, the
# AddressSanitizer + UndefinedBehaviorSanitizer build, the fuzz targets
# briefly, and the 32- and 64-bit Windows DLLs (the 32-bit tests beside the
# others). The release packages come
# from these builds' own tests: the .deb and .tar.gz from the release build
# (build/ci/packages), the .zip from the two Windows builds
# (build/windows-x64/packages).
set -euo pipefail
cd "$(dirname "$0")/.."
# What the benchmarks, the fuzz targets and the Windows builds need, if
# anything is missing.
scripts/install-deps.sh test
jobs=${JOBS:-$(nproc)}

run_preset() {
  echo "== $1 =="
  cmake --preset "$1" "${@:2}" >/dev/null
  cmake --build --preset "$1" -j "$jobs"
  ctest --preset "$1" -j "$jobs"
}

# The release build also builds the benchmarks and runs them once, briefly,
# so that they keep working; their times are not checked.
run_preset ci -DQUENTA_BUILD_BENCH=ON
# Quenta.dll, cross-built, tested under wine: the 32-bit one under 32-bit
# wine, emulated by qemu where the kernel cannot run 32-bit code itself
# (scripts/wine32-binfmt.sh sets that up). Its tests take one process at a
# time, each about a minute when emulated, so they run on the side while
# the sanitizer build, the fuzz targets and the 64-bit build use the rest
# of the machine; their output follows at the end.
bash scripts/wine32-binfmt.sh
echo "== windows-x86 =="
cmake --preset windows-x86 >/dev/null
cmake --build --preset windows-x86 -j "$jobs"
x86_log=build/windows-x86/ctest.log
(
  start=$SECONDS
  ctest --preset windows-x86 -j "$jobs" >"$x86_log" 2>&1
  status=$?
  echo "windows-x86: $((SECONDS - start)) s" >>"$x86_log"
  exit $status
) &
x86_tests=$!
# A stage that fails ends the run: the 32-bit tests go with it.
trap 'pkill -P "$x86_tests" 2>/dev/null; kill "$x86_tests" 2>/dev/null || true' EXIT

run_preset asan
# The fuzz targets (clang, libFuzzer, the sanitizers), each run briefly from
# its seed corpus: a crash, a leak or a time-out fails. scripts/fuzz.sh alone
# runs them longer.
bash scripts/fuzz.sh "${QUENTA_FUZZ_SECONDS:-20}"
run_preset windows-x64

echo "== windows-x86 tests =="
x86_status=0
wait "$x86_tests" || x86_status=$?
trap - EXIT
cat "$x86_log"
if [[ $x86_status -ne 0 ]]; then
  echo "windows-x86: tests failed" >&2
  exit "$x86_status"
fi
echo "== release packages =="
ls -l build/ci/packages/*.deb build/ci/packages/*.tar.gz build/windows-x64/packages/*.zip
