#!/usr/bin/env bash
# Sets up, builds (AddressSanitizer + UndefinedBehaviorSanitizer) and runs every test headless.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh
build=${THRUMMOCK_TEST_BUILD:-build-asan}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTHRUMMOCK_SANITIZE=ON -DTHRUMMOCK_WERROR=ON
cmake --build "$build" -j "$(nproc)"

export SDL_VIDEODRIVER=offscreen SDL_AUDIODRIVER=dummy THRUMMOCK_NO_MESSAGEBOX=1
# The project's sanitizer settings come first; options already in the environment are added after
# them (and win where they name the same option).
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0:intercept_tls_get_addr=0${ASAN_OPTIONS:+:$ASAN_OPTIONS}"
export LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp:print_suppressions=0${LSAN_OPTIONS:+:$LSAN_OPTIONS}"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1${UBSAN_OPTIONS:+:$UBSAN_OPTIONS}"
ctest --test-dir "$build" --output-on-failure -j "$(nproc)"
