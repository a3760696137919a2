"""One sheet as a value, and blocks of sheets."""

from __future__ import annotations

import ctypes
from typing import Any, Dict, Iterable, Iterator, List, Optional, Sequence, Tuple, Union

import numpy as np

from . import _core, _lib
from ._core import ScaleInfo, ScaleLike
from ._lib import SHEET_DTYPE, lib

__all__ = ["Sheet", "Block", "SheetNumberError", "block_of_bounds", "block_of_region", "regions"]


class SheetNumberError(ValueError):
    """A refused sheet number: ``reason`` is the Chinese reason the CLI gives,
    ``position`` the character (from 1; 0 for the whole text) where the
    number breaks the rule, ``code`` libtufu's status code.

    >>> import tufu
    >>> try:
    ...     tufu.Sheet("J50Z001001")
    ... except tufu.SheetNumberError as e:
    ...     print(e.position, e.reason)
    4 第4位比例尺代码应为B至I的字母
    """

    def __init__(self, number: str, reason: str, position: int, code: int) -> None:
        super().__init__(f"{number}: {reason}")
        self.number = number
        self.reason = reason
        self.position = position
        self.code = code


class Sheet:
    """One map sheet, from a number in either numbering or from a point.

    >>> import tufu
    >>> s = tufu.Sheet("J-50-5-B")
    >>> s.new_number, s.old_number, s.scale.label
    ('J50E001010', 'J-50-5-B', '1:5万')
    >>> s.west, s.east, s.south, s.north
    ('116°15′', '116°30′', '39°50′', '40°0′')
    >>> tufu.Sheet.at(116.391667, 39.908333, "5万") == s
    True
    """

    __slots__ = ("_rec", "edition", "names")

    def __init__(self, number: str, edition: int = 1992, names: Any = None) -> None:
        if not isinstance(number, str):
            raise TypeError(f"a sheet number is a str, not {type(number).__name__}")
        e = _core._edition(edition)
        sheets, status, position, _ = _core._recognized(number, e)
        if status[0] != _lib.OK:
            raise SheetNumberError(number, _core._reason(number, e), int(position[0]), int(status[0]))
        self._rec = (int(sheets["scale"][0]), int(sheets["x"][0]), int(sheets["y"][0]))
        self.edition = e
        self.names = names

    @classmethod
    def _of(cls, rec: Tuple[int, int, int], edition: int, names: Any = None) -> "Sheet":
        s = cls.__new__(cls)
        s._rec = rec
        s.edition = edition
        s.names = names
        return s

    @classmethod
    def at(
        cls, lon: float, lat: float, scale: ScaleLike, edition: int = 1992, names: Any = None
    ) -> "Sheet":
        """The sheet of ``scale`` that holds the point (decimal degrees);
        ``ValueError`` for a point outside 0..180° E, 0..60° N.

        >>> import tufu
        >>> tufu.Sheet.at(116.25, 40, "5万").new_number
        'K50E024010'
        """
        sheets, status, _ = _core._at(lon, lat, scale, edition)
        if sheets.shape != (1,):
            raise TypeError("Sheet.at takes one point; use tufu.sheet_numbers for many")
        if status[0] != _lib.OK:
            raise ValueError(_core._status_message(int(status[0])))
        return cls._of(tuple(int(v) for v in sheets[0]), _core._edition(edition), names)

    # ------------------------------------------------------------ fields

    @property
    def position(self) -> Tuple[int, int, int]:
        """``(scale index, x, y)``: sheet columns east of 0° E and rows north
        of the equator, as libtufu counts them."""
        return self._rec

    def _array(self) -> np.ndarray:
        return np.array([self._rec], dtype=SHEET_DTYPE)

    def _text(self, field: int) -> str:
        return str(_core._sheet_texts(self._array(), field, self.names)[0])

    @property
    def scale(self) -> ScaleInfo:
        return _core._SCALES[self._rec[0]]

    @property
    def new_number(self) -> str:
        """The new number; ``""`` at 1:20万, which has none."""
        return self._text(_lib.FIELD_NEW)

    @property
    def old_number(self) -> str:
        """The old number; ``""`` at the 2012 scales below 1:5000."""
        return self._text(_lib.FIELD_OLD)

    @property
    def code(self) -> str:
        """The new-form number the program forms, also at 1:20万 (its
        internal code, which name files use)."""
        return self._text(_lib.FIELD_CODE)

    @property
    def number(self) -> str:
        """The number shown for the sheet: the new one, or the old one where
        there is no new one."""
        return self.new_number or self.old_number

    @property
    def name(self) -> str:
        """The place name, ``""`` when none."""
        return self._text(_lib.FIELD_NAME)

    @property
    def west(self) -> str:
        return self._text(_lib.FIELD_WEST)

    @property
    def east(self) -> str:
        return self._text(_lib.FIELD_EAST)

    @property
    def south(self) -> str:
        return self._text(_lib.FIELD_SOUTH)

    @property
    def north(self) -> str:
        return self._text(_lib.FIELD_NORTH)

    @property
    def lonsize(self) -> str:
        return self.scale.lonsize

    @property
    def latsize(self) -> str:
        return self.scale.latsize

    @property
    def bounds(self) -> Tuple[float, float, float, float]:
        """``(west, south, east, north)`` in degrees."""
        b = _core._sheet_bounds(self._array())[0]
        return (float(b[0]), float(b[1]), float(b[2]), float(b[3]))

    # ---------------------------------------------------------- relations

    def containing(self) -> List["Sheet"]:
        """The sheets of every smaller scale that contain this one, as
        ``tufu-cli sheet`` lists them.

        >>> import tufu
        >>> [s.number for s in tufu.Sheet("J50E001010").containing()]
        ['J50D001005', 'J50C001002', 'J50B001001', 'J50', 'J-50-III']
        """
        out = (_lib.Sheet_t * 16)()
        n = lib.tufu_containing(ctypes.byref(_lib.Sheet_t(*self._rec)), out, 16)
        return [Sheet._of((s.scale, s.x, s.y), self.edition, self.names) for s in out[:n]]

    def contained(self, scale: ScaleLike) -> "Block":
        """The block of sheets of a larger ``scale`` inside this sheet;
        ``ValueError`` when that scale does not nest in this one.

        >>> import tufu
        >>> b = tufu.Sheet("J50").contained("1:25万")
        >>> b.rows, b.cols, b.topleft.number
        (4, 4, 'J50C001001')
        """
        target = _core.scale(scale, self.edition)
        blk = _lib.Block_t()
        st = lib.tufu_block_contained(
            self.edition, ctypes.byref(_lib.Sheet_t(*self._rec)), target.index, ctypes.byref(blk)
        )
        if st == _lib.E_NEST:
            raise ValueError(f"{target.label}的图幅不能整齐地嵌套在{self.scale.label}图幅之内")
        if st != _lib.OK:
            raise ValueError(_core._status_message(st))
        return Block._of(blk, self.edition, self.names)

    def neighbours(self) -> List[List[Optional["Sheet"]]]:
        """The 3 × 3 sheets around this one as they lie on a map, rows from
        the north: ``[[NW, N, NE], [W, self, E], [SW, S, SE]]``; ``None``
        where there is no sheet (beyond 180° E, 60° N, 0° E or the equator).

        >>> import tufu
        >>> tufu.Sheet("J50C001004").neighbours()[1][2].number
        'J51C001001'
        """
        out = np.empty(9, dtype=SHEET_DTYPE)
        cells = np.empty(9, dtype=np.int32)
        lib.tufu_neighbours(1, self._array().ctypes.data, out.ctypes.data, cells.ctypes.data, None)
        flat = [
            Sheet._of(tuple(int(v) for v in out[k]), self.edition, self.names)
            if cells[k] == _lib.OK
            else None
            for k in range(9)
        ]
        return [flat[0:3], flat[3:6], flat[6:9]]

    # -------------------------------------------------------------- GIS

    @property
    def __geo_interface__(self) -> Dict[str, Any]:
        """The sheet as a GeoJSON polygon (longitude, latitude in degrees;
        CGCS2000), which Shapely, GeoPandas and other GIS libraries take.

        >>> import tufu
        >>> tufu.Sheet("J50").__geo_interface__["coordinates"][0][:2]
        ((114.0, 36.0), (120.0, 36.0))
        """
        w, s, e, n = self.bounds
        return {
            "type": "Polygon",
            "coordinates": (((w, s), (e, s), (e, n), (w, n), (w, s)),),
        }

    def to_dict(self) -> Dict[str, Any]:
        """The fields of ``tufu-cli sheet --json`` for this sheet."""
        return {
            "scale": self.scale.label,
            "new": self.new_number,
            "old": self.old_number,
            "west": self.west,
            "east": self.east,
            "south": self.south,
            "north": self.north,
            "lonsize": self.lonsize,
            "latsize": self.latsize,
            "name": self.name,
            "bounds": list(self.bounds),
        }

    def __eq__(self, other: object) -> bool:
        return isinstance(other, Sheet) and self._rec == other._rec

    def __hash__(self) -> int:
        return hash(self._rec)

    def __repr__(self) -> str:
        return f"Sheet({self.number!r})"

    def __str__(self) -> str:
        return self.number


# ------------------------------------------------------------------ blocks


class Block:
    """A rectangle of sheets of one scale, iterated row by row from the
    north-west, without forming every sheet at once: a grid of millions of
    sheets streams through :meth:`pages` or iteration.

    >>> import tufu
    >>> b = tufu.block_of_bounds(114.5, 118, 39, 41.5, "1:100万")
    >>> len(b), [s.number for s in b]
    (2, ['K50', 'J50'])
    """

    def __init__(self) -> None:
        raise TypeError("use tufu.block_of_bounds, tufu.block_of_region or Sheet.contained")

    @classmethod
    def _of(cls, blk: "_lib.Block_t", edition: int, names: Any = None) -> "Block":
        b = cls.__new__(cls)
        b._blk = _lib.Block_t(blk.scale, blk.x, blk.y, blk.rows, blk.cols)
        b.edition = edition
        b.names = names
        return b

    @property
    def scale(self) -> ScaleInfo:
        return _core._SCALES[self._blk.scale]

    @property
    def rows(self) -> int:
        return int(self._blk.rows)

    @property
    def cols(self) -> int:
        return int(self._blk.cols)

    def __len__(self) -> int:
        return int(lib.tufu_block_count(ctypes.byref(self._blk)))

    def _sheet(self, k: int) -> Sheet:
        page = self.page(k, 1)
        return Sheet._of(tuple(int(v) for v in page[0]), self.edition, self.names)

    @property
    def topleft(self) -> Sheet:
        return self._sheet(0)

    @property
    def topright(self) -> Sheet:
        return self._sheet(self.cols - 1)

    @property
    def bottomleft(self) -> Sheet:
        return self._sheet((self.rows - 1) * self.cols)

    @property
    def bottomright(self) -> Sheet:
        return self._sheet(len(self) - 1)

    def page(self, first: int, size: int) -> np.ndarray:
        """Sheets ``first .. first + size − 1`` as integer records (scale, x, y)."""
        out = np.empty(max(size, 0), dtype=SHEET_DTYPE)
        n = lib.tufu_block_sheets(ctypes.byref(self._blk), first, out.ctypes.data, len(out)) if size > 0 else 0
        return out[:n]

    def pages(self, size: int = 65536) -> Iterator[np.ndarray]:
        """The block's sheets as consecutive pages of records."""
        for first in range(0, len(self), size):
            yield self.page(first, size)

    def __iter__(self) -> Iterator[Sheet]:
        for page in self.pages(4096):
            for rec in page.tolist():
                yield Sheet._of(rec, self.edition, self.names)

    def numbers(self, old: bool = False) -> np.ndarray:
        """The new (or old) numbers of all sheets, in block order."""
        field = _lib.FIELD_OLD if old else _lib.FIELD_NEW
        return np.concatenate([_core._sheet_texts(p, field, self.names) for p in self.pages()] or [np.array([], dtype="U12")])

    def to_geodataframe(self) -> Any:
        """The block as a GeoDataFrame in EPSG:4490, one polygon per sheet
        with the ``grid`` command's fields (needs GeoPandas)."""
        from .geo import to_geodataframe

        return to_geodataframe(self)

    def __repr__(self) -> str:
        return f"<Block {self.scale.label} {self.rows}*{self.cols} from {self.topleft.number}>"


def _checked(st: int, blk: "_lib.Block_t", edition: int, names: Any) -> Block:
    if st != _lib.OK:
        raise ValueError(_core._status_message(st))
    return Block._of(blk, edition, names)


def block_of_bounds(
    west: Union[float, str],
    east: Union[float, str],
    south: Union[float, str],
    north: Union[float, str],
    scale: ScaleLike,
    edition: int = 1992,
    names: Any = None,
) -> Block:
    """The sheets of ``scale`` that cover west..east, south..north, given in
    decimal degrees or as angle texts ("114,30", "39°30′"), as
    ``tufu-cli block`` answers: a north or east bound on a sheet edge ends the
    block in the sheet before it.  ``ValueError`` with the CLI's reason.

    >>> import tufu
    >>> b = tufu.block_of_bounds("114,30", "118", "39", "41,30", "100万")
    >>> b.rows, b.cols
    (2, 1)
    """
    e = _core._edition(edition)
    index = _core.scale(scale, e).index
    blk = _lib.Block_t()
    values = (west, east, south, north)
    if all(isinstance(v, str) for v in values):
        raw = [_core._encoded(v) for v in values]
        if any(b"\0" in r for r in raw):
            raise ValueError(_core._status_message(_lib.E_LONGITUDE))
        st = lib.tufu_block_bounds_text(e, index, *raw, ctypes.byref(blk))
    elif any(isinstance(v, (str, bytes)) for v in values):
        raise TypeError("bounds are all numbers or all angle texts")
    else:
        st = lib.tufu_block_bounds(e, index, *(float(v) for v in values), ctypes.byref(blk))
    return _checked(st, blk, e, names)


def regions() -> List[str]:
    """The names of the provinces and regions of the block query.

    >>> import tufu
    >>> "北京" in tufu.regions()
    True
    """
    return [lib.tufu_region_name(i).decode() for i in range(lib.tufu_region_count())]


def block_of_region(name: str, scale: ScaleLike, edition: int = 1992, names: Any = None) -> Block:
    """The block of sheets of ``scale`` over a region of :func:`regions`.

    >>> import tufu
    >>> len(tufu.block_of_region("北京", "100万"))
    2
    """
    e = _core._edition(edition)
    index = _core.scale(scale, e).index
    if not isinstance(name, str):
        raise TypeError("a region name is a str")
    blk = _lib.Block_t()
    raw = _core._encoded(name)
    st = lib.tufu_block_region(e, index, raw if b"\0" not in raw else b"", ctypes.byref(blk))
    if st == 15:
        raise ValueError(f"没有名为 {name} 的地区")
    return _checked(st, blk, e, names)


def sheets_of(numbers: Iterable[str], edition: int = 1992, names: Any = None) -> List[Sheet]:
    """The sheets a list of numbers names (either numbering), each once, in
    order; :class:`SheetNumberError` for the first refused number.

    >>> import tufu
    >>> [s.number for s in tufu.sheets_of(["J50", "J-50", "K50"])]
    ['J50', 'K50']
    """
    seen = set()
    out: List[Sheet] = []
    for n in numbers:
        s = Sheet(n, edition, names)
        if s not in seen:
            seen.add(s)
            out.append(s)
    return out


SheetsLike = Union[Block, Sequence[Sheet], Iterable[Union[Sheet, str]]]
