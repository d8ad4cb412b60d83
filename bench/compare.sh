#!/usr/bin/env bash
# Times each workload (an arithmetic loop and a recursive fib(27)) in Kelvra,
# Lua 5.4 and Python 3 and prints how many times slower Kelvra is than each.
# KELVRA names the kelvra binary (default: build/cli/kelvra beside this folder).
set -euo pipefail

here="$(cd "$(dirname "$0")" && pwd)"
kelvra="${KELVRA:-$here/../build/cli/kelvra}"

# Seconds of wall time for one run of a command, its output discarded.
seconds() {
  local TIMEFORMAT=%R
  { time "$@" >/dev/null; } 2>&1
}

for workload in loop fib; do
  k=$(seconds "$kelvra" run "$here/$workload.kelvra")
  l=$(seconds lua5.4 "$here/$workload.lua")
  p=$(seconds python3 "$here/$workload.py")
  awk -v w="$workload" -v k="$k" -v l="$l" -v p="$p" 'BEGIN {
    printf "%-5s kelvra %6.2f s | lua5.4 %6.2f s, kelvra/lua %5.1fx | python3 %6.2f s, kelvra/python %5.1fx\n",
           w, k, l, k / l, p, k / p
  }'
done
