#!/usr/bin/env bash
# Builds every fuzz target with clang's libFuzzer under the address and
# undefined-behaviour sanitizers, in the sanitized tree (build-asan), and runs
# each for the given seconds from its committed seeds in tests/fuzz/corpus/.
# A finding stops with the fuzzer's report and a non-zero exit.
#   tools/fuzz.sh [seconds]   (default 60)
set -euo pipefail
seconds=${1:-60}
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${GULUSPELL_FUZZ_BUILD_DIR:-$root/build-asan}

targets=(fuzz_ad_config fuzz_settings_file fuzz_text_and_lines fuzz_scramble fuzz_word_lists fuzz_recent_games)
"$root/tools/sanitized_tree.sh" "$build" "${targets[@]}"

# Leaks count as findings; what system libraries keep for the life of the
# process is suppressed by name in the suppressions file.
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export LSAN_OPTIONS=suppressions=$root/tools/sanitizers/lsan.supp:print_suppressions=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export QT_QPA_PLATFORM=offscreen
for target in "${targets[@]}"; do
  exe=$(find "$build/tests" -name "$target" -type f -perm -u+x | head -n 1)
  work=$build/corpus/$target
  log=$build/fuzz-$target.log
  mkdir -p "$work"
  echo "== $target, ${seconds} s"
  # A finding leaves its input as crash-*/leak-*/timeout-* in the build folder.
  if ! (cd "$build" && "$exe" -max_total_time="$seconds" -print_final_stats=1 "$work" \
          "$root/tests/fuzz/corpus/$target" >"$log" 2>&1); then
    tail -n 80 "$log"
    echo "fuzz: $target found a fault (the log: $log)" >&2
    exit 1
  fi
  grep -E '^stat::number_of_executed_units|^Done' "$log" | tail -n 1
done
echo "fuzz: no finding"
