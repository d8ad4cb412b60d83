#!/usr/bin/env bash
# Compile speed and compiled-file load speed on a generated script of
# MEGABYTES megabytes (default 20): structures, functions with loops and a
# switch, globals, arrays, string constants and comments. Prints MB/s of
# source text for `kelvra compile` (read, compile, write the .bin), for
# `kelvra build` of the source and for `kelvra build` of the .bin; each is the
# best of three runs, in wall time and in CPU time. KELVRA names the kelvra binary (default:
# build/cli/kelvra beside this folder).
set -euo pipefail

here="$(cd "$(dirname "$0")" && pwd)"
kelvra="${KELVRA:-$here/../build/cli/kelvra}"
megabytes="${1:-20}"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

awk -v limit=$((megabytes * 1024 * 1024)) 'BEGIN {
  for (k = 0; size < limit; k++) {
    block = sprintf("// block %d: a structure, a function with loops and a switch, globals\n" \
      "struct S%d { i32 a; double b; string c; };\n" \
      "function i32 f%d(i32 n, S%d @ s) {\n" \
      "  i32 i, total = 0;\n" \
      "  for (i = 0; i < n; i++) { if (i %% 3 == 0) total += i * 2; else total -= 1; }\n" \
      "  while (total > 100) total = total / 2;\n" \
      "  switch (n) { case 1: total++; break; default: total--; }\n" \
      "  s.a = total; s.b = 1.5e-3 * total; s.c = \"text \\t\" + n;\n" \
      "  return total + s.a;\n" \
      "}\n" \
      "S%d g%d;\n" \
      "i32 v%d = f%d(%d %% 10, g%d);\n" \
      "array<i32, 16> a%d;\n" \
      "a%d[3] = v%d << 2;\n", k, k, k, k, k, k, k, k, k, k, k, k, k)
    printf "%s", block
    size += length(block)
  }
}' >"$work/big.kelvra"
source_bytes=$(stat -c %s "$work/big.kelvra")

# Best of three runs of a command: wall seconds and CPU seconds (user and
# system), the CPU time being the steadier on a busy machine.
best() {
  local TIMEFORMAT="%R %U %S" wall="" cpu="" r u s
  for _ in 1 2 3; do
    read -r r u s < <({ time "$@" >/dev/null; } 2>&1)
    wall=$(awk -v t="$r" -v b="$wall" 'BEGIN { print (b == "" || t < b) ? t : b }')
    cpu=$(awk -v t="$(awk -v u="$u" -v s="$s" 'BEGIN { print u + s }')" -v b="$cpu" 'BEGIN { print (b == "" || t < b) ? t : b }')
  done
  echo "$wall $cpu"
}

read -r compile_wall compile_cpu < <(best "$kelvra" compile "$work/big.kelvra")
read -r build_wall build_cpu < <(best "$kelvra" build "$work/big.kelvra")
read -r load_wall load_cpu < <(best "$kelvra" build "$work/big.kelvra.bin")
binary_bytes=$(stat -c %s "$work/big.kelvra.bin")
awk -v s="$source_bytes" -v b="$binary_bytes" \
  -v cw="$compile_wall" -v cc="$compile_cpu" -v bw="$build_wall" -v bc="$build_cpu" \
  -v lw="$load_wall" -v lc="$load_cpu" 'BEGIN {
  mb = s / 1048576
  printf "source %.1f MB, compiled file %.1f MB; MB/s of source text\n", mb, b / 1048576
  printf "%-22s %8s %9s %8s %9s\n", "", "wall s", "MB/s", "CPU s", "MB/s"
  printf "%-22s %8.2f %9.1f %8.2f %9.1f\n", "kelvra compile", cw, mb / cw, cc, mb / cc
  printf "%-22s %8.2f %9.1f %8.2f %9.1f\n", "kelvra build (source)", bw, mb / bw, bc, mb / bc
  printf "%-22s %8.2f %9.1f %8.2f %9.1f\n", "kelvra build (.bin)", lw, mb / lw, lc, mb / lc
}'
