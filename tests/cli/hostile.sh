#!/usr/bin/env bash
# tufu-cli against what a file of inputs cannot show: each case is a
# command, the exit status it must give and a text its standard error must
# hold.  Usage: hostile.sh TUFU_CLI
set -u
cli=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkfifo "$work/fifo"
failed=0

check() {  # description, expected status, expected stderr text, command...
  local what=$1 want=$2 text=$3
  shift 3
  local got
  "$@" >"$work/out" 2>"$work/err"
  got=$?
  if [ "$got" != "$want" ] || { [ -n "$text" ] && ! grep -qF -- "$text" "$work/err"; }; then
    echo "FAIL: $what: status $got (want $want), stderr:"
    cat "$work/err"
    failed=1
  fi
}

check "a write that fails" 2 "设备上没有空间" \
  bash -c "'$cli' point 116 39 > /dev/full"
check "standard input that is a directory" 2 "是一个目录" \
  bash -c "'$cli' sheet < '$work'"
check "a names file that never ends" 2 "不是普通文件" \
  "$cli" --names /dev/zero point 116 39
check "a names file that is a pipe without a writer" 2 "不是普通文件" \
  timeout 10 "$cli" --names "$work/fifo" point 116 39
head -c 5000 /dev/zero | tr '\0' 'x' > "$work/long.tsv"
check "a names file with a line longer than any name" 2 "long.tsv:1: 行太长" \
  "$cli" --names "$work/long.tsv" point 116 39
check "a names file that does not exist" 2 "没有这个文件或目录" \
  "$cli" --names "$work/missing.tsv" point 116 39
check "version" 0 "" "$cli" --version
grep -qE '^tufu-cli [0-9]+\.[0-9]+\.[0-9]+$' "$work/out" || { echo "FAIL: version: $(cat "$work/out")"; failed=1; }
# grid and annotate run in the helper program, with the same command line.
check "grid through its helper" 0 "已把 9 幅图写入" \
  "$cli" --standard=2012 grid --region 北京 --scale 25万 -o "$work/g.geojson"
[ -s "$work/g.geojson" ] || { echo "FAIL: grid wrote no file"; failed=1; }
check "annotate through its helper" 2 "annotate 需要 --scale" \
  "$cli" annotate "$work/in.csv" -o "$work/out.csv"
# A newline inside an argument does not split the error line.
check "a newline in an argument" 1 "" "$cli" sheet $'J50\nK50'
[ "$(wc -l < "$work/out")" = 1 ] || { echo "FAIL: newline split the line"; failed=1; }
exit $failed
