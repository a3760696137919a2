#!/bin/sh
# Installs libtufu from the build tree into a scratch prefix, compiles the
# plain C program against the installed header with the C compiler, linked
# through pkg-config (shared, then the static archive), and runs both.
#   run_capi_test.sh BUILD_DIR SOURCE_DIR CC [EXTRA_CFLAGS]
set -eu
build=$1 src=$2 cc=$3 extra=${4:-}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cmake --install "$build" --prefix "$work/prefix" --component libtufu >/dev/null
libdir=$(dirname "$(find "$work/prefix" -name tufu.pc)")/..
export PKG_CONFIG_PATH="$libdir/pkgconfig"
printf 'J50\t京\n' >"$work/good.tsv"
printf 'J50\t京\nJ5X\t坏\n' >"$work/bad.tsv"

# shellcheck disable=SC2046,SC2086
"$cc" -std=c99 -Wall -Wextra -Wpedantic -Werror $extra -o "$work/shared" "$src/capi_test.c" \
  $(pkg-config --cflags --libs tufu) -lpthread -lm
LD_LIBRARY_PATH="$libdir" "$work/shared" "$work/good.tsv" "$work/bad.tsv"

# The archive: the same program with the core linked in.
# shellcheck disable=SC2046,SC2086
"$cc" -std=c99 -Wall -Wextra -Wpedantic -Werror $extra -DTUFU_STATIC -o "$work/static" \
  "$src/capi_test.c" $(pkg-config --cflags tufu) "$libdir/libtufu.a" \
  $(pkg-config --static --libs-only-l tufu | sed 's/-ltufu//') -lpthread -lm
"$work/static" "$work/good.tsv" "$work/bad.tsv"
if readelf -d "$work/static" | grep -q 'libtufu'; then
  echo "the static program needs libtufu.so" >&2
  exit 1
fi

# A CMake project: find_package(tufu) gives tufu::tufu and tufu::tufu_static.
cmake -S "$src/consumer" -B "$work/consumer" -G Ninja -DCMAKE_C_COMPILER="$cc" \
  -DCMAKE_PREFIX_PATH="$work/prefix" -DCMAKE_C_FLAGS="$extra" >/dev/null
cmake --build "$work/consumer" >/dev/null
LD_LIBRARY_PATH="$libdir" "$work/consumer/shared" "$work/good.tsv" "$work/bad.tsv"
"$work/consumer/static" "$work/good.tsv" "$work/bad.tsv"
