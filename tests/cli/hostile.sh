#!/usr/bin/env bash
# tufu-cli against what a file of inputs cannot show: each case is a
# command, the exit status it must give and a text its standard error must
# hold; the GIS cases also what is on disk afterwards.
# Usage: hostile.sh TUFU_CLI
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

# ------------------------------------------------------------ GIS commands
# Each case runs in the folder $d, prepared by the commands before it, and
# states the exit status, a text of standard error and the files left in
# the folder afterwards (hidden ones too, sorted).
d=$work/d
fresh() { rm -rf "$d"; mkdir "$d"; }
files() { (cd "$d" && ls -A | LC_ALL=C sort | tr '\n' ' ' | sed 's/ $//'); }
gis() {  # description, status, stderr text, files afterwards, command...
  local what=$1 want=$2 text=$3 left=$4 got
  shift 4
  (cd "$d" && "$@") >"$work/out" 2>"$work/err"
  got=$?
  if [ "$got" != "$want" ] || { [ -n "$text" ] && ! grep -qF -- "$text" "$work/err"; } ||
     [ "$(files)" != "$left" ]; then
    echo "FAIL: $what: status $got (want $want), files: $(files) (want $left), stderr:"
    cat "$work/err"
    failed=1
  fi
}
# The features a file holds (through GDAL's ogrinfo).
holds() {  # description, file, count
  local n
  n=$(ogrinfo -so -al "$d/$2" 2>/dev/null | sed -n 's/^Feature Count: //p')
  [ "$n" = "$3" ] || { echo "FAIL: $1: $2 holds ${n:-nothing} features (want $3)"; failed=1; }
}
printf 'name,lon,lat\n甲,116.39166666666667,39.9\n乙,116°23′30″,"39,54,30"\n丙,200,10\n' > "$work/points.csv"
printf '经度,纬度\n116,39\n' | iconv -f UTF-8 -t GB18030 > "$work/gbk.csv"

# A name the format cannot have: the driver would make a folder.
for f in shp csv fgb; do
  fresh
  gis "grid --format $f to out.dat" 2 "应以 .$f 结尾" "" \
    "$cli" grid --contains J50 --scale 10万 --format $f -o out.dat
done
fresh
gis "annotate to standard output" 2 "标准输出" "" \
  bash -c "'$cli' annotate - -o - --format csv --scale 5万 < '$work/points.csv'"
gis "grid to standard output" 2 "标准输出" "" "$cli" grid --contains J50 --scale 10万 --format geojson -o -
# Points of lon/lat columns become geometry where rows need one.
fresh
gis "annotate CSV to Shapefile" 0 "1 行没有" "p.cpg p.dbf p.prj p.shp p.shx" \
  "$cli" annotate "$work/points.csv" -o p.shp --scale 5万
holds "annotate CSV to Shapefile" p.shp 3
fresh
gis "annotate CSV to FlatGeobuf, a row without a point" 2 "第 3 行没有点" "" \
  "$cli" annotate "$work/points.csv" -o p.fgb --scale 5万
head -n 3 "$work/points.csv" > "$work/inside.csv"
gis "annotate CSV to FlatGeobuf" 0 "" "p.fgb" "$cli" annotate "$work/inside.csv" -o p.fgb --scale 5万
holds "annotate CSV to FlatGeobuf" p.fgb 2
# A companion file of another dataset is never touched.
fresh
(cd "$d" && "$cli" grid --contains J50 --scale 25万 --crs gk3 -o roads.shp 2>/dev/null)
cp "$d/roads.prj" "$work/roads.prj"
gis "grid over the .prj of a Shapefile" 2 "roads.prj” 属于 “roads.shp”" \
  "roads.cpg roads.dbf roads.prj roads.shp roads.shx" \
  "$cli" grid --contains J50 --scale 25万 -o roads.csv --overwrite
gis "annotate over the .prj of a Shapefile" 2 "roads.prj” 属于" \
  "roads.cpg roads.dbf roads.prj roads.shp roads.shx" \
  "$cli" annotate "$work/points.csv" -o roads.csv --scale 5万 --overwrite
cmp -s "$d/roads.prj" "$work/roads.prj" || { echo "FAIL: roads.prj changed"; failed=1; }
# The user's spelling, and a set replaced as a whole.
fresh
gis "an upper-case extension" 0 "写入 OUT.SHP" "OUT.CPG OUT.DBF OUT.PRJ OUT.SHP OUT.SHX" \
  "$cli" grid --contains J50 --scale 25万 -o OUT.SHP
holds "an upper-case extension" OUT.SHP 16
fresh
for e in SHP SHX DBF PRJ CPG QIX; do echo old > "$d/OLD.$e"; done
gis "an upper-case set replaced" 0 "写入 OLD.SHP" "OLD.CPG OLD.DBF OLD.PRJ OLD.SHP OLD.SHX" \
  "$cli" grid --contains J50 --scale 25万 -o OLD.SHP --overwrite
holds "an upper-case set replaced" OLD.SHP 16
# A replace happens wholly or not at all.
fresh
(cd "$d" && "$cli" grid --contains J50 --scale 25万 -o x.shp 2>/dev/null && rm x.prj && mkdir x.prj)
cp "$d/x.shx" "$work/x.shx"
gis "a companion that is a folder" 2 "x.prj” 是一个文件夹" "x.cpg x.dbf x.prj x.shp x.shx" \
  "$cli" grid --contains J50 --scale 50万 -o x.shp --overwrite
cmp -s "$d/x.shx" "$work/x.shx" || { echo "FAIL: x.shx replaced"; failed=1; }
fresh
mkdir "$d/a.gpkg"
gis "an output that is a folder" 2 "是一个文件夹, 不会被替换" "a.gpkg" \
  "$cli" grid --contains J50 --scale 25万 -o a.gpkg --overwrite
grep -qF -- "--overwrite" "$work/err" && { echo "FAIL: a folder: offers --overwrite"; failed=1; }
# A file size limit fails the write cleanly, in every format.
for f in gpkg shp geojson kml dxf fgb csv; do
  fresh
  gis "ulimit -f to .$f" 2 "失败" "" \
    bash -c "ulimit -f 50; exec '$cli' grid --contains J50 --scale 1万 -o x.$f"
done
fresh
gis "ulimit -f, CSV with its reason" 2 "文件大小" "" \
  bash -c "ulimit -f 50; exec '$cli' grid --contains J50 --scale 1万 -o x.csv"

# Signals: the command stops, keeps nothing and prints no success.  The
# timeout only keeps a fault from hanging the test.
interrupt() {  # description, signal, status, seconds before it, command...
  local what=$1 sig=$2 want=$3 wait=$4 pid got
  shift 4
  set -m  # a job of its own, so that SIGINT is not ignored
  (cd "$d" && exec timeout -s KILL 60 "$@") >"$work/out" 2>"$work/err" &
  pid=$!
  set +m
  sleep "$wait"
  pkill "-$sig" -P "$pid" -x "tufu-cli|tufu-cli-gis"  # grid and annotate run in the helper
  wait "$pid"
  got=$?
  if [ "$got" != "$want" ] || ! grep -qF "已中断" "$work/err" || grep -qF "已把" "$work/err" ||
     [ -n "$(files)" ]; then
    echo "FAIL: $what: status $got (want $want), files: $(files), stderr:"
    cat "$work/err"
    failed=1
  fi
}
fresh
interrupt "SIGINT while a GeoPackage is written" INT 130 2 \
  "$cli" grid --bounds 73 135 18 54 --scale 5000 -o c.gpkg
interrupt "SIGTERM while densified sheets are projected" TERM 143 2 \
  "$cli" grid --bounds 73 135 18 54 --scale 25万 --crs gk6 --densify 10000 -o d.gpkg
fresh
exec 3<>"$work/fifo"  # standard input open, but idle
interrupt "SIGINT while standard input is idle" INT 130 1 \
  bash -c "exec '$cli' annotate - -o a.csv --scale 5万 < '$work/fifo'"
interrupt "SIGTERM while standard input is idle" TERM 143 1 \
  bash -c "exec '$cli' annotate - -o a.csv --scale 5万 < '$work/fifo'"
exec 3>&-

# Reference systems that cannot hold a sheet grid.
fresh
gis "a vertical CRS" 2 "垂直" "" "$cli" grid --contains J50 --scale 50万 --crs EPSG:5773 -o v.gpkg
gis "a geocentric CRS" 2 "地心" "" "$cli" grid --contains J50 --scale 50万 --crs EPSG:4978 -o v.gpkg
gis "a zone far away" 0 "使用范围" "v.gpkg" \
  "$cli" grid --contains J50 --scale 50万 --crs gk3:25 -o v.gpkg
fresh
gis "KML in EPSG:4326" 0 "EPSG:4326" "v.kml" "$cli" grid --contains J50 --scale 50万 --crs 4326 -o v.kml
# Sizes that need asking for.
fresh
gis "a grid of 493682688 sheets" 2 "493682688 幅图, 超过 10000000 幅, 约 " "" \
  "$cli" --standard 2012 grid --bounds 73 135 18 54 --scale 500 -o big.gpkg
grep -qF -- "--force" "$work/err" || { echo "FAIL: the size guard names no --force"; failed=1; }
check "block --list of 493682688 sheets" 1 "" "$cli" --standard 2012 --json block 73 135 18 54 --scale 500 --list
grep -qF -- '"valid":false' "$work/out" && grep -qF -- "--force" "$work/out" ||
  { echo "FAIL: block --list: $(head -c 300 "$work/out")"; failed=1; }
# Empty and long angles.
fresh
gis "grid --bounds with empty angles" 2 "经度不能为空" "" "$cli" grid --bounds "" 1 "" 1 --scale 5万 -o e.gpkg
check "point with empty angles" 1 "" "$cli" point "" ""
grep -qF "经度不能为空" "$work/out" || { echo "FAIL: point \"\": $(cat "$work/out")"; failed=1; }
check "block with empty angles" 1 "" "$cli" block "" 1 "" 1 --scale 5万
grep -qF "经度不能为空" "$work/out" || { echo "FAIL: block \"\": $(cat "$work/out")"; failed=1; }
check "17 significant digits" 0 "" "$cli" point 116.39166666666667 39.9 --scale 5万
grep -qF "J50E001010" "$work/out" || { echo "FAIL: 17 digits: $(cat "$work/out")"; failed=1; }
head -c 70000 /dev/zero | tr '\0' '1' > "$work/longline.txt"
check "an input line longer than 64 KiB" 2 "第 1 行太长" bash -c "'$cli' point < '$work/longline.txt'"
# Every --json line is one JSON value, comments included.
printf '116 39\n\n   \n# 注释 \xff\x01\n116 39\n' > "$work/commented.txt"
check "comments in --json" 0 "" bash -c "'$cli' --json point --scale 5万 < '$work/commented.txt'"
[ "$(grep -c '^{"input":' "$work/out")" = 5 ] && [ "$(grep -c '"comment":true}$' "$work/out")" = 3 ] &&
  ! LC_ALL=C grep -q $'[\x01\xff]' "$work/out" ||
  { echo "FAIL: comments in --json:"; cat "$work/out"; failed=1; }
check "comments in --csv" 0 "" bash -c "'$cli' --csv point --scale 5万 < '$work/commented.txt'"
[ "$(wc -l < "$work/out")" = 6 ] || { echo "FAIL: comments in --csv:"; cat "$work/out"; failed=1; }
# Text that is not UTF-8.
fresh
gis "a GBK file" 2 "--encoding GBK" "" "$cli" annotate "$work/gbk.csv" -o g.csv --scale 5万
gis "a GBK file with --encoding GBK" 0 "" "g.csv" \
  "$cli" annotate "$work/gbk.csv" -o g.csv --scale 5万 --encoding GBK
grep -qF "经度,纬度,new_5w" "$d/g.csv" || { echo "FAIL: GBK header: $(head -1 "$d/g.csv")"; failed=1; }
fresh
gis "GBK on standard input" 0 "" "g.gpkg" \
  bash -c "'$cli' annotate - -o g.gpkg --scale 5万 --encoding GBK < '$work/gbk.csv'"
# Smaller things.
fresh
(cd "$d" && "$cli" grid --contains J50 --scale 25万 -o poly.gpkg 2>/dev/null)
gis "polygons to annotate" 0 "16 行的几何不是点" "a.csv poly.gpkg" \
  "$cli" annotate poly.gpkg -o a.csv --scale 5万
gis "an unknown region" 2 "可用 黑龙江" "a.csv poly.gpkg" \
  "$cli" grid --region 火星 --scale 5万 -o r.gpkg
gis "an unknown layer" 2 "没有图层 roads (有 poly)" "a.csv poly.gpkg" \
  "$cli" annotate poly.gpkg --layer roads -o b.csv --scale 5万
gis "bytes in a message" 2 '\xff\x01' "a.csv poly.gpkg" \
  "$cli" grid --region $'\xff\x01' --scale 5万 -o r.gpkg
exit $failed
