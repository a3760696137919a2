"""Expression functions in the group "图幅编号", for labels, the field
calculator and styling.  A geometry is taken in the CRS of the layer of the
expression context (CGCS2000 when there is none) and converted to CGCS2000
longitude and latitude for the numbering.  A refused number, a point
outside the numbering's range or an unknown scale gives NULL, and the
reason goes to the expression's error."""

from __future__ import annotations

from typing import List, Optional

from qgis.core import (
    QgsCoordinateReferenceSystem,
    QgsCoordinateTransform,
    QgsExpression,
    QgsExpressionFunction,
    QgsGeometry,
    QgsProject,
    QgsRectangle,
    QgsWkbTypes,
)

from . import numbering
from .algorithms.common import CGCS2000, Outline
from .algorithms.touching import SheetsTouching
from .i18n import tr

GROUP = "图幅编号"


class _Refused(Exception):
    """A reason to answer NULL, for the expression's error."""


def _edition(value) -> int:
    if value is None:
        return 1992
    try:
        e = int(value)
    except (TypeError, ValueError):
        e = 0
    if e not in numbering.EDITIONS:
        raise _Refused(tr("编号标准应为 1992 或 2012, 不是 {0}").format(value))
    return e


def _scale(value, edition: int):
    if value is None:
        raise _Refused(tr("缺少比例尺"))
    if isinstance(value, float) and value.is_integer():
        value = int(value)
    try:
        return numbering.parse_scale(str(value), edition)
    except ValueError:
        raise _Refused(tr("无法识别的比例尺 {0} (GB/T 13989-{1})").format(value, edition)) from None


def _sheet(value, edition: int):
    if value is None:
        raise _Refused(tr("缺少图幅编号"))
    try:
        return numbering.sheet(str(value), edition)
    except numbering.SheetNumberError as e:
        raise _Refused(tr("图幅编号 {0} 无效: {1}").format(value, e.reason)) from None


def _layer_crs(context) -> QgsCoordinateReferenceSystem:
    """The CRS of the context's layer; CGCS2000 when there is none."""
    if context is None:
        return CGCS2000
    layer_id = context.variable("layer_id")
    if layer_id:
        layer = QgsProject.instance().mapLayer(str(layer_id))
        if layer is not None and layer.crs().isValid():
            return layer.crs()
    authid = context.variable("layer_crs")
    if authid:
        crs = QgsCoordinateReferenceSystem(str(authid))
        if crs.isValid():
            return crs
    return CGCS2000


def _geometry(value) -> QgsGeometry:
    if isinstance(value, QgsGeometry) and not value.isNull() and not value.isEmpty():
        return value
    raise _Refused(tr("缺少几何"))


class _Function(QgsExpressionFunction):
    """One function: `compute(values, context)` answers or raises _Refused."""

    def __init__(self, name: str, params: List[str], optional: List[str], help_text: str, compute,
                 uses_geometry: bool = False) -> None:
        plist = [QgsExpressionFunction.Parameter(p) for p in params]
        plist += [QgsExpressionFunction.Parameter(p, True, None) for p in optional]
        super().__init__(name, plist, GROUP, help_text, False, True, False)
        self._compute = compute
        self._geometry = uses_geometry

    def func(self, values, context, parent, node):
        try:
            return self._compute(values, context)
        except _Refused as e:
            parent.setEvalErrorString(str(e))
            return None

    def usesGeometry(self, node):
        return self._geometry


def _point_degrees(geometry: QgsGeometry, context):
    if geometry.type() != QgsWkbTypes.PointGeometry or geometry.isMultipart():
        raise _Refused(tr("需要点几何; 线和面请用 tufu_sheets_touching"))
    p = geometry.asPoint()
    crs = _layer_crs(context)
    if crs != CGCS2000:
        ct = QgsCoordinateTransform(crs, CGCS2000, QgsProject.instance())
        try:
            p = ct.transform(p)
        except Exception:
            raise _Refused(tr("无法把点转换为 CGCS2000 经纬度")) from None
    return p.x(), p.y()


def _sheet_at(values, context, old: bool):
    edition = _edition(values[2] if len(values) > 2 else None)
    info = _scale(values[1], edition)
    lon, lat = _point_degrees(_geometry(values[0]), context)
    recs, ok = numbering.sheets_at([lon], [lat], info, edition)
    if not ok[0]:
        raise _Refused(tr("点不在 0°–180°E、0°–60°N 之内"))
    text = str(numbering.field_texts(recs, "old" if old else "new")[0])
    if not text:
        raise _Refused(tr("{0}的图幅没有{1}").format(info.label, tr("旧图幅编号") if old else tr("新图幅编号")))
    return text


def _to_other(values, old: bool):
    edition = _edition(values[1] if len(values) > 1 else None)
    s = _sheet(values[0], edition)
    text = s.old_number if old else s.new_number
    if not text:
        raise _Refused(tr("{0}的图幅没有{1}").format(s.scale.label, tr("旧图幅编号") if old else tr("新图幅编号")))
    return text


def _name(values, context):
    edition = _edition(values[1] if len(values) > 1 else None)
    return _sheet(values[0], edition).name


def _extent(values, context):
    edition = _edition(values[1] if len(values) > 1 else None)
    w, s, e, n = _sheet(values[0], edition).bounds
    crs = _layer_crs(context)
    if crs == CGCS2000:
        return QgsGeometry.fromRect(QgsRectangle(w, s, e, n))
    outline = Outline(crs, 8, QgsProject.instance())
    return outline.geometry(w, s, e, n)


def _touching(values, context):
    edition = _edition(values[2] if len(values) > 2 else None)
    info = _scale(values[1], edition)
    touching = SheetsTouching(info, edition, _layer_crs(context), QgsProject.instance())
    recs = touching.records(_geometry(values[0]))
    if recs is None:
        raise _Refused(tr("几何不在 0°–180°E、0°–60°N 之内"))
    new, old = numbering.field_texts(recs, "new"), numbering.field_texts(recs, "old")
    return [str(a) or str(b) for a, b in zip(new, old)]


def _help(name: str, summary: str, args: List[tuple], examples: List[tuple]) -> str:
    rows = "".join(f"<tr><td><i>{a}</i></td><td>{d}</td></tr>" for a, d in args)
    ex = "".join(f"<li><code>{e}</code> → {r}</li>" for e, r in examples)
    return (f"<h3>{name}</h3><div class=\"description\">{summary}</div>"
            f"<h4>{tr('参数')}</h4><table>{rows}</table><h4>{tr('示例')}</h4><ul>{ex}</ul>")


def _functions() -> List[_Function]:
    geometry = (tr("geometry"), tr("点几何, 在图层的坐标系中, 如 $geometry"))
    scale = (tr("scale"), tr("比例尺: '1:5万'、'5万'、'1:50000' 或 50000"))
    edition = (tr("edition"), tr("可选, 编号标准 1992 (默认) 或 2012"))
    number = (tr("number"), tr("新或旧图幅编号"))
    return [
        _Function("tufu_sheet", ["geometry", "scale"], ["edition"], _help(
            "tufu_sheet", tr("点所在图幅的新图幅编号。"), [geometry, scale, edition],
            [("tufu_sheet(make_point(116.391667, 39.908333), '1:5万')", "'J50E001010'")]),
            lambda v, c: _sheet_at(v, c, old=False), uses_geometry=True),
        _Function("tufu_old_sheet", ["geometry", "scale"], ["edition"], _help(
            "tufu_old_sheet", tr("点所在图幅的旧图幅编号。"), [geometry, scale, edition],
            [("tufu_old_sheet(make_point(116.391667, 39.908333), '5万')", "'J-50-5-B'")]),
            lambda v, c: _sheet_at(v, c, old=True), uses_geometry=True),
        _Function("tufu_to_old", ["number"], ["edition"], _help(
            "tufu_to_old", tr("同一图幅的旧图幅编号。"), [number, edition],
            [("tufu_to_old('J50E001010')", "'J-50-5-B'")]), lambda v, c: _to_other(v, old=True)),
        _Function("tufu_to_new", ["number"], ["edition"], _help(
            "tufu_to_new", tr("同一图幅的新图幅编号。"), [number, edition],
            [("tufu_to_new('J-50-5-B')", "'J50E001010'")]), lambda v, c: _to_other(v, old=False)),
        _Function("tufu_sheet_name", ["number"], ["edition"], _help(
            "tufu_sheet_name", tr("图幅的图名; 没有图名时为空文本。"), [number, edition],
            [("tufu_sheet_name('J50')", "'北京'")]), _name),
        _Function("tufu_sheet_extent", ["number"], ["edition"], _help(
            "tufu_sheet_extent", tr("图幅的图廓多边形, 在图层的坐标系中 (没有图层时为 CGCS2000 经纬度)。"),
            [number, edition], [("geom_to_wkt(tufu_sheet_extent('J50'))",
                                 "'Polygon ((114 36, 120 36, 120 40, 114 40, 114 36))'")]), _extent),
        _Function("tufu_sheets_touching", ["geometry", "scale"], ["edition"], _help(
            "tufu_sheets_touching", tr("几何经过的所有图幅的编号 (数组, 自北向南、自西向东)。"),
            [(tr("geometry"), tr("任意几何, 在图层的坐标系中")), scale, edition],
            [("tufu_sheets_touching(make_line(make_point(115, 39.5), make_point(121, 41)), '100万')",
              "['K50', 'K51', 'J50']")]), _touching, uses_geometry=True),
    ]


def register() -> List[_Function]:
    """Registers the functions; returns them, to be passed to unregister."""
    done = []
    for f in _functions():
        if QgsExpression.isFunctionName(f.name()):
            QgsExpression.unregisterFunction(f.name())
        if QgsExpression.registerFunction(f):
            done.append(f)
    return done


def unregister(functions: List[_Function]) -> None:
    for f in functions:
        QgsExpression.unregisterFunction(f.name())
