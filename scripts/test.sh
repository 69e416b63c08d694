#!/usr/bin/env bash
# Builds and runs every test of Tallywise on Debian 12 (as root), installing what
# is missing first:
#   1. the engine and command-line tests, natively;
#   2. the same engine tests under AddressSanitizer and UBSan (clang), and a short
#      libFuzzer run over the checker and the evaluator;
#   3. the Windows build: the engine tests and the window tests under Wine on Xvfb;
#   4. the release: scripts/package.sh, its zip and installer under Wine, and a
#      check that one more build, from a clone elsewhere, gives the same bytes;
#   5. shellcheck over the scripts.
# Ends with one line "N passed, N failed" over all of them.
set -u
cd "$(dirname "${BASH_SOURCE[0]}")/.." || exit 1
root=$PWD
jobs=2
fuzz_seconds=${TALLYWISE_FUZZ_SECONDS:-45}

bash scripts/install-deps.sh || { echo "could not install the build dependencies"; echo "0 passed, 1 failed"; exit 1; }

passed=0
failed=0

# Runs ctest in a build tree and adds its counts.
run_ctest() {  # name, build dir, extra ctest arguments...
  local name=$1 dir=$2
  shift 2
  echo "=== $name"
  local log
  log=$(mktemp) || { echo "$name: mktemp failed"; failed=$((failed + 1)); return; }
  (cd "$dir" && ctest --output-on-failure "$@") 2>&1 | tee "$log"
  local line
  line=$(grep -E '[0-9]+% tests passed, [0-9]+ tests? failed out of [0-9]+' "$log" | tail -n 1)
  if [ -z "$line" ]; then
    echo "$name: ctest reported no summary"
    failed=$((failed + 1))
  else
    local bad total
    bad=$(sed -E 's/.* ([0-9]+) tests? failed out of ([0-9]+).*/\1/' <<<"$line")
    total=$(sed -E 's/.* failed out of ([0-9]+).*/\1/' <<<"$line")
    passed=$((passed + total - bad))
    failed=$((failed + bad))
  fi
  rm -f "$log"
}

build() {  # name, build dir, cmake arguments...
  local name=$1 dir=$2
  shift 2
  echo "=== building $name"
  if ! { cmake -S "$root" -B "$dir" "$@" >/dev/null && cmake --build "$dir" -j"$jobs"; }; then
    echo "$name: build failed"
    failed=$((failed + 1))
    return 1
  fi
}

if build native build/native -DCMAKE_BUILD_TYPE=Release -DTALLYWISE_BENCH=ON -DTALLYWISE_WERROR=ON; then
  run_ctest "native engine and command-line tests" build/native
fi

if CC=clang CXX=clang++ build "sanitized engine and fuzz target" build/sanitize \
     -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTALLYWISE_SANITIZE=ON -DTALLYWISE_FUZZ=ON -DTALLYWISE_WERROR=ON; then
  run_ctest "engine tests under AddressSanitizer and UBSan" build/sanitize
  echo "=== fuzzing checker and evaluator for ${fuzz_seconds} s"
  if ! corpus=$(mktemp -d) || ! fuzz_log=$(mktemp); then
    echo "fuzzing: mktemp failed"
    failed=$((failed + 1))
  else
    build/sanitize/fuzz/fuzz_check_evaluate -max_total_time="$fuzz_seconds" -timeout=2 \
      -max_len=1048576 -len_control=20 -rss_limit_mb=4096 -print_final_stats=1 \
      "$corpus" fuzz/corpus >"$fuzz_log" 2>&1
    fuzz_status=$?
    grep -E '^(#[0-9]+[[:space:]]+DONE|stat::number_of_executed_units)' "$fuzz_log"
    if [ "$fuzz_status" -eq 0 ]; then
      passed=$((passed + 1))
    else
      echo "fuzzing found a problem (status $fuzz_status):"
      tail -n 60 "$fuzz_log"
      failed=$((failed + 1))
    fi
    rm -rf "$corpus" "$fuzz_log"
  fi
fi

# A prefix of this run's own, in a temporary folder, so no test depends on what an
# earlier run left behind.
export TALLYWISE_WINEPREFIX
wine_dir=$(mktemp -d "${TMPDIR:-/tmp}/tallywise-test-wine.XXXXXX") || {
  echo "could not make a temporary folder for the Wine prefix"
  echo "$passed passed, $((failed + 1)) failed"
  exit 1
}
TALLYWISE_WINEPREFIX=$wine_dir/prefix
trap 'bash "$root/scripts/wine-stop.sh" >/dev/null 2>&1; rm -rf "$wine_dir"' EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

if build "Windows program and tests" build/win \
     -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake" -DTALLYWISE_WERROR=ON \
     -DCMAKE_CROSSCOMPILING_EMULATOR="$root/scripts/wine-run.sh"; then
  run_ctest "Windows tests under Wine" build/win --timeout 300
fi

# The release for Windows users: dist/ as scripts/package.sh writes it, the
# packages' checks under Wine, and the same bytes from a clone elsewhere.
run_checks() {  # name, command...: counts the "ok" and "FAIL" lines it prints
  local name=$1 log status good bad
  shift
  echo "=== $name"
  log=$(mktemp) || { echo "$name: mktemp failed"; failed=$((failed + 1)); return; }
  "$@" 2>&1 | tee "$log"
  status=${PIPESTATUS[0]}
  good=$(grep -c '^ok ' "$log")
  bad=$(grep -c '^FAIL ' "$log")
  [ "$status" -ne 0 ] && [ "$bad" -eq 0 ] && bad=1
  passed=$((passed + good))
  failed=$((failed + bad))
  rm -f "$log"
}

echo "=== packaging"
if bash scripts/package.sh; then
  passed=$((passed + 1))
  run_checks "packages under Wine" bash tests/package/package-test.sh
  run_checks "reproducible release" bash scripts/check-reproducible.sh
else
  echo "packaging failed"
  failed=$((failed + 1))
fi

# Every shell script of the project, as shellcheck sees it.
shell_scripts_clean() {
  local scripts
  mapfile -t scripts < <(find scripts tests .ci installer bench cli/completions -type f \( -name '*.sh' -o -name '*.bash' -o -path '.ci/*' \) | sort)
  [ ${#scripts[@]} -gt 0 ] || { echo "FAIL shellcheck: no scripts found"; return 1; }
  if shellcheck -x "${scripts[@]}"; then
    echo "ok shellcheck: ${#scripts[@]} scripts"
  else
    echo "FAIL shellcheck"
    return 1
  fi
}
run_checks "shellcheck" shell_scripts_clean

echo
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
