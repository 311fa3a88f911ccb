#!/usr/bin/env bash
# Runs every kind of test and reports each: unit tests of the i686 build under Wine, the pure
# modules on the host under ASan/UBSan, a bounded fuzzing run, and the end-to-end scenarios.
#   FUZZ_SECONDS   length of the fuzzing run (default 60)
set -uo pipefail
ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$ROOT"

failed=()
step() {
  local name=$1; shift
  echo "=== $name"
  local start=$SECONDS
  if "$@"; then
    echo "=== $name: passed ($((SECONDS - start)) s)"
  else
    echo "=== $name: FAILED ($((SECONDS - start)) s)"
    failed+=("$name")
  fi
}

unit_tests() { (cd build/win32 && ctest -j2 --output-on-failure --timeout 120); }
host_tests() { build/host/host_tests --gtest_brief=1; }
fuzz() {
  local corpus=build/host/fuzz-corpus
  mkdir -p "$corpus"
  build/host/config_fuzz -max_total_time="${FUZZ_SECONDS:-60}" -timeout=10 -rss_limit_mb=2048 \
    -dict=tests/fuzz/config.dict -artifact_prefix=build/host/fuzz- -print_final_stats=0 \
    "$corpus" tests/fuzz/corpus >build/host/fuzz.log 2>&1 || { tail -40 build/host/fuzz.log; return 1; }
  grep -E '^#[0-9]+ +DONE' build/host/fuzz.log || tail -2 build/host/fuzz.log
}
scenarios() { /usr/bin/python3 -m pytest -q e2e; }

step "unit tests (i686, Wine)" unit_tests
step "host tests (ASan, UBSan)" host_tests
step "fuzzing the configuration reader" fuzz
step "end-to-end scenarios (Wine)" scenarios

if [ ${#failed[@]} -ne 0 ]; then
  printf 'FAILED: %s\n' "${failed[@]}"
  exit 1
fi
echo "all tests passed"
