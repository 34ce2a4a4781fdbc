#!/usr/bin/env bash
# Setup of map_river.jsonl: a store whose track "river" has one branch, made by trackdb.
set -euo pipefail
. "$(dirname "$0")/trackdb.sh"
dir=out/map_river
rm -rf "$dir"
mkdir -p "$dir"
# With MAPPA_CONN set (a PostgreSQL connection string), the store is that server's database:
# the folder's mappa.conn names it, for trackdb and the control alike.
if [ -n "${MAPPA_CONN:-}" ]; then echo "$MAPPA_CONN" > "$dir/mappa.conn"; fi
"$TRACKDB" create "$dir"
{
  echo "ordinale,tratto,ramo,X,Y"
  awk 'BEGIN { for (i = 0; i < 12; i++) printf "%d,river,1,%.1f,%.1f\n", i + 1, 500 + i * 700, 2500 + 900 * sin(i / 2.0) }'
} > "$dir/tracks.csv"
"$TRACKDB" import "$dir" "$dir/tracks.csv"
cat > "$dir/form.json" <<'JSON'
{"class": "Karvex.ucKarvex", "properties": {"MapStyle": 0, "DrawWidth": 2, "Delay": 4,
 "TrackColor": 12582912, "Title": "river, two branches"}}
JSON
