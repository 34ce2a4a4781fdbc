#!/usr/bin/env bash
# Builds the fuzz targets (in the sanitized build the sanitizer lane shares, build-asan; see
# sanitized-build.sh) and runs each for SECONDS
# (default 60). Seeds: fuzz/corpus/<target> in the tree, plus the example scripts for the
# script host. New inputs gather in build-asan/corpus/<target>, findings in build-asan/findings.
# Prints each target's executions per second and corpus size; fails when a target finds a fault.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"
root="$PWD"
targets=(fuzz_locale_readers fuzz_property_file fuzz_ctlhost)

source scripts/sanitized-build.sh
build="$BUILD_DIR"
BUILD_TARGETS="${targets[*]}" scripts/setup.sh

export QT_QPA_PLATFORM=offscreen
# Leaks are the sanitizer lane's business (with its suppressions); here they would only be
# the toolkit's lazily built caches.
export ASAN_OPTIONS="detect_leaks=0:allocator_may_return_null=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
status=0
for t in "${targets[@]}"; do
  name="${t#fuzz_}"
  corpus="$build/corpus/$name"
  findings="$build/findings/$name"
  mkdir -p "$corpus" "$findings"
  seeds=("$root/fuzz/corpus/$name")
  [ "$name" = ctlhost ] && seeds+=("$root/examples")
  log="$build/fuzz_$name.log"
  if ! (cd "$findings" && "$root/$build/bin/$t" "$root/$corpus" "${seeds[@]}" \
        -max_total_time="$seconds" -timeout=30 -rss_limit_mb=4096 -max_len=8192 \
        -print_final_stats=1 >"$root/$log" 2>&1); then
    echo "$t: FAULT FOUND (see $log and $findings)"
    status=1
  fi
  execs=$(grep -o 'stat::average_exec_per_sec: *[0-9]*' "$log" | grep -o '[0-9]*$' || echo '?')
  runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$' || echo '?')
  echo "$t: ${seconds}s, $runs runs, $execs exec/s, corpus $(ls "$corpus" | wc -l) files"
done
exit $status
