#!/usr/bin/env bash
# Builds and runs every test: the release build with warnings as errors, the
# AddressSanitizer + UndefinedBehaviorSanitizer build, the fuzz targets
# briefly, then the 32- and 64-bit Windows DLLs. The release packages come
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
run_preset asan
# The fuzz targets (clang, libFuzzer, the sanitizers), each run briefly from
# its seed corpus: a crash, a leak or a time-out fails. scripts/fuzz.sh alone
# runs them longer.
bash scripts/fuzz.sh "${QUENTA_FUZZ_SECONDS:-20}"
# Quenta.dll, cross-built, tested under wine: the 32-bit one under 32-bit
# wine, emulated by qemu where the kernel cannot run 32-bit code itself
# (scripts/wine32-binfmt.sh sets that up).
bash scripts/wine32-binfmt.sh
start=$SECONDS
run_preset windows-x86
echo "windows-x86: $((SECONDS - start)) s"
run_preset windows-x64
echo "== release packages =="
ls -l build/ci/packages/*.deb build/ci/packages/*.tar.gz build/windows-x64/packages/*.zip
