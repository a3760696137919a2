#!/usr/bin/python3
"""Timings of the QGIS plugin through Processing (reported, not checked):

  - annotate 10^6 points (a memory layer in EPSG:4490) at 1:5万, into a
    memory layer: target at least 100,000 points/s;
  - a grid of 36,864 sheets (the 1:5000 sheets of one 1:100万 sheet, J50)
    into a memory layer and into a GeoPackage: target at most 5 s.

  QT_QPA_PLATFORM=offscreen bench/qgis/bench_qgis.py PLUGINS_DIR [--points N]

PLUGINS_DIR holds the unpacked tufu_qgis plugin (from the built zip)."""

import argparse
import os
import random
import sys
import tempfile
import time

os.environ.setdefault("QT_QPA_PLATFORM", "offscreen")
ap = argparse.ArgumentParser()
ap.add_argument("plugins")
ap.add_argument("--points", type=int, default=1_000_000)
a = ap.parse_args()
sys.path.insert(0, a.plugins)
sys.path.append("/usr/share/qgis/python/plugins")

from qgis.core import (  # noqa: E402
    QgsApplication, QgsFeature, QgsGeometry, QgsPointXY, QgsVectorLayer,
)

QgsApplication.setPrefixPath("/usr", True)
app = QgsApplication([], False)
app.initQgis()
from processing.core.Processing import Processing  # noqa: E402

Processing.initialize()
import processing  # noqa: E402
import tufu_qgis  # noqa: E402

plugin = tufu_qgis.classFactory(None)  # kept: it owns the provider
plugin.initProcessing()

layer = QgsVectorLayer("Point?crs=EPSG:4490&field=id:integer", "points", "memory")
rng = random.Random(1)
feats = []
for i in range(a.points):
    f = QgsFeature(layer.fields())
    f.setGeometry(QgsGeometry.fromPointXY(QgsPointXY(rng.uniform(73, 135), rng.uniform(18, 54))))
    f.setAttributes([i])
    feats.append(f)
layer.dataProvider().addFeatures(feats)
del feats

# Wall time, and the CPU time of this process, which other programs on a
# busy machine do not inflate.
t, c = time.perf_counter(), time.process_time()
r = processing.run("tufu:annotate", {"INPUT": layer, "SCALES": [5], "OUTPUT": "memory:"})
dt, dc = time.perf_counter() - t, time.process_time() - c
n = r["OUTPUT"].featureCount()
print(f"annotate {n:,} points at 1:5万 -> memory: {dt:.2f} s ({n / dt:,.0f} points/s), "
      f"CPU {dc:.2f} s ({n / dc:,.0f} points/s) (target >= 100,000 points/s)")

for label, out in (("memory", "memory:"), ("GeoPackage", os.path.join(tempfile.mkdtemp(), "grid.gpkg"))):
    t, c = time.perf_counter(), time.process_time()
    r = processing.run("tufu:grid", {"MODE": 4, "SHEET": "J50", "SCALE": 8, "DENSIFY": 0, "OUTPUT": out})
    dt, dc = time.perf_counter() - t, time.process_time() - c
    print(f"grid of {r['COUNT']:,} sheets (J50 at 1:5000) -> {label}: {dt:.2f} s, CPU {dc:.2f} s (target <= 5 s)")
