#!/usr/bin/env bash
# Builds one libFuzzer target with Clang, AddressSanitizer and
# UndefinedBehaviorSanitizer (build tree build-fuzz) and runs it for SECONDS.
#
#   tools/fuzz.sh TARGET SECONDS
#
# TARGET is "source" (the reader and compiler of `kelvra build`), "compiled"
# (the compiled-file reader) or "decompiler" (compile, write text, compile
# again). The seeds are the project's own scripts (tests/scripts, examples),
# compiled for the "compiled" target; what the fuzzer learns stays in
# build-fuzz/corpus/TARGET for the next run. A crash, hang (over 10 s, or
# KELVRA_FUZZ_TIMEOUT seconds on a busy machine) or out-of-memory input is
# written to build-fuzz/findings/TARGET.
set -euo pipefail
if [ $# -ne 2 ] || [[ ! "$1" =~ ^(source|compiled|decompiler)$ ]] || [[ ! "$2" =~ ^[0-9]+$ ]]; then
  echo "usage: tools/fuzz.sh source|compiled|decompiler SECONDS" >&2
  exit 64
fi
target=$1
seconds=$2
cd "$(dirname "$0")/.."
root=$(pwd)
bash tools/install-deps.sh --fuzz
build=build-fuzz
cmake -S . -B "$build" -G Ninja -DCMAKE_CXX_COMPILER=clang++-14 -DKELVRA_FUZZ=ON -DKELVRA_WERROR=ON \
  -DKELVRA_BENCHMARKS=OFF -DKELVRA_IDE=OFF -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" --parallel 2 --target "fuzz_$target" kelvra

seeds="$build/seeds/$target"
corpus="$build/corpus/$target"
findings="$build/findings/$target"
work="$build/work/$target"
rm -rf "$seeds" "$work"
mkdir -p "$seeds" "$corpus" "$findings" "$work"
scripts=$(find tests/scripts examples -name '*.kelvra' | sort)
for script in $scripts; do
  name=$(echo "$script" | tr '/' '_')
  if [ "$target" = compiled ]; then
    # Compiled beside a copy of the script's folder, so that includes resolve.
    copy="$work/$(dirname "$script")"
    mkdir -p "$copy"
    cp -r "$(dirname "$script")/." "$copy/"
    if "$build/cli/kelvra" compile "$copy/$(basename "$script")" >/dev/null 2>&1; then
      cp "$copy/$(basename "$script").bin" "$seeds/$name.bin"
    fi
  else
    cp "$script" "$seeds/$name"
  fi
done
rm -rf "$work"
mkdir -p "$work"

options=(-max_total_time="$seconds" -timeout="${KELVRA_FUZZ_TIMEOUT:-10}" -rss_limit_mb=2048 -print_final_stats=1
  -artifact_prefix="$root/$findings/")
[ "$target" != compiled ] && options+=(-dict="$root/fuzz/kelvra.dict")
# Run in an empty folder: a script's includes resolve against it. One job,
# at the lowest priority: the machine is shared.
cd "$work"
ASAN_OPTIONS=detect_leaks=1 nice -n 19 "$root/$build/fuzz/fuzz_$target" "${options[@]}" "$root/$corpus" "$root/$seeds"
