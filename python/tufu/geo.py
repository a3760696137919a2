"""Sheets as geometries: GeoDataFrames of grids and the sheets that a line
or polygon touches.  Needs Shapely, and GeoPandas for data frames."""

from __future__ import annotations

from typing import Any, Iterable, Iterator, List, Union

import numpy as np

from . import _core, _lib
from ._core import ScaleLike
from ._lib import SHEET_DTYPE
from .sheet import Block, Sheet

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


def sheets_touching(geometry: Any, scale: ScaleLike, edition: int = 1992, names: Any = None) -> List[Sheet]:
    """The sheets of ``scale`` that a geometry (a Shapely line, polygon, point
    or anything with ``__geo_interface__``, in degrees) touches, in block
    order: candidates from its bounding block, then an exact test.  As for
    points, a sheet's west and south edges belong to it and its east and
    north edges to its neighbours, so a line along a sheet edge is in the
    sheet east or north of it.

    >>> import tufu
    >>> from shapely.geometry import LineString
    >>> [s.number for s in tufu.sheets_touching(LineString([(115, 39.5), (121, 41)]), "100万")]
    ['K50', 'K51', 'J50']
    """
    from shapely.geometry import LineString, Polygon, box, shape

    geom = geometry if hasattr(geometry, "geom_type") else shape(geometry)
    if geom.is_empty:
        return []
    minx, miny, maxx, maxy = geom.bounds
    e = _core._edition(edition)
    sc = _core.scale(scale, e)
    # The corners' sheets by the half-open rule, so a bound on an edge takes
    # in the sheet beyond it, which the exact test then weighs.
    corners, ok = _core.sheets_at([minx, maxx], [miny, maxy], sc, e)
    if not ok.all():
        raise ValueError("the geometry lies outside 0..180° E, 0..60° N")
    sw, ne = corners[0], corners[1]
    blk = _lib.Block_t(sc.index, int(sw["x"]), int(sw["y"]), int(ne["y"] - sw["y"] + 1), int(ne["x"] - sw["x"] + 1))
    block = Block._of(blk, e, names)
    out: List[Sheet] = []
    for page in block.pages():
        for rec, (w, s, east, n) in zip(page.tolist(), _core._sheet_bounds(page).tolist()):
            cell = box(w, s, east, n)
            if not geom.intersects(cell):
                continue
            part = geom.intersection(cell)
            # What meets the sheet only on its east or north edge is the
            # neighbour's.
            far = LineString([(w, n), (east, n), (east, s)])
            if part.is_empty or (part.within(far) if not isinstance(part, Polygon) else False):
                continue
            out.append(Sheet._of(tuple(rec), e, names))
    return out
