# Sourced by the examples' setup scripts: sets TRACKDB to the store tool. Looked for, in
# order: $TRACKDB as given, `trackdb` on the PATH, the one beside ctlhost ($CTLHOST or the
# ctlhost on the PATH), then this checkout's build/bin/trackdb.
find_trackdb() {
  local host dir
  if [ -n "${TRACKDB:-}" ] && [ -x "$TRACKDB" ]; then return 0; fi
  if TRACKDB=$(command -v trackdb 2>/dev/null); then return 0; fi
  host=${CTLHOST:-$(command -v ctlhost 2>/dev/null || true)}
  if [ -n "$host" ] && [ -x "$(dirname "$host")/trackdb" ]; then
    TRACKDB=$(dirname "$host")/trackdb; return 0
  fi
  for dir in build/bin "$(dirname "${BASH_SOURCE[0]}")/../build/bin"; do
    if [ -x "$dir/trackdb" ]; then TRACKDB=$dir/trackdb; return 0; fi
  done
  echo "trackdb not found: put it on the PATH, or set TRACKDB (or CTLHOST) to the programs" >&2
  return 1
}
find_trackdb
