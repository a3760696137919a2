#!/usr/bin/python3
"""Builds tufu-<version>-windows-x64.zip: one folder tufu-<version>-windows-x64/
with tufu-cli.exe, tufu.dll, tufu.html (when given), the C header under
include/tufu/ and 说明.txt (UTF-8 with a byte order mark and CRLF, as
Notepad reads it best).

  package.py --cli build-mingw/cli/tufu-cli.exe --dll build-mingw/capi/tufu.dll \\
             --headers capi/include/tufu/tufu.h build-mingw/capi/include/tufu/tufu_version.h \\
             [--html build/web/tufu.html] --out build-mingw/packages

File names in the zip are flagged UTF-8, so that Windows shows 说明.txt."""

import argparse
import re
import sys
import zipfile
from pathlib import Path

HERE = Path(__file__).resolve().parent


def project_version() -> str:
    text = (HERE.parent / "CMakeLists.txt").read_text(encoding="utf-8")
    return re.search(r"project\(tufu VERSION ([0-9.]+)", text).group(1)


def main() -> int:
    ap = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    ap.add_argument("--cli", required=True)
    ap.add_argument("--dll", required=True)
    ap.add_argument("--headers", nargs="+", required=True)
    ap.add_argument("--html", default=None)
    ap.add_argument("--out", required=True)
    a = ap.parse_args()
    version = project_version()
    top = f"tufu-{version}-windows-x64"
    entries = [(Path(a.cli), "tufu-cli.exe"), (Path(a.dll), "tufu.dll")]
    if a.html:
        entries.append((Path(a.html), "tufu.html"))
    entries += [(Path(h), "include/tufu/" + Path(h).name) for h in a.headers]
    for source, _ in entries:
        if not source.is_file():
            print(f"package.py: {source} not found", file=sys.stderr)
            return 2
    notes = (HERE / "说明.txt").read_text(encoding="utf-8").replace("@VERSION@", version)
    if not a.html:  # without the page, the notes do not point to it
        notes = re.sub(r"一、tufu.html.*?\n\n", "", notes, flags=re.S)
        notes = notes.replace("二、", "一、").replace("三、", "二、")

    out = Path(a.out)
    out.mkdir(parents=True, exist_ok=True)
    target = out / f"{top}.zip"
    partial = target.with_suffix(".zip.part")
    with zipfile.ZipFile(partial, "w", zipfile.ZIP_DEFLATED) as z:
        for source, name in entries:
            z.write(source, f"{top}/{name}")
        z.writestr(f"{top}/说明.txt", "\ufeff" + notes.replace("\n", "\r\n"))
    partial.replace(target)
    print(target)
    return 0


if __name__ == "__main__":
    sys.exit(main())
