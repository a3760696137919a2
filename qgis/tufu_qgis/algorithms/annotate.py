"""添加图幅编号: new- and old-number fields for chosen scales on any vector
layer, with the column names of ``tufu-cli annotate``."""

from __future__ import annotations

from typing import List, Optional, Tuple

import numpy as np
from qgis.core import (
    QgsCoordinateTransform,
    QgsFeature,
    QgsFeatureRequest,
    QgsFeatureSink,
    QgsField,
    QgsFields,
    QgsProcessing,
    QgsProcessingException,
    QgsProcessingFeatureSource,
    QgsProcessingOutputNumber,
    QgsProcessingParameterEnum,
    QgsProcessingParameterFeatureSink,
    QgsProcessingParameterFeatureSource,
    QgsWkbTypes,
)
from qgis.PyQt.QtCore import QVariant

from .. import numbering
from ..i18n import tr
from . import common
from .touching import SheetsTouching

INPUT = "INPUT"
SCALES = "SCALES"
LAYOUT = "LAYOUT"
BLANK = "BLANK"

#: How many features are numbered at once.
BATCH = 16384


class Column:
    """One added column: which scale, new or old, its index in the output."""

    def __init__(self, info, old: bool, name: str, index: int) -> None:
        self.info = info
        self.old = old
        self.name = name
        self.index = index


class AnnotateAlgorithm(common.Algorithm):
    def name(self):
        return "annotate"

    def displayName(self):
        return tr("添加图幅编号")

    def shortHelpString(self):
        return tr(
            "给任意矢量图层的每个要素加上所选比例尺的图幅编号字段, 字段名与 tufu-cli annotate 相同: "
            "new_<比例尺> 和 old_<比例尺>, 如 new_5w、old_5w (1:5万)、new_25k (1:2.5万)、new_5k (1:5000); "
            "1:20万没有新图幅编号字段, 1:2000、1:1000、1:500 没有旧图幅编号字段。已有同名字段时重新填写。\n\n"
            "点要素: 点所在的图幅。线、面要素 (及多点): 要素经过的所有图幅, 可写成一个逗号分隔的字段, "
            "或每个 (要素, 图幅) 写一个要素 (只能选一个比例尺)。\n\n"
            "没有几何或不在 0°–180°E、0°–60°N 之内的要素照样写出, 图幅字段留空, 并报告其个数; "
            "不会丢掉任何要素。坐标先由图层的坐标系转换为 CGCS2000 经纬度。"
        )

    def initAlgorithm(self, config=None):
        self.addParameter(
            QgsProcessingParameterFeatureSource(INPUT, tr("输入图层"), [QgsProcessing.TypeVectorAnyGeometry])
        )
        self.addParameter(common.edition_parameter())
        scales = common.scale_parameter(SCALES, multiple=True, default=[5])
        scales.setDescription(tr("比例尺 (可选多个)"))
        self.addParameter(scales)
        self.addParameter(
            QgsProcessingParameterEnum(
                LAYOUT,
                tr("线、面经过多幅图时"),
                options=[tr("一个字段, 逗号分隔"), tr("每幅图一个要素")],
                defaultValue=0,
            )
        )
        self.addParameter(QgsProcessingParameterFeatureSink(common.OUTPUT, tr("加上图幅编号的图层")))
        self.addOutput(QgsProcessingOutputNumber(BLANK, tr("图幅字段为空的要素数")))

    def _columns(self, source_fields: QgsFields, infos) -> Tuple[QgsFields, List[Column]]:
        fields = QgsFields(source_fields)
        columns: List[Column] = []
        for info in infos:
            new, old = numbering.annotate_columns(info)
            for name, is_old in ((new, False), (old, True)):
                if name is None:
                    continue
                index = fields.lookupField(name)
                if index < 0:
                    fields.append(QgsField(name, QVariant.String))
                    index = fields.count() - 1
                columns.append(Column(info, is_old, name, index))
        return fields, columns

    def processAlgorithm(self, parameters, context, feedback):
        source = self.parameterAsSource(parameters, INPUT, context)
        if source is None:
            raise QgsProcessingException(self.invalidSourceError(parameters, INPUT))
        edition = common.edition_of(self, parameters, context)
        indexes = self.parameterAsEnums(parameters, SCALES, context)
        if not indexes:
            raise QgsProcessingException(tr("请选择至少一个比例尺"))
        infos = [common.checked_scale(i, edition) for i in sorted(set(indexes))]
        pairs = self.parameterAsEnum(parameters, LAYOUT, context) == 1
        if pairs and len(infos) > 1:
            raise QgsProcessingException(tr("“每幅图一个要素”只能选一个比例尺"))
        fields, columns = self._columns(source.fields(), infos)
        sink, dest = self.parameterAsSink(parameters, common.OUTPUT, context, fields, source.wkbType(),
                                          source.sourceCrs())
        if sink is None:
            raise QgsProcessingException(self.invalidSinkError(parameters, common.OUTPUT))

        crs = source.sourceCrs()
        transform = None
        if crs.isValid() and crs != common.CGCS2000:
            transform = QgsCoordinateTransform(crs, common.CGCS2000, context.transformContext())
        touching = {info.index: SheetsTouching(info, edition, crs, context) for info in infos}
        wkb = source.wkbType()
        points = QgsWkbTypes.geometryType(wkb) == QgsWkbTypes.PointGeometry and QgsWkbTypes.isSingleType(wkb)
        writer = _Writer(sink, fields, columns, edition, touching, transform, pairs, source.fields().count(), points)

        total = max(source.featureCount(), 1)
        step = max(total // 100, 1)
        batch: List[QgsFeature] = []
        done = 0
        # Points are always valid; other geometries are only intersected.
        it = source.getFeatures(QgsFeatureRequest(), QgsProcessingFeatureSource.FlagSkipGeometryValidityChecks)
        for f in it:
            batch.append(f)
            if len(batch) == BATCH:
                if feedback.isCanceled():
                    raise QgsProcessingException(tr("已取消"))
                writer.write(batch)
                before, done = done, done + len(batch)
                batch = []
                if done // step != before // step:
                    feedback.setProgress(100.0 * done / total)
        if feedback.isCanceled():
            raise QgsProcessingException(tr("已取消"))
        writer.write(batch)
        feedback.setProgress(100)
        if writer.blank:
            feedback.pushWarning(
                tr("{0} 个要素没有几何或不在 0°–180°E、0°–60°N 之内, 照样写出, 图幅字段留空").format(writer.blank)
            )
        feedback.pushInfo(tr("已写出 {0} 个要素").format(writer.written))
        return {common.OUTPUT: dest, BLANK: writer.blank}


class _Writer:
    def __init__(self, sink, fields, columns, edition, touching, transform, pairs, source_width: int,
                 points: bool) -> None:
        self.source_width = source_width
        #: The layer holds single points only (or no geometry).
        self.points = points
        self.sink = sink
        self.fields = fields
        self.columns = columns
        self.edition = edition
        self.touching = touching
        self.transform = transform
        self.pairs = pairs
        self.blank = 0
        self.written = 0
        self.width = fields.count()

    def _degrees(self, g) -> Optional[Tuple[float, float]]:
        """The point of a single-point geometry in degrees; None for a point
        the transform cannot take."""
        p = g.asPoint()
        if self.transform is not None:
            try:
                p = self.transform.transform(p)
            except Exception:  # a point the transform cannot take
                return None
        return p.x(), p.y()

    def write(self, features: List[QgsFeature]) -> None:
        """Numbers a batch of features and writes them.  The features are
        the source's own copies: they are given the new attributes and
        written as they are."""
        if not features:
            return
        nan = float("nan")
        lon, lat = [nan] * len(features), [nan] * len(features)
        if self.points and self.transform is None:
            single = [True] * len(features)
            for i, f in enumerate(features):
                if f.hasGeometry():
                    p = f.geometry().asPoint()
                    lon[i], lat[i] = p.x(), p.y()
        else:
            single = []
            for i, f in enumerate(features):
                one, p = True, None
                if f.hasGeometry():
                    g = f.geometry()
                    one = self.points or (g.type() == QgsWkbTypes.PointGeometry and not g.isMultipart())
                    p = self._degrees(g) if one else None
                single.append(one)
                if p is not None:
                    lon[i], lat[i] = p
        # Per column, the texts of every single point of the batch.
        texts = []
        valid = np.ones(len(features), dtype=bool)
        by_scale = {}
        for c in self.columns:
            if c.info.index not in by_scale:
                recs, ok = numbering.sheets_at(np.array(lon), np.array(lat), c.info, self.edition)
                valid &= ok
                by_scale[c.info.index] = recs
            texts.append(numbering.field_texts(by_scale[c.info.index], "old" if c.old else "new").tolist())
        valid = valid.tolist()
        out: List[QgsFeature] = []
        width, source_width = self.width, self.source_width
        indexes = [c.index for c in self.columns]
        appended = all(i >= source_width for i in indexes)
        for i, f in enumerate(features):
            if not single[i]:
                out.extend(self._touching(f, self._base(f)))
                continue
            if not valid[i]:
                self.blank += 1
                f.setAttributes(self._base(f))
                out.append(f)
                continue
            values = [t[i] or None for t in texts]
            attrs = f.attributes()
            if appended and len(attrs) == source_width:
                attrs += values
            else:
                attrs = self._base(f)
                for k, v in zip(indexes, values):
                    attrs[k] = v
            f.setAttributes(attrs)
            out.append(f)
        if not self.sink.addFeatures(out, QgsFeatureSink.FastInsert):
            raise QgsProcessingException(tr("无法写入输出图层: {0}").format(self.sink.lastError()))
        self.written += len(out)

    def _base(self, f: QgsFeature) -> list:
        """The feature's attributes, padded to the output's fields."""
        attrs = f.attributes()[: self.width]
        return attrs + [None] * (self.width - len(attrs))

    def _feature(self, f: QgsFeature, attrs) -> QgsFeature:
        o = QgsFeature(self.fields)
        o.setGeometry(f.geometry())
        o.setAttributes(attrs)
        return o

    def _touching(self, f: QgsFeature, base) -> List[QgsFeature]:
        per_scale = {}
        for index, t in self.touching.items():
            per_scale[index] = t.records(f.geometry())
        if any(r is None or len(r) == 0 for r in per_scale.values()):
            self.blank += 1
            return [self._feature(f, list(base))]
        if self.pairs:
            (index, recs), = per_scale.items()
            new, old = numbering.field_texts(recs, "new"), numbering.field_texts(recs, "old")
            rows = []
            for k in range(len(recs)):
                attrs = list(base)
                for c in self.columns:
                    attrs[c.index] = str((old if c.old else new)[k]) or None
                rows.append(self._feature(f, attrs))
            return rows
        attrs = list(base)
        for c in self.columns:
            recs = per_scale[c.info.index]
            values = [str(v) for v in numbering.field_texts(recs, "old" if c.old else "new") if v]
            attrs[c.index] = ",".join(values) or None
        return [self._feature(f, attrs)]
