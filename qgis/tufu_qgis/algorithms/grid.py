"""标准分幅网格: the sheets of one scale over an extent, a layer, a region,
a sheet's contained block or a sheet's neighbours, as polygons."""

from __future__ import annotations

from qgis.core import (
    QgsCoordinateTransform,
    QgsFeatureRequest,
    QgsProcessing,
    QgsProcessingException,
    QgsProcessingParameterBoolean,
    QgsProcessingParameterEnum,
    QgsProcessingParameterExtent,
    QgsProcessingParameterFeatureSink,
    QgsProcessingParameterFeatureSource,
    QgsProcessingParameterString,
    QgsProcessingOutputNumber,
    QgsWkbTypes,
)

from .. import numbering
from ..i18n import tr
from . import common
from .touching import SheetsTouching

#: More sheets than this are written only when the user allows it.
LIMIT = 1_000_000

MODE = "MODE"
EXTENT = "EXTENT"
LAYER = "LAYER"
REGION = "REGION"
SHEET = "SHEET"
ALLOW_LARGE = "ALLOW_LARGE"
COUNT = "COUNT"

MODES = ("extent", "layer_extent", "layer_features", "region", "contained", "neighbours")


def _mode_labels():
    return [
        tr("范围 (任意坐标系)"),
        tr("图层的范围"),
        tr("与图层要素相交的图幅"),
        tr("省、自治区、直辖市"),
        tr("图幅所含的图幅"),
        tr("图幅及其周围八幅"),
    ]


class GridAlgorithm(common.Algorithm):
    def name(self):
        return "grid"

    def displayName(self):
        return tr("标准分幅网格")

    def shortHelpString(self):
        return tr(
            "按 GB/T 13989 的分幅, 生成某一比例尺的图幅网格, 每幅一个多边形, 字段与 "
            "tufu-cli grid 相同: new_no (新图幅编号), old_no (旧图幅编号), scale (比例尺), "
            "denom (比例尺分母), name (图名), west、south、east、north (图廓经纬度, 度)。\n\n"
            "网格的范围可以是: 任意坐标系的范围 (先转换为 CGCS2000 经纬度); 一个图层的范围; "
            "只与图层要素相交的图幅; 列表中的省、自治区、直辖市; 某一图幅所含的该比例尺图幅; "
            "某一图幅及其周围八幅 (给出更大的比例尺时为它们所含的图幅)。\n\n"
            "输出为 EPSG:4490 (CGCS2000) 或所选的坐标系, 图廓边按给出的点数加密, 投影后仍贴合经纬线。\n\n"
            "为防止比例尺选错时 QGIS 长时间无响应, 超过 1,000,000 幅的网格只在勾选“允许超过 "
            "1,000,000 幅”时生成。"
        )

    def initAlgorithm(self, config=None):
        self.addParameter(QgsProcessingParameterEnum(MODE, tr("网格范围"), options=_mode_labels(), defaultValue=0))
        self.addParameter(common.edition_parameter())
        self.addParameter(common.scale_parameter())
        self.addParameter(QgsProcessingParameterExtent(EXTENT, tr("范围"), optional=True))
        self.addParameter(
            QgsProcessingParameterFeatureSource(
                LAYER, tr("图层"), [QgsProcessing.TypeVectorAnyGeometry], optional=True
            )
        )
        self.addParameter(
            QgsProcessingParameterEnum(REGION, tr("省、自治区、直辖市"), options=numbering.regions(),
                                       defaultValue=0, optional=True)
        )
        self.addParameter(QgsProcessingParameterString(SHEET, tr("图幅编号 (新或旧)"), optional=True))
        self.addParameter(common.crs_parameter())
        self.addParameter(common.densify_parameter())
        self.addParameter(QgsProcessingParameterBoolean(ALLOW_LARGE, tr("允许超过 1,000,000 幅"), defaultValue=False))
        self.addParameter(QgsProcessingParameterFeatureSink(common.OUTPUT, tr("图幅网格"), QgsProcessing.TypeVectorPolygon))
        self.addOutput(QgsProcessingOutputNumber(COUNT, tr("图幅数")))

    # ---------------------------------------------------------------- the sheets

    def _sheet(self, parameters, context, edition):
        text = (self.parameterAsString(parameters, SHEET, context) or "").strip()
        if not text:
            raise QgsProcessingException(tr("请给出图幅编号"))
        try:
            return numbering.sheet(text, edition)
        except numbering.SheetNumberError as e:
            raise QgsProcessingException(tr("图幅编号 {0} 无效: {1}").format(text, e.reason)) from None

    def _contained(self, s, info):
        try:
            return numbering.contained(s, info)
        except ValueError as e:
            raise QgsProcessingException(str(e)) from None

    def _grid(self, mode, parameters, context, feedback, edition, info) -> numbering.Grid:
        grid = numbering.Grid()
        try:
            if mode in ("extent", "layer_extent"):
                if mode == "extent":
                    rect = self.parameterAsExtent(parameters, EXTENT, context, common.CGCS2000)
                    if rect.isNull() or rect.isEmpty():
                        raise QgsProcessingException(tr("请给出范围"))
                else:
                    source = self._layer(parameters, context)
                    ct = QgsCoordinateTransform(source.sourceCrs(), common.CGCS2000, context.transformContext())
                    rect = source.sourceExtent()
                    if rect.isNull():
                        raise QgsProcessingException(tr("图层没有范围 (没有要素或几何)"))
                    if source.sourceCrs() != common.CGCS2000:
                        rect = ct.transformBoundingBox(rect)
                grid.add_block(
                    numbering.block_of_bounds(rect.xMinimum(), rect.xMaximum(), rect.yMinimum(),
                                              rect.yMaximum(), info, edition)
                )
            elif mode == "layer_features":
                source = self._layer(parameters, context)
                touching = SheetsTouching(info, edition, source.sourceCrs(), context)
                seen = {}
                total = max(source.featureCount(), 1)
                request = QgsFeatureRequest().setNoAttributes()
                for k, f in enumerate(source.getFeatures(request)):
                    if feedback.isCanceled():
                        raise QgsProcessingException(tr("已取消"))
                    recs = touching.records(f.geometry())
                    if recs is not None:
                        for r in recs.tolist():
                            seen[r] = None
                    if k % 1000 == 0:
                        feedback.setProgress(10.0 * k / total)
                if touching.outside:
                    feedback.pushWarning(
                        tr("{0} 个要素不在 0°–180°E、0°–60°N 之内或没有几何, 未计入").format(touching.outside)
                    )
                # Rows from the north, columns from the west, as blocks are written.
                ordered = sorted(seen, key=lambda r: (-r[2], r[1]))
                grid.add_records(numbering.records(ordered))
            elif mode == "region":
                names = numbering.regions()
                index = self.parameterAsEnum(parameters, REGION, context)
                grid.add_block(numbering.block_of_region(names[index], info, edition))
            elif mode == "contained":
                grid.add_block(self._contained(self._sheet(parameters, context, edition), info))
            else:  # neighbours
                s = self._sheet(parameters, context, edition)
                for n in numbering.neighbours(s):
                    if n is None:
                        continue
                    if n.scale.index == info.index:
                        grid.add_records(numbering.records_of([n]))
                    else:
                        grid.add_block(self._contained(n, info))
        except ValueError as e:
            raise QgsProcessingException(str(e)) from None
        return grid

    def _layer(self, parameters, context):
        source = self.parameterAsSource(parameters, LAYER, context)
        if source is None:
            raise QgsProcessingException(tr("请给出图层"))
        return source

    def processAlgorithm(self, parameters, context, feedback):
        edition = common.edition_of(self, parameters, context)
        info = common.scale_of(self, parameters, context, edition)
        mode = MODES[self.parameterAsEnum(parameters, MODE, context)]
        grid = self._grid(mode, parameters, context, feedback, edition, info)
        count = len(grid)
        if count == 0:
            raise QgsProcessingException(tr("没有要写的图幅"))
        if count > LIMIT and not self.parameterAsBoolean(parameters, ALLOW_LARGE, context):
            raise QgsProcessingException(
                tr("网格有 {0:,} 幅图, 超过 1,000,000 幅; 请检查比例尺和范围, 确要生成时勾选“允许超过 1,000,000 幅”")
                .format(count)
            )
        feedback.pushInfo(tr("{0} 的图幅 {1} 幅").format(info.label, count))
        crs = self.parameterAsCrs(parameters, common.OUTPUT_CRS, context)
        outline = common.Outline(crs, self.parameterAsInt(parameters, common.DENSIFY, context), context)
        fields = common.grid_fields()
        sink, dest = self.parameterAsSink(parameters, common.OUTPUT, context, fields, QgsWkbTypes.Polygon,
                                          outline.crs)
        if sink is None:
            raise QgsProcessingException(self.invalidSinkError(parameters, common.OUTPUT))
        written = common.write_sheets(grid.pages(), count, sink, fields, outline, feedback)
        return {common.OUTPUT: dest, COUNT: written}
