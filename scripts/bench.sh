#!/usr/bin/env bash
# Builds the benchmarks, runs each three times and prints a table (benchmark, the ratio of
# each run, their median), which also goes into bench/FIGURES.md, one section per family of
# benchmarks (the file's other sections stay as they are).
#   scripts/bench.sh [NAME...]        the named benchmarks (bench_chart_draw ...), default all
#   scripts/bench.sh --chart-scaling  Draw and a stored track's replay at 10k, 100k and 1M points
# BUILD_DIR (default build), JOBS (default 2), RUNS (default 3).
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir="${BUILD_DIR:-build}"
runs="${RUNS:-3}"
figures=bench/FIGURES.md
export QT_QPA_PLATFORM=offscreen

# Replaces the section between the markers named $1 in the figures file with the file $2, or
# adds it at the end.
write_section() {
  local tag="$1" body="$2" tmp
  tmp="$(mktemp)"
  touch "$figures"
  awk -v begin="<!-- bench.sh: $tag -->" -v end="<!-- /bench.sh: $tag -->" -v body="$body" '
    function put() { print begin; while ((getline line < body) > 0) print line; print end }
    $0 == begin { skipping = 1; put(); done = 1; next }
    $0 == end { skipping = 0; next }
    !skipping { print }
    END { if (!done) { print ""; put() } }' "$figures" >"$tmp"
  mv "$tmp" "$figures"
}

build() {
  if [ ! -f "$build_dir/build.ninja" ]; then
    BUILD_TARGETS="$*" scripts/setup.sh
  else
    ninja -C "$build_dir" -j"${JOBS:-2}" "$@" >/dev/null
  fi
}

median() { printf '%s\n' "$@" | sort -g | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

machine_line() {
  echo "Measured $(date -u '+%Y-%m-%d %H:%M UTC') on $(nproc) cores, load average" \
    "$(cut -d' ' -f1-3 /proc/loadavg) at the start."
}

if [ "${1:-}" = "--chart-scaling" ]; then
  build bench_chart_draw bench_chart_playback
  body="$(mktemp)"
  {
    echo "## Chart scaling (scripts/bench.sh --chart-scaling)"
    echo
    machine_line
    echo "Processor time per call; the series is the same curve sampled more densely."
    echo
    echo "| points | \`Draw\` | per point | replay of the stored track | per point | replay after the store changed | per point |"
    echo "|---|---|---|---|---|---|---|"
  } >"$body"
  for n in 10000 100000 1000000; do
    out="$(CTL_BENCH_POINTS=$n "$build_dir/bin/bench_chart_playback" \
      --benchmark_filter='BM_DrawSeries|BM_Playback' 2>/dev/null)"
    # Columns: name, time, unit, processor time, unit, iterations.
    draw="$(awk '$1 == "BM_DrawSeries" { print $4 }' <<<"$out")"
    play="$(awk '$1 == "BM_PlaybackStored" { print $4 }' <<<"$out")"
    changed="$(awk '$1 == "BM_PlaybackAfterChange" { print $4 }' <<<"$out")"
    awk -v n="$n" -v d="$draw" -v p="$play" -v c="$changed" 'BEGIN {
      printf "| %d | %.1f ms | %.0f ns | %.1f ms | %.0f ns | %.1f ms | %.0f ns |\n",
        n, d, d * 1e6 / n, p, p * 1e6 / n, c, c * 1e6 / n }' >>"$body"
  done
  cat "$body"
  write_section chart-scaling "$body"
  rm -f "$body"
  exit 0
fi

if [ $# -gt 0 ]; then
  names=("$@")
else
  names=()
  for src in bench/bench_*.cpp; do names+=("$(basename "$src" .cpp)"); done
fi
build "${names[@]}"

# One table on the terminal; in the figures file one section per family of benchmarks (chart,
# combo, store), so a run of some of them leaves the others' figures alone.
table="$(mktemp)"
{
  machine_line
  echo "Each run's ratio is its last line (\`ratio: X\`): processor time unless the benchmark says"
  echo "otherwise."
  echo
  echo "| benchmark | run 1 | run 2 | run 3 | median |"
  echo "|---|---|---|---|---|"
} >"$table"
for family in $(printf '%s\n' "${names[@]}" | sed 's/^bench_\([a-z]*\)_.*/\1/' | sort -u); do
  body="$(mktemp)"
  {
    echo "## ${family^} ratios (scripts/bench.sh)"
    echo
    machine_line
    echo "Each run's ratio is its last line (\`ratio: X\`): processor time unless the benchmark says"
    echo "otherwise."
    echo
    echo "| benchmark | run 1 | run 2 | run 3 | median |"
    echo "|---|---|---|---|---|"
  } >"$body"
  for name in "${names[@]}"; do
    [[ "$name" == bench_${family}_* ]] || continue
    ratios=()
    for ((i = 1; i <= runs; i++)); do
      last="$("$build_dir/bin/$name" 2>/dev/null | tail -n 1 || true)"
      ratios+=("$(awk '$1 == "ratio:" { print $2 }' <<<"$last")")
    done
    row="| \`$name\`"
    for r in "${ratios[@]}"; do row+=" | ${r:-?}"; done
    known=()
    for r in "${ratios[@]}"; do [[ "$r" =~ ^[0-9.]+$ ]] && known+=("$r"); done
    if [ ${#known[@]} -gt 0 ]; then row+=" | $(median "${known[@]}") |"; else row+=" | ? |"; fi
    echo "$row" >>"$body"
    echo "$row" >>"$table"
  done
  write_section "$family-ratios" "$body"
  rm -f "$body"
done
cat "$table"
rm -f "$table"
