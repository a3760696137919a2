"""图幅编号生成图廓: sheet numbers from a table field or a typed list become
one polygon each; a refused number keeps its row, without geometry, with
the reason."""

from __future__ import annotations

import re
from typing import List

from qgis.core import (
    QgsFeature,
    QgsFeatureRequest,
    QgsFeatureSink,
    QgsField,
    QgsFields,
    QgsProcessing,
    QgsProcessingException,
    QgsProcessingOutputNumber,
    QgsProcessingParameterFeatureSink,
    QgsProcessingParameterFeatureSource,
    QgsProcessingParameterField,
    QgsProcessingParameterString,
    QgsWkbTypes,
)
from qgis.PyQt.QtCore import QVariant

from .. import numbering
from ..i18n import tr
from . import common

INPUT = "INPUT"
FIELD = "FIELD"
NUMBERS = "NUMBERS"
REFUSED = "REFUSED"
INPUT_FIELD = "input"
REASON_FIELD = "reason"

BATCH = 4096


def split_numbers(text: str) -> List[str]:
    """The numbers of a typed list: separated by blanks, commas (also "，"),
    semicolons or line ends."""
    return [w for w in re.split(r"[\s,;，；、]+", text or "") if w]


class FromNumbersAlgorithm(common.Algorithm):
    def name(self):
        return "sheetsfromnumbers"

    def displayName(self):
        return tr("图幅编号生成图廓")

    def shortHelpString(self):
        return tr(
            "把表中某一字段或直接输入的图幅编号 (新或旧编号, 以空格、逗号、分号或换行分隔) 变成图廓多边形, "
            "每个编号一个要素, 字段为 input (输入的编号)、tufu-cli grid 的字段和 reason。\n\n"
            "无效的编号照样写出一行, 没有几何, 原因写在 reason 字段中, 并报告其个数。"
        )

    def initAlgorithm(self, config=None):
        self.addParameter(
            QgsProcessingParameterFeatureSource(INPUT, tr("表或图层"), [QgsProcessing.TypeVector], optional=True)
        )
        self.addParameter(
            QgsProcessingParameterField(FIELD, tr("图幅编号字段"), parentLayerParameterName=INPUT, optional=True)
        )
        self.addParameter(QgsProcessingParameterString(NUMBERS, tr("或直接输入图幅编号"), multiLine=True,
                                                       optional=True))
        self.addParameter(common.edition_parameter())
        self.addParameter(common.crs_parameter())
        self.addParameter(common.densify_parameter())
        self.addParameter(QgsProcessingParameterFeatureSink(common.OUTPUT, tr("图廓"), QgsProcessing.TypeVectorPolygon))
        self.addOutput(QgsProcessingOutputNumber(REFUSED, tr("无效编号数")))

    def processAlgorithm(self, parameters, context, feedback):
        edition = common.edition_of(self, parameters, context)
        source = self.parameterAsSource(parameters, INPUT, context)
        field = self.parameterAsString(parameters, FIELD, context)
        typed = split_numbers(self.parameterAsString(parameters, NUMBERS, context))
        if source is not None and not field:
            raise QgsProcessingException(tr("请选择图幅编号字段"))
        if source is None and not typed:
            raise QgsProcessingException(tr("请给出表和图幅编号字段, 或直接输入图幅编号"))

        own = QgsFields()
        own.append(QgsField(INPUT_FIELD, QVariant.String))
        grid = common.grid_fields()
        reason = QgsFields()
        reason.append(QgsField(REASON_FIELD, QVariant.String))
        base = source.fields() if source is not None else QgsFields()
        fields = common.joined(base, own, grid, reason)
        crs = self.parameterAsCrs(parameters, common.OUTPUT_CRS, context)
        outline = common.Outline(crs, self.parameterAsInt(parameters, common.DENSIFY, context), context)
        sink, dest = self.parameterAsSink(parameters, common.OUTPUT, context, fields, QgsWkbTypes.Polygon,
                                          outline.crs)
        if sink is None:
            raise QgsProcessingException(self.invalidSinkError(parameters, common.OUTPUT))

        self.refused = 0
        if source is not None:
            index = source.fields().lookupField(field)
            if index < 0:
                raise QgsProcessingException(tr("没有字段 {0}").format(field))
            total = max(source.featureCount(), 1)
            rows, done = [], 0
            for f in source.getFeatures(QgsFeatureRequest().setFlags(QgsFeatureRequest.NoGeometry)):
                if feedback.isCanceled():
                    raise QgsProcessingException(tr("已取消"))
                value = f.attribute(index)
                rows.append((f.attributes(), "" if value is None or value == "" or _is_null(value) else str(value)))
                if len(rows) == BATCH:
                    self._write(rows, edition, sink, fields, outline)
                    done += len(rows)
                    rows = []
                    feedback.setProgress(100.0 * done / total)
            self._write(rows, edition, sink, fields, outline)
        else:
            for first in range(0, len(typed), BATCH):
                if feedback.isCanceled():
                    raise QgsProcessingException(tr("已取消"))
                self._write([([], t) for t in typed[first:first + BATCH]], edition, sink, fields, outline)
        if self.refused:
            feedback.pushWarning(tr("{0} 个编号无效, 照样写出, 没有几何, 原因见 reason 字段").format(self.refused))
        return {common.OUTPUT: dest, REFUSED: self.refused}

    def _write(self, rows, edition, sink, fields, outline) -> None:
        if not rows:
            return
        numbers = [text for _, text in rows]
        records, reasons = numbering.recognize(numbers, edition)
        t = numbering.texts(records)
        batch = []
        for i, (attrs, text) in enumerate(rows):
            f = QgsFeature(fields)
            if reasons[i]:
                self.refused += 1
                f.setAttributes(list(attrs) + [text] + [None] * len(numbering.GRID_FIELDS) + [reasons[i]])
            else:
                b = t.bounds[i]
                f.setGeometry(outline.geometry(float(b[0]), float(b[1]), float(b[2]), float(b[3])))
                f.setAttributes(list(attrs) + [text] + t.row(i) + [None])
            batch.append(f)
        if not sink.addFeatures(batch, QgsFeatureSink.FastInsert):
            raise QgsProcessingException(tr("无法写入输出图层: {0}").format(sink.lastError()))


def _is_null(value) -> bool:
    try:
        from qgis.PyQt.QtCore import QVariant as V

        return isinstance(value, V) and value.isNull()
    except ImportError:  # pragma: no cover
        return False
