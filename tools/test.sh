#!/usr/bin/env bash
# Builds Kelvra and runs every test. KELVRA_SANITIZE=ON builds a separate
# tree with AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install-deps.sh
build=build
options=(-DKELVRA_WERROR=ON)
if [ "${KELVRA_SANITIZE:-OFF}" = "ON" ]; then
  build=build-asan
  options+=(-DKELVRA_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug)
fi
cmake -S . -B "$build" -G Ninja "${options[@]}"
cmake --build "$build"
ctest --test-dir "$build" --output-on-failure -j "$(nproc)"
