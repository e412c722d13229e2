#!/usr/bin/env bash
# Builds the libFuzzer targets (the fuzz preset, clang) and runs each for SECONDS (600 unless
# given), one after another, starting from its seed inputs in tests/fuzz/corpus/<target>.
# New inputs collect in build-fuzz/corpus/<target>, so the seeds in the tree stay as they are;
# an input that crashes, leaks, times out or runs out of memory is kept in build-fuzz/findings/.
# Prints the runs and findings of every target; exits 1 when any target has a finding.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-600}"
targets=(fuzz_settings fuzz_notes fuzz_help fuzz_bmp fuzz_ico fuzz_picture fuzz_compiled
         fuzz_rtfreader fuzz_topicstore)

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz --target "${targets[@]}"

export QT_QPA_PLATFORM=offscreen
# Targets that read files write each input first; in memory that costs no disk syncs.
if [ -w /dev/shm ]; then export TMPDIR=/dev/shm; fi
total=0
printf '%-16s %12s %9s\n' target runs findings
for t in "${targets[@]}"; do
  work="build-fuzz/corpus/$t" findings="build-fuzz/findings/$t"
  rm -rf "$findings"
  mkdir -p "$work" "$findings"
  dict=()
  [ "$t" = fuzz_rtfreader ] && dict=(-dict=tests/fuzz/rtf.dict)
  log="build-fuzz/findings/$t.log"
  build-fuzz/fuzz/"$t" -max_total_time="$seconds" -timeout=25 -rss_limit_mb=2048 -print_final_stats=1 \
    -artifact_prefix="$findings/" "${dict[@]}" "$work" "tests/fuzz/corpus/$t" >"$log" 2>&1 || true
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
  found=$(find "$findings" -maxdepth 1 -type f | wc -l)
  total=$((total + found))
  printf '%-16s %12s %9s\n' "$t" "${runs:-?}" "$found"
done
echo "findings in all: $total (inputs and logs in build-fuzz/findings/)"
[ "$total" -eq 0 ]
