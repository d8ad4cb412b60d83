#!/usr/bin/env bash
# Builds Kelvra and runs the main job: compiling the hello example.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install-deps.sh
cmake -S . -B build -G Ninja
cmake --build build
./build/cli/kelvra build examples/hello.kelvra
