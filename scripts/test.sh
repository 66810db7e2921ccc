#!/usr/bin/env bash
# Installs, builds and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install.sh
bash scripts/build.sh -DDDT_WERROR=ON -DDDT_TESTS=ON
# A private PostgreSQL server for the server-engine tests, stopped on the
# way out whatever ctest answers (its exit code is kept).
ROOT=$(pwd)
bash scripts/pg.sh start
trap 'rc=$?; bash "$ROOT/scripts/pg.sh" stop || true; exit $rc' EXIT
eval "$(bash scripts/pg.sh env)"
BUILD_DIR=${DDT_BUILD_DIR:-build}
cd "$BUILD_DIR"
ctest --output-on-failure --parallel "$(nproc)" --timeout 600
