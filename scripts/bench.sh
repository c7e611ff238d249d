#!/usr/bin/env bash
# Builds and runs the speed benchmarks (not part of the tests).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh
build/bench/engine_benchmarks --benchmark_repetitions=5 --benchmark_report_aggregates_only=true "$@"
