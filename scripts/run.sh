#!/usr/bin/env bash
# Sets everything up and starts the program on the demo database:
# packages, Firebird, the database user, the build, the demo database (created once;
# REPLACE=1 makes it anew), the connection file and the installation identity beside the
# executable. Without a display the program runs on Qt's VNC platform on localhost.
set -euo pipefail
. "$(dirname "$0")/common.sh"
prepare_firebird
build_tree "$TARVEN_ROOT/build"

DEMO_DB="$FB_DATA_DIR/tarven-demo.fdb"
create_database "$DEMO_DB" "$TARVEN_ROOT/db/schema.sql" "$TARVEN_ROOT/db/demo-data.sql"

BIN="$TARVEN_ROOT/build/bin"
"$BIN/tarven-connfile" --host "$FB_HOST" --database "$DEMO_DB" \
  --user "$TARVEN_DB_USER" --password "$TARVEN_DB_PASSWORD" \
  --institution "Apotek Sehat Sentosa" --address "Jl. Merdeka No. 17, Bandung" \
  --output-dir "$BIN"
log "connection file: $BIN/dodide.xmlx"
log "sign in as admin / admin (all menus), gudang / gudang or kasir / kasir"

if [ -n "${DISPLAY:-}" ]; then
  exec "$BIN/tarven"
fi
VNC_PORT=${VNC_PORT:-5900}
log "no display: the program runs on Qt's VNC platform; connect a VNC viewer to localhost:$VNC_PORT"
log "(for example: vncviewer localhost:$VNC_PORT, or ssh -L $VNC_PORT:localhost:$VNC_PORT from your machine)"
QT_QPA_PLATFORM="vnc:size=1280x800:addr=127.0.0.1:port=$VNC_PORT" exec "$BIN/tarven"
