#!/usr/bin/env bash
# The core and its tests under AddressSanitizer and UndefinedBehaviorSanitizer,
# then a bounded run of each fuzz target. Called by scripts/test.sh; assumes
# scripts/install-deps.sh has run. ZAV_FUZZ_SECONDS sets the time per target
# (90 by default); the targets run as many at once as there are processors.
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

seconds="${ZAV_FUZZ_SECONDS:-90}"
mkdir -p build-fuzz/artifacts
# One target: its log and its result in build-fuzz/fuzz_TARGET.{log,ok}.
fuzz_target() {
  local target="$1" seeds="$1" max_len=8192 work
  # Work on a copy: what the fuzzer adds does not enter the committed corpus.
  work="$(mktemp -d)"
  # The diversity and comparison targets start from the survey and the
  # treatment seeds.
  case "$target" in
    diversidade) seeds=relatorio ;;
    comparacao) seeds=similaridade ;;
  esac
  cp fuzz/corpus/"$seeds"/* "$work"/
  # A workbook is a ZIP of XML parts: longer inputs.
  [ "$target" = pasta ] && max_len=65536
  rm -f build-fuzz/fuzz_"$target".ok
  if build-fuzz/fuzz/fuzz_"$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
      -max_len="$max_len" -print_final_stats=1 -artifact_prefix=build-fuzz/artifacts/ "$work" \
      2>build-fuzz/fuzz_"$target".log; then
    touch build-fuzz/fuzz_"$target".ok
  fi
  rm -rf "$work"
}

# As many targets at once as there are processors: more executions in the
# same time.
targets=(relatorio similaridade planilha diversidade comparacao pasta coletas)
for ((i = 0; i < ${#targets[@]}; i += jobs)); do
  for target in "${targets[@]:i:jobs}"; do
    fuzz_target "$target" &
  done
  wait
done
passed=0
failed=0
for target in "${targets[@]}"; do
  if [ -e build-fuzz/fuzz_"$target".ok ]; then
    passed=$((passed + 1))
    grep -a -E "^stat::number_of_executed_units" build-fuzz/fuzz_"$target".log | sed "s/^/fuzz_$target: /"
  else
    failed=$((failed + 1))
    tail -n 40 build-fuzz/fuzz_"$target".log
  fi
done
echo "fuzz: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
