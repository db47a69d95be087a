#!/usr/bin/env bash
# Runs every benchmark once and prints ONE markdown table on stdout, after a
# line naming the date and the machine: each figure with the baseline
# measured beside it in the same run, and their ratio (progress goes to
# stderr). Works on a built tree (tools/setup.sh build).
#   bench/run.sh [build-folder]        (default: build/)
# Takes a few minutes; Xvfb, python3 and the sqlcipher tool must be installed.
set -euo pipefail
src=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$src/build}" && pwd)
bin=$build/bench
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
export SDL_AUDIODRIVER=${SDL_AUDIODRIVER:-dummy}

step() { echo "bench/run.sh: $*" >&2; }

# A Google Benchmark program, its results as JSON in $out/<name>.json.
gbench() { # name program [arguments...]
  local name=$1
  shift
  QT_QPA_PLATFORM=offscreen "$@" --benchmark_out_format=json --benchmark_out="$out/$name.json" >"$out/$name.log" 2>&1 \
    || { cat "$out/$name.log" >&2; return 1; }
}

median_of() { sort -n | awk '{a[NR]=$1} END {print (NR%2 ? a[(NR+1)/2] : (a[NR/2]+a[NR/2+1])/2)}'; }

step "start-up (offscreen and Xvfb, 10 runs each)"
"$src/bench/app/startup.sh" "$build" >"$out/startup.txt"

step "toll-gate load (builds a book of 1,000,000 words first)"
gbench toll_gate "$bin/data/bench_toll_gate" --benchmark_filter='^BM_(LoadTollGate|Select15Rows)/(3480|1000000)/2$' \
  --benchmark_repetitions=5 --benchmark_report_aggregates_only=true

step "import of 100,000 words, and the sqlcipher tool on the same rows"
gbench import "$bin/data/bench_import"
mkdir "$out/cli"
"$bin/data/bench_import" --write-cli "$out/cli"
for _ in 1 2 3 4 5; do
  rm -f "$out/cli/new.mdb"
  t0=$(date +%s%N)
  (cd "$out/cli" && sqlcipher new.mdb <import.sql >/dev/null)
  t1=$(date +%s%N)
  echo $(( (t1 - t0) / 1000 ))
done | median_of >"$out/cli_us.txt"

step "board repaint"
gbench board_paint "$bin/game/bench_board_paint" --benchmark_filter='^(BoardRepaint|PixmapFloor/opaque:1)/repeats'

step "speech latency, and espeak-ng alone"
gbench speech "$bin/audio/bench_speech_latency"
gbench espeak "$bin/audio/bench_espeak_synth"

step "memory after start (Xvfb, 3 runs each)"
"$src/bench/app/memory.sh" "$build" >"$out/memory.txt"

step "soak: 500 toll gates"
soak_rc=0
"$bin/app/bench_soak" >"$out/soak.txt" 2>"$out/soak.log" || soak_rc=$?
[ $soak_rc -le 1 ] || { cat "$out/soak.log" >&2; exit 1; }

python3 - "$out" <<'PY'
import json, re, sys
out = sys.argv[1]

def read(name):
    with open(f"{out}/{name}", encoding="utf-8") as f:
        return f.read()

def us(name, run, field="real_time"):
    """Median (or the single) time of a benchmark run, in microseconds. The
    manual-time runs give the wall clock; the others' CPU time holds steady
    on a machine busy with something else."""
    scale = {"ns": 1e-3, "us": 1.0, "ms": 1e3, "s": 1e6}
    found = {}
    for b in json.loads(read(f"{name}.json"))["benchmarks"]:
        base = b.get("run_name", b["name"])
        base = re.sub(r"/(iterations|repeats|manual_time|real_time).*$", "", base)
        if base != run or b.get("error_occurred"):
            continue
        kind = b.get("aggregate_name", "single")
        found[kind] = b[field] * scale[b["time_unit"]]
    value = found.get("median", found.get("single"))
    if value is None:
        sys.exit(f"bench/run.sh: no result for {run} in {name}")
    return value

def time(v):
    if v >= 1e6: return f"{v / 1e6:.2f} s"
    if v >= 1e3: return f"{v / 1e3:.1f} ms" if v < 1e5 else f"{v / 1e3:.0f} ms"
    return f"{v:.1f} µs" if v < 100 else f"{v:.0f} µs"

def kb(v):
    return f"{v / 1024:.1f} MB" if abs(v) >= 1024 else f"{v:.0f} kB"

rows = []
def row(what, figure, base_text, figure_text, base_value):
    rows.append((what, figure_text, base_text, f"{figure / base_value:.2f}" if base_value else "–"))

for line in read("startup.txt").splitlines():
    m = re.match(r"(\S+)\s+guluspell\s+(\d+) ms\s+minimal window\s+(\d+) ms", line)
    if m:
        where, g, b = m.group(1), float(m.group(2)), float(m.group(3))
        label = "Xvfb" if where == "xvfb" else where
        row(f"start-up to the shown window ({label})", g, f"minimal Qt window: {b:.0f} ms", f"{g:.0f} ms", b)

for words in (3480, 1000000):
    g = us("toll_gate", f"BM_LoadTollGate/{words}/2", "cpu_time")
    b = us("toll_gate", f"BM_Select15Rows/{words}/2", "cpu_time")
    row(f"toll-gate load, last of a book of {words:,} words (CPU)", g, f"plain SELECT of its 15 rows: {time(b)}", time(g), b)

g, b = us("import", "BM_ImportWordBook"), float(read("cli_us.txt"))
row("import of a word book of 100,000 lines", g, f"sqlcipher tool importing the same rows: {time(b)}", time(g), b)

g, b = us("board_paint", "BoardRepaint", "cpu_time"), us("board_paint", "PixmapFloor/opaque:1", "cpu_time")
row("board repaint, mid-game (CPU)", g, f"one 600×420 blit: {time(b)}", time(g), b)

g, b = us("speech", "BM_CompletedWordToSpeech"), us("espeak", "BM_EspeakSynthesis")
row("speech: completed word to its samples at the output", g, f"espeak-ng synthesising the word: {time(b)}", time(g), b)

mem = {}
for line in read("memory.txt").splitlines():
    m = re.match(r"(\S+)\s+resident\s+(\d+) kB\s+private\s+(\d+) kB", line)
    if m:
        mem[m.group(1)] = (float(m.group(2)), float(m.group(3)))
for i, kind in enumerate(("resident", "private (anonymous)")):
    g, b = mem["guluspell"][i], mem["minimal_window"][i]
    row(f"memory after start, {kind}", g, f"minimal Qt window: {kb(b)}", kb(g), b)

soak = read("soak.txt")
m = re.search(r"soak growth: (-?\d+) kB \(goal: less than (\d+) kB\)", soak)
g, goal = float(m.group(1)), float(m.group(2))
row("soak: resident growth from toll gate 50 to 500", g, f"goal: less than {kb(goal)}", f"{g:+.0f} kB", goal)

import datetime, os
cpu = next((l.split(":", 1)[1].strip() for l in open("/proc/cpuinfo") if l.startswith("model name")), "unknown CPU")
print(f"Measured on {datetime.date.today().isoformat()}, {cpu}, {os.cpu_count()} cores.")
print()
print("| what | figure | baseline | ratio |")
print("|---|---:|---|---:|")
for r in rows:
    print("| " + " | ".join(r) + " |")
PY
