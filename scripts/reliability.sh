#!/usr/bin/env bash
# The core and its tests under AddressSanitizer and UndefinedBehaviorSanitizer,
# then a bounded run of each fuzz target. Called by scripts/test.sh; assumes
# scripts/install-deps.sh has run. ZAV_FUZZ_SECONDS sets the time per target
# (60 by default).
set -euo pipefail
cd "$(dirname "$0")/.."

jobs="$(nproc)"
export ASAN_OPTIONS="halt_on_error=1:detect_leaks=1:abort_on_error=1"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"

echo "== Núcleo e testes com AddressSanitizer e UndefinedBehaviorSanitizer"
cmake -S . -B build-sanitize -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZAV_SANITIZE=ON \
  -DZAV_BUILD_GUI=OFF -DZAV_BUILD_BENCHMARKS=OFF >/dev/null
cmake --build build-sanitize --parallel "$jobs"
ctest --test-dir build-sanitize --output-on-failure --parallel "$jobs"

echo "== Fuzzing (libFuzzer)"
CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZAV_FUZZ=ON \
  -DZAV_BUILD_GUI=OFF -DZAV_BUILD_TESTS=OFF -DZAV_BUILD_BENCHMARKS=OFF >/dev/null
cmake --build build-fuzz --parallel "$jobs"

seconds="${ZAV_FUZZ_SECONDS:-60}"
passed=0
failed=0
for target in relatorio similaridade planilha diversidade comparacao pasta; do
  # Work on a copy: what the fuzzer adds does not enter the committed corpus.
  work="$(mktemp -d)"
  # The diversity and comparison targets start from the survey and the
  # treatment seeds.
  seeds="$target"
  case "$target" in
    diversidade) seeds=relatorio ;;
    comparacao) seeds=similaridade ;;
  esac
  cp fuzz/corpus/"$seeds"/* "$work"/
  mkdir -p build-fuzz/artifacts
  # A workbook is a ZIP of XML parts: longer inputs.
  max_len=8192
  [ "$target" = pasta ] && max_len=65536
  if build-fuzz/fuzz/fuzz_"$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
      -max_len="$max_len" -print_final_stats=1 -artifact_prefix=build-fuzz/artifacts/ "$work" \
      2>build-fuzz/fuzz_"$target".log; then
    passed=$((passed + 1))
    grep -a -E "^stat::number_of_executed_units" build-fuzz/fuzz_"$target".log | sed "s/^/fuzz_$target: /"
  else
    failed=$((failed + 1))
    tail -n 40 build-fuzz/fuzz_"$target".log
  fi
  rm -rf "$work"
done
echo "fuzz: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
