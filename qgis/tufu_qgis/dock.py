"""The dock panel "图幅编号": the sheets under the cursor at the chosen
scales, live, in any project CRS; a field that finds a typed sheet number,
zooms to it and outlines it; a button that copies the current numbers."""

from __future__ import annotations

from typing import Dict, List, Optional

from qgis.core import (
    QgsCoordinateReferenceSystem,
    QgsCoordinateTransform,
    QgsPointXY,
    QgsProject,
    QgsRectangle,
    QgsWkbTypes,
)
from qgis.gui import QgsDockWidget, QgsRubberBand
from qgis.PyQt.QtCore import Qt
from qgis.PyQt.QtGui import QColor, QGuiApplication
from qgis.PyQt.QtWidgets import (
    QAbstractItemView,
    QComboBox,
    QHBoxLayout,
    QHeaderView,
    QLabel,
    QLineEdit,
    QListWidget,
    QListWidgetItem,
    QPushButton,
    QTableWidget,
    QTableWidgetItem,
    QVBoxLayout,
    QWidget,
)

from . import numbering
from .algorithms.common import CGCS2000, Outline
from .i18n import tr

#: The scales shown at first, by label.
DEFAULT_SCALES = ("1:100万", "1:10万", "1:5万", "1:1万")


class SheetDock(QgsDockWidget):
    def __init__(self, canvas, parent=None) -> None:
        super().__init__(tr("图幅编号"), parent)
        self.setObjectName("tufuSheetDock")
        self.canvas = canvas
        self._point: Optional[QgsPointXY] = None  # in CGCS2000 degrees
        self._answers: List[Dict[str, str]] = []

        body = QWidget(self)
        layout = QVBoxLayout(body)

        top = QHBoxLayout()
        top.addWidget(QLabel(tr("编号标准")))
        self.edition = QComboBox(body)
        self.edition.setObjectName("editionCombo")
        self.edition.addItem(tr("GB/T 13989-1992"), 1992)
        self.edition.addItem(tr("GB/T 13989-2012"), 2012)
        top.addWidget(self.edition, 1)
        layout.addLayout(top)

        self.scales = QListWidget(body)
        self.scales.setObjectName("scaleList")
        self.scales.setFlow(QListWidget.LeftToRight)
        self.scales.setWrapping(True)
        self.scales.setResizeMode(QListWidget.Adjust)
        self.scales.setSelectionMode(QAbstractItemView.NoSelection)
        for info in numbering.all_scales():
            item = QListWidgetItem(info.label, self.scales)
            item.setData(Qt.UserRole, info.index)
            item.setFlags(Qt.ItemIsUserCheckable | Qt.ItemIsEnabled)
            item.setCheckState(Qt.Checked if info.label in DEFAULT_SCALES else Qt.Unchecked)
        self.scales.setMaximumHeight(64)
        layout.addWidget(self.scales)

        self.position = QLabel(tr("鼠标所在位置: -"), body)
        self.position.setObjectName("positionLabel")
        self.position.setTextInteractionFlags(Qt.TextSelectableByMouse)
        layout.addWidget(self.position)

        self.table = QTableWidget(0, 4, body)
        self.table.setObjectName("sheetTable")
        self.table.setHorizontalHeaderLabels([tr("比例尺"), tr("新图幅编号"), tr("旧图幅编号"), tr("图名")])
        self.table.verticalHeader().setVisible(False)
        self.table.horizontalHeader().setSectionResizeMode(QHeaderView.ResizeToContents)
        self.table.horizontalHeader().setStretchLastSection(True)
        self.table.setEditTriggers(QAbstractItemView.NoEditTriggers)
        layout.addWidget(self.table, 1)

        self.copy_button = QPushButton(tr("复制"), body)
        self.copy_button.setObjectName("copyButton")
        self.copy_button.setToolTip(tr("把表中的图幅编号复制到剪贴板"))
        layout.addWidget(self.copy_button)

        find = QHBoxLayout()
        find.addWidget(QLabel(tr("图幅编号")))
        self.number = QLineEdit(body)
        self.number.setObjectName("numberEdit")
        self.number.setPlaceholderText(tr("输入新或旧图幅编号, 回车定位"))
        self.number.setClearButtonEnabled(True)
        find.addWidget(self.number, 1)
        layout.addLayout(find)
        self.found = QLabel(body)
        self.found.setObjectName("foundLabel")
        self.found.setWordWrap(True)
        self.found.setTextInteractionFlags(Qt.TextSelectableByMouse)
        layout.addWidget(self.found)
        self.setWidget(body)

        self.band = QgsRubberBand(canvas, QgsWkbTypes.PolygonGeometry)
        self.band.setColor(QColor(220, 30, 30, 200))
        self.band.setFillColor(QColor(220, 30, 30, 30))
        self.band.setWidth(2)

        self.edition.currentIndexChanged.connect(self._refresh)
        self.scales.itemChanged.connect(self._refresh)
        self.copy_button.clicked.connect(self.copy)
        self.number.returnPressed.connect(lambda: self.locate(self.number.text()))
        self.canvas.xyCoordinates.connect(self.show_point)

    # ------------------------------------------------------------- the API

    def current_edition(self) -> int:
        return int(self.edition.currentData())

    def chosen_scales(self):
        edition = self.current_edition()
        out = []
        for i in range(self.scales.count()):
            item = self.scales.item(i)
            info = numbering.all_scales()[int(item.data(Qt.UserRole))]
            item.setHidden(info.since > edition)
            if item.checkState() == Qt.Checked and info.since <= edition:
                out.append(info)
        return out

    def set_scales(self, labels) -> None:
        """Checks the scales of `labels` and no others."""
        self.scales.blockSignals(True)
        for i in range(self.scales.count()):
            item = self.scales.item(i)
            item.setCheckState(Qt.Checked if item.text() in labels else Qt.Unchecked)
        self.scales.blockSignals(False)
        self._refresh()

    def show_point(self, point: QgsPointXY, crs: Optional[QgsCoordinateReferenceSystem] = None) -> None:
        """Shows the sheets at `point`, given in `crs` (the canvas's CRS when
        none is given), as a cursor move does."""
        if crs is None:
            crs = self.canvas.mapSettings().destinationCrs()
        p = QgsPointXY(point)
        if crs.isValid() and crs != CGCS2000:
            try:
                p = QgsCoordinateTransform(crs, CGCS2000, QgsProject.instance()).transform(p)
            except Exception:  # the cursor is where the CRS has no longitude
                p = None
        self._point = p
        self._refresh()

    def answers(self) -> List[Dict[str, str]]:
        """What the table shows: scale, new, old and name per chosen scale."""
        return [dict(a) for a in self._answers]

    def copy(self) -> str:
        """Copies the table as tab-separated lines; returns the text."""
        lines = ["\t".join([a["scale"], a["new"], a["old"], a["name"]]) for a in self._answers]
        text = "\n".join(lines)
        QGuiApplication.clipboard().setText(text)
        return text

    def locate(self, text: str) -> str:
        """Finds a sheet number: zooms the map to it and outlines it.
        Returns "" when found, else the Chinese reason (also shown)."""
        text = text or ""
        if not text.strip():
            self.band.reset(QgsWkbTypes.PolygonGeometry)
            self.found.setText("")
            return ""
        try:
            sheet = numbering.sheet(text, self.current_edition())
        except numbering.SheetNumberError as e:
            self.band.reset(QgsWkbTypes.PolygonGeometry)
            self.found.setStyleSheet("color: #b00000")
            self.found.setText(e.reason)
            return e.reason
        w, s, e, n = sheet.bounds
        outline = Outline(CGCS2000, 16, QgsProject.instance()).geometry(w, s, e, n)
        self.band.setToGeometry(outline, CGCS2000)
        dest = self.canvas.mapSettings().destinationCrs()
        box = QgsRectangle(w, s, e, n)
        if dest.isValid() and dest != CGCS2000:
            box = QgsCoordinateTransform(CGCS2000, dest, QgsProject.instance()).transformBoundingBox(box)
        box.scale(1.25)
        self.canvas.setExtent(box)
        self.canvas.refresh()
        self.found.setStyleSheet("")
        parts = [sheet.scale.label, sheet.new_number, sheet.old_number, sheet.name]
        self.found.setText("  ".join(p for p in parts if p))
        return ""

    def close_panel(self) -> None:
        try:
            self.canvas.xyCoordinates.disconnect(self.show_point)
        except TypeError:  # never connected
            pass
        self.band.reset(QgsWkbTypes.PolygonGeometry)
        self.canvas.scene().removeItem(self.band)

    # ------------------------------------------------------------ internals

    def _refresh(self, *_args) -> None:
        edition = self.current_edition()
        infos = self.chosen_scales()
        p = self._point
        answers: List[Dict[str, str]] = []
        inside = False
        if p is not None:
            self.position.setText(tr("经度 {0:.6f}°  纬度 {1:.6f}° (CGCS2000)").format(p.x(), p.y()))
            for info in infos:
                recs, ok = numbering.sheets_at([p.x()], [p.y()], info, edition)
                inside = bool(ok[0])
                if not inside:
                    break
                t = numbering.texts(recs)
                answers.append({"scale": info.label, "new": str(t.new[0]), "old": str(t.old[0]),
                                "name": str(t.name[0])})
        else:
            self.position.setText(tr("鼠标所在位置: -"))
        if p is not None and not inside and infos:
            self.position.setText(self.position.text() + "  " + tr("不在 0°–180°E、0°–60°N 之内"))
            answers = []
        self._answers = answers
        self.table.setRowCount(len(answers))
        for row, a in enumerate(answers):
            for col, key in enumerate(("scale", "new", "old", "name")):
                self.table.setItem(row, col, QTableWidgetItem(a[key]))
        self.copy_button.setEnabled(bool(answers))
