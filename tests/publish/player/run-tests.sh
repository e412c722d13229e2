#!/usr/bin/env bash
# Runs the web player's tests with node's test runner. The npm packages (playwright-core, which
# drives Debian's chromium and never downloads a browser, and scorm-again) are installed once into
# WORK, outside the source tree, and again only when package-lock.json changes.
# Usage: run-tests.sh WORK [TEST FILE...]   (without files: the tests over hand-made data)
set -euo pipefail

here="$(cd "$(dirname "$0")" && pwd)"
work="${1:?usage: run-tests.sh WORK [TEST FILE...]}"
shift
tests=("$@")
[ ${#tests[@]} -gt 0 ] || tests=(logic.test.js scorm.test.js player.test.js)

for tool in node npm; do
  if ! command -v "$tool" >/dev/null; then
    echo "SKIP: $tool is not installed (scripts/install-deps.sh installs nodejs and npm)"
    exit 77
  fi
done

mkdir -p "$work"
if ! cmp -s "$here/package-lock.json" "$work/package-lock.json" || [ ! -d "$work/node_modules" ]; then
  cp "$here/package.json" "$here/package-lock.json" "$work/"
  (cd "$work" && npm ci --no-audit --no-fund --loglevel=error)
fi

export NODE_PATH="$work/node_modules"
cd "$here"
# Without chromium the browser tests skip and say so; the logic tests still run.
exec node --test "${tests[@]}"
