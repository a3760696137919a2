#!/usr/bin/env bash
# Builds tufu and starts it, or builds and runs every test.
#   ./tufu.sh start    install what is missing, build, start the program
#   ./tufu.sh test     install what is missing, build, run all tests
# Works on a fresh Debian 12 machine as root (or with sudo).
set -euo pipefail
cd "$(dirname "$0")"
jobs=$(nproc 2>/dev/null || echo 2)

packages=(cmake ninja-build g++ pkg-config qt6-base-dev libgl-dev qt6-svg-dev
          libgdal-dev gdal-bin
          libgtest-dev libgmock-dev libbenchmark-dev clang libclang-rt-14-dev
          fonts-dejavu-core fonts-wqy-microhei fonts-noto-cjk poppler-utils)

deps() {
  local missing=()
  for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "==> installing: ${missing[*]}"
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

configure_build() {  # dir, cmake options...
  local dir=$1; shift
  cmake -S . -B "$dir" -G Ninja "$@" >/dev/null
  cmake --build "$dir" -j"$jobs"
}

start() {
  deps
  configure_build build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTUFU_WERROR=ON
  if [ -x build/ui/main/tufu ]; then
    exec build/ui/main/tufu "$@"
  fi
  exec build/cli/tufu-cli --help
}

test_all() {
  deps
  echo "==> build (warnings as errors) and unit tests"
  configure_build build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTUFU_WERROR=ON
  ctest --test-dir build --output-on-failure -j"$jobs"

  echo "==> AddressSanitizer + UndefinedBehaviorSanitizer build and unit tests"
  configure_build build-asan -DCMAKE_BUILD_TYPE=Debug -DTUFU_WERROR=ON -DTUFU_SANITIZE=ON \
    -DTUFU_BUILD_BENCH=OFF -DCMAKE_CXX_FLAGS=-O1
  ASAN_OPTIONS=detect_leaks=1:strict_string_checks=1 \
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

case "${1:-}" in
  start) shift; start "$@" ;;
  test) test_all ;;
  *) echo "usage: $0 start|test" >&2; exit 2 ;;
esac
