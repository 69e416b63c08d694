#!/usr/bin/env bash
# tallywise-eval over a file of N ordinary expressions, beside bc and beside the
# engine alone on the same lines:
#   bench/cli-vs-bc.sh [N] [BUILD_DIR] [ROUNDS] [exact]   (default 1000000, build/native, 5)
# The build needs the benchmarks (-DTALLYWISE_BENCH=ON) for bench/engine_lines.
# With "exact", the tool and the engine work in exact arithmetic (--exact) and
# bc with its math library and 20 decimals (bc -l), the aim being at least 1.
#
# The expressions (seeded, so every run sees the same file) have 2 to 7 operands
# of 1 to 3 digits joined by + - * /; some hold a parenthesised sum, a per cent
# (a%b) or a small power (a^k), and about one in fifty is one the checker
# rejects. bc gets the accepted ones with scale=3, a%b written as (a*0.01*b).
#
# The commands take turns, round after round, so that a machine whose speed
# drifts slows them alike; each time printed is the median of its rounds, and
# each ratio the median of the ratios within a round. Prints the times, wall
# clock and processor time, and the ratios: bc against the tool (the aim is at
# least 8), and the tool against the engine alone (the aim is at most 1.5).
set -u
n=${1:-1000000}
build=${2:-build/native}
rounds=${3:-5}
mode=${4:-classic}
tool_options=""
engine_options=""
bc_command="bc -q"
bc_scale=3
aim=8
if [ "$mode" = exact ]; then
  tool_options="--exact"
  engine_options="3 exact"
  bc_command="bc -lq"
  bc_scale=20
  aim=1
fi
here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$here" || exit 1
tool=$build/cli/tallywise-eval
engine=$build/bench/engine_lines
for program in "$tool" "$engine"; do
  [ -x "$program" ] || { echo "missing $program: build $build with -DTALLYWISE_BENCH=ON" >&2; exit 1; }
done
command -v bc >/dev/null || { echo "bc is not installed" >&2; exit 1; }

dir=$(mktemp -d "${TMPDIR:-/tmp}/tallywise-bench.XXXXXX") || exit 1
trap 'rm -rf "$dir"' EXIT

# Writes the expressions to $dir/expressions and bc's version of the accepted
# ones to $dir/bc-input.
awk -v n="$n" -v tw="$dir/expressions" -v bcfile="$dir/bc-input" -v scale="$bc_scale" '
  function number() { return 1 + int(rand() * 999) }
  function op() { return substr("+-*/", 1 + int(rand() * 4), 1) }
  BEGIN {
    srand(20261207)
    print "scale=" scale > bcfile
    split("2* 2(3 1+a (1+2 7-*2 (4)5", rejected, " ")
    for (line = 0; line < n; ++line) {
      if (rand() < 0.02) { print rejected[1 + int(rand() * 6)] > tw; continue }
      operands = 2 + int(rand() * 6)
      text = ""; bc = ""
      for (k = 0; k < operands; ++k) {
        if (k > 0) { o = op(); text = text o; bc = bc o }
        r = rand()
        if (r < 0.08) {        # a parenthesised sum: never zero, so never a zero divisor
          a = number(); b = number()
          text = text "(" a "+" b ")"; bc = bc "(" a "+" b ")"
        } else if (r < 0.12) { # per cent of
          a = number(); b = number()
          text = text a "%" b; bc = bc "(" a "*0.01*" b ")"
        } else if (r < 0.16) { # a small whole power
          a = 1 + int(rand() * 20); e = 1 + int(rand() * 3)
          text = text a "^" e; bc = bc a "^" e
        } else {
          a = number(); text = text a; bc = bc a
        }
      }
      print text > tw
      print bc > bcfile
    }
  }'

# "wall processor" seconds of a command line, the processor time of all its
# processes together. On a shared machine the processor time is the steadier.
measure() {
  local TIMEFORMAT='%R %U %S'
  { time bash -c "$1" >/dev/null 2>&1; } 2>&1 | awk '{ printf "%.3f %.3f", $1, $2 + $3 }'
}

lines=$(wc -l <"$dir/expressions")
bc_lines=$(($(wc -l <"$dir/bc-input") - 1))

# One line per round: "engine pipe file piped bc", each as wall:processor.
commands=(
  "'$engine' '$dir/expressions' $engine_options"
  "'$tool' $tool_options <'$dir/expressions' | cat >/dev/null"
  "'$tool' $tool_options <'$dir/expressions' >'$dir/results'"
  "cat '$dir/expressions' | '$tool' $tool_options >'$dir/results'"
  "$bc_command <'$dir/bc-input'"
)
for ((round = 0; round < rounds; ++round)); do
  line=""
  for command in "${commands[@]}"; do
    line="$line $(measure "$command" | tr ' ' ':')"
  done
  echo "$line"
done >"$dir/rounds"

# The median of column $1 (1 = engine ... 5 = bc), field $2 (1 wall, 2 processor),
# or with $3 the median of the per-round ratio column $3 / column $1.
median() {
  awk -v a="$1" -v f="$2" -v b="${3:-0}" '{
      split($a, x, ":"); v = x[f]
      if (b > 0) { split($b, y, ":"); v = (x[f] > 0) ? y[f] / x[f] : 0 }
      print v
    }' "$dir/rounds" | sort -g | awk -v ratio="${3:-0}" '{ values[NR] = $1 }
    END {
      if (NR % 2) m = values[(NR + 1) / 2]; else m = (values[NR / 2] + values[NR / 2 + 1]) / 2
      printf(ratio > 0 ? "%.1f" : "%.3f", m)
    }'
}
row() { printf '%-44s %8s %10s\n' "$1" "$2" "$3"; }
echo "$lines expressions ($bc_lines of them for bc), $rounds rounds, medians, $mode arithmetic"
row "" "wall s" "processor s"
names=("engine alone (check + evaluate in process)" "tallywise-eval, file into a pipe" "tallywise-eval, file into a file"
       "tallywise-eval, pipe into a file" "$bc_command, scale=$bc_scale")
for column in 1 2 3 4 5; do
  row "${names[column - 1]}" "$(median "$column" 1)" "$(median "$column" 2)"
done
for field in 1 2; do
  kind=$([ "$field" -eq 1 ] && echo wall || echo cpu)
  echo "$kind: bc / tool: pipe $(median 2 "$field" 5)x, file $(median 3 "$field" 5)x," \
    "piped input $(median 4 "$field" 5)x (aim: at least $aim);" \
    "tool / engine: pipe $(median 1 "$field" 2)x, file $(median 1 "$field" 3)x (aim: at most 1.5)"
done
