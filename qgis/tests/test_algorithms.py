"""The Processing algorithms on real layers, field by field against
tufu-cli on the same inputs."""

import csv
import math

import processing
import pytest
from qgis.core import (
    NULL,
    QgsCoordinateReferenceSystem,
    QgsCoordinateTransform,
    QgsFeature,
    QgsField,
    QgsGeometry,
    QgsPointXY,
    QgsProcessingException,
    QgsProcessingFeedback,
    QgsProject,
    QgsRectangle,
    QgsVectorLayer,
)
from qgis.PyQt.QtCore import QVariant

GRID_FIELDS = ["new_no", "old_no", "scale", "denom", "name", "west", "south", "east", "north"]


def value(f, name):
    """A field's value, None for NULL."""
    v = f[name]
    return None if v == NULL else v


def rows(layer, fields):
    return [[value(f, name) for name in fields] for f in layer.getFeatures()]


def cli_grid(cli, tmp_path, args, name="cli"):
    path = tmp_path / f"{name}.gpkg"
    cli.run(["grid", *args, "-o", str(path), "--overwrite"], ok=(0,))
    layer = QgsVectorLayer(str(path), "cli", "ogr")
    assert layer.isValid()
    return layer


def same_rows(ours, theirs):
    assert len(ours) == len(theirs)
    for a, b in zip(ours, theirs):
        assert a[:5] == b[:5]
        assert a[5:] == pytest.approx(b[5:], abs=1e-12)


def same_geometries(ours, theirs, tol):
    a = [f.geometry() for f in ours.getFeatures()]
    b = [f.geometry() for f in theirs.getFeatures()]
    assert len(a) == len(b)
    for ga, gb in zip(a, b):
        va, vb = list(ga.vertices()), list(gb.vertices())
        assert len(va) == len(vb)
        for p, q in zip(va, vb):
            assert p.x() == pytest.approx(q.x(), abs=tol) and p.y() == pytest.approx(q.y(), abs=tol)


# ------------------------------------------------------------------ grid

GRID_CASES = [
    # (algorithm parameters, tufu-cli grid arguments)
    ({"MODE": 3, "REGION_NAME": "北京", "SCALE": 4}, ["--region", "北京", "--scale", "1:10万"]),
    ({"MODE": 4, "SHEET": "J50", "SCALE": 2}, ["--contains", "J50", "--scale", "1:25万"]),
    ({"MODE": 4, "SHEET": "J-50-5", "SCALE": 5}, ["--contains", "J-50-5", "--scale", "1:5万"]),
    ({"MODE": 5, "SHEET": "J50C001004", "SCALE": 2}, ["--neighbours", "J50C001004", "--scale", "1:25万"]),
    ({"MODE": 5, "SHEET": "J50B001001", "SCALE": 2}, ["--neighbours", "J50B001001", "--scale", "1:25万"]),
    ({"MODE": 0, "EXTENT": "116.2,116.9,39.7,40.1 [EPSG:4490]", "SCALE": 6},
     ["--bounds", "116.2", "116.9", "39.7", "40.1", "--scale", "1:2.5万"]),
    # A bound on a sheet edge ends the block in the sheet before it.
    ({"MODE": 0, "EXTENT": "114,120,36,40 [EPSG:4490]", "SCALE": 1},
     ["--bounds", "114", "120", "36", "40", "--scale", "1:50万"]),
    ({"MODE": 0, "EXTENT": "116,116.25,39.5,39.75 [EPSG:4490]", "SCALE": 9, "EDITION": 1},
     ["--bounds", "116", "116.25", "39.5", "39.75", "--scale", "1:2000", "--standard", "2012"]),
]


def region_index(name):
    from tufu_qgis import numbering

    return numbering.regions().index(name)


@pytest.mark.parametrize("params,args", GRID_CASES)
def test_grid_matches_cli(cli, tmp_path, params, args):
    params = dict(params)
    if "REGION_NAME" in params:
        params["REGION"] = region_index(params.pop("REGION_NAME"))
    result = processing.run("tufu:grid", {**params, "DENSIFY": 0, "OUTPUT": "memory:"})
    ours = result["OUTPUT"]
    theirs = cli_grid(cli, tmp_path, args)
    assert ours.crs().authid() == "EPSG:4490"
    assert result["COUNT"] == theirs.featureCount()
    same_rows(rows(ours, GRID_FIELDS), rows(theirs, GRID_FIELDS))
    same_geometries(ours, theirs, 1e-12)


def test_grid_projected_and_densified_matches_cli(cli, tmp_path):
    params = {"MODE": 4, "SHEET": "J50C001002", "SCALE": 4, "OUTPUT_CRS": "EPSG:4527", "DENSIFY": 5,
              "OUTPUT": "memory:"}
    ours = processing.run("tufu:grid", params)["OUTPUT"]
    theirs = cli_grid(cli, tmp_path, ["--contains", "J50C001002", "--scale", "1:10万", "--crs", "EPSG:4527",
                                      "--densify", "5"])
    assert ours.crs().authid() == "EPSG:4527"
    same_rows(rows(ours, GRID_FIELDS), rows(theirs, GRID_FIELDS))
    same_geometries(ours, theirs, 1e-3)  # metres, through PROJ on both sides


def test_grid_over_a_projected_extent_is_the_block_of_its_degrees(cli, tmp_path):
    # An extent in Gauss-Krüger metres: the sheets of its box in CGCS2000.
    gk = QgsCoordinateReferenceSystem("EPSG:4527")
    ct = QgsCoordinateTransform(QgsCoordinateReferenceSystem("EPSG:4490"), gk, QgsProject.instance())
    box = ct.transformBoundingBox(QgsRectangle(116.1, 39.6, 116.8, 40.2))
    extent = f"{box.xMinimum()},{box.xMaximum()},{box.yMinimum()},{box.yMaximum()} [EPSG:4527]"
    ours = processing.run("tufu:grid", {"MODE": 0, "EXTENT": extent, "SCALE": 5, "OUTPUT": "memory:"})["OUTPUT"]
    back = ct.transformBoundingBox(box, QgsCoordinateTransform.ReverseTransform)
    theirs = cli_grid(cli, tmp_path, ["--bounds", f"{back.xMinimum():.6f}", f"{back.xMaximum():.6f}",
                                      f"{back.yMinimum():.6f}", f"{back.yMaximum():.6f}", "--scale", "5万"])
    same_rows(rows(ours, GRID_FIELDS), rows(theirs, GRID_FIELDS))


def test_grid_of_a_layer_written_by_the_cli(cli, tmp_path):
    # The sheets of a GeoPackage from tufu-cli grid, at the next scale: the
    # layer's extent and the sheets touching its features agree with the CLI.
    source = cli_grid(cli, tmp_path, ["--contains", "J50B001001", "--scale", "1:25万"])
    ours = processing.run("tufu:grid", {"MODE": 1, "LAYER": source, "SCALE": 4, "OUTPUT": "memory:"})["OUTPUT"]
    theirs = cli_grid(cli, tmp_path, ["--contains", "J50B001001", "--scale", "1:10万"], name="cli10")
    same_rows(rows(ours, GRID_FIELDS), rows(theirs, GRID_FIELDS))
    # Touching: the outlines' north and east edges lie in the sheets beyond
    # them, as a point on an edge does, so the sheets touching the layer are
    # the block and one row north and one column east of it.
    touching = processing.run("tufu:grid", {"MODE": 2, "LAYER": source, "SCALE": 4, "OUTPUT": "memory:"})["OUTPUT"]
    inside = {f["new_no"] for f in theirs.getFeatures()}
    got = {f["new_no"]: f for f in touching.getFeatures()}
    assert set(got) >= inside and len(got) == 7 * 7
    assert all(got[n]["south"] == 40 or got[n]["west"] == 117 for n in set(got) - inside)


def memory_layer(kind, crs, wkts, fields=()):
    layer = QgsVectorLayer(f"{kind}?crs={crs}", "m", "memory")
    pr = layer.dataProvider()
    pr.addAttributes([QgsField(n, QVariant.String) for n in fields] + [QgsField("id", QVariant.Int)])
    layer.updateFields()
    feats = []
    for i, wkt in enumerate(wkts):
        f = QgsFeature(layer.fields())
        if wkt:
            f.setGeometry(QgsGeometry.fromWkt(wkt))
        f.setAttribute("id", i)
        feats.append(f)
    pr.addFeatures(feats)
    return layer


def test_grid_of_sheets_touching_lines_matches_the_package():
    from tufu_qgis import tufu

    shapely = pytest.importorskip("shapely.wkt")
    lines = ["LineString (115 39.5, 121 41)", "LineString (108 36, 108 38)",  # along a meridian edge
             "Polygon ((101.9 30.1, 102.3 30.1, 102.3 30.4, 101.9 30.1))"]
    layer = memory_layer("Unknown", "EPSG:4490", [])
    for scale_index, label in ((0, "1:100万"), (2, "1:25万"), (5, "1:5万")):
        for wkt in lines:
            kind = "Polygon" if wkt.startswith("Polygon") else "LineString"
            layer = memory_layer(kind, "EPSG:4490", [wkt])
            out = processing.run("tufu:grid", {"MODE": 2, "LAYER": layer, "SCALE": scale_index,
                                               "OUTPUT": "memory:"})["OUTPUT"]
            want = [s.number for s in tufu.sheets_touching(shapely.loads(wkt), label)]
            assert sorted(f["new_no"] for f in out.getFeatures()) == sorted(want), (wkt, label)


@pytest.mark.parametrize("params,message", [
    ({"MODE": 0, "EXTENT": "-10,20,30,40 [EPSG:4490]"}, "经度"),
    ({"MODE": 4, "SHEET": "J50C00100"}, "新图幅编号应为3位"),
    ({"MODE": 4, "SHEET": "J50E001001", "SCALE": 2}, "嵌套"),
    ({"MODE": 0, "EXTENT": "116,117,39,40 [EPSG:4490]", "SCALE": 9}, "2012"),
])
def test_grid_refusals_are_clear(params, message):
    with pytest.raises(QgsProcessingException) as e:
        processing.run("tufu:grid", {"SCALE": 5, **params, "OUTPUT": "memory:"})
    assert message in str(e.value)


def test_grid_guard_refuses_more_than_a_million_sheets():
    # 1:5000 over the whole numbered range: far more than 1,000,000 sheets.
    params = {"MODE": 0, "EXTENT": "0,179.9,0,59.9 [EPSG:4490]", "SCALE": 8, "OUTPUT": "memory:"}
    with pytest.raises(QgsProcessingException) as e:
        processing.run("tufu:grid", params)
    assert "1,000,000" in str(e.value)


def test_grid_cancel_stops_writing():
    class CancelAfterStart(QgsProcessingFeedback):
        def setProgress(self, p):  # noqa: N802
            super().setProgress(p)
            if p > 0:
                self.cancel()

    params = {"MODE": 0, "EXTENT": "100,110,20,30 [EPSG:4490]", "SCALE": 7, "ALLOW_LARGE": True,
              "OUTPUT": "memory:"}
    feedback = CancelAfterStart()
    with pytest.raises(QgsProcessingException):
        processing.run("tufu:grid", params, feedback=feedback)
    assert feedback.isCanceled()


# -------------------------------------------------------------- annotate


def write_points_csv(path, points):
    with open(path, "w", newline="", encoding="utf-8") as fh:
        w = csv.writer(fh)
        w.writerow(["id", "lon", "lat"])
        for i, (x, y) in enumerate(points):
            w.writerow([i, x, y])


POINTS = [(116.391667, 39.908333), (121.47, 31.23), (116.25, 40.0), (0, 0), (180, 60), (114, 36),
          (-3, 10), (100, 61), (87.6, 43.8), (126.6, 45.75)]


def test_annotate_csv_points_matches_cli(cli, tmp_path):
    src = tmp_path / "points.csv"
    write_points_csv(src, POINTS)
    out = tmp_path / "cli.csv"
    cli.run(["annotate", str(src), "-o", str(out), "--scale", "all"])
    with open(out, encoding="utf-8") as fh:
        theirs = list(csv.DictReader(fh))
    uri = f"file://{src}?delimiter=,&xField=lon&yField=lat&crs=EPSG:4490"
    layer = QgsVectorLayer(uri, "points", "delimitedtext")
    assert layer.isValid() and layer.featureCount() == len(POINTS)
    result = processing.run("tufu:annotate", {"INPUT": layer, "SCALES": list(range(9)), "OUTPUT": "memory:"})
    ours = list(result["OUTPUT"].getFeatures())
    added = [n for n in theirs[0] if n.startswith(("new_", "old_"))]
    assert [f.name() for f in result["OUTPUT"].fields()][-len(added):] == added
    assert result["BLANK"] == 2
    for f, row in zip(ours, theirs):
        for name in added:
            assert (value(f, name) or "") == row[name], (row["id"], name)


def test_annotate_projected_polygons_as_text_and_as_pairs():
    # Polygons in Gauss-Krüger metres (EPSG:4527): the sheets they touch are
    # those of the same polygons in degrees; an empty geometry keeps its row.
    from tufu_qgis import tufu

    shapely = pytest.importorskip("shapely.wkt")
    gk = QgsCoordinateReferenceSystem("EPSG:4527")
    ct = QgsCoordinateTransform(QgsCoordinateReferenceSystem("EPSG:4490"), gk, QgsProject.instance())
    degrees = ["Polygon ((116.1 39.7, 116.6 39.7, 116.6 40.1, 116.1 39.7))",
               "Polygon ((117.05 39.05, 117.1 39.05, 117.1 39.1, 117.05 39.1, 117.05 39.05))", None]
    metres = []
    for wkt in degrees:
        if wkt is None:
            metres.append(None)
            continue
        g = QgsGeometry.fromWkt(wkt)
        g.transform(ct)
        metres.append(g.asWkt(6))
    layer = memory_layer("Polygon", "EPSG:4527", metres)
    text = processing.run("tufu:annotate", {"INPUT": layer, "SCALES": [5], "OUTPUT": "memory:"})
    assert text["BLANK"] == 1
    feats = list(text["OUTPUT"].getFeatures())
    assert len(feats) == 3 and value(feats[2], "new_5w") is None
    for f, wkt in zip(feats[:2], degrees[:2]):
        # The projected polygon's edges are straight in metres, not in
        # degrees: compare with the package on the polygon taken back.
        back = QgsGeometry(f.geometry())
        back.transform(ct, QgsCoordinateTransform.ReverseTransform)
        want = tufu.sheets_touching(shapely.loads(back.asWkt(12)), "5万")
        assert f["new_5w"] == ",".join(s.new_number for s in want)
        assert f["old_5w"] == ",".join(s.old_number for s in want)
    pairs = processing.run("tufu:annotate", {"INPUT": layer, "SCALES": [5], "LAYOUT": 1, "OUTPUT": "memory:"})
    got = [(f["id"], value(f, "new_5w")) for f in pairs["OUTPUT"].getFeatures()]
    assert len(got) == feats[0]["new_5w"].count(",") + 1 + feats[1]["new_5w"].count(",") + 1 + 1
    assert got[-1] == (2, None)


def test_annotate_keeps_an_existing_column_and_refuses_2012_scales_in_1992():
    layer = memory_layer("Point", "EPSG:4326", ["Point (116.391667 39.908333)"], fields=["new_5w"])
    out = processing.run("tufu:annotate", {"INPUT": layer, "SCALES": [5], "OUTPUT": "memory:"})["OUTPUT"]
    assert [f.name() for f in out.fields()] == ["new_5w", "id", "old_5w"]
    assert next(out.getFeatures())["new_5w"] == "J50E001010"
    with pytest.raises(QgsProcessingException) as e:
        processing.run("tufu:annotate", {"INPUT": layer, "SCALES": [9], "OUTPUT": "memory:"})
    assert "2012" in str(e.value)


def test_annotate_cancel():
    layer = memory_layer("Point", "EPSG:4490", ["Point (116 39)"] * 40000)
    feedback = QgsProcessingFeedback()
    feedback.cancel()
    with pytest.raises(QgsProcessingException):
        processing.run("tufu:annotate", {"INPUT": layer, "SCALES": [5], "OUTPUT": "memory:"}, feedback=feedback)


# ------------------------------------------------------ sheets from numbers

NUMBERS = ["J50E001010", "j-50-5-b", "J50C00100", "K-49", "I-48-XXXV", "L-51-[17]", "", "J50 ", "D-45-48-(26)-C"]


def test_sheets_from_a_table_field_match_cli(cli):
    layer = memory_layer("None", "EPSG:4490", [None] * len(NUMBERS), fields=["no"])
    layer.startEditing()
    for f, n in zip(layer.getFeatures(), NUMBERS):
        layer.changeAttributeValue(f.id(), 0, n)
    layer.commitChanges()
    result = processing.run("tufu:sheetsfromnumbers", {"INPUT": layer, "FIELD": "no", "OUTPUT": "memory:"})
    feats = list(result["OUTPUT"].getFeatures())
    assert len(feats) == len(NUMBERS)
    answers = cli.json(["sheet"], [n if n.strip() else "''" for n in NUMBERS])
    refused = 0
    for f, n in zip(feats, NUMBERS):
        assert f["no"] == n and f["input"] == n
        a = cli.json(["sheet", n])[0] if n and n == n.strip() else None
        if a is not None and a["valid"]:
            assert [f[k] for k in ("new_no", "old_no", "scale", "name")] == [a["new"], a["old"], a["scale"], a["name"]]
            assert [f[k] for k in ("west", "south", "east", "north")] == pytest.approx(a["bounds"], abs=1e-12)
            assert value(f, "reason") is None and f.hasGeometry()
        else:
            refused += 1
            assert not f.hasGeometry() and f["reason"], n
            if a is not None:
                assert f["reason"] == a["error"]
    assert result["REFUSED"] == refused == 4
    assert answers  # the CLI answered the whole list too


def test_sheets_from_a_typed_list():
    result = processing.run("tufu:sheetsfromnumbers", {"NUMBERS": "J50，K-49;\nZ-49  J50C001002",
                                                        "OUTPUT_CRS": "EPSG:3857", "OUTPUT": "memory:"})
    feats = list(result["OUTPUT"].getFeatures())
    assert [f["input"] for f in feats] == ["J50", "K-49", "Z-49", "J50C001002"]
    assert result["REFUSED"] == 1 and result["OUTPUT"].crs().authid() == "EPSG:3857"
    assert feats[1]["new_no"] == "K49" and feats[2]["reason"]


# -------------------------------------------------------------- adjoining


@pytest.mark.parametrize("number", ["J50C001004", "J-50-5-B", "A31", "N60E001001"])
def test_adjoining_matches_cli(cli, number):
    out = processing.run("tufu:adjoining", {"SHEET": number, "OUTPUT": "memory:"})["OUTPUT"]
    grid = cli.json(["neighbours", number])[0]["grid"]
    cells = [c for row in grid for c in row]
    feats = list(out.getFeatures())
    assert [f["position"] for f in feats] == ["NW", "N", "NE", "W", "C", "E", "SW", "S", "SE"]
    for f, c in zip(feats, cells):
        if c is None:
            assert value(f, "new_no") is None and not f.hasGeometry()
        else:
            assert (f["new_no"], f["old_no"], f["name"]) == (c["new"], c["old"], c["name"])
