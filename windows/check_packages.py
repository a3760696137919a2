#!/usr/bin/python3
"""Checks what the Windows packages hold (windows/test.sh runs it):

  check_packages.py --dll build-mingw/capi/tufu.dll --zip tufu-0.2.0-windows-x64.zip \\
                    --wheel tufu-0.2.0-py3-none-win_amd64.whl --qgis tufu-qgis-0.2.0.zip [--html]

The zip for Windows users, the Python wheel for Windows and the QGIS plugin
for Linux and Windows must each carry the very tufu.dll that was tested.
Prints what is wrong and exits 1, or exits 0."""

import argparse
import re
import sys
import zipfile
from pathlib import Path

problems = []


def check(ok: bool, what: str) -> None:
    if not ok:
        problems.append(what)


def windows_zip(path: Path, dll: bytes, version: str, html: bool) -> None:
    top = f"tufu-{version}-windows-x64/"
    check(path.name == f"tufu-{version}-windows-x64.zip", f"{path.name}: unexpected name")
    with zipfile.ZipFile(path) as z:
        want = {top + n for n in ("tufu-cli.exe", "tufu.dll", "include/tufu/tufu.h",
                                  "include/tufu/tufu_version.h", "说明.txt")}
        if html:
            want.add(top + "tufu.html")
        check(set(z.namelist()) == want, f"{path.name} holds {sorted(z.namelist())}")
        if problems:
            return
        check(z.read(top + "tufu.dll") == dll, f"{path.name}: tufu.dll is not the tested one")
        check(z.read(top + "tufu-cli.exe")[:2] == b"MZ", f"{path.name}: tufu-cli.exe is no program")
        notes = z.getinfo(top + "说明.txt")
        check(notes.flag_bits & 0x800 != 0, f"{path.name}: 说明.txt not flagged as a UTF-8 name")
        text = z.read(notes.filename)
        check(text.startswith(b"\xef\xbb\xbf"), "说明.txt: no byte order mark")
        decoded = text.decode("utf-8")
        check("\n" not in decoded.replace("\r\n", ""), "说明.txt: line ends not CRLF")
        for name in ("tufu-cli.exe", "tufu.dll", "include\\tufu\\tufu.h", version) + (
                ("tufu.html",) if html else ()):
            check(name in decoded, f"说明.txt does not mention {name}")
        check(("tufu.html" in decoded) == html, "说明.txt and the page disagree")


def wheel(path: Path, dll: bytes, version: str) -> None:
    check(path.name == f"tufu-{version}-py3-none-win_amd64.whl", f"{path.name}: unexpected name")
    with zipfile.ZipFile(path) as z:
        names = z.namelist()
        check("tufu/tufu.dll" in names, f"{path.name}: no tufu/tufu.dll")
        check(not any(n.endswith(".so.0") or n.endswith(".so") for n in names),
              f"{path.name}: a Linux library inside")
        check("tufu/_lib.py" in names, f"{path.name}: no tufu/_lib.py")
        if "tufu/tufu.dll" in names:
            check(z.read("tufu/tufu.dll") == dll, f"{path.name}: tufu.dll is not the tested one")
        info = f"tufu-{version}.dist-info/"
        meta = z.read(info + "WHEEL").decode()
        check(re.search(r"^Tag: py3-none-win_amd64$", meta, re.M) is not None,
              f"{path.name}: WHEEL has no tag py3-none-win_amd64")
        check("Root-Is-Purelib: false" in meta, f"{path.name}: marked pure")
        check("tufu/tufu.dll," in z.read(info + "RECORD").decode(),
              f"{path.name}: RECORD does not list tufu.dll")


def qgis_zip(path: Path, dll: bytes, version: str) -> None:
    check(path.name == f"tufu-qgis-{version}.zip", f"{path.name}: unexpected name")
    with zipfile.ZipFile(path) as z:
        names = z.namelist()
        for n in ("tufu_qgis/tufu/tufu.dll", "tufu_qgis/tufu/libtufu.so.0",
                  "tufu_qgis/tufu/_lib.py", "tufu_qgis/metadata.txt"):
            check(n in names, f"{path.name}: no {n}")
        if problems:
            return
        check(z.read("tufu_qgis/tufu/tufu.dll") == dll, f"{path.name}: tufu.dll is not the tested one")
        check(z.read("tufu_qgis/tufu/libtufu.so.0")[:4] == b"\x7fELF",
              f"{path.name}: libtufu.so.0 is no Linux library")
        meta = z.read("tufu_qgis/metadata.txt").decode()
        check(f"\nversion={version}\n" in meta, f"{path.name}: metadata.txt without version {version}")


def main() -> int:
    ap = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    ap.add_argument("--dll", required=True)
    ap.add_argument("--zip", required=True)
    ap.add_argument("--wheel", required=True)
    ap.add_argument("--qgis", required=True)
    ap.add_argument("--html", action="store_true", help="the zip must hold tufu.html")
    a = ap.parse_args()
    root = Path(__file__).resolve().parent.parent
    version = re.search(r"project\(tufu VERSION ([0-9.]+)",
                        (root / "CMakeLists.txt").read_text(encoding="utf-8")).group(1)
    dll = Path(a.dll).read_bytes()
    check(dll[:2] == b"MZ", f"{a.dll} is no Windows library")
    windows_zip(Path(a.zip), dll, version, a.html)
    wheel(Path(a.wheel), dll, version)
    qgis_zip(Path(a.qgis), dll, version)
    for p in problems:
        print("check_packages.py: " + p, file=sys.stderr)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
