#!/usr/bin/env bash
# Configures and builds into ./build (or $DDT_BUILD_DIR); extra arguments go to cmake.
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD_DIR=${DDT_BUILD_DIR:-build}
# ccache keyed on paths relative to the checkout, so another clone (CI's, a
# second work tree) reuses what this one compiled.
export CCACHE_BASEDIR=${CCACHE_BASEDIR:-$(pwd)}
export CCACHE_NOHASHDIR=${CCACHE_NOHASHDIR:-1}
cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null || { echo "cmake configure failed" >&2; exit 1; }
cmake --build "$BUILD_DIR" --parallel "${DDT_JOBS:-$(nproc)}"
