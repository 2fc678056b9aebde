#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test, under
# AddressSanitizer and UndefinedBehaviorSanitizer. The benchmarks and the demo
# are built in the plain build, so they keep compiling.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh
cmake --preset asan
cmake --build --preset asan
ctest --preset asan
cmake --preset default
cmake --build --preset default
# The threads of the MP3 plug-in and of the data editor's disk search under
# ThreadSanitizer (built in the plain build).
ctest --preset default -R 'MpegDllThreads|DialogThreadsTest'
