"""Sheets as geometries: GeoDataFrames of grids and the sheets that a line
or polygon touches.  Needs Shapely, and GeoPandas for data frames."""

from __future__ import annotations

from typing import Any, Iterable, Iterator, List, Tuple, Union

import numpy as np

from . import _core, _lib
from ._core import ScaleLike
from ._lib import SHEET_DTYPE
from .sheet import Block, Sheet, block_touching

__all__ = ["to_geodataframe", "sheets_touching", "GRID_FIELDS"]

#: The fields of ``tufu-cli grid``, in its order.
GRID_FIELDS = ("new_no", "old_no", "scale", "denom", "name", "west", "south", "east", "north")


def _pages(sheets: Any, edition: int) -> Iterator[np.ndarray]:
    if isinstance(sheets, Block):
        yield from sheets.pages()
        return
    if isinstance(sheets, Sheet):
        sheets = [sheets]
    recs = []
    for s in sheets:
        if isinstance(s, str):
            s = Sheet(s, edition)
        if not isinstance(s, Sheet):
            raise TypeError(f"not a sheet or a sheet number: {s!r}")
        recs.append(s.position)
    yield np.array(recs, dtype=SHEET_DTYPE)


def _boxes(b: np.ndarray) -> List[Any]:
    from shapely.geometry import box

    return [box(w, s, e, n) for w, s, e, n in b.tolist()]


def to_geodataframe(sheets: Union[Block, Iterable[Union[Sheet, str]]], edition: int = 1992, names: Any = None) -> Any:
    """A GeoDataFrame in EPSG:4490 (CGCS2000) with one polygon per sheet and
    the fields of ``tufu-cli grid``: new_no, old_no, scale, denom, name, west,
    south, east, north (degrees).

    ``sheets`` is a :class:`Block`, or sheets or numbers (a sheet's
    neighbours, a list of numbers).

    >>> import tufu
    >>> df = tufu.to_geodataframe(tufu.Sheet("J50").contained("1:25万"))
    >>> len(df), df.crs.to_epsg(), df["new_no"].iloc[0]
    (16, 4490, 'J50C001001')
    """
    import geopandas as gpd
    import pandas as pd

    if names is None and isinstance(sheets, Block):
        names = sheets.names
    frames = []
    for page in _pages(sheets, edition):
        b = _core._sheet_bounds(page)
        labels = _core._sheet_texts(page, _lib.FIELD_SCALE)
        denoms = np.array([s.denominator for s in _core._SCALES], dtype=np.int32)
        frames.append(
            pd.DataFrame(
                {
                    "new_no": _core._sheet_texts(page, _lib.FIELD_NEW).astype(object),
                    "old_no": _core._sheet_texts(page, _lib.FIELD_OLD).astype(object),
                    "scale": labels.astype(object),
                    "denom": denoms[page["scale"]],
                    "name": _core._sheet_texts(page, _lib.FIELD_NAME, names).astype(object),
                    "west": b[:, 0],
                    "south": b[:, 1],
                    "east": b[:, 2],
                    "north": b[:, 3],
                    "geometry": _boxes(b),
                }
            )
        )
    frame = pd.concat(frames, ignore_index=True) if frames else pd.DataFrame(
        {f: [] for f in GRID_FIELDS + ("geometry",)}
    )
    return gpd.GeoDataFrame(frame, geometry="geometry", crs="EPSG:4490")


def _probes(part: Any) -> Iterator[Tuple[float, float]]:
    """Points that decide which sheets hold a geometry lying on sheet edges:
    its single points, and the middle of each straight piece of its lines (a
    piece lies on one edge, and its middle is held by the sheet that holds
    the whole open piece)."""
    if part.is_empty:
        return
    kind = part.geom_type
    if kind == "Point":
        yield part.x, part.y
    elif kind in ("LineString", "LinearRing"):
        c = list(part.coords)
        if len(c) == 1:
            yield c[0][0], c[0][1]
        for (x0, y0), (x1, y1) in zip(c, c[1:]):
            yield (x0 + x1) / 2, (y0 + y1) / 2
    elif kind == "Polygon":
        yield from _probes(part.exterior)
        for ring in part.interiors:
            yield from _probes(ring)
    else:
        for g in part.geoms:
            yield from _probes(g)


def sheets_touching(geometry: Any, scale: ScaleLike, edition: int = 1992, names: Any = None) -> List[Sheet]:
    """The sheets of ``scale`` that a geometry (a Shapely point, line,
    polygon or collection, or anything with ``__geo_interface__``, in
    degrees) touches, in block order (rows from the north, each from the
    west).

    This is the reference of the one rule that libtufu states (tufu.h,
    "sheets a geometry touches") and that the QGIS plugin and the
    PostgreSQL extension follow with their own geometry engines:

    1. The candidates are :func:`tufu.block_touching` of the geometry's
       bounding box.
    2. A candidate is touched when the geometry meets its inside (the
       sheet's rectangle without its edges).
    3. Only when the geometry meets no candidate's inside (it lies wholly on
       sheet edges), the touched sheets are those that hold one of its
       points, by the rule of points: a point on an edge lies in the sheet
       north or east of it (on 180° E and 60° N, west or south of it).

    So a polygon equal to a sheet touches that sheet alone, a line along a
    meridian that is a sheet edge the sheets east of it, a line through a
    sheet corner only the sheets whose inside it crosses.  ``ValueError``
    with the Chinese reason for a geometry reaching outside 0..180° E,
    0..60° N.

    >>> import tufu
    >>> from shapely.geometry import LineString, Point
    >>> [s.number for s in tufu.sheets_touching(LineString([(115, 39.5), (121, 41)]), "100万")]
    ['K50', 'K51', 'J50']
    >>> [s.number for s in tufu.sheets_touching(LineString([(120, 37), (120, 38)]), "100万")]
    ['J51']
    >>> [s.number for s in tufu.sheets_touching(Point(120, 40), "100万")]
    ['K51']
    """
    from shapely.geometry import box, shape

    geom = geometry if hasattr(geometry, "geom_type") else shape(geometry)
    if geom.is_empty:
        return []
    minx, miny, maxx, maxy = geom.bounds
    e = _core._edition(edition)
    sc = _core.scale(scale, e)
    block = block_touching(minx, maxx, miny, maxy, sc, e, names)
    inside: List[Tuple[int, int, int]] = []
    meeting: List[Tuple[Tuple[int, int, int], Any]] = []
    for page in block.pages():
        for rec, (w, s, east, n) in zip(page.tolist(), _core._sheet_bounds(page).tolist()):
            cell = box(w, s, east, n)
            if not geom.intersects(cell):
                continue
            if geom.relate_pattern(cell, "T********"):
                inside.append(tuple(rec))
            elif not inside:
                meeting.append((tuple(rec), cell))
    if not inside:
        for rec, cell in meeting:
            points = list(_probes(geom.intersection(cell)))
            held, ok = _core.sheets_at([p[0] for p in points], [p[1] for p in points], sc, e)
            if any(ok[i] and tuple(held[i].tolist()) == rec for i in range(len(points))):
                inside.append(rec)
    return [Sheet._of(rec, e, names) for rec in inside]
