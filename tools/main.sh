#!/usr/bin/env bash
# Builds Kelvra and runs the main job: the hello example, with its globals listed.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install-deps.sh
cmake -S . -B build -G Ninja
cmake --build build
./build/cli/kelvra run --globals examples/hello.kelvra
