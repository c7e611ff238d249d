#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test; then runs the engine
# tests once more under AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh
export QT_QPA_PLATFORM=offscreen
(cd build && ctest --output-on-failure -j2 --timeout 300)

cmake -S . -B build-sanitize -DCMAKE_BUILD_TYPE=Debug -DTIRAVEL_SANITIZE=ON \
  -DTIRAVEL_WITH_QT=OFF -DTIRAVEL_BUILD_BENCHMARKS=OFF >/dev/null
cmake --build build-sanitize -j"$(nproc)"
(cd build-sanitize && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --output-on-failure -j2 --timeout 600)
