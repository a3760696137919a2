"""The expression functions through QgsExpression, against tufu-cli."""

import pytest
from qgis.core import (
    NULL,
    QgsExpression,
    QgsExpressionContext,
    QgsExpressionContextUtils,
    QgsFeature,
    QgsGeometry,
    QgsProject,
    QgsVectorLayer,
)


def evaluate(text, layer=None, geometry=None):
    e = QgsExpression(text)
    assert not e.hasParserError(), e.parserErrorString()
    ctx = QgsExpressionContext()
    if layer is not None:
        ctx.appendScopes(QgsExpressionContextUtils.globalProjectLayerScopes(layer))
    if geometry is not None:
        f = QgsFeature()
        f.setGeometry(QgsGeometry.fromWkt(geometry))
        ctx.setFeature(f)
    value = e.evaluate(ctx)
    return (None if value == NULL else value), e.evalErrorString()


POINTS = [(116.391667, 39.908333, "1:5万"), (121.47, 31.23, "1:1万"), (87.6, 43.8, "1:20万"),
          (0, 0, "1:100万"), (180, 60, "1:5000"), (116.25, 40, "1:2.5万")]


@pytest.mark.parametrize("lon,lat,label", POINTS)
def test_sheet_and_old_sheet_match_cli(cli, lon, lat, label):
    a = cli.json(["point", str(lon), str(lat), "--scale", label])[0]["sheets"][0]
    new, err = evaluate(f"tufu_sheet(make_point({lon}, {lat}), '{label}')")
    if a["new"]:
        assert new == a["new"] and err == ""
    else:
        assert new is None and err  # 1:20万 has no new number
    old, _ = evaluate(f"tufu_old_sheet(make_point({lon}, {lat}), '{label}', 1992)")
    assert old == a["old"]


def test_point_in_the_layer_crs():
    # A Web Mercator layer: its point is taken in EPSG:3857.
    layer = QgsVectorLayer("Point?crs=EPSG:3857", "merc", "memory")
    QgsProject.instance().addMapLayer(layer)
    try:
        got, err = evaluate("tufu_sheet($geometry, 50000)", layer, "Point (12956677.4 4853397.7)")
        assert got == "J50E001010", err
        got, _ = evaluate("tufu_sheet_extent('J50')", layer)
        assert got.boundingBox().xMinimum() == pytest.approx(12690421.95, abs=0.01)
    finally:
        QgsProject.instance().removeMapLayer(layer.id())


NUMBERS = ["J50E001010", "J-50-5-B", "K-49", "I-48-XXXV", "J50", "L-48-14-C-03", "J50J00010001"]


@pytest.mark.parametrize("number", NUMBERS)
def test_conversions_names_and_extents_match_cli(cli, number):
    edition = 2012 if len(number) == 12 else 1992
    a = cli.json(["sheet", number, "--standard", str(edition)])[0]
    assert evaluate(f"tufu_to_old('{number}', {edition})")[0] == (a["old"] or None)
    assert evaluate(f"tufu_to_new('{number}', {edition})")[0] == (a["new"] or None)
    assert evaluate(f"tufu_sheet_name('{number}', {edition})")[0] == a["name"]
    box = evaluate(f"tufu_sheet_extent('{number}', {edition})")[0].boundingBox()
    assert [box.xMinimum(), box.yMinimum(), box.xMaximum(), box.yMaximum()] == pytest.approx(a["bounds"], abs=1e-12)


@pytest.mark.parametrize("text", [
    "tufu_to_old('J50C00100')", "tufu_sheet_name('Z-49')", "tufu_sheet_extent('L-51-[17]')",
    "tufu_sheet(make_point(-1, 30), '5万')", "tufu_sheet(make_point(116, 39), '1:3万')",
    "tufu_sheet(make_point(116, 39), '1:500')", "tufu_sheet(make_line(make_point(1,1), make_point(2,2)), '5万')",
    "tufu_to_new('J50', 2000)", "tufu_to_old(NULL)",
])
def test_refusals_give_null_and_a_reason(cli, text):
    got, err = evaluate(text)
    assert got is None and err


def test_refused_number_reason_is_the_cli_reason(cli):
    a = cli.json(["sheet", "J50C00100"])[0]
    _, err = evaluate("tufu_to_old('J50C00100')")
    assert a["error"] in err


def test_sheets_touching_is_an_array_in_block_order():
    got, err = evaluate("tufu_sheets_touching(make_line(make_point(115, 39.5), make_point(121, 41)), '100万')")
    assert got == ["K50", "K51", "J50"], err
    got, _ = evaluate("tufu_sheets_touching(make_point(116.391667, 39.908333), '5万')")
    assert got == ["J50E001010"]
    got, _ = evaluate("tufu_sheets_touching(geom_from_wkt('Polygon ((114 36, 120 36, 120 40, 114 40, 114 36))'), '50万')")
    # Its north and east edges lie in the sheets beyond them.
    assert got == ["K50B002001", "K50B002002", "K51B002001", "J50B001001", "J50B001002", "J51B001001",
                   "J50B002001", "J50B002002", "J51B002001"]


def test_functions_are_in_their_group():
    for name in ("tufu_sheet", "tufu_old_sheet", "tufu_to_old", "tufu_to_new", "tufu_sheet_name",
                 "tufu_sheet_extent", "tufu_sheets_touching"):
        f = QgsExpression.Functions()[QgsExpression.functionIndex(name)]
        assert f.groups() == ["图幅编号"] and f.helpText()
