"""The sheets a geometry touches, with QGIS's geometry engine.

The rule is libtufu's (tufu.h, "sheets a geometry touches"; the reference is
tufu.sheets_touching): the candidates are libtufu's block for the geometry's
bounds; a candidate is touched when the geometry meets its inside; only when
the geometry meets no candidate's inside (it lies wholly on sheet edges) are
the touched sheets those that hold one of its points, as libtufu places
points.  Only the two geometric tests run here."""

from __future__ import annotations

from typing import Optional

import numpy as np
from qgis.core import (
    QgsCoordinateReferenceSystem,
    QgsCoordinateTransform,
    QgsGeometry,
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
        if g.type() == QgsWkbTypes.PointGeometry and not g.isMultipart():
            # One point: the sheet that holds it, as the rule gives.
            p = g.asPoint()
            recs, ok = numbering.sheets_at([p.x()], [p.y()], self.info, self.edition)
            return recs if ok.all() else None
        box = g.boundingBox()
        cand = numbering.candidates(box.xMinimum(), box.yMinimum(), box.xMaximum(), box.yMaximum(),
                                    self.info, self.edition)
        if cand is None:
            return None
        if len(cand) == 1:  # the geometry lies in the sheet, edges and all
            return cand
        engine = QgsGeometry.createGeometryEngine(g.constGet())
        engine.prepareGeometry()
        inside = np.zeros(len(cand), dtype=bool)
        meeting = []
        for i, (w, s, e, n) in enumerate(numbering.bounds(cand).tolist()):
            cell = QgsGeometry.fromRect(QgsRectangle(w, s, e, n))
            if not engine.intersects(cell.constGet()):
                continue
            if engine.relatePattern(cell.constGet(), "T********"):
                inside[i] = True
            elif not inside.any():
                meeting.append((i, cell))
        if inside.any():
            return cand[inside]
        # Wholly on sheet edges: the sheets that hold one of its points.
        for i, cell in meeting:
            points = list(_probes(g.intersection(cell)))
            held, ok = numbering.sheets_at([p[0] for p in points], [p[1] for p in points], self.info,
                                           self.edition)
            inside[i] = bool((ok & (held["x"] == cand["x"][i]) & (held["y"] == cand["y"][i])).any())
        return cand[inside]


def _probes(part: QgsGeometry):
    """Its single points and the middle of each straight piece of its lines:
    a piece on a sheet edge is held, all of it, by the sheet that holds its
    middle."""
    if part is None or part.isEmpty():
        return
    for one in part.asGeometryCollection():
        kind = one.type()
        if kind == QgsWkbTypes.PointGeometry:
            p = one.asPoint()
            yield p.x(), p.y()
            continue
        if kind == QgsWkbTypes.LineGeometry:
            lines = [one.asPolyline()]
        elif kind == QgsWkbTypes.PolygonGeometry:
            lines = one.asPolygon()
        else:
            continue
        for line in lines:
            if len(line) == 1:
                yield line[0].x(), line[0].y()
            for a, b in zip(line, line[1:]):
                yield (a.x() + b.x()) / 2, (a.y() + b.y()) / 2
