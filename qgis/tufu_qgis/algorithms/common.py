"""What the algorithms share: their base class, the edition and scale
parameters, the grid fields, sheet outlines in any CRS, and streaming sheets into a sink."""

from __future__ import annotations

from typing import Iterable, List, Optional

import numpy as np
from qgis.core import (
    QgsCoordinateReferenceSystem,
    QgsCoordinateTransform,
    QgsFeature,
    QgsFeatureSink,
    QgsField,
    QgsFields,
    QgsGeometry,
    QgsLineString,
    QgsPolygon,
    QgsProcessingAlgorithm,
    QgsProcessingException,
    QgsProcessingParameterCrs,
    QgsProcessingParameterEnum,
    QgsProcessingParameterNumber,
)
from qgis.PyQt.QtCore import QVariant

from .. import numbering
from ..i18n import tr

#: The numbering's own CRS: CGCS2000 longitude and latitude.
CGCS2000 = QgsCoordinateReferenceSystem("EPSG:4490")

EDITION = "EDITION"
SCALE = "SCALE"
OUTPUT_CRS = "OUTPUT_CRS"
DENSIFY = "DENSIFY"
OUTPUT = "OUTPUT"

#: Points put on each sheet edge between its corners unless asked otherwise.
DEFAULT_DENSIFY = 8


class Algorithm(QgsProcessingAlgorithm):
    """An algorithm of the provider: ungrouped, each instance made afresh."""

    def group(self):
        return ""

    def groupId(self):
        return ""

    def createInstance(self):
        return type(self)()


def edition_parameter() -> QgsProcessingParameterEnum:
    return QgsProcessingParameterEnum(
        EDITION,
        tr("编号标准"),
        options=[tr("GB/T 13989-1992 (九种比例尺)"), tr("GB/T 13989-2012 (另有1:2000、1:1000、1:500)")],
        defaultValue=0,
    )


def scale_parameter(name: str = SCALE, multiple: bool = False, default=5, optional: bool = False):
    return QgsProcessingParameterEnum(
        name,
        tr("比例尺"),
        options=[s.label for s in numbering.all_scales()],
        allowMultiple=multiple,
        defaultValue=default,
        optional=optional,
    )


def crs_parameter() -> QgsProcessingParameterCrs:
    return QgsProcessingParameterCrs(OUTPUT_CRS, tr("输出坐标系"), defaultValue="EPSG:4490", optional=True)


def densify_parameter() -> QgsProcessingParameterNumber:
    return QgsProcessingParameterNumber(
        DENSIFY,
        tr("每条图廓边在两角之间加的点数"),
        type=QgsProcessingParameterNumber.Integer,
        defaultValue=DEFAULT_DENSIFY,
        minValue=0,
        maxValue=1000,
    )


def edition_of(alg: QgsProcessingAlgorithm, parameters, context) -> int:
    return numbering.EDITIONS[alg.parameterAsEnum(parameters, EDITION, context)]


def checked_scale(index: int, edition: int):
    """The scale at list position `index`, refused when the edition lacks it."""
    info = numbering.all_scales()[index]
    if info.since > edition:
        raise QgsProcessingException(
            tr("{0}只在 GB/T 13989-{1} 的编号中有").format(info.label, info.since)
        )
    return numbering.scale(index, edition)


def scale_of(alg, parameters, context, edition: int, name: str = SCALE):
    return checked_scale(alg.parameterAsEnum(parameters, name, context), edition)


def grid_fields() -> QgsFields:
    fields = QgsFields()
    for name in numbering.GRID_FIELDS:
        if name == "denom":
            kind = QVariant.Int
        elif name in ("west", "south", "east", "north"):
            kind = QVariant.Double
        else:
            kind = QVariant.String
        fields.append(QgsField(name, kind))
    return fields


def joined(*parts: QgsFields) -> QgsFields:
    """The fields of all parts in order; a name met again gets "_2", "_3"..."""
    out = QgsFields()
    for fields in parts:
        for f in fields:
            field = QgsField(f)
            name, k = f.name(), 2
            while out.lookupField(field.name()) >= 0:
                field.setName(f"{name}_{k}")
                k += 1
            out.append(field)
    return out


class Outline:
    """Sheet outlines as polygons in the output CRS: the four edges, each
    with `densify` points between its corners, transformed from CGCS2000."""

    def __init__(self, crs: QgsCoordinateReferenceSystem, densify: int, context) -> None:
        self.crs = crs if crs.isValid() else CGCS2000
        self.transform: Optional[QgsCoordinateTransform] = None
        if self.crs != CGCS2000:
            self.transform = QgsCoordinateTransform(CGCS2000, self.crs, context.transformContext())
        t = np.arange(densify + 1, dtype=np.float64) / (densify + 1)
        self._t = t

    def geometry(self, west: float, south: float, east: float, north: float) -> QgsGeometry:
        t = self._t
        we = west + (east - west) * t
        sn = south + (north - south) * t
        xs = np.concatenate([we, np.full(len(t), east), east - (east - west) * t, np.full(len(t), west), [west]])
        ys = np.concatenate([np.full(len(t), south), sn, np.full(len(t), north), north - (north - south) * t, [south]])
        ring = QgsLineString(xs.tolist(), ys.tolist())
        geom = QgsGeometry(QgsPolygon(ring))
        if self.transform is not None:
            geom.transform(self.transform)
        return geom


def write_sheets(pages: Iterable[np.ndarray], total: int, sink, fields: QgsFields, outline: Outline,
                 feedback, prefix: Optional[List] = None) -> int:
    """Writes the sheets of each page of records as features with the grid
    fields (after the attributes in `prefix`); returns how many were
    written.  Stops with QgsProcessingException when cancelled."""
    done = 0
    step = max(total // 100, 1)
    for page in pages:
        if feedback.isCanceled():
            raise QgsProcessingException(tr("已取消"))
        t = numbering.texts(page)
        batch = []
        for i in range(len(page)):
            f = QgsFeature(fields)
            b = t.bounds[i]
            f.setGeometry(outline.geometry(float(b[0]), float(b[1]), float(b[2]), float(b[3])))
            f.setAttributes((prefix or []) + t.row(i))
            batch.append(f)
        if not sink.addFeatures(batch, QgsFeatureSink.FastInsert):
            raise QgsProcessingException(tr("无法写入输出图层: {0}").format(sink.lastError()))
        before = done
        done += len(page)
        if done // step != before // step:
            feedback.setProgress(100.0 * done / max(total, 1))
    feedback.setProgress(100)
    return done
