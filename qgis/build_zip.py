#!/usr/bin/python3
"""Builds tufu-qgis-<version>.zip, the plugin as QGIS's "从ZIP安装" takes it:
one folder tufu_qgis/ with the plugin, the tufu package in tufu_qgis/tufu/
and libtufu inside that package, so that nothing else is installed: the
Linux libtufu.so.0 and, with --windows-library, the Windows tufu.dll beside
it, so that one zip installs in QGIS on Linux and on Windows (the package
loads the library of the platform it runs on).

  build_zip.py --library build/capi/libtufu.so.0 --icon build/tools/icon/icons/64x64/tufu.png \\
               --out build/qgis [--windows-library build-mingw/capi/tufu.dll] [--version 0.2.0]

The version is the project's (CMakeLists.txt) unless given; it goes into
metadata.txt and the file name."""

import argparse
import re
import shutil
import subprocess
import sys
import tempfile
import zipfile
from pathlib import Path

HERE = Path(__file__).resolve().parent
ROOT = HERE.parent
PLUGIN = "tufu_qgis"


def project_version() -> str:
    text = (ROOT / "CMakeLists.txt").read_text(encoding="utf-8")
    return re.search(r"project\(tufu VERSION ([0-9.]+)", text).group(1)


def files(folder: Path):
    for p in sorted(folder.rglob("*")):
        if p.is_file() and "__pycache__" not in p.parts and p.suffix not in (".pyc", ".pyo"):
            yield p


def main() -> int:
    ap = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    ap.add_argument("--library", required=True, help="libtufu.so.0 to bundle")
    ap.add_argument("--windows-library", default=None, help="tufu.dll to bundle as well")
    ap.add_argument("--icon", required=True, help="the icon, a PNG")
    ap.add_argument("--out", required=True, help="folder for the zip")
    ap.add_argument("--version", default=None)
    a = ap.parse_args()
    version = a.version or project_version()
    library, icon = Path(a.library), Path(a.icon)
    dll = Path(a.windows_library) if a.windows_library else None
    for p in (library, icon) + ((dll,) if dll else ()):
        if not p.is_file():
            print(f"build_zip.py: {p} not found", file=sys.stderr)
            return 2
    out = Path(a.out)
    out.mkdir(parents=True, exist_ok=True)
    target = out / f"tufu-qgis-{version}.zip"

    with tempfile.TemporaryDirectory() as tmp:
        stage = Path(tmp) / PLUGIN
        shutil.copytree(HERE / PLUGIN, stage, ignore=shutil.ignore_patterns("__pycache__", "*.pyc", "tufu"))
        shutil.copytree(ROOT / "python" / "tufu", stage / "tufu",
                        ignore=shutil.ignore_patterns("__pycache__", "*.pyc", "*.so*", "*.dll"))
        lib = stage / "tufu" / "libtufu.so.0"
        shutil.copyfile(library.resolve(), lib)
        if shutil.which("strip"):
            subprocess.run(["strip", "--strip-unneeded", str(lib)], check=True)
        if dll:
            shutil.copyfile(dll.resolve(), stage / "tufu" / "tufu.dll")  # linked without symbols
        shutil.copyfile(icon, stage / "icon.png")
        meta = stage / "metadata.txt"
        text = meta.read_text(encoding="utf-8")
        text = re.sub(r"^version=.*$", f"version={version}", text, flags=re.M)
        meta.write_text(text, encoding="utf-8")

        partial = target.with_suffix(".zip.part")
        with zipfile.ZipFile(partial, "w", zipfile.ZIP_DEFLATED) as z:
            for p in files(stage):
                info = zipfile.ZipInfo.from_file(p, str(p.relative_to(Path(tmp))))
                info.compress_type = zipfile.ZIP_DEFLATED
                with open(p, "rb") as fh:
                    z.writestr(info, fh.read())
        partial.replace(target)
    print(target)
    return 0


if __name__ == "__main__":
    sys.exit(main())
