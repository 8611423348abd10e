#!/usr/bin/env bash
# Sets up, builds and runs the game. Extra arguments go to the game (see README).
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTHRUMMOCK_TESTS=OFF -DTHRUMMOCK_BENCH=OFF
cmake --build build -j "$(nproc)" --target thrummock
exec ./build/thrummock "$@"
