"""接图表: the 3 × 3 sheets around a sheet, with their place in a field."""

from __future__ import annotations

from qgis.core import (
    QgsFeature,
    QgsFeatureSink,
    QgsField,
    QgsFields,
    QgsProcessing,
    QgsProcessingException,
    QgsProcessingParameterFeatureSink,
    QgsProcessingParameterString,
    QgsWkbTypes,
)
from qgis.PyQt.QtCore import QVariant

from .. import numbering
from ..i18n import tr
from . import common

SHEET = "SHEET"
POSITION_FIELD = "position"


class AdjoiningAlgorithm(common.Algorithm):
    def name(self):
        return "adjoining"

    def displayName(self):
        return tr("接图表")

    def shortHelpString(self):
        return tr(
            "某一图幅 (新或旧编号) 及其周围八幅图, 每幅一个多边形, position 字段为其方位: "
            "NW (西北) N (北) NE (东北) W (西) C (本幅) E (东) SW (西南) S (南) SE (东南), "
            "其余字段与 tufu-cli grid 相同。相邻图幅跨越 1:100万图幅和投影带的边界; "
            "0°–180°E、0°–60°N 之外没有图幅的方位照样写出一行, 没有几何, 图幅字段留空。"
        )

    def initAlgorithm(self, config=None):
        self.addParameter(QgsProcessingParameterString(SHEET, tr("图幅编号 (新或旧)")))
        self.addParameter(common.edition_parameter())
        self.addParameter(common.crs_parameter())
        self.addParameter(common.densify_parameter())
        self.addParameter(QgsProcessingParameterFeatureSink(common.OUTPUT, tr("接图表"), QgsProcessing.TypeVectorPolygon))

    def processAlgorithm(self, parameters, context, feedback):
        edition = common.edition_of(self, parameters, context)
        text = self.parameterAsString(parameters, SHEET, context) or ""
        try:
            sheet = numbering.sheet(text, edition)
        except numbering.SheetNumberError as e:
            raise QgsProcessingException(tr("图幅编号 {0} 无效: {1}").format(text, e.reason)) from None
        own = QgsFields()
        own.append(QgsField(POSITION_FIELD, QVariant.String))
        fields = common.joined(own, common.grid_fields())
        crs = self.parameterAsCrs(parameters, common.OUTPUT_CRS, context)
        outline = common.Outline(crs, self.parameterAsInt(parameters, common.DENSIFY, context), context)
        sink, dest = self.parameterAsSink(parameters, common.OUTPUT, context, fields, QgsWkbTypes.Polygon,
                                          outline.crs)
        if sink is None:
            raise QgsProcessingException(self.invalidSinkError(parameters, common.OUTPUT))
        batch = []
        for position, s in zip(numbering.POSITIONS, numbering.neighbours(sheet)):
            f = QgsFeature(fields)
            if s is None:
                f.setAttributes([position] + [None] * len(numbering.GRID_FIELDS))
            else:
                t = numbering.texts(numbering.records_of([s]))
                b = t.bounds[0]
                f.setGeometry(outline.geometry(float(b[0]), float(b[1]), float(b[2]), float(b[3])))
                f.setAttributes([position] + t.row(0))
            batch.append(f)
        if not sink.addFeatures(batch, QgsFeatureSink.FastInsert):
            raise QgsProcessingException(tr("无法写入输出图层: {0}").format(sink.lastError()))
        return {common.OUTPUT: dest}
