"""The sheets a geometry touches, with QGIS's geometry engine.

Candidates are the sheets from the one holding the south-west corner of the
geometry's bounds to the one holding its north-east corner; a candidate
counts when the geometry meets it anywhere but on its east and north edges
alone, which belong to the neighbours there, as a point on a sheet edge
belongs to the sheet east or north of it."""

from __future__ import annotations

from typing import Optional

import numpy as np
from qgis.core import (
    QgsCoordinateReferenceSystem,
    QgsCoordinateTransform,
    QgsGeometry,
    QgsPointXY,
    QgsRectangle,
    QgsWkbTypes,
)

from .. import numbering
from .common import CGCS2000


class SheetsTouching:
    def __init__(self, info, edition: int, crs: QgsCoordinateReferenceSystem, context=None) -> None:
        self.info = info
        self.edition = edition
        self.transform: Optional[QgsCoordinateTransform] = None
        if crs.isValid() and crs != CGCS2000:
            self.transform = QgsCoordinateTransform(crs, CGCS2000, context.transformContext())
        #: Geometries that were empty or reached outside the numbering.
        self.outside = 0

    def degrees(self, geometry: QgsGeometry) -> Optional[QgsGeometry]:
        if geometry is None or geometry.isNull() or geometry.isEmpty():
            return None
        g = QgsGeometry(geometry)
        if self.transform is not None:
            try:
                g.transform(self.transform)
            except Exception:  # a point the transform cannot take
                return None
        return g

    def records(self, geometry: QgsGeometry) -> Optional[np.ndarray]:
        """Records of the sheets the geometry touches, rows from the north;
        None (and counted in `outside`) for an empty geometry or one that
        reaches outside the numbering's range."""
        g = self.degrees(geometry)
        recs = None if g is None else self._records(g)
        if recs is None:
            self.outside += 1
        return recs

    def _records(self, g: QgsGeometry) -> Optional[np.ndarray]:
        if g.type() == QgsWkbTypes.PointGeometry:
            pts = [g.asPoint()] if not g.isMultipart() else g.asMultiPoint()
            recs, ok = numbering.sheets_at([p.x() for p in pts], [p.y() for p in pts], self.info, self.edition)
            if not ok.all():
                return None
            keys = sorted({tuple(r) for r in recs.tolist()}, key=lambda r: (-r[2], r[1]))
            return numbering.records(keys)
        box = g.boundingBox()
        cand = numbering.candidates(box.xMinimum(), box.yMinimum(), box.xMaximum(), box.yMaximum(),
                                    self.info, self.edition)
        if cand is None:
            return None
        if len(cand) == 1:
            return cand
        engine = QgsGeometry.createGeometryEngine(g.constGet())
        engine.prepareGeometry()
        polygonal = g.type() == QgsWkbTypes.PolygonGeometry
        keep = np.zeros(len(cand), dtype=bool)
        for i, (w, s, e, n) in enumerate(numbering.bounds(cand).tolist()):
            cell = QgsGeometry.fromRect(QgsRectangle(w, s, e, n))
            if not engine.intersects(cell.constGet()):
                continue
            if polygonal and engine.overlaps(cell.constGet()) or engine.contains(cell.constGet()):
                keep[i] = True
                continue
            part = g.intersection(cell)
            if part.isEmpty():
                continue
            if part.type() != QgsWkbTypes.PolygonGeometry:
                far = QgsGeometry.fromPolylineXY([QgsPointXY(w, n), QgsPointXY(e, n), QgsPointXY(e, s)])
                if part.within(far):
                    continue
            keep[i] = True
        return cand[keep]

