#!/usr/bin/env bash
# The core, zemtral-cli and their tests built with AddressSanitizer and UndefinedBehaviorSanitizer
# (no user interface, benchmarks or Python module), and the tests run; any finding fails them.
# Usage: scripts/sanitize.sh [build folder]
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${1:-build-asan}
jobs=${JOBS:-$(nproc 2>/dev/null || echo 2)}

launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S . -B "$build_dir" -DCMAKE_BUILD_TYPE=Release -DZEMTRAL_SANITIZE=ON -DZEMTRAL_WERROR="${ZEMTRAL_WERROR:-OFF}" \
  -DZEMTRAL_BUILD_GUI=OFF -DCMAKE_DISABLE_FIND_PACKAGE_Qt6=ON -DZEMTRAL_BUILD_BENCH=OFF -DZEMTRAL_BUILD_PYTHON=OFF \
  "${launcher[@]}" >/dev/null
# A finding ends the program that has it, in the build (man pages from the tool's help) as in the tests.
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
nice cmake --build "$build_dir" -j "$jobs"
cd "$build_dir"
LANG=de_DE.UTF-8 LC_ALL=de_DE.UTF-8 ctest --output-on-failure -j "$jobs" --timeout 900
