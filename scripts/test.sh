#!/usr/bin/env bash
# Installs, builds and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install.sh
bash scripts/build.sh -DDDT_WERROR=ON -DDDT_TESTS=ON
BUILD_DIR=${DDT_BUILD_DIR:-build}
cd "$BUILD_DIR"
ctest --output-on-failure --parallel "$(nproc)" --timeout 600
