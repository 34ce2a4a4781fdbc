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
  # An example may need a setup step first (a store to read, files to load): NAME.sh beside it.
  if [ -f "examples/$name.sh" ] && ! bash "examples/$name.sh" > "out/$name.setup.log" 2>&1; then
    echo "$name: setup failed (see out/$name.setup.log)"; status=1; continue
  fi
  # Scripts may show errors on purpose (they are part of the control's contract); the job
  # fails only when the host itself fails.
  if ! ./build/bin/ctlhost "$script" > "out/$name.log" 2> "out/$name.stderr"; then
    echo "$name: ctlhost failed (see out/$name.stderr)"; status=1
  else
    echo "$name: $(grep -c '"error"' "out/$name.log" || true) error line(s) in out/$name.log"
  fi
done
ls out/*.png 2>/dev/null || true
exit $status
