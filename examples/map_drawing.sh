#!/usr/bin/env bash
# Setup of map_drawing.jsonl: an empty track store made by trackdb, and the island map the
# script lays under its tracks (drawn by make_map.py).
set -euo pipefail
. "$(dirname "$0")/trackdb.sh"
dir=out/map_drawing
rm -rf "$dir"
mkdir -p "$dir"
# With MAPPA_CONN set (a PostgreSQL connection string), the store is that server's database:
# the folder's mappa.conn names it, for trackdb and the control alike.
if [ -n "${MAPPA_CONN:-}" ]; then echo "$MAPPA_CONN" > "$dir/mappa.conn"; fi
"$TRACKDB" create "$dir"
python3 examples/make_map.py "$dir/map.bmp"
cat > "$dir/form.json" <<'JSON'
{"class": "Karvex.ucKarvex", "properties": {"MapStyle": 0, "DrawWidth": 3, "AutoSize": true,
 "TrackColor": 20735, "BackColor": 6697728}}
JSON
