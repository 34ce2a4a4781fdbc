#!/usr/bin/env bash
# The main job: builds everything, then renders every example script to PNG (headless).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
export QT_QPA_PLATFORM="${QT_QPA_PLATFORM:-offscreen}"
mkdir -p out
status=0
for script in examples/*.jsonl; do
  [ -e "$script" ] || continue
  name=$(basename "$script" .jsonl)
  ./build/bin/ctlhost "$script" > "out/$name.log" 2> "out/$name.stderr"
  if grep -q '"error"' "out/$name.log"; then
    echo "$name: errors (see out/$name.log)"; status=1
  else
    echo "$name: ok"
  fi
done
ls out/*.png 2>/dev/null || true
exit $status
