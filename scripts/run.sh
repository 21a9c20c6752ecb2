#!/usr/bin/env bash
# Sets everything up and starts the program on the demo database:
# packages, Firebird, the database user, the build, the demo database (created once;
# REPLACE=1 makes it anew), the connection file and the installation identity beside the
# executable. Without a display it runs on a virtual display shown by VNC on localhost.
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
# No display: a virtual X display, shown through a VNC server that listens on localhost
# only (Qt's own VNC platform cannot be bound to one address; it would listen on every
# interface of the machine).
VNC_PORT=${VNC_PORT:-5900}
DISPLAY_NUMBER=${DISPLAY_NUMBER:-77}
Xvfb ":$DISPLAY_NUMBER" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
XVFB_PID=$!
trap 'kill $XVFB_PID $VNC_PID 2>/dev/null || true' EXIT
sleep 1
x11vnc -display ":$DISPLAY_NUMBER" -localhost -rfbport "$VNC_PORT" -nopw -forever -quiet >/dev/null 2>&1 &
VNC_PID=$!
log "no display: connect a VNC viewer to localhost:$VNC_PORT to see the program"
log "(for example vncviewer localhost:$VNC_PORT, or ssh -L $VNC_PORT:localhost:$VNC_PORT first)"
DISPLAY=":$DISPLAY_NUMBER" "$BIN/tarven"
