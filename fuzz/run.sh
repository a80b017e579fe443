#!/usr/bin/env bash
# A bounded fuzzing run of the INI reader under libFuzzer with the address
# and undefined-behaviour sanitizers: builds the target with clang, runs it
# for a few seconds from the seed corpus, and fails on any finding.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
out=${1:-$root/build/fuzz}
seconds=${KV_FUZZ_SECONDS:-10}
mkdir -p "$out/corpus"
cp "$root"/fuzz/corpus/ini/* "$root"/data/Objects/Spacecraft/*.ini "$out/corpus/"
clang++ -std=c++20 -g -O1 -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined \
  -I "$root/src" "$root/fuzz/ini_fuzz.cpp" "$root/src/platform/Ini.cpp" "$root/src/platform/DataPath.cpp" \
  "$root/src/platform/DataFile.cpp" \
  -o "$out/ini_fuzz"
cd "$out"
./ini_fuzz -max_total_time="$seconds" -max_len=4096 -timeout=5 -print_final_stats=1 corpus 2>&1 | tail -n 12
