# Shared by the set-up, run and test scripts: package install, Firebird start, build.
# Everything here is idempotent: run it as often as you like.

TARVEN_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
FB_DATA_DIR=${FB_DATA_DIR:-/var/lib/firebird/3.0/data}
FB_HOST=${FB_HOST:-localhost}
TARVEN_DB_USER=${TARVEN_DB_USER:-TARVEN}
TARVEN_DB_PASSWORD=${TARVEN_DB_PASSWORD:-tarven3}
SYSDBA_PASSWORD_FILE=/etc/firebird/3.0/SYSDBA.password

# Debian packages the build, the program and the tests need.
TARVEN_PACKAGES=(
  build-essential cmake pkg-config
  qt6-base-dev qt6-base-dev-tools libgl-dev
  firebird3.0-server firebird3.0-utils firebird-dev
  xvfb x11vnc xdotool x11-apps imagemagick poppler-utils fonts-dejavu-core
)

log() { printf '[tarven] %s\n' "$*"; }

as_root() {
  if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

install_packages() {
  local missing=()
  for p in "${TARVEN_PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  if [ ${#missing[@]} -eq 0 ]; then
    log "packages: all present"
    return
  fi
  log "installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  as_root apt-get update -q
  # With recommends: Xvfb and the fonts the GUI tests draw with come in that way.
  as_root apt-get install -y -q "${missing[@]}"
}

sysdba_password() {
  # Debian's package leaves the generated SYSDBA password here.
  as_root sh -c ". $SYSDBA_PASSWORD_FILE && printf %s \"\$ISC_PASSWORD\""
}

firebird_listening() {
  (exec 3<>/dev/tcp/127.0.0.1/3050) 2>/dev/null
}

start_firebird() {
  if ! pidof fbguard >/dev/null 2>&1 && ! pidof firebird >/dev/null 2>&1; then
    log "starting the Firebird server"
    as_root /etc/init.d/firebird3.0 start >/dev/null || true
  fi
  for _ in $(seq 1 60); do
    firebird_listening && { log "Firebird listens on 3050"; return; }
    sleep 0.5
  done
  log "Firebird did not start"; return 1
}

# Runs an isql script as SYSDBA (no database named: the script attaches or creates).
isql_sysdba() {
  ISC_USER=SYSDBA ISC_PASSWORD="$(sysdba_password)" isql-fb -q -b "$@"
}

# The program's database user, allowed to create databases (the demo database and the
# tests' own databases are created by it, so it owns them and needs no grants).
create_db_user() {
  local admin_db="$FB_HOST:$FB_DATA_DIR/tarven-admin.fdb"
  if ! as_root test -f "$FB_DATA_DIR/tarven-admin.fdb"; then
    isql_sysdba <<SQL >/dev/null
create database '$admin_db';
commit;
SQL
  fi
  isql_sysdba <<SQL >/dev/null
connect '$admin_db';
create or alter user $TARVEN_DB_USER password '$TARVEN_DB_PASSWORD';
commit;
grant create database to user $TARVEN_DB_USER;
commit;
SQL
  log "database user $TARVEN_DB_USER ready"
}

build_tree() {
  local dir=$1; shift
  cmake -S "$TARVEN_ROOT" -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
  cmake --build "$dir" -j"$(nproc)"
}

# Creates a database owned by the program's user from the schema (and optional data
# scripts). Replaces an existing file only when asked to.
create_database() {
  local path=$1; shift
  local replace=${REPLACE:-0}
  if as_root test -f "$path"; then
    [ "$replace" = 1 ] || { log "database $path exists"; return; }
    as_root rm -f "$path"
  fi
  {
    echo "create database '$FB_HOST:$path' user '$TARVEN_DB_USER' password '$TARVEN_DB_PASSWORD' default character set WIN1252;"
    for f in "$@"; do cat "$f"; echo; done
    echo "commit;"
  } | isql-fb -q -b
  log "database $path created"
}

prepare_firebird() {
  install_packages
  start_firebird
  create_db_user
}

# Test databases left behind by a killed test run.
remove_stale_test_databases() {
  as_root find "$FB_DATA_DIR" -maxdepth 1 -name 'tarven-test-*.fdb' -mmin +60 -delete 2>/dev/null || true
}
