#!/usr/bin/env bash
# Builds tufu and starts it, or builds and runs every test.
#   ./tufu.sh start    install what is missing, build the programs, start the window
#   ./tufu.sh test     install what is missing, build, run all tests
#   ./tufu.sh web      install what is missing, build the web page build-web/web/tufu.html
# Works on a fresh Debian 12 machine as root (or with sudo).
set -euo pipefail
cd "$(dirname "$0")"
jobs=$(nproc 2>/dev/null || echo 2)

# What the programs need to build and run (./tufu.sh start) ...
app_packages=(cmake ninja-build ccache g++ pkg-config qt6-base-dev qt6-svg-dev libgl-dev
              libgdal-dev gdal-bin libsqlite3-dev
              fonts-dejavu-core fonts-wqy-microhei fonts-noto-cjk qt6-translations-l10n)
# ... the web page (./tufu.sh web) ...
web_packages=(emscripten)
# ... and every test (./tufu.sh test): the unit, window and browser tests, the
# Debian package, the Python package, the PostgreSQL extensions, the QGIS
# plugin and the Windows build.
test_packages=(libgtest-dev libgmock-dev libbenchmark-dev clang libclang-rt-14-dev
               poppler-utils dpkg-dev desktop-file-utils chromium
               python3-numpy python3-pandas python3-geopandas python3-shapely python3-pytest
               python3-build python3-dask python3-distributed python3-venv python3-setuptools
               python3-wheel python3-psycopg2
               postgresql-15 postgresql-server-dev-15 postgresql-15-postgis-3 postgresql-common
               qgis python3-qgis
               g++-mingw-w64-x86-64 wine64 googletest imagemagick)

sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"

deps() {  # package...
  local missing=()
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "==> installing: ${missing[*]}"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

# The node modules that test the web page (web/package-lock.json).  Every
# locked package runs on Debian 12's own Node.js 18; --engine-strict stops
# here, with the package named, when one does not fit the Node at hand.
web_deps() {
  if ! command -v npm >/dev/null; then
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends npm
  fi
  npm ci --prefix web --engine-strict --no-audit --no-fund --loglevel=error >/dev/null
}

configure_build() {  # dir, cmake options...
  local dir=$1; shift
  # ccache keeps the second and later builds of the same sources short.
  cmake -S . -B "$dir" -G Ninja -DCMAKE_CXX_COMPILER_LAUNCHER=ccache \
    -DCMAKE_C_COMPILER_LAUNCHER=ccache "$@" >/dev/null
  cmake --build "$dir" -j"$jobs"
}

# The programs alone, in a folder of their own: no test or benchmark is
# built before the window opens.
start() {
  deps "${app_packages[@]}"
  cmake -S . -B build-app -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTUFU_WERROR=ON \
    -DTUFU_BUILD_TESTS=OFF -DTUFU_BUILD_BENCH=OFF >/dev/null
  cmake --build build-app -j"$jobs" --target tufu tufu-cli
  exec build-app/ui/main/tufu "$@"
}

web() {
  deps "${app_packages[@]}" "${web_packages[@]}"
  configure_build build-web -DCMAKE_BUILD_TYPE=Release -DTUFU_WERROR=ON -DTUFU_WEB=ON \
    -DTUFU_BUILD_UI=OFF -DTUFU_BUILD_TESTS=OFF -DTUFU_BUILD_BENCH=OFF
  echo "==> built $PWD/build-web/web/tufu.html"
}

test_all() {
  deps "${app_packages[@]}" "${web_packages[@]}" "${test_packages[@]}"
  web_deps
  echo "==> build (warnings as errors, with the web page) and unit tests"
  configure_build build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTUFU_WERROR=ON -DTUFU_WEB=ON
  ctest --test-dir build --output-on-failure -j"$jobs"

  python_test

  echo "==> web page timings in headless Chromium (reported, not checked)"
  TUFU_HTML=build/web/tufu.html node web/tests/bench.mjs

  package_test

  echo "==> Windows build (MinGW-w64) and its packages, tested under Wine"
  windows/test.sh build build-mingw build/web/tufu.html

  echo "==> PostgreSQL extensions: make install, then tests in a temporary server"
  postgres/test/run.sh build

  echo "==> QGIS plugin: build tufu-qgis zip (Linux and Windows library), test it headless and through qgis_process"
  qgis/run_tests.sh build build-mingw/capi/tufu.dll

  echo "==> AddressSanitizer + UndefinedBehaviorSanitizer build and unit tests"
  configure_build build-asan -DCMAKE_BUILD_TYPE=Debug -DTUFU_WERROR=ON -DTUFU_SANITIZE=ON \
    -DTUFU_BUILD_BENCH=OFF -DCMAKE_CXX_FLAGS=-O1
  ASAN_OPTIONS=detect_leaks=1:strict_string_checks=1:suppressions=$PWD/tests/asan.supp \
  LSAN_OPTIONS=suppressions=$PWD/tests/lsan.supp:print_suppressions=0 \
  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    ctest --test-dir build-asan --output-on-failure -j"$jobs"

  echo "==> fuzzing (libFuzzer, ${TUFU_FUZZ_SECONDS:-30} s per target)"
  CXX=clang++ CC=clang configure_build build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DTUFU_FUZZ=ON -DTUFU_BUILD_UI=OFF -DTUFU_BUILD_TESTS=OFF -DTUFU_BUILD_BENCH=OFF
  local corpus
  for f in build-fuzz/fuzz/fuzz_*; do
    [ -x "$f" ] || continue
    corpus=$(mktemp -d)
    cp fuzz/seeds/"$(basename "$f")"/* "$corpus"/ 2>/dev/null || true
    echo "--> $(basename "$f")"
    "$f" -max_total_time="${TUFU_FUZZ_SECONDS:-30}" -print_final_stats=0 "$corpus" 2>&1 | tail -n 3
    rm -rf "$corpus"
  done
  echo "==> all tests passed"
}

# Builds the wheel of the Python package (libtufu from the build above
# inside) with Debian's python3-build and no network, installs it into a
# fresh virtual environment that sees Debian's numpy, pandas, GeoPandas and
# Dask, and runs the Python tests and doctests against the installed copy.
python_test() {
  echo "==> Python package: wheel, fresh virtual environment, pytest against the installed copy"
  local root=$PWD work version wheel
  work=$(mktemp -d)
  version=$(sed -n 's/^project(tufu VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
  cp -r python "$work/src"
  rm -rf "$work/src/tests"
  (cd "$work/src" && TUFU_VERSION="$version" TUFU_LIBRARY_FILE="$root/build/capi/libtufu.so.0" \
    /usr/bin/python3 -m build --wheel --no-isolation --outdir "$work/dist" . >/dev/null)
  wheel=$(ls "$work"/dist/tufu-"$version"-py3-none-linux_x86_64.whl)
  /usr/bin/python3 -m venv --system-site-packages "$work/venv"
  "$work/venv/bin/python" -m pip install -q --no-index --no-deps "$wheel"
  cp -r python/tests "$work/tests"
  (cd "$work" && TUFU_CLI="$root/build/cli/tufu-cli" TUFU_INSTALLED_TEST=1 TUFU_SOURCE="$root" \
    TUFU_LIBRARY="$root/build/capi/libtufu.so.0" \
    PROJ_DATA=/usr/share/proj "$work/venv/bin/python" -m pytest -q -p no:cacheprovider tests &&
    PROJ_DATA=/usr/share/proj "$work/venv/bin/python" -m pytest -q -p no:cacheprovider \
      --doctest-modules --pyargs tufu)
  rm -rf "$work"
}

# Builds the Debian package from the build above, installs it with apt,
# runs both programs from it and removes it again.
package_test() {
  echo "==> Debian package: build, install with apt, run the installed programs"
  rm -f build/tufu_*.deb
  (cd build && cpack -G DEB >/dev/null)
  local deb
  deb=$(ls build/tufu_*.deb)
  dpkg-deb --field "$deb" Depends
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "./$deb" >/dev/null
  desktop-file-validate /usr/share/applications/tufu.desktop
  /usr/bin/tufu-cli --version
  /usr/bin/tufu --version
  [ "$(/usr/bin/tufu-cli point 116,23,30 39,54,30 --scale 1:5万)" = \
    "1:5万 J50E001010 J-50-5-B 经度116°15′-116°30′ 纬度39°50′-40°0′ 经差15′ 纬差10′" ]
  # grid runs in the helper that the package installs beside the tool.
  local gridout
  gridout=$(mktemp -d)
  /usr/bin/tufu-cli grid --region 北京 --scale 25万 -o "$gridout/g.geojson"
  [ -s "$gridout/g.geojson" ] || { echo "tufu-cli grid from the package wrote nothing"; return 1; }
  rm -rf "$gridout"
  # libtufu for C (pkg-config, CMake) and the Python package for Debian's Python.
  pkg-config --exists tufu
  [ "$(/usr/bin/python3 -c 'import tufu; print(tufu.sheet_numbers(116.391667, 39.908333, "5万"))')" = \
    J50E001010 ]
  # The window starts from the package and keeps running until stopped.
  local rc=0
  QT_QPA_PLATFORM=offscreen timeout 5 /usr/bin/tufu || rc=$?
  [ "$rc" = 124 ] || { echo "tufu from the package exited with $rc"; return 1; }
  DEBIAN_FRONTEND=noninteractive $sudo apt-get remove -y -qq tufu >/dev/null
}

case "${1:-}" in
  start) shift; start "$@" ;;
  test) test_all ;;
  web) web ;;
  *) echo "usage: $0 start|test|web" >&2; exit 2 ;;
esac
