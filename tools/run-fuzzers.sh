#!/usr/bin/env bash
# Builds the fuzz targets with clang and libFuzzer in build-fuzz and runs each
# one for a bounded time.
#
#   bash tools/run-fuzzers.sh [SECONDS_PER_TARGET (600)] [TARGET...]
#
# Every target runs as its own single libFuzzer process for the full time,
# two targets at a time (one per core of a two-core machine); more targets
# wait for a free slot. libFuzzer's -jobs/-workers would instead split one
# target over several processes, each with a share of the time.
#
# The committed seeds (fuzz/corpus/<target>) are copied into
# build-fuzz/corpus/<target> and grow there, so the repository is not
# changed. Crashes land in build-fuzz/artifacts/<target>/ (emptied at each
# run), the fuzzer's output in build-fuzz/logs/<target>.log. A crash worth
# keeping goes, after the fix, into fuzz/regressions/<target>/, which the
# replay tests of every ordinary build run.
#
# Prints one line per target (executions, coverage, corpus, crashes) and
# exits non-zero when any target crashed or failed to run.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build-fuzz"
seconds=${1:-600}
[ $# -gt 0 ] && shift
all_targets=(text_to_number_fuzz text_to_int_fuzz text_to_date_time_fuzz
             number_to_text_fuzz ini_file_fuzz log_file_fuzz)
targets=("$@")
[ ${#targets[@]} -eq 0 ] && targets=("${all_targets[@]}")
for t in "${targets[@]}"; do
  [[ " ${all_targets[*]} " == *" $t "* ]] || { echo "unknown target: $t" >&2; exit 2; }
done
[[ "$seconds" =~ ^[0-9]+$ ]] || { echo "seconds must be a whole number: $seconds" >&2; exit 2; }

bash "$root/tools/install-packages.sh" clang-14 libclang-rt-14-dev

# The libraries get coverage too (fuzzer-no-link); the targets add the
# libFuzzer driver themselves.
flags="-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer"
mkdir -p "$build/logs"
cmake -S "$root" -B "$build" -G Ninja \
  -DCMAKE_C_COMPILER=clang-14 -DCMAKE_CXX_COMPILER=clang++-14 \
  -DCMAKE_C_FLAGS="$flags" -DCMAKE_CXX_FLAGS="$flags" \
  -DPAYLOG_BUILD_FUZZ=ON -DPAYLOG_BUILD_APP=OFF -DPAYLOG_BUILD_TESTS=OFF \
  -DPAYLOG_BUILD_BENCH=OFF >"$build/logs/configure.log" 2>&1 ||
  { cat "$build/logs/configure.log" >&2; exit 1; }
ninja -C "$build" -j2 "${targets[@]}"

# Every save syncs its file; in a memory file system that costs nothing.
scratch_parent=/dev/shm
[ -d "$scratch_parent" ] && [ -w "$scratch_parent" ] || scratch_parent="$build"
scratch=$(mktemp -d "$scratch_parent/paylog-fuzz.XXXXXX")
trap 'rm -rf "$scratch"' EXIT

run_target() {
  local t=$1
  local corpus="$build/corpus/$t" artifacts="$build/artifacts/$t"
  rm -rf "$corpus" "$artifacts"
  mkdir -p "$corpus" "$artifacts"
  cp -r "$root/fuzz/corpus/$t/." "$corpus/"
  local status=0
  mkdir -p "$scratch/$t"
  TMPDIR="$scratch/$t" "$build/fuzz/$t" "$corpus" \
    -max_total_time="$seconds" -print_final_stats=1 -timeout=30 -rss_limit_mb=2048 \
    -artifact_prefix="$artifacts/" >"$build/logs/$t.log" 2>&1 || status=$?
  echo "$status" >"$build/logs/$t.status"
}

echo "running ${#targets[@]} target(s) for $seconds s each, two at a time"
for t in "${targets[@]}"; do
  while [ "$(jobs -rp | wc -l)" -ge 2 ]; do wait -n || true; done
  run_target "$t" &
done
wait

failed=0
printf '%-24s %12s %8s %8s %10s %12s  %s\n' target executions exec/s cov ft corpus crashes
for t in "${targets[@]}"; do
  log="$build/logs/$t.log"
  final_stat() { sed -n "s/^stat::$1: *//p" "$log" | tail -1; }
  execs=$(final_stat number_of_executed_units)
  rate=$(final_stat average_exec_per_sec)
  last=$(grep -E '^#[0-9]+.*cov: ' "$log" | tail -1 || true)
  cov=$(sed -n 's/.* cov: \([0-9]*\).*/\1/p' <<<"$last")
  ft=$(sed -n 's/.* ft: \([0-9]*\).*/\1/p' <<<"$last")
  seeds=$(find "$root/fuzz/corpus/$t" -type f | wc -l)
  now=$(find "$build/corpus/$t" -type f | wc -l)
  found=$(find "$build/artifacts/$t" -type f \( -name 'crash-*' -o -name 'leak-*' \
          -o -name 'timeout-*' -o -name 'oom-*' \) | sort)
  status=$(cat "$build/logs/$t.status")
  crashes=none
  if [ -n "$found" ]; then
    crashes=$(tr '\n' ' ' <<<"$found")
    failed=1
  elif [ "$status" != 0 ]; then
    crashes="exit status $status, see $log"
    failed=1
  fi
  printf '%-24s %12s %8s %8s %10s %5s -> %-5s %s\n' "$t" "${execs:-?}" "${rate:-?}" \
    "${cov:-?}" "${ft:-?}" "$seeds" "$now" "$crashes"
done
exit $failed
