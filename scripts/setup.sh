#!/usr/bin/env bash
# Installs what is missing, starts Firebird, creates the database user and builds.
set -euo pipefail
. "$(dirname "$0")/common.sh"
prepare_firebird
build_tree "$TARVEN_ROOT/build"
