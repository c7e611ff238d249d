#!/usr/bin/env bash
# Installs what is missing, builds, and starts TIRAVEL 4 on a working copy of
# the bundled data folder in build/run/div_tiravel, so that the program never
# writes into the source tree. Files already in the working copy (patient
# records, recordings, settings) are kept as they are.
# Extra arguments go to the program (for example --expert, or sp to open the
# real-time spectrum screen at once).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh
run=build/run
mkdir -p "$run"
cp -rn div_tiravel "$run"/
cp -f build/guide/tiravel4_sp.pdf "$run/div_tiravel/html_sp/"
cd "$run"
exec ../tiravel4 "$@"
