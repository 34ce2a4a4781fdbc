#!/usr/bin/env bash
# The demo once in a real X server: the window must reach the screen (a problem the offscreen
# platform hides fails here). Exits 77 (skipped) when xvfb-run is not installed.
set -euo pipefail
demo=$1
command -v xvfb-run >/dev/null || { echo "xvfb-run is not installed: skipped"; exit 77; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
env -u QT_QPA_PLATFORM xvfb-run -a -s "-screen 0 1280x800x24" \
  "$demo" --data "$work/data" --screenshot "$work/screen.png" --quit-after 2500
[ -s "$work/screen.png" ] || { echo "no screenshot"; exit 1; }
mkdir -p "${CTL_SCREENSHOT_DIR:-$work}"
cp "$work/screen.png" "${CTL_SCREENSHOT_DIR:-$work}/real-window.png" 2>/dev/null || true
echo "real_window: ok"
