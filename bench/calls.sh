#!/usr/bin/env bash
# Times a call-heavy script under `kelvra run`: 3 million calls of a small
# function through straight-line code. Usage: bench/calls.sh [path/to/kelvra]
set -euo pipefail
kelvra="${1:-build/cli/kelvra}"
script="$(mktemp --suffix=.kelvra)"
trap 'rm -f "$script"' EXIT
{
  echo "i32 x = 0;"
  echo "function i32 next(i32 n) { return n + 1; }"
  echo "function i32 hundred() {"
  for _ in $(seq 100); do echo "  x = next(x);"; done
  echo "  return x;"
  echo "}"
  for _ in $(seq 30000); do echo "hundred();"; done
} >"$script"
time "$kelvra" run --globals "$script"
