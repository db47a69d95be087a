#!/usr/bin/env bash
# Configures and builds the project with clang under the address and
# undefined-behaviour sanitizers, in a tree of its own. The same tree serves the
# sanitized test run and the fuzzers: everything carries libFuzzer's coverage
# hooks, so a fuzzer sees the libraries' branches and one build does for both.
#   tools/sanitized_tree.sh build-folder [target...]   (all targets when none is named)
set -euo pipefail
build=${1:?usage: $0 build-folder [target...]}
shift
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
command -v clang++ >/dev/null || { echo "sanitized build: clang++ is missing (apt-get install clang)" >&2; exit 1; }

# -O1 keeps the run fast enough for the whole suite; line tables alone are
# enough for readable reports and cost far less to compile and link than -g.
flags="-O1 -gline-tables-only -fno-omit-frame-pointer -fsanitize=address,undefined"
flags+=" -fno-sanitize-recover=undefined -fsanitize=fuzzer-no-link"
export CCACHE_BASEDIR=$root
# WebEngine stays out: its own processes are not ours to sanitize, and the
# program falls back to the light pane without it. The benchmarks measure speed,
# which means nothing here.
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Sanitized -DCMAKE_CXX_COMPILER=clang++ \
  -DCMAKE_CXX_FLAGS="$flags" \
  -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" \
  -DCMAKE_SHARED_LINKER_FLAGS="-fsanitize=address,undefined" \
  -DCMAKE_MODULE_LINKER_FLAGS="-fsanitize=address,undefined" \
  -DGULUSPELL_FUZZ=ON -DGULUSPELL_BUILD_BENCH=OFF -DGULUSPELL_WITH_WEBENGINE=OFF \
  ${GULUSPELL_ECDICT_DIR:+-DGULUSPELL_ECDICT_DIR="$GULUSPELL_ECDICT_DIR"} >/dev/null
if [ $# -gt 0 ]; then
  cmake --build "$build" --target "$@"
else
  cmake --build "$build"
fi
