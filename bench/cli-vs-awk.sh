#!/usr/bin/env bash
# Times tally against awk (mawk, gawk) and Miller on a large generated time sheet: the
# total per who code, and a filter written out as a time sheet. Run by hand:
#
#   bench/cli-vs-awk.sh [ENTRIES] [TALLY]
#
# ENTRIES defaults to 1000000; TALLY to build/cli/tally. The time sheet is generated once
# (shared/tools/gen-timesheet) and kept in $TMPDIR. Each command runs RUNS times (default
# 3) and the best wall time counts, which keeps the figures steady on a busy machine.
# Before timing, the per-who totals of every tool are checked against tally's.
set -euo pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
root="$(dirname "$here")"
entries="${1:-1000000}"
tally="${2:-$root/build/cli/tally}"
runs="${RUNS:-3}"
generator="$root/../shared/tools/gen-timesheet"
[ -x "$generator" ] || generator="/work/shared/tools/gen-timesheet"
sheet="${TMPDIR:-/tmp}/tally-bench-$entries.txt"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
export LC_ALL=C TZ=UTC

[ -x "$tally" ] || { echo "no tally program at $tally (build the 'tally' target first)" >&2; exit 1; }
if [ ! -s "$sheet" ]; then
  echo "generating $entries entries into $sheet"
  python3 "$generator" "$entries" -o "$sheet"
fi

# The awk program: parses h:mm:ss, h:mm and decimal hours as tally does and sums the
# seconds per who code without regard to case.
read -r -d '' AWK_SUM <<'AWK' || true
function seconds(d,   p, n, f) {
  if (index(d, ".") && !index(d, ":")) {
    split(d, p, ".")
    f = p[2]
    return p[1] * 3600 + int(f * 3600 / 10 ^ length(f))
  }
  n = split(d, p, ":")
  return p[1] * 3600 + p[2] * 60 + p[3]
}
{ w = toupper($3); s[w] += seconds($2); c[w]++ }
END { for (w in s) printf "%s\t%d\t%d\n", w, s[w], c[w] }
AWK

read -r -d '' MLR_SUM <<'MLR' || true
var d = string($2);
var secs = 0;
if (d =~ "^([0-9]*)\.([0-9]+)$") {
  var f = "\2";
  var h = "\1" == "" ? 0 : int("\1");
  secs = h * 3600 + int(int(f) * 3600 / (10 ** strlen(f)));
} else {
  var p = splitax(d, ":");
  secs = int(p[1]) * 3600;
  if (length(p) >= 2) { secs += int(p[2]) * 60 }
  if (length(p) >= 3) { secs += int(p[3]) }
}
var w = toupper(string($3));
@s[w] += secs;
@c[w] += 1;
end { for (k, v in @s) { print k . "\t" . v . "\t" . @c[k] } }
MLR

FILTER="who = 'W*' AND duration > '2:00'"
read -r -d '' AWK_FILTER <<'AWK' || true
function seconds(d,   p, n, f) {
  if (index(d, ".") && !index(d, ":")) {
    split(d, p, ".")
    f = p[2]
    return p[1] * 3600 + int(f * 3600 / 10 ^ length(f))
  }
  n = split(d, p, ":")
  return p[1] * 3600 + p[2] * 60 + p[3]
}
toupper(substr($3, 1, 1)) == "W" && seconds($2) > 7200
AWK

MLR_ARGS=(mlr --itsv --implicit-tsv-header --allow-ragged-csv-input --otsv put -q "$MLR_SUM" "$sheet")

# Best wall time and best processor time (user + system) of a command line, in seconds,
# its output going to a file. Processor time tells more than wall time on a busy machine.
best() {
  local out="$1"; shift
  local wall="" cpu="" start end t c
  for _ in $(seq "$runs"); do
    if [ -n "$timer" ]; then
      start=$(date +%s%N)
      "$timer" -f '%U %S' -o "$work/time" "$@" > "$out"
      end=$(date +%s%N)
      c=$(awk '{ printf "%d", ($1 + $2) * 1000 }' "$work/time")
    else
      start=$(date +%s%N)
      "$@" > "$out"
      end=$(date +%s%N)
      c=0
    fi
    t=$(( (end - start) / 1000000 ))
    if [ -z "$wall" ] || [ "$t" -lt "$wall" ]; then wall=$t; fi
    if [ -z "$cpu" ] || [ "$c" -lt "$cpu" ]; then cpu=$c; fi
  done
  local cpuText="-"
  [ -n "$timer" ] && cpuText=$(printf '%d.%03d' $((cpu / 1000)) $((cpu % 1000)))
  printf '%8s %8s' "$(printf '%d.%03d' $((wall / 1000)) $((wall % 1000)))" "$cpuText"
}
timer=""
[ -x /usr/bin/time ] && timer=/usr/bin/time

# tally's group rows with the heading in upper case, sorted: who, seconds, entries.
"$tally" show --group who --summary --format tsv "$sheet" |
  awk -F'\t' '{ printf "%s\t%s\t%s\n", toupper($2), $3, $4 }' | sort > "$work/tally.sum"

tools=(mawk gawk)
declare -A available
for tool in "${tools[@]}" mlr; do command -v "$tool" > /dev/null && available[$tool]=1; done
for tool in "${tools[@]}"; do
  [ -n "${available[$tool]:-}" ] || continue
  "$tool" -F'\t' "$AWK_SUM" "$sheet" | sort > "$work/$tool.sum"
  cmp -s "$work/tally.sum" "$work/$tool.sum" || { echo "$tool's totals differ from tally's" >&2; diff "$work/tally.sum" "$work/$tool.sum" | head >&2; exit 1; }
done
if [ -n "${available[mlr]:-}" ]; then
  "${MLR_ARGS[@]}" | sort > "$work/mlr.sum"
  cmp -s "$work/tally.sum" "$work/mlr.sum" || { echo "mlr's totals differ from tally's" >&2; exit 1; }
fi
filtered=$("$tally" show --filter "$FILTER" --format tsv "$sheet" | wc -l)
awk_filtered=$(mawk -F'\t' "$AWK_FILTER" "$sheet" | wc -l)
[ "$filtered" -eq "$awk_filtered" ] || { echo "filters disagree: tally $filtered, awk $awk_filtered" >&2; exit 1; }

size=$(stat -c %s "$sheet")
echo "time sheet: $sheet, $entries entries, $size bytes; best of $runs runs in seconds"
echo "(wall: elapsed time; cpu: user + system time of the process)"
echo "all tools agree on the totals per who code ($(wc -l < "$work/tally.sum") codes) and the filter ($filtered entries)"
echo
printf '%-58s %8s %8s\n' "total per who code" "wall" "cpu"
printf '%-58s %s\n' "tally show --group who --summary" "$(best "$work/o" "$tally" show --group who --summary "$sheet")"
printf '%-58s %s\n' "tally show --group who --summary --format csv" "$(best "$work/o" "$tally" show --group who --summary --format csv "$sheet")"
for tool in "${tools[@]}"; do
  [ -n "${available[$tool]:-}" ] || { printf '%-58s %8s\n' "$tool" "missing"; continue; }
  printf '%-58s %s\n' "$tool -F'\\t' (h:mm:ss and decimal parse, sum per who)" "$(best "$work/o" "$tool" -F'\t' "$AWK_SUM" "$sheet")"
done
if [ -n "${available[mlr]:-}" ]; then
  printf '%-58s %s\n' "mlr --itsv put (same sums)" "$(best "$work/o" "${MLR_ARGS[@]}")"
else
  printf '%-58s %8s\n' "mlr (apt-get install miller)" "missing"
fi
echo
printf '%-58s %8s %8s\n' "filter: $FILTER" "wall" "cpu"
printf '%-58s %s\n' "tally show --filter ... --format tsv" "$(best "$work/o" "$tally" show --filter "$FILTER" --format tsv "$sheet")"
for tool in "${tools[@]}"; do
  [ -n "${available[$tool]:-}" ] || continue
  printf '%-58s %s\n' "$tool (same condition)" "$(best "$work/o" "$tool" -F'\t' "$AWK_FILTER" "$sheet")"
done
