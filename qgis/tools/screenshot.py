"""Run inside QGIS (qgis --code screenshot.py) with the plugin enabled:
draws the 1:5万 grid of the 1:50万 sheet J50B001001 (west of 北京) in
Gauss-Krüger zone 39, labelled with its numbers and tufu_sheet_name, shows the
"图幅编号" dock for a cursor position and a located sheet, and saves the
window to the file named by TUFU_SHOT, then quits QGIS."""

import os

import processing
from qgis.core import (
    QgsCoordinateReferenceSystem,
    QgsCoordinateTransform,
    QgsPalLayerSettings,
    QgsPointXY,
    QgsProject,
    QgsRectangle,
    QgsTextBufferSettings,
    QgsTextFormat,
    QgsVectorLayerSimpleLabeling,
)
from qgis.PyQt.QtCore import QTimer
from qgis.PyQt.QtGui import QColor, QFont
from qgis.utils import iface, plugins

from tufu_qgis import numbering

canvas = iface.mapCanvas()
QgsProject.instance().setCrs(QgsCoordinateReferenceSystem("EPSG:4527"))
result = processing.run("tufu:grid", {"MODE": 4, "SHEET": "J50B001001", "SCALE": 5,
                                      "OUTPUT_CRS": "EPSG:4527", "OUTPUT": "memory:"})
layer = result["OUTPUT"]
layer.setName("1:5万 图幅网格 (J-50-A)")
symbol = layer.renderer().symbol()
symbol.setColor(QColor(255, 255, 255, 0))
symbol.symbolLayer(0).setStrokeColor(QColor(40, 90, 170))
symbol.symbolLayer(0).setStrokeWidth(0.4)
settings = QgsPalLayerSettings()
settings.isExpression = True
settings.fieldName = ("\"new_no\" || '\\n' || \"old_no\" || "
                      "coalesce('\\n' || nullif(tufu_sheet_name(\"new_no\"), ''), '')")
settings.placement = QgsPalLayerSettings.OverPoint
fmt = QgsTextFormat()
fmt.setFont(QFont("Noto Sans CJK SC", 8))
fmt.setSize(8)
buffer = QgsTextBufferSettings()
buffer.setEnabled(True)
buffer.setSize(0.8)
fmt.setBuffer(buffer)
settings.setFormat(fmt)
layer.setLabeling(QgsVectorLayerSimpleLabeling(settings))
layer.setLabelsEnabled(True)
QgsProject.instance().addMapLayer(layer)

dock = plugins["tufu_qgis"].dock
dock.show()
dock.raise_()
dock.set_scales(["1:100万", "1:25万", "1:10万", "1:5万", "1:1万"])
canvas.refresh()


def finish():
    dock.number.setText("J-50-1-A")
    dock.locate("J-50-1-A")
    dock.show_point(QgsPointXY(114.12, 39.9), QgsCoordinateReferenceSystem("EPSG:4490"))
    # The north-west corner of the grid: J-50-1-A and the sheets east and south.
    box = QgsCoordinateTransform(QgsCoordinateReferenceSystem("EPSG:4490"), canvas.mapSettings().destinationCrs(),
                                 QgsProject.instance()).transformBoundingBox(QgsRectangle(114.0, 39.45, 115.0, 40.0))
    canvas.setExtent(box)
    canvas.refresh()
    QTimer.singleShot(6000, save)


def save():
    iface.mainWindow().grab().save(os.environ["TUFU_SHOT"])
    QgsProject.instance().setDirty(False)
    iface.actionExit().trigger()


QTimer.singleShot(4000, finish)
