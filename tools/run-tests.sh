#!/usr/bin/env bash
# Builds paylog with its tests and benchmarks and runs every test; then builds
# the program and its tests again under AddressSanitizer and
# UndefinedBehaviorSanitizer and runs them there, where any finding fails.
set -euo pipefail
cd "$(dirname "$0")/.."
export QT_QPA_PLATFORM=offscreen

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build
ctest --test-dir build --output-on-failure -j2

# -O1 keeps the sanitized build quick to compile and its reports readable.
# The packaging checks are left to the first tree: they test what is shipped.
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-O1 -g" \
      -DCMAKE_C_FLAGS_DEBUG="-O1 -g" -DPAYLOG_SANITIZE=ON -DPAYLOG_BUILD_BENCH=OFF
cmake --build build-asan
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:strict_string_checks=1:detect_stack_use_after_return=1 \
UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  ctest --test-dir build-asan --output-on-failure -j2 -E '^packaging\.'
