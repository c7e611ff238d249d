#!/usr/bin/env bash
# Installs what is missing, builds, and starts TIRAVEL 4. Until the windows
# exist this runs the headless analyser on the bundled sample voice.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh
exec build/tiravel4-analyze build/samples/voix-exemple.wav
