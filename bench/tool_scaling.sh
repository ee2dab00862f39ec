#!/usr/bin/env bash
# Runs every command of the tool on pages of every shape the benchmark
# generates, at 100 KB, 1 MB and 10 MB, and prints one Markdown table: the
# throughput of each command at each size, the ratio of the 10 MB
# throughput to the 100 KB and to the 1 MB one (1.0 is perfectly linear;
# at 100 KB the work is a millisecond beside a process start of a few, so
# that ratio carries the start's noise), and the peak
# resident memory at 10 MB above that of the same command on an empty page,
# as a multiple of the page size. Then the targets, from the same run:
# each command on the benchmark page at 1 MB and 10 MB against the
# library's read + render (at least 1/3), and each command on each shape
# against the same command on the benchmark page (at least 1/4).
# Usage: tool_scaling.sh BENCH_BINARY TOOL_BINARY
set -euo pipefail
bench=$1
tool=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

sizes=(102400 1048576 10485760)
# SHAPES (blank-separated) narrows the run to some shapes.
all_shapes="page body-tags frames head-elements small-rules small-layers
  open-angles blank-runs deep-nesting"
read -r -a shapes <<<"$(echo ${SHAPES:-$all_shapes})"
commands=(check show show-json sources sources-all render edit site)

# The command line of a command on a page.
command_line() {
  local command=$1 page=$2
  case "$command" in
    check) echo "$tool check $page" ;;
    show) echo "$tool show $page" ;;
    show-json) echo "$tool show --json $page" ;;
    sources-all) echo "$tool sources --all $page" ;;
    site) echo "$tool site ${page%.htm}.site" ;;
    render) echo "$tool render $page -o $work/out.htm --allow-loss" ;;
    sources) echo "$tool sources $page" ;;
    edit)
      echo "$tool edit $page --background new.gif -o $work/out.htm --allow-loss"
      ;;
  esac
}

# Runs a command line `runs` times; prints the shortest wall time in
# seconds and the largest peak resident size in kilobytes.
measure() {
  local runs=$1 line=$2 best="" peak=0
  for ((i = 0; i < runs; i++)); do
    local start=$EPOCHREALTIME
    /usr/bin/time -f %M -o "$work/rss" $line >/dev/null 2>&1 || true
    local end=$EPOCHREALTIME
    local elapsed rss
    elapsed=$(awk -v a="$start" -v b="$end" 'BEGIN { printf "%.6f", b - a }')
    rss=$(tail -n 1 "$work/rss")
    if [ -z "$best" ] || awk -v a="$elapsed" -v b="$best" 'BEGIN { exit !(a < b) }'; then
      best=$elapsed
    fi
    [ "$rss" -gt "$peak" ] && peak=$rss
  done
  echo "$best $peak"
}

# Writes a page, and a folder holding only it for `site`.
write_page() {
  "$bench" --write-shape "$1" "$2" "$3"
  mkdir -p "${3%.htm}.site"
  ln -f "$3" "${3%.htm}.site/index.htm"
}

printf '<html>\n<head>\n</head>\n<body>\n</body>\n</html>\n' >"$work/empty.htm"
mkdir -p "$work/empty.site"
ln -f "$work/empty.htm" "$work/empty.site/index.htm"
declare -A base_time base_rss rate_of
# The empty page's time is what a run costs besides the page (start-up,
# loading the library): the shortest of many runs, after one to warm up.
for command in "${commands[@]}"; do
  measure 1 "$(command_line "$command" "$work/empty.htm")" >/dev/null
  read -r base_time[$command] base_rss[$command] \
    < <(measure 21 "$(command_line "$command" "$work/empty.htm")")
done

# Start-up: --version and check of the 10 KB page each at most 3 ms over
# an empty C program, all measured here.
printf 'int main(void) { return 0; }\n' >"$work/empty.c"
cc -O2 "$work/empty.c" -o "$work/empty"
"$bench" --write-shape page 10240 "$work/page-10k.htm"
read -r floor _ < <(measure 41 "$work/empty")
echo
echo "| start-up | ms | over an empty program | target |"
echo "|---|---|---|---|"
for line in "$tool --version" "$tool check $work/page-10k.htm"; do
  measure 1 "$line" >/dev/null
  read -r seconds _ < <(measure 41 "$line")
  awk -v s="$seconds" -v f="$floor" -v name="${line#"$tool "}" 'BEGIN {
    over = (s - f) * 1000
    printf "| %s | %.2f | %.2f | at most 3: %s |\n", name, s * 1000, over,
      over <= 3 ? "met" : "NOT met" }' | sed "s|$work/||"
done

echo
echo "| shape | command | 100 KB MB/s | 1 MB MB/s | 10 MB MB/s | 10 MB / 100 KB | 10 MB / 1 MB | peak memory at 10 MB (x page) |"
echo "|---|---|---|---|---|---|---|---|"
for shape in "${shapes[@]}"; do
  for size in "${sizes[@]}"; do
    write_page "$shape" "$size" "$work/$shape-$size.htm"
  done
  for command in "${commands[@]}"; do
    row="| $shape | $command |"
    rates=()
    for size in "${sizes[@]}"; do
      page=$work/$shape-$size.htm
      bytes=$(stat -c %s "$page")
      runs=$((size < 1048576 ? 21 : size < 10485760 ? 7 : 3))
      read -r seconds rss < <(measure "$runs" "$(command_line "$command" "$page")")
      rate=$(awk -v s="$seconds" -v b="${base_time[$command]}" -v n="$bytes" \
        'BEGIN { t = s - b; if (t < 1e-4) t = 1e-4; printf "%.1f", n / t / 1048576 }')
      rates+=("$rate")
      rate_of[$shape/$command/$size]=$rate
      row+=" $rate |"
    done
    memory=$(awk -v m="$rss" -v b="${base_rss[$command]}" -v n="$bytes" \
      'BEGIN { printf "%.2f", (m - b) * 1024 / n }')
    flat=$(awk -v big="${rates[2]}" -v small="${rates[0]}" \
      'BEGIN { printf "%.2f", big / small }')
    flat_mb=$(awk -v big="${rates[2]}" -v mid="${rates[1]}" \
      'BEGIN { printf "%.2f", big / mid }')
    echo "$row $flat | $flat_mb | $memory |"
  done
done

# The library's read + render of the benchmark page, in this run.
declare -A library
while read -r size rate; do library[$size]=$rate; done < <(
  "$bench" --benchmark_filter='^BM_ReadRender/(1048576|10485760)$' \
    --benchmark_min_time=0.2 --benchmark_repetitions=5 2>/dev/null |
    awk -F'|' '$2 ~ /^ read \+ render $/ {
      printf "1048576 %s\n10485760 %s\n", $5 + 0, $6 + 0 }')

# A ratio with its target, "met" or "NOT met".
verdict() {
  awk -v a="$1" -v b="$2" -v t="$3" 'BEGIN {
    r = b > 0 ? a / b : 0
    printf "%.2f | %s", r, (r >= t ? "met" : "NOT met") }'
}

if [[ " ${shapes[*]} " == *" page "* ]]; then
  echo
  echo "| command | 1 MB / library read + render | target 1/3 | 10 MB / library read + render | target 1/3 |"
  echo "|---|---|---|---|---|"
  echo "| (library read + render, MB/s) | ${library[1048576]} | | ${library[10485760]} | |"
  for command in "${commands[@]}"; do
    echo "| $command | $(verdict "${rate_of[page/$command/1048576]}" "${library[1048576]}" 0.3333) | $(verdict "${rate_of[page/$command/10485760]}" "${library[10485760]}" 0.3333) |"
  done
  echo
  echo "| shape | command | 1 MB / page's | target 1/4 | 10 MB / page's | target 1/4 |"
  echo "|---|---|---|---|---|---|"
  for shape in "${shapes[@]}"; do
    [ "$shape" = page ] && continue
    for command in "${commands[@]}"; do
      echo "| $shape | $command | $(verdict "${rate_of[$shape/$command/1048576]}" "${rate_of[page/$command/1048576]}" 0.25) | $(verdict "${rate_of[$shape/$command/10485760]}" "${rate_of[page/$command/10485760]}" 0.25) |"
    done
  done
fi
