#!/usr/bin/env bash
# Builds tufu-qgis-<version>.zip from a build folder and runs the plugin's
# tests against the plugin unpacked from that zip: headless Processing,
# expression functions and the dock through QGIS's Python, and the
# algorithms through qgis_process with the zip installed in a new profile.
#   qgis/run_tests.sh BUILD_DIR [TUFU_DLL]
# BUILD_DIR has capi/, cli/ and tools/icon/; TUFU_DLL, the Windows tufu.dll,
# goes into the zip as well (the one zip for Linux and Windows).
set -euo pipefail
build=$(cd "$1" && pwd)
windows=()
[ -n "${2:-}" ] && windows=(--windows-library "$(cd "$(dirname "$2")" && pwd)/$(basename "$2")")
cd "$(dirname "$0")"
/usr/bin/python3 build_zip.py --library "$build/capi/libtufu.so.0" "${windows[@]}" \
  --icon "$build/tools/icon/icons/64x64/tufu.png" --out "$build/qgis"
archive=$(ls "$build"/qgis/tufu-qgis-*.zip)
unpacked=$(mktemp -d)
trap 'rm -rf "$unpacked"' EXIT
/usr/bin/python3 -m zipfile -e "$archive" "$unpacked"
cd tests
QT_QPA_PLATFORM=offscreen TUFU_QGIS_ZIP="$archive" TUFU_QGIS_PLUGINS="$unpacked" \
TUFU_CLI="$build/cli/tufu-cli" XDG_RUNTIME_DIR="$unpacked" TUFU_LIBRARY="$build/capi/libtufu.so.0" \
  /usr/bin/python3 -m pytest -q -p no:cacheprovider .
