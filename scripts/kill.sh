#!/usr/bin/env bash
# The full kill test: 1000 SIGKILLs at random moments of saves, store rewrites, compiles and
# executable builds (CI runs 200 of them). Prints the kills and torn files.
# Usage: scripts/kill.sh [BUILD-FOLDER] (build unless given), KILLS=N to change the number.
set -euo pipefail
cd "$(dirname "$0")/.."
build="${1:-build}"
cmake --build "$build" --target tst_killsafety
QT_QPA_PLATFORM=offscreen QUORVEL_BIN_DIR="$PWD/$build/bin" QUORVEL_KILLS="${KILLS:-1000}" \
  "$build/tests-bin/tst_killsafety"
