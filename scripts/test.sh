#!/usr/bin/env bash
# Sets everything up (packages, Firebird, database user), builds and runs the whole test
# suite through CTest; then builds again with AddressSanitizer and UndefinedBehaviorSanitizer
# and runs the suite once more. TARVEN_SANITIZE=0 skips the second pass.
set -euo pipefail
. "$(dirname "$0")/common.sh"
prepare_firebird
remove_stale_test_databases

build_tree "$TARVEN_ROOT/build"
(cd "$TARVEN_ROOT/build" && ctest --output-on-failure -j2)

if [ "${TARVEN_SANITIZE:-1}" != 0 ]; then
  build_tree "$TARVEN_ROOT/build-sanitize" -DTARVEN_SANITIZE=ON
  # fbclient keeps process-wide caches until exit; leaks are not what this pass looks for.
  export ASAN_OPTIONS=detect_leaks=0:abort_on_error=1
  export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
  (cd "$TARVEN_ROOT/build-sanitize" && ctest --output-on-failure -j2 -LE nosanitize)
fi
