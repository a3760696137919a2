"""The algorithms from the shell, as a scripting user runs them: qgis_process
with the plugin installed from the built zip (TUFU_QGIS_ZIP) into a fresh
QGIS profile folder (QGIS_CUSTOM_CONFIG_PATH) and enabled there."""

import csv
import json
import os
import shutil
import subprocess
import zipfile
from pathlib import Path

import pytest
from qgis.core import QgsVectorLayer

# Debian's qgis_process is a wrapper that adds the options of the QGIS
# window (--noversioncheck), which qgis_process refuses; run the program.
QGIS_PROCESS = shutil.which("qgis_process.bin") or shutil.which("qgis_process")


@pytest.fixture(scope="module")
def qgis_process(tmp_path_factory):
    archive = os.environ.get("TUFU_QGIS_ZIP")
    if not archive:
        raise pytest.UsageError("TUFU_QGIS_ZIP must name the built tufu-qgis-<version>.zip")
    config = tmp_path_factory.mktemp("qgis-config")
    plugins = config / "profiles" / "default" / "python" / "plugins"
    plugins.mkdir(parents=True)
    with zipfile.ZipFile(archive) as z:
        z.extractall(plugins)
    env = {**os.environ, "QT_QPA_PLATFORM": "offscreen", "QGIS_CUSTOM_CONFIG_PATH": str(config)}

    def run(*args, check=True):
        p = subprocess.run([QGIS_PROCESS, *args], env=env, stdout=subprocess.PIPE, stderr=subprocess.PIPE,
                           timeout=300, check=False)
        if check:
            assert p.returncode == 0, p.stdout.decode() + p.stderr.decode()
        return p

    run("plugins", "enable", "tufu_qgis")
    assert "* tufu_qgis" in run("plugins").stdout.decode()
    return run


def test_listed_with_chinese_names(qgis_process):
    out = qgis_process("list").stdout.decode()
    for line in ("tufu:grid", "标准分幅网格", "tufu:annotate", "添加图幅编号", "tufu:sheetsfromnumbers",
                 "tufu:adjoining", "接图表"):
        assert line in out


def test_grid_from_the_shell_matches_cli(qgis_process, cli, tmp_path):
    ours = tmp_path / "ours.gpkg"
    qgis_process("--json", "run", "tufu:grid", "--", "MODE=4", "SHEET=J50", "SCALE=2", "DENSIFY=0",
                 f"OUTPUT={ours}")
    theirs = tmp_path / "theirs.gpkg"
    cli.run(["grid", "--contains", "J50", "--scale", "1:25万", "-o", str(theirs)], ok=(0,))
    fields = ["new_no", "old_no", "scale", "denom", "name", "west", "south", "east", "north"]
    a, b = (QgsVectorLayer(str(p), "x", "ogr") for p in (ours, theirs))
    assert a.featureCount() == b.featureCount() == 16
    for fa, fb in zip(a.getFeatures(), b.getFeatures()):
        assert [fa[n] for n in fields] == [fb[n] for n in fields]
        assert fa.geometry().equals(fb.geometry())


def test_annotate_csv_from_the_shell_matches_cli(qgis_process, cli, tmp_path):
    src = tmp_path / "p.csv"
    src.write_text("id,lon,lat\n1,116.391667,39.908333\n2,121.47,31.23\n3,200,10\n", encoding="utf-8")
    ours = tmp_path / "ours.csv"
    # A layer of another provider than OGR is named with its key in front.
    uri = f"delimitedtext://file://{src}?delimiter=,&xField=lon&yField=lat&crs=EPSG:4490"
    p = qgis_process("--json", "run", "tufu:annotate", "--", f"INPUT={uri}", "SCALES=5,7",
                     f"OUTPUT={ours}")
    result = json.loads(p.stdout.decode())["results"]
    assert result["BLANK"] == 1
    theirs = tmp_path / "theirs.csv"
    cli.run(["annotate", str(src), "-o", str(theirs), "--scale", "5万,1万"])
    with open(ours, encoding="utf-8") as a, open(theirs, encoding="utf-8") as b:
        ra, rb = list(csv.DictReader(a)), list(csv.DictReader(b))
    cols = ["new_5w", "old_5w", "new_1w", "old_1w"]
    assert [[r[c] for c in cols] for r in ra] == [[r[c] for c in cols] for r in rb]


def test_a_refused_number_fails_with_its_reason(qgis_process, tmp_path):
    p = qgis_process("run", "tufu:adjoining", "--", "SHEET=J50C00100", f"OUTPUT={tmp_path / 'x.gpkg'}",
                     check=False)
    assert p.returncode != 0
    assert "新图幅编号应为3位" in p.stdout.decode() + p.stderr.decode()
