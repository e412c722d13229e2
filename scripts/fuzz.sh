#!/usr/bin/env bash
# Builds the libFuzzer targets (the fuzz preset, clang) and runs each for SECONDS (600 unless
# given), JOBS at a time (1 unless given), starting from its seed inputs in tests/fuzz/corpus/<target>.
# New inputs collect in build-fuzz/corpus/<target>, so the seeds in the tree stay as they are;
# an input that crashes, leaks, times out or runs out of memory is kept in build-fuzz/findings/.
# Prints the runs and findings of every target; exits 1 when any target has a finding.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-600}"
jobs="${2:-1}"
targets=(fuzz_settings fuzz_notes fuzz_help fuzz_bmp fuzz_ico fuzz_wmf fuzz_picture fuzz_compiled
         fuzz_rtfreader fuzz_topicstore fuzz_publish)

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz --target "${targets[@]}"

export QT_QPA_PLATFORM=offscreen
export LSAN_OPTIONS="suppressions=$PWD/tests/fuzz/lsan.supp"
# Targets that read files write each input first; in memory that costs no disk syncs.
if [ -w /dev/shm ]; then export TMPDIR=/dev/shm; fi
fuzz_one() {
  local t="$1" work="build-fuzz/corpus/$1" findings="build-fuzz/findings/$1"
  rm -rf "$findings"
  mkdir -p "$work" "$findings"
  local dict=()
  case "$t" in fuzz_rtfreader | fuzz_publish) dict=(-dict=tests/fuzz/rtf.dict) ;; esac
  build-fuzz/fuzz/"$t" -max_total_time="$seconds" -timeout=25 -rss_limit_mb=2048 -print_final_stats=1 \
    -artifact_prefix="$findings/" "${dict[@]}" "$work" "tests/fuzz/corpus/$t" >"build-fuzz/findings/$t.log" 2>&1 || true
}

for t in "${targets[@]}"; do
  while [ "$(jobs -rp | wc -l)" -ge "$jobs" ]; do wait -n || true; done
  fuzz_one "$t" &
done
wait

total=0
printf '%-16s %12s %9s\n' target runs findings
for t in "${targets[@]}"; do
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "build-fuzz/findings/$t.log" | tail -1)
  found=$(find "build-fuzz/findings/$t" -maxdepth 1 -type f | wc -l)
  total=$((total + found))
  printf '%-16s %12s %9s\n' "$t" "${runs:-?}" "$found"
done
echo "findings in all: $total (inputs and logs in build-fuzz/findings/)"
[ "$total" -eq 0 ]
