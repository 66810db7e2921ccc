#!/usr/bin/env bash
# Installs, builds and starts the program.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install.sh
bash scripts/build.sh -DDDT_TESTS=OFF
exec "${DDT_BUILD_DIR:-build}/ddt" "$@"
