#!/usr/bin/env bash
# Times a loop calling the C library's abs through a library declaration and
# the same loop calling a script function of the same shape, and prints how
# many times an iteration with the native call costs one with the script
# call. CPU time, the best of three runs each, so that other load on the
# machine counts little. KELVRA names the kelvra binary (default:
# build/cli/kelvra beside this folder).
set -euo pipefail

here="$(cd "$(dirname "$0")" && pwd)"
kelvra="${KELVRA:-$here/../build/cli/kelvra}"

# The least user CPU seconds of three runs of a script.
cpu_seconds() {
  local TIMEFORMAT=%U best=
  for _ in 1 2 3; do
    local t
    t=$({ time "$kelvra" run "$1" >/dev/null; } 2>&1)
    if [ -z "$best" ] || awk -v a="$t" -v b="$best" 'BEGIN { exit !(a < b) }'; then best=$t; fi
  done
  echo "$best"
}

native=$(cpu_seconds "$here/abs_native.kelvra")
script=$(cpu_seconds "$here/abs_script.kelvra")
awk -v n="$native" -v s="$script" 'BEGIN {
  printf "abs: native call %5.2f s | script call %5.2f s | native/script %4.2fx (at most 3x)\n", n, s, n / s
}'
