#!/usr/bin/env bash
# Builds the fuzz targets of tests/fuzz with clang (libFuzzer, with
# AddressSanitizer and UndefinedBehaviorSanitizer) into build-fuzz/ and runs
# each for SECONDS, two at a time (the machines have two cores):
#
#   bash scripts/fuzz.sh [SECONDS] [TARGET...]
#
# SECONDS defaults to 60; the targets are program, events, evaluate, form,
# http and readers (all by default). Each target starts from the corpus it
# grew in earlier runs (build-fuzz/corpus/TARGET) and its seeds in the
# repository. An input that crashes, trips a sanitizer, leaks or runs too long
# is kept in build-fuzz/findings/TARGET/ and makes the run fail; replay it
# with `build-fuzz/tests/fuzz/fuzz_TARGET FILE`.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
# shellcheck source=scripts/common.sh
source scripts/common.sh

seconds=${1:-60}
shift || true
targets=("$@")
if ((${#targets[@]} == 0)); then
  targets=(program events evaluate form http readers)
fi
root=$PWD
out=$root/build-fuzz

# What each target starts from, besides its own corpus, and its dictionary.
declare -A seeds=(
  [program]="tests/programs examples"
  [events]="tests/programs/forms examples"
  [evaluate]="tests/fuzz/corpus/evaluate"
  [form]="tests/programs/forms examples"
  [http]="tests/fuzz/corpus/http"
  [readers]="tests/fuzz/corpus/readers"
)
declare -A dictionaries=(
  [program]=basic [events]=events [evaluate]=basic [form]=form [http]=http [readers]=readers
)
for target in "${targets[@]}"; do
  if [[ -z ${seeds[$target]:-} ]]; then
    echo "fuzz: no target named '$target'" >&2
    exit 2
  fi
done

started=$SECONDS
echo "Building the fuzz targets with clang in build-fuzz/: about 3 minutes the first time ..."
run_quietly env CC=clang CXX=clang++ cmake -S . -B "$out" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DQUORL_FUZZ=ON -DQUORL_BUILD_TESTS=OFF -DQUORL_BUILD_WINDOWS=OFF
run_quietly cmake --build "$out" -j 2 --target fuzz_targets
echo "Built in $((SECONDS - started)) s."

rounds=$(((${#targets[@]} + 1) / 2))
echo "Fuzzing ${#targets[@]} targets for $seconds s each, two at a time: about $((rounds * seconds)) s ..."
# The targets run in a folder of their own: what a script writes lands there.
rm -rf "$out/run"
mkdir -p "$out/run" "$out/logs"
export ASAN_OPTIONS=detect_leaks=1:strict_string_checks=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

fuzz_one() {
  local target=$1 corpora=() seed
  mkdir -p "$out/corpus/$target" "$out/findings/$target"
  corpora=("$out/corpus/$target")
  for seed in ${seeds[$target]}; do corpora+=("$root/$seed"); done
  (cd "$out/run" && "$out/tests/fuzz/fuzz_$target" -max_total_time="$seconds" -timeout=30 \
    -rss_limit_mb=2048 -print_final_stats=1 \
    -dict="$root/tests/fuzz/dict/${dictionaries[$target]}.dict" \
    -artifact_prefix="$out/findings/$target/" "${corpora[@]}") >"$out/logs/$target.log" 2>&1
}

failed=()
pids=()
names=()
for target in "${targets[@]}"; do
  fuzz_one "$target" &
  pids+=($!)
  names+=("$target")
  if ((${#pids[@]} == 2)); then
    for i in 0 1; do
      if wait "${pids[$i]}"; then status=0; else status=$?; fi
      ((status == 0)) || failed+=("${names[$i]}")
    done
    pids=()
    names=()
  fi
done
for i in "${!pids[@]}"; do
  if wait "${pids[$i]}"; then status=0; else status=$?; fi
  ((status == 0)) || failed+=("${names[$i]}")
done

for target in "${targets[@]}"; do
  runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$out/logs/$target.log" | grep -o '[0-9]*$' || true)
  echo "  $target: ${runs:-?} inputs run"
done
for target in "${failed[@]}"; do
  echo "fuzz: $target found a fault; its log ($out/logs/$target.log) ends:" >&2
  tail -n 40 "$out/logs/$target.log" >&2
  ls "$out/findings/$target" >&2
done
echo "Fuzzing took $((SECONDS - started)) s."
echo "fuzz: $((${#targets[@]} - ${#failed[@]})) passed, ${#failed[@]} failed"
((${#failed[@]} == 0))
