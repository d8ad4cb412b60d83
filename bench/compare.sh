#!/usr/bin/env bash
# Times the loop benchmark in Kelvra, Lua 5.4 and Python 3 and prints how
# many times slower Kelvra is than each. KELVRA names the kelvra binary
# (default: build/cli/kelvra beside this folder).
set -euo pipefail

here="$(cd "$(dirname "$0")" && pwd)"
kelvra="${KELVRA:-$here/../build/cli/kelvra}"

# Seconds of wall time for one run of a command, its output discarded.
seconds() {
  local TIMEFORMAT=%R
  { time "$@" >/dev/null; } 2>&1
}

k=$(seconds "$kelvra" run "$here/loop.kelvra")
l=$(seconds lua5.4 "$here/loop.lua")
p=$(seconds python3 "$here/loop.py")

awk -v k="$k" -v l="$l" -v p="$p" 'BEGIN {
  printf "kelvra  %6.2f s\n", k
  printf "lua5.4  %6.2f s   kelvra/lua    %5.1fx\n", l, k / l
  printf "python3 %6.2f s   kelvra/python %5.1fx\n", p, k / p
}'
