#!/usr/bin/env bash
# Builds every fuzz target with clang's libFuzzer under the address and
# undefined-behaviour sanitizers, in a tree of its own (build-fuzz), and runs
# each for the given seconds from its committed seeds in tests/fuzz/corpus/.
# A finding stops with the fuzzer's report and a non-zero exit.
#   tools/fuzz.sh [seconds]   (default 60)
set -euo pipefail
seconds=${1:-60}
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${GULUSPELL_FUZZ_BUILD_DIR:-$root/build-fuzz}
command -v clang++ >/dev/null || { echo "fuzz: clang++ is missing (apt-get install clang)" >&2; exit 1; }

targets=(fuzz_ad_config fuzz_settings_file fuzz_text_and_lines fuzz_scramble fuzz_word_lists fuzz_recent_games)
flags="-g -O1 -fsanitize=address,undefined -fno-sanitize-recover=undefined -fsanitize=fuzzer-no-link"
export CCACHE_BASEDIR=$root
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_COMPILER=clang++ \
  -DCMAKE_CXX_FLAGS="$flags" -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" \
  -DGULUSPELL_FUZZ=ON -DGULUSPELL_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" --target "${targets[@]}"

# Qt keeps a few allocations for the life of the process; they are not ours.
export ASAN_OPTIONS=detect_leaks=0:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1
export QT_QPA_PLATFORM=offscreen
for target in "${targets[@]}"; do
  exe=$(find "$build/tests" -name "$target" -type f -perm -u+x | head -n 1)
  work=$build/corpus/$target
  mkdir -p "$work"
  echo "== $target, ${seconds} s"
  "$exe" -max_total_time="$seconds" -print_final_stats=0 "$work" "$root/tests/fuzz/corpus/$target" 2>&1 | tail -n 3
done
echo "fuzz: no finding"
