#!/usr/bin/env bash
# tallywise-eval of this tree against the one of an earlier commit, on the same
# inputs, the two taking turns round after round:
#   bench/before-after.sh [BEFORE_COMMIT] [BUILD_DIR] [ROUNDS]
#     (default 2ebba8d, the engine with two paths; build/native; 5 rounds)
# The earlier commit is checked out with git worktree into a temporary folder and
# its tool built there (Release), so this needs the repository's history.
#
# Inputs: a 10-million-character line of decimals joined by + - * /, a
# 10-million-character sum of whole numbers, 10 million characters of nested
# parentheses, and a file of one million short expressions. Both tools must write
# the same bytes on both streams; the times are the medians of the rounds'
# processor seconds, and the ratio after/before is summed up as the geometric
# mean over the inputs (the aim is at most 0.5).
set -u
before=${1:-2ebba8d}
build=${2:-build/native}
rounds=${3:-5}
here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$here" || exit 1
after_tool=$build/cli/tallywise-eval
[ -x "$after_tool" ] || { echo "missing $after_tool: build $build first" >&2; exit 1; }

dir=$(mktemp -d "${TMPDIR:-/tmp}/tallywise-before-after.XXXXXX") || exit 1
cleanup() {
  git -C "$here" worktree remove --force "$dir/before" >/dev/null 2>&1
  rm -rf "$dir"
}
trap cleanup EXIT

echo "building $before"
git worktree add --detach "$dir/before" "$before" >/dev/null 2>&1 || { echo "cannot check out $before" >&2; exit 1; }
if ! { cmake -S "$dir/before" -B "$dir/before-build" -DCMAKE_BUILD_TYPE=Release -DTALLYWISE_BENCH=OFF >/dev/null &&
  cmake --build "$dir/before-build" -j2 --target tallywise-eval >/dev/null; }; then
  echo "build of $before failed" >&2
  exit 1
fi
before_tool=$dir/before-build/cli/tallywise-eval

awk -v length_=10000000 'BEGIN {
  split("+12.5 *1.5 -4.25 /1.25 +0.5 *0.8 -3 /2", pieces, " ")
  n = 1
  while (n < length_) { p = pieces[1 + (i++ % 8)]; printf "%s", p; n += length(p) }
  print ""
}' | sed 's/^/2/' >"$dir/mixed"
awk -v length_=10000000 'BEGIN {
  printf "1"; n = 1
  for (i = 2; n < length_; ++i) { p = "+" (i % 99991); printf "%s", p; n += length(p) }
  print ""
}' >"$dir/sum"
awk -v length_=10000000 'BEGIN {
  depth = int(length_ / 4)
  split("+2) *3) -4) /5)", steps, " ")
  for (i = 0; i < depth; ++i) printf "("
  printf "1"
  for (i = 0; i < depth; ++i) printf "%s", steps[1 + i % 4]
  print ""
}' >"$dir/nested"
awk 'BEGIN {
  srand(20261207)
  for (line = 0; line < 1000000; ++line) {
    text = 1 + int(rand() * 999)
    for (k = int(rand() * 5); k > 0; --k) text = text substr("+-*/", 1 + int(rand() * 4), 1) (1 + int(rand() * 999))
    if (rand() < 0.1) text = "(" text ")*2"
    print text
  }
}' >"$dir/lines"

processor_seconds() {  # command line
  local TIMEFORMAT='%U %S'
  { time bash -c "$1" >/dev/null 2>&1; } 2>&1 | awk '{ printf "%.3f", $1 + $2 }'
}
median() { sort -g | awk '{ v[NR] = $1 } END { printf "%.3f", (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

printf '%-10s %12s %12s %8s\n' input "before s" "after s" ratio
log_sum=0
for input in mixed sum nested lines; do
  "$before_tool" -f "$dir/$input" >"$dir/before.out" 2>"$dir/before.err"
  "$after_tool" -f "$dir/$input" >"$dir/after.out" 2>"$dir/after.err"
  if ! cmp -s "$dir/before.out" "$dir/after.out" || ! cmp -s "$dir/before.err" "$dir/after.err"; then
    echo "$input: the outputs differ" >&2
    exit 1
  fi
  : >"$dir/times"
  for ((round = 0; round < rounds; ++round)); do
    b=$(processor_seconds "'$before_tool' -f '$dir/$input' >/dev/null 2>&1")
    a=$(processor_seconds "'$after_tool' -f '$dir/$input' >/dev/null 2>&1")
    echo "$b $a" >>"$dir/times"
  done
  b=$(awk '{ print $1 }' "$dir/times" | median)
  a=$(awk '{ print $2 }' "$dir/times" | median)
  ratio=$(awk '$1 > 0 { print $2 / $1 }' "$dir/times" | median)
  printf '%-10s %12s %12s %8s\n' "$input" "$b" "$a" "$ratio"
  log_sum=$(awk -v s="$log_sum" -v r="$ratio" 'BEGIN { printf "%.6f", s + log(r) }')
done
echo "identical output on every input; geometric mean after/before: $(awk -v s="$log_sum" 'BEGIN { printf "%.3f", exp(s / 4) }') (aim: at most 0.5)"
