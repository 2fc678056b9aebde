#!/usr/bin/env bash
# Installs what is missing, builds, and opens the runtime on the demo CD folder.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh
cmake --preset default
cmake --build --preset default
exec build/default/demo-cd/orvanta
