"""The dock panel's answers for cursor positions given through its API."""

import pytest
from qgis.core import QgsCoordinateReferenceSystem, QgsPointXY
from qgis.gui import QgsMapCanvas


@pytest.fixture()
def dock():
    from tufu_qgis.dock import SheetDock

    canvas = QgsMapCanvas()
    canvas.setDestinationCrs(QgsCoordinateReferenceSystem("EPSG:3857"))
    canvas.resize(400, 300)
    d = SheetDock(canvas)
    yield d
    d.close_panel()


def expected(cli, lon, lat, labels):
    out = []
    for label in labels:
        a = cli.json(["point", str(lon), str(lat), "--scale", label])[0]["sheets"][0]
        out.append({"scale": label, "new": a["new"], "old": a["old"], "name": a["name"]})
    return out


def test_cursor_in_degrees_and_in_the_canvas_crs(cli, dock):
    labels = ["1:100万", "1:20万", "1:5万"]
    dock.set_scales(labels)
    dock.show_point(QgsPointXY(116.391667, 39.908333), QgsCoordinateReferenceSystem("EPSG:4490"))
    assert dock.answers() == expected(cli, 116.391667, 39.908333, labels)
    # The canvas is in Web Mercator: a cursor there (Shanghai).
    dock.show_point(QgsPointXY(13522040.0, 3662140.0))
    assert dock.answers() == expected(cli, 121.47, 31.23, labels)
    assert dock.table.rowCount() == 3 and dock.table.item(0, 1).text() == "H51"
    assert dock.copy().splitlines()[0] == "1:100万\tH51\tH-51\t上海"


def test_cursor_outside_and_the_2012_scales(cli, dock):
    dock.show_point(QgsPointXY(-10, 20), QgsCoordinateReferenceSystem("EPSG:4490"))
    assert dock.answers() == [] and "0°–180°E" in dock.position.text()
    dock.set_scales(["1:500", "1:5万"])
    dock.show_point(QgsPointXY(116.391667, 39.908333), QgsCoordinateReferenceSystem("EPSG:4490"))
    assert [a["scale"] for a in dock.answers()] == ["1:5万"]  # 1:500 is not in 1992
    dock.edition.setCurrentIndex(1)
    a = cli.json(["point", "116.391667", "39.908333", "--scale", "1:500", "--standard", "2012"])[0]["sheets"][0]
    assert dock.answers()[1]["new"] == a["new"]


def test_locate_zooms_and_outlines_or_gives_the_reason(cli, dock):
    assert dock.locate("J-50-5-B") == ""
    extent = dock.canvas.extent()
    assert extent.contains(QgsPointXY(12950000, 4845000))  # 116.33 E, 39.9 N in metres
    assert dock.band.numberOfVertices() > 4
    assert "J50E001010" in dock.found.text()
    reason = dock.locate("J50C00100")
    assert reason == cli.json(["sheet", "J50C00100"])[0]["error"] == dock.found.text()
    assert dock.band.numberOfVertices() == 0
