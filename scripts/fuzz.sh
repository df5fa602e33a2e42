#!/usr/bin/env bash
# Builds the native fuzz targets (fuzz/, host clang with libFuzzer and the
# address and undefined-behaviour sanitizers), makes their seeds with the
# setup-data builder's writer, and runs every target at once for the given
# number of seconds (default 20). Each input may use 2 GiB, as a 32-bit process
# could, and 10 s: an allocation bomb or a hang is a finding like a crash.
# Exits non-zero on any finding; the reproducer stays in build-fuzz/findings/.
set -uo pipefail
seconds="${1:-20}"
repo=$(cd "$(dirname "$0")/.." && pwd)
out="$repo/build-fuzz"

cmake -S "$repo/fuzz" -B "$out" -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null || exit 1
cmake --build "$out" -j "$(nproc)" >/dev/null || { cmake --build "$out" 2>&1 | tail -30; exit 1; }

rm -rf "$out/seeds" "$out/findings"
mkdir -p "$out/findings"
"$out/seed_builder" "$out/seeds" || exit 1
# The program image the setup data is appended to, from the Windows builds.
for stub in "$repo/build/bin/setupdata_stub.exe" "$repo/build-win32/bin/setupdata_stub.exe"; do
  [ -f "$stub" ] && cp "$stub" "$out/seeds/peimage/$(basename "$(dirname "$(dirname "$stub")")").exe"
done

targets=(blocks open macros logfields peimage uiblock)
pids=()
for t in "${targets[@]}"; do
  mkdir -p "$out/corpus/$t"
  # Each target keeps what it learnt in build-fuzz/corpus/ for the next run.
  ( cd "$out/findings" && "$out/fuzz_$t" -max_total_time="$seconds" -rss_limit_mb=2048 -malloc_limit_mb=2048 \
      -timeout=10 -max_len=65536 -print_final_stats=1 -artifact_prefix="$out/findings/$t-" \
      "$out/corpus/$t" "$out/seeds/$t" >"$out/$t.log" 2>&1 ) &
  pids+=($!)
done

failed=()
for i in "${!targets[@]}"; do
  t=${targets[$i]}
  if wait "${pids[$i]}"; then
    runs=$(grep -o 'stat::number_of_executed_units: [0-9]*' "$out/$t.log" | grep -o '[0-9]*$')
    cov=$(grep -E 'DONE' "$out/$t.log" | grep -o 'cov: [0-9]*' | tail -1)
    echo "fuzz: $t: ${runs:-?} executions in ${seconds} s, ${cov#cov: } edges covered, no finding"
  else
    echo "fuzz: $t: FINDING; its log:"
    grep -v '^#' "$out/$t.log" | tail -60
    failed+=("$t")
  fi
done
if [ ${#failed[@]} -gt 0 ]; then
  echo "fuzz: findings in: ${failed[*]} (reproducers in $out/findings/)" >&2
  exit 1
fi
