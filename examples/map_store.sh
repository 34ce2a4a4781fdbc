#!/usr/bin/env bash
# Setup of map_store.jsonl: the chart never creates its track store, so trackdb makes one in
# out/map_store/ and imports a few tracks (one with an apostrophe, one with two branches).
set -euo pipefail
. "$(dirname "$0")/trackdb.sh"
dir=out/map_store
rm -rf "$dir"
mkdir -p "$dir"
# With MAPPA_CONN set (a PostgreSQL connection string), the store is that server's database:
# the folder's mappa.conn names it, for trackdb and the control alike.
if [ -n "${MAPPA_CONN:-}" ]; then echo "$MAPPA_CONN" > "$dir/mappa.conn"; fi
"$TRACKDB" create "$dir"
{
  echo "ordinale,tratto,ramo,X,Y"
  # A river across the map: a sine wave, 40 points.
  awk 'BEGIN { for (i = 0; i < 40; i++) printf "%d,River,1,%.1f,%.1f\n", i + 1, 600 + i * 215, 3000 + 1400 * sin(i / 4.0) }'
  # A loop round a hill, in two branches: the loop and a path up to it.
  awk 'BEGIN { for (i = 0; i <= 24; i++) printf "%d,\"O'"'"'Brien'"'"'s loop\",1,%.1f,%.1f\n", i + 1, 6800 + 1500 * cos(i * 3.14159265 / 12), 1700 + 1000 * sin(i * 3.14159265 / 12) }'
  echo "26,O'Brien's loop,2,5300,1700"
  echo "27,O'Brien's loop,2,4200,900"
  echo "28,O'Brien's loop,2,3000,700"
  # A short shore line.
  echo "1,Lake shore,1,1200,5200"
  echo "2,Lake shore,1,2400,5600"
  echo "3,Lake shore,1,3800,5400"
  echo "4,Lake shore,1,5000,5800"
} > "$dir/tracks.csv"
"$TRACKDB" import "$dir" "$dir/tracks.csv"
"$TRACKDB" list "$dir"
"$TRACKDB" check "$dir"
cat > "$dir/form.json" <<'JSON'
{"class": "Karvex.ucKarvex", "properties": {"MapStyle": 0, "DrawWidth": 2, "ViewPoints": true,
 "TrackColor": 32768, "Title": "Stored tracks"}}
JSON
