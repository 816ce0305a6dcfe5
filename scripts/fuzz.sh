#!/usr/bin/env bash
# Builds the fuzz targets (the fuzz preset: clang, libFuzzer, AddressSanitizer,
# UndefinedBehaviorSanitizer, LeakSanitizer) and runs each for SECONDS on its
# seed corpus in fuzz/corpus/<target>/, with fuzz/<target>.dict if there is one. A crash, a leak, a broken promise, an
# input that runs over 10 seconds or past 2 GiB fails the run; the input is
# saved in build/fuzz/findings/<target>/. New inputs the fuzzer finds go to
# build/fuzz/corpus/<target>/, so a later run starts where this one stopped.
#
# Usage: scripts/fuzz.sh [SECONDS [TARGET...]]   (default: 20 s each for
# render, picture, archive, the four script readers, the wrapper, the
# comparison of translations with their sources and the language server)
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-20}
targets=("${@:2}")
((${#targets[@]})) || targets=(render picture archive script_text script_csv script_po wrap script_xliff pairs lsp)

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j "${JOBS:-2}"

export LSAN_OPTIONS="suppressions=$PWD/fuzz/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
for target in "${targets[@]}"; do
  corpus=build/fuzz/corpus/$target
  findings=build/fuzz/findings/$target
  mkdir -p "$corpus" "$findings"
  dictionary=()
  [[ -f fuzz/$target.dict ]] && dictionary=(-dict="fuzz/$target.dict")
  echo "== fuzz $target, ${seconds} s =="
  if ! build/fuzz/bin/fuzz_"$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
      "${dictionary[@]}" -artifact_prefix="$findings/" -print_final_stats=1 "$corpus" "fuzz/corpus/$target" \
      >"$findings.log" 2>&1; then
    tail -n 80 "$findings.log"
    echo "fuzz $target failed: the input is in $findings/, the whole log in $findings.log" >&2
    exit 1
  fi
  { grep -E "^(stat::number_of_executed_units|stat::peak_rss_mb)|DONE" "$findings.log" || true; } | tr '\n' ' '
  echo
done
