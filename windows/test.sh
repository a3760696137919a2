#!/usr/bin/env bash
# The Windows build, cross-compiled with MinGW-w64 and tested under Wine:
#
#   windows/test.sh [HOST_BUILD [CROSS_BUILD [TUFU_HTML]]]
#
# HOST_BUILD (default build) is a native build with the UI (TUFU_BUILD_UI=ON),
# already built: the cross build runs its name table generator and converts
# its icon pictures, its tufu-cli is the one tufu-cli.exe must agree with,
# and its libtufu.so.0 goes into the QGIS plugin beside tufu.dll.
# CROSS_BUILD defaults to build-mingw.  TUFU_HTML, the web page, goes into
# the zip for Windows users when given.
#
# Runs the core's and the gazetteer's unit tests and the CLI's golden tests
# under Wine, compares tufu-cli.exe with the native tufu-cli byte for byte
# (standard output, standard error, exit status), checks that a console
# shows Chinese, builds the packages in CROSS_BUILD/packages (the zip for
# Windows, the Python wheel for Windows, the QGIS plugin for Linux and
# Windows), checks what they hold, and runs two C programs against the
# tufu.dll from the zip: one that loads it by name and checks a table of
# answers, and libtufu's own C test linked against it.
set -euo pipefail
cd "$(dirname "$0")/.."
host=${1:-build}
cross=${2:-build-mingw}
html=${3:-}
if [ -n "$html" ] && [ ! -f "$html" ]; then
  echo "windows/test.sh: no web page $html" >&2
  exit 2
fi
root=$PWD
abs() { case $1 in /*) echo "$1" ;; *) echo "$root/$1" ;; esac; }
jobs=$(nproc 2>/dev/null || echo 2)
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)

# -O2: at -O3 GCC 12 reports false -Wrestrict overlaps in std::string
# (GCC bug 105651).
cmake -S . -B "$cross" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$PWD/windows/mingw-w64-x86_64.cmake" \
  -DTUFU_HOST_TOOLS="$PWD/$host" -DCMAKE_BUILD_TYPE=Release "-DCMAKE_CXX_FLAGS_RELEASE=-O2 -DNDEBUG" \
  -DTUFU_WERROR=ON -DTUFU_GIS=OFF -DTUFU_BUILD_UI=OFF -DTUFU_BUILD_BENCH=OFF "${launcher[@]}" >/dev/null
cmake --build "$cross" -j"$jobs"

wine=/usr/lib/wine/wine64
export WINEDEBUG=-all
# A prefix of its own, without the .NET and HTML engines that console
# programs do not need; the first start sets it up.
WINEPREFIX=$(mktemp -d)
export WINEPREFIX WINEDLLOVERRIDES="mscoree,mshtml="
# Wine reads the Unix command line in the locale's encoding.
export LC_ALL=C.UTF-8
work=$(mktemp -d)
cleanup() {
  /usr/lib/wine/wineserver -k 2>/dev/null || true
  rm -rf "$WINEPREFIX" "$work"
}
trap cleanup EXIT
"$wine" "$cross/cli/tufu-cli.exe" --version

echo "--> unit and golden tests under Wine"
ctest --test-dir "$cross" --output-on-failure -j"$jobs"

echo "--> tufu-cli.exe and $host/cli/tufu-cli, byte for byte"
exe=$cross/cli/tufu-cli.exe
native=$host/cli/tufu-cli
golden=tests/cli/golden
cp "$golden/names_ok.tsv" "$work/图名.tsv"
differ=0
compare() {  # stdin file ("" for none), arguments...
  local input=${1:-/dev/null}
  shift
  local rw=0 rn=0
  "$wine" "$exe" "$@" <"$input" >"$work/w.out" 2>"$work/w.err" || rw=$?
  "$native" "$@" <"$input" >"$work/n.out" 2>"$work/n.err" || rn=$?
  if [ "$rw" != "$rn" ] || ! cmp -s "$work/w.out" "$work/n.out" ||
     ! cmp -s "$work/w.err" "$work/n.err"; then
    echo "DIFFERENT: $* < $input (exit $rw and $rn)"
    diff <(cat "$work/w.out" "$work/w.err") <(cat "$work/n.out" "$work/n.err") | head -n 10 || true
    differ=1
  fi
}
for format in "" --json --csv; do
  compare "" $format point 116,23,30 39,54,27 --scale 5万
  compare "" $format point 116°23′30″ 39.9 --standard 2012
  compare "" $format sheet J50C001002 I-48-XXXV D-45-48-\(26\)-C 图幅 $'J\x01' K-49
  compare "" $format neighbours J50E001010 A31
  compare "" $format block 114,30 118 39 41,30 --scale 1:100万 --list
  compare "" $format --names "$work/图名.tsv" point 116 39 --scale 1:5万
  compare "$golden/points_forms.txt" $format point --scale 5万
  compare "$golden/worked_numbers.txt" $format sheet
  compare "$golden/batch_windows.txt" $format sheet
  compare "$golden/regions.txt" $format block --scale 100万
done
compare "" contains J50D005003 --scale 1万
compare "" --json contains J-50-5-B --scale 2.5万
compare "$golden/refused_numbers.txt" --json sheet
compare "" --names "$work/没有.tsv" point 116 39
compare "" --names "$golden/names_bad.tsv" point 116 39
compare "" point 116 39 --scale 3万
compare "" --help
compare "" block --help
[ "$differ" = 0 ]

echo "--> a console shows Chinese"
# script(1) gives Wine a terminal, which it makes the program's console.
script -qc "'$wine' '$exe' point 116,23,30 39,54,27 --scale 5万" /dev/null </dev/null |
  tr -d '\r' >"$work/console"
grep -qF "1:5万 J50E001010 J-50-5-B 经度116°15′-116°30′" "$work/console" || {
  echo "the console showed:"; cat -v "$work/console"; exit 1; }

echo "--> failures: a full disk, a closed pipe, a folder as names file"
refused() {  # expected stderr text, then a command line for bash
  local text=$1 rc=0
  bash -c "$2" 2>"$work/err" || rc=$?
  [ "$rc" = 2 ] && grep -qF "$text" "$work/err" || { echo "$2: exit $rc"; cat "$work/err"; exit 1; }
}
refused "设备上没有空间" "'$wine' '$exe' point 116 39 >/dev/full"
seq 100000 | sed 's/.*/J50C001002/' >"$work/many.txt"
refused "管道已断开" "set -o pipefail; '$wine' '$exe' sheet <'$work/many.txt' | head -n 1 >/dev/null"
refused "是一个目录" "'$wine' '$exe' --names '$work' point 116 39"

echo "--> grid and annotate say where layers can be written"
for command in grid annotate; do
  rc=0
  "$wine" "$exe" $command --scale 5万 -o x.gpkg 2>"$work/err" || rc=$?
  [ "$rc" = 2 ] && grep -qF "QGIS 插件" "$work/err" || { echo "$command: exit $rc"; cat "$work/err"; exit 1; }
done
echo "--> packages: the zip for Windows, the Python wheel for Windows, the QGIS plugin"
version=$(sed -n 's/^project(tufu VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
packages=$cross/packages
rm -rf "$packages"
dll=$cross/capi/tufu.dll
windows/package.py --cli "$exe" --dll "$dll" --out "$packages" ${html:+--html "$html"} \
  --headers capi/include/tufu/tufu.h "$cross/capi/include/tufu/tufu_version.h"
cp -r python "$work/python"
rm -rf "$work/python/tests"
(cd "$work/python" && TUFU_VERSION="$version" TUFU_WHEEL_PLATFORM=win_amd64 \
  TUFU_LIBRARY_FILE="$(abs "$dll")" \
  /usr/bin/python3 -m build --wheel --no-isolation --outdir "$(abs "$packages")" . \
  >"$work/wheel.log" 2>&1) || { cat "$work/wheel.log"; exit 1; }
/usr/bin/python3 qgis/build_zip.py --library "$host/capi/libtufu.so.0" --windows-library "$dll" \
  --icon "$host/tools/icon/icons/64x64/tufu.png" --out "$packages"
windows/check_packages.py --dll "$dll" ${html:+--html} \
  --zip "$packages/tufu-$version-windows-x64.zip" \
  --wheel "$packages/tufu-$version-py3-none-win_amd64.whl" \
  --qgis "$packages/tufu-qgis-$version.zip"

echo "--> tufu.dll from the zip: a C program that loads it, libtufu's C test against it"
unpacked=$work/unpacked
/usr/bin/python3 -m zipfile -e "$packages/tufu-$version-windows-x64.zip" "$unpacked"
dir=$unpacked/tufu-$version-windows-x64
cc=x86_64-w64-mingw32-gcc-posix
cflags=(-std=c99 -O2 -Wall -Wextra -Wpedantic -Werror -I"$dir/include")
"$cc" "${cflags[@]}" -o "$dir/dlltest.exe" windows/dlltest.c -static
# As 说明.txt says: MinGW links with tufu.dll itself.
"$cc" "${cflags[@]}" -o "$dir/capi_test.exe" tests/capi/capi_test.c "$dir/tufu.dll" -static -lpthread
mkdir "$work/names"
printf 'J50\t京\n' >"$work/names/图名.tsv"
printf 'J50\t京\n' >"$work/names/good.tsv"
printf 'J50\t京\nJ5X\t坏\n' >"$work/names/bad.tsv"
"$wine" "$dir/dlltest.exe" "$dir/tufu.dll" "$work/names"
# capi_test reads its arguments through the ANSI code page: ASCII names.
"$wine" "$dir/capi_test.exe" "$work/names/good.tsv" "$work/names/bad.tsv"
ls -l "$packages"
echo "==> Windows build: all tests passed"
