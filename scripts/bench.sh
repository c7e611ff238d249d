#!/usr/bin/env bash
# Builds and runs the speed benchmarks (not part of the tests): the analysis
# engine, then the drawing of the real-time spectrum screen.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh
options=(--benchmark_repetitions=5 --benchmark_report_aggregates_only=true "$@")
build/bench/engine_benchmarks "${options[@]}"
QT_QPA_PLATFORM=offscreen build/bench/spectrum_benchmarks "${options[@]}"
