"""Vectorised calls into libtufu: arrays in, arrays of the same shape out.

Every function here takes a scalar, a list, a numpy array or a pandas
Series and answers in the same shape: a scalar for a scalar, a numpy array
for a list or an array, a Series with the same index for a Series.  A batch
never raises for a bad element; the element gets an empty text, NaN bounds
or ``False`` in a validity mask.
"""

from __future__ import annotations

import ctypes
import threading
from dataclasses import dataclass
from typing import Any, Callable, Dict, List, Optional, Tuple, Union

import numpy as np

from . import _lib
from ._lib import SHEET_DTYPE, TextColumn, lib

__all__ = [
    "ScaleInfo",
    "scales",
    "scale",
    "sheets_at",
    "sheet_numbers",
    "new_numbers",
    "old_numbers",
    "annotate",
    "recognize",
    "is_valid",
    "reasons",
    "bounds",
    "to_new",
    "to_old",
    "scale_labels",
    "place_names",
    "sheet_texts",
    "sheet_bounds",
    "SHEET_FIELDS",
    "version",
]

ScaleLike = Union[str, int, "ScaleInfo"]
EDITIONS = (1992, 2012)

# Widths, in characters, of the text records the library fills.
_WIDTH = {
    _lib.FIELD_NEW: 12,
    _lib.FIELD_CODE: 12,
    _lib.FIELD_OLD: 15,
    _lib.FIELD_NAME: 16,
    _lib.FIELD_WEST: 16,
    _lib.FIELD_EAST: 16,
    _lib.FIELD_SOUTH: 16,
    _lib.FIELD_NORTH: 16,
    _lib.FIELD_LONSIZE: 8,
    _lib.FIELD_LATSIZE: 8,
    _lib.FIELD_SCALE: 8,
}


def version() -> str:
    """The version of libtufu in use.

    >>> import tufu
    >>> tufu.version() == tufu.__version__
    True
    """
    return lib.tufu_version().decode()


# ------------------------------------------------------------------ scales


@dataclass(frozen=True)
class ScaleInfo:
    """One row of the scale table.

    >>> import tufu
    >>> s = tufu.scale("5万")
    >>> s.label, s.denominator, s.code, s.lonsize, s.latsize
    ('1:5万', 50000, 'E', '15′', '10′')
    """

    index: int
    label: str
    denominator: int
    code: str
    digits: int
    rows: int
    width: float  #: a sheet's longitude extent in degrees
    height: float  #: a sheet's latitude extent in degrees
    lonsize: str
    latsize: str
    shows_new: bool
    has_old: bool
    named: bool
    parent: int
    since: int  #: the first edition that has the scale
    #: the scale in the column names of ``tufu-cli annotate`` ("5w", "25k", "500")
    suffix: str

    def __str__(self) -> str:
        return self.label


def _scaleinfo(index: int) -> ScaleInfo:
    info = _lib.ScaleInfo_t()
    if lib.tufu_scale_get(index, ctypes.byref(info)) != 0:
        raise ValueError(f"no scale {index}")
    return ScaleInfo(
        index=info.index,
        label=info.label.decode(),
        denominator=info.denominator,
        code=info.code.decode(),
        digits=info.digits,
        rows=info.rows,
        width=info.width,
        height=info.height,
        lonsize=info.lonsize.decode(),
        latsize=info.latsize.decode(),
        shows_new=bool(info.shows_new),
        has_old=bool(info.has_old),
        named=bool(info.named),
        parent=info.parent,
        since=info.since,
        suffix=info.suffix.decode(),
    )


_SCALES = tuple(_scaleinfo(i) for i in range(lib.tufu_scale_count(2012)))


def _edition(edition: Any) -> int:
    if isinstance(edition, bool) or not isinstance(edition, (int, np.integer)):
        raise TypeError(f"edition must be 1992 or 2012, not {edition!r}")
    if int(edition) not in EDITIONS:
        raise ValueError(f"edition must be 1992 or 2012, not {edition!r}")
    return int(edition)


def scales(edition: int = 1992) -> List[ScaleInfo]:
    """The scales of an edition, from 1:100万 down: nine in 1992, twelve in 2012.

    >>> import tufu
    >>> [s.label for s in tufu.scales()][:4]
    ['1:100万', '1:50万', '1:25万', '1:20万']
    >>> len(tufu.scales(2012))
    12
    """
    return list(_SCALES[: lib.tufu_scale_count(_edition(edition))])


def scale(name: ScaleLike, edition: int = 1992) -> ScaleInfo:
    """The scale named by a label ("1:5万", "5万", "1:50000"), a denominator
    (50000) or a :class:`ScaleInfo`; ``ValueError`` when the edition has none
    of that name.

    >>> import tufu
    >>> tufu.scale(50000).label
    '1:5万'
    >>> tufu.scale("1:500", edition=2012).denominator
    500
    """
    e = _edition(edition)
    if isinstance(name, ScaleInfo):
        if name.index >= lib.tufu_scale_count(e):
            raise ValueError(f"the {e} edition has no scale {name.label}")
        return name
    if isinstance(name, bool) or not isinstance(name, (str, int, np.integer)):
        raise TypeError(f"a scale is a label or a denominator, not {name!r}")
    text = str(int(name)) if not isinstance(name, str) else name
    raw = _encoded(text)
    index = lib.tufu_scale_parse(e, raw, len(raw))
    if index < 0:
        raise ValueError(f"no scale {name!r} in the {e} edition")
    return _SCALES[index]


# ------------------------------------------------------------------ shapes


class _Shape:
    """What the caller gave, so that an answer takes the same form."""

    def __init__(self, value: Any) -> None:
        self.scalar = False
        self.series = None
        self.shape: Tuple[int, ...] = ()
        try:
            import pandas as pd

            if isinstance(value, pd.Series):
                self.series = value
        except ImportError:  # pandas is optional
            pass

    def restore(self, flat: np.ndarray, tail: Tuple[int, ...] = ()) -> Any:
        out = flat.reshape(self.shape + tail)
        if self.scalar:
            v = out[()] if not tail else out
            return v.item() if isinstance(v, np.generic) else v
        if self.series is not None:
            import pandas as pd

            if tail:
                return pd.DataFrame(out.reshape(len(self.series), -1), index=self.series.index)
            return pd.Series(out, index=self.series.index, name=self.series.name)
        return out


def _floats(value: Any, what: str) -> Tuple[np.ndarray, bool]:
    if isinstance(value, (str, bytes)):
        raise TypeError(f"{what} must be a number in degrees or an array of them, not {value!r}")
    try:
        a = np.asarray(value, dtype=np.float64)
    except (TypeError, ValueError) as e:
        raise type(e)(f"{what}: {e}") from None
    return a, np.ndim(value) == 0 and not hasattr(value, "__len__")


def _points(lon: Any, lat: Any) -> Tuple[np.ndarray, np.ndarray, _Shape]:
    shape = _Shape(lon)
    if shape.series is None:
        shape = _Shape(lat)
    x, xs = _floats(lon, "longitude")
    y, ys = _floats(lat, "latitude")
    try:
        x, y = np.broadcast_arrays(x, y)
    except ValueError:
        raise ValueError(
            f"longitude and latitude have different shapes: {x.shape} and {y.shape}"
        ) from None
    shape.shape = x.shape
    shape.scalar = xs and ys
    return np.ascontiguousarray(x).ravel(), np.ascontiguousarray(y).ravel(), shape


def _ptr(a: np.ndarray) -> int:
    return a.ctypes.data


def _texts(values: Any) -> Tuple[TextColumn, Any, _Shape, Optional[np.ndarray]]:
    """A column of sheet numbers for the library, the storage it points into,
    the caller's shape, and a mask of the elements that are no text (or
    None when every element is one)."""
    if isinstance(values, (bytes, bytearray)):
        raise TypeError("a sheet number is a str, not bytes: decode it first")
    shape = _Shape(values)
    if isinstance(values, str):
        shape.scalar = True
        values = np.array([values], dtype=object)
    elif shape.series is not None:
        values = values.to_numpy()
    if isinstance(values, np.ndarray):
        a = values
    else:
        try:
            a = np.empty(np.shape(values), dtype=object)
            a[...] = values
        except ValueError:
            raise ValueError("sheet numbers must form a rectangular array") from None
    shape.shape = a.shape if not shape.scalar else ()
    if a.dtype.kind in "US":
        col, keep = _column(a.ravel())
        return col, keep, shape, None
    if a.dtype != object:
        raise TypeError(f"sheet numbers must be str, not {a.dtype}")
    flat = a.ravel()
    # An element that is no text is missing; a text holding NUL cannot
    # travel in a column and is read on its own (see _recognized).
    missing = np.fromiter((not isinstance(v, str) or "\0" in v for v in flat), bool, len(flat))
    texts = np.array(["" if m else v for v, m in zip(flat, missing)] + [""], dtype=str)[:-1]
    col, keep = _column(texts)
    return col, keep, shape, missing if missing.any() else None


def _column(a: np.ndarray) -> Tuple[TextColumn, np.ndarray]:
    a = np.ascontiguousarray(a)
    if a.dtype.kind == "U":
        width, enc = max(a.dtype.itemsize // 4, 1), _lib.UTF32
    else:
        width, enc = max(a.dtype.itemsize, 1), _lib.UTF8
    if a.dtype.itemsize == 0:  # an array of empty texts
        a = np.zeros(len(a), dtype="U1")
        width, enc = 1, _lib.UTF32
    return TextColumn(a.ctypes.data, width, enc), a


# ------------------------------------------------------------ batch calls

_local = threading.local()


def _scratch(name: str, n: int, dtype: Any) -> np.ndarray:
    """A working array of this thread, reused from call to call (fresh memory
    costs more than the work): valid until the next call that asks for it."""
    a = getattr(_local, name, None)
    if a is None or len(a) < n:
        a = np.empty(max(n, 1024), dtype=dtype)
        setattr(_local, name, a)
    return a[:n]


def _output(out: Optional[np.ndarray], n: int, width: int, shape: "_Shape") -> np.ndarray:
    if out is None:
        return np.empty(n, dtype=f"<U{width}")
    if not isinstance(out, np.ndarray) or out.dtype.kind != "U" or not out.flags.c_contiguous:
        raise TypeError("out must be a C-contiguous numpy array of str ('U' dtype)")
    if out.size != n or (not shape.scalar and out.shape != shape.shape):
        raise ValueError(f"out has shape {out.shape}, the points {shape.shape}")
    return out.reshape(-1)


def _sheet_texts(sheets: np.ndarray, field: int, names: Any = None) -> np.ndarray:
    n = len(sheets)
    width = _WIDTH[field]
    out = np.empty(n, dtype=f"<U{width}")
    if n:
        col = TextColumn(out.ctypes.data, width, _lib.UTF32)
        lib.tufu_sheet_texts(
            _names_handle(names), field, n, _ptr(sheets), ctypes.byref(col), None
        )
    return out


#: The fields :func:`sheet_texts` writes, by name (libtufu's TUFU_FIELD_*).
SHEET_FIELDS = {
    "new": _lib.FIELD_NEW,
    "old": _lib.FIELD_OLD,
    "name": _lib.FIELD_NAME,
    "west": _lib.FIELD_WEST,
    "east": _lib.FIELD_EAST,
    "south": _lib.FIELD_SOUTH,
    "north": _lib.FIELD_NORTH,
    "lonsize": _lib.FIELD_LONSIZE,
    "latsize": _lib.FIELD_LATSIZE,
    "scale": _lib.FIELD_SCALE,
    "code": _lib.FIELD_CODE,
}


def _records(sheets: Any) -> np.ndarray:
    a = np.asarray(sheets)
    if a.dtype != SHEET_DTYPE:
        raise TypeError(f"sheets must be records of tufu.SHEET_DTYPE (scale, x, y), not {a.dtype}")
    return np.ascontiguousarray(a.ravel())


def sheet_texts(sheets: np.ndarray, field: str, names: Any = None) -> np.ndarray:
    """A field of sheets given as integer records (:data:`tufu.SHEET_DTYPE`,
    as :func:`sheets_at`, :func:`recognize` and :meth:`Block.page` give
    them): ``field`` is one of :data:`SHEET_FIELDS` ("new", "old", "name",
    "west", "east", "south", "north", "lonsize", "latsize", "scale",
    "code").  A flat array of str; ``""`` for a record that is no sheet
    (scale −1) and where the sheet has no such text.  Names come from
    ``names`` (a :class:`tufu.NameSet`) or the built-in names.

    >>> import tufu
    >>> recs, ok = tufu.sheets_at([116.391667, -1], [39.908333, 0], "5万")
    >>> tufu.sheet_texts(recs, "new").tolist(), tufu.sheet_texts(recs, "old").tolist()
    (['J50E001010', ''], ['J-50-5-B', ''])
    >>> tufu.sheet_texts(recs[:1], "west").tolist()
    ['116°15′']
    """
    if field not in SHEET_FIELDS:
        raise ValueError(f"no sheet field {field!r}; the fields are {', '.join(SHEET_FIELDS)}")
    return _sheet_texts(_records(sheets), SHEET_FIELDS[field], names)


def sheet_bounds(sheets: np.ndarray) -> np.ndarray:
    """The edges of sheets given as integer records, in degrees: an
    ``(n, 4)`` array of west, south, east, north; NaN for a record that is
    no sheet.

    >>> import tufu
    >>> recs, _ = tufu.sheets_at(116.391667, 39.908333, "5万")
    >>> tufu.sheet_bounds(recs).tolist()
    [[116.25, 39.833333333333336, 116.5, 40.0]]
    """
    return _sheet_bounds(_records(sheets))


def _names_handle(names: Any) -> Optional[int]:
    if names is None:
        return None
    handle = getattr(names, "_handle", None)
    if handle is None:
        raise TypeError(f"names must be a tufu.NameSet, not {names!r}")
    return handle


def _sheet_bounds(sheets: np.ndarray) -> np.ndarray:
    n = len(sheets)
    out = np.empty((n, 4), dtype=np.float64)
    if n:
        lib.tufu_sheet_bounds(n, _ptr(sheets), _ptr(out), None)
    return out


def _scale_index(name: ScaleLike, edition: int) -> int:
    return scale(name, edition).index


def _at(lon: Any, lat: Any, scale_: ScaleLike, edition: int) -> Tuple[np.ndarray, np.ndarray, _Shape]:
    e = _edition(edition)
    index = scale(scale_, e).index
    x, y, shape = _points(lon, lat)
    n = len(x)
    sheets = np.empty(n, dtype=SHEET_DTYPE)
    status = np.empty(n, dtype=np.int32)
    if n:
        lib.tufu_sheet_at(e, index, n, _ptr(x), _ptr(y), _ptr(sheets), _ptr(status))
    return sheets, status, shape


def _recognized(
    numbers: Any, edition: int, scratch: bool = False
) -> Tuple[np.ndarray, np.ndarray, np.ndarray, _Shape]:
    """Sheets, status codes and refusal places; with ``scratch`` in this
    thread's working arrays, for a caller that uses them at once."""
    e = _edition(edition)
    col, keep, shape, missing = _texts(numbers)
    n = int(np.prod(shape.shape)) if not shape.scalar else 1
    if scratch:
        sheets = _scratch("sheets", n, SHEET_DTYPE)
        status = _scratch("status", n, np.int32)
        position = _scratch("position", n, np.int32)
    else:
        sheets = np.empty(n, dtype=SHEET_DTYPE)
        status = np.empty(n, dtype=np.int32)
        position = np.empty(n, dtype=np.int32)
    if n:
        lib.tufu_recognize(e, n, ctypes.byref(col), _ptr(sheets), _ptr(status), _ptr(position), None)
    del keep
    if missing is not None:
        status[missing] = _lib.E_MISSING
        sheets["scale"][missing] = -1
        position[missing] = 0
        flat = _flat_objects(numbers, shape)
        for i in np.flatnonzero(missing):
            if isinstance(flat[i], str):  # holds NUL, which no sheet number has
                status[i] = _lib.E_NUMBER
                position[i] = flat[i].index("\0") + 1
    return sheets, status, position, shape


def sheets_at(lon: Any, lat: Any, scale: ScaleLike, edition: int = 1992) -> Tuple[np.ndarray, np.ndarray]:
    """The sheets of a scale that hold the points, as integer positions.

    Returns ``(sheets, valid)``: a flat array of records (scale, x, y) and a
    boolean mask.  Points are longitude and latitude in decimal degrees
    (0..180, 0..60); a point on a sheet edge is in the sheet north or east.

    >>> import tufu
    >>> s, ok = tufu.sheets_at([116.25, -1], [40, 30], "5万")
    >>> ok.tolist(), int(s["x"][0]), int(s["y"][0])
    ([True, False], 465, 240)
    """
    sheets, status, _ = _at(lon, lat, scale, edition)
    return sheets, status == 0


def sheet_numbers(
    lon: Any,
    lat: Any,
    scale: ScaleLike,
    edition: int = 1992,
    old: bool = False,
    out: Optional[np.ndarray] = None,
) -> Any:
    """The new numbers (or with ``old=True`` the old numbers) of the sheets
    of a scale that hold the points; ``""`` for a point outside the
    numbering's range or NaN.

    >>> import tufu
    >>> tufu.sheet_numbers(116.391667, 39.908333, "1:5万")
    'J50E001010'
    >>> tufu.sheet_numbers([116.391667, 200.0], [39.908333, 0], 50000, old=True).tolist()
    ['J-50-5-B', '']

    ``out``, a numpy array of str of the points' shape (``"<U12"`` for new
    numbers, ``"<U15"`` for old ones), receives the numbers and is returned,
    as in numpy's functions: repeated batches then reuse their memory.
    """
    e = _edition(edition)
    index = _scale_index(scale, e)
    x, y, shape = _points(lon, lat)
    n = len(x)
    field = _lib.FIELD_OLD if old else _lib.FIELD_NEW
    width = _WIDTH[field]
    result = _output(out, n, width, shape)
    if n:
        col = TextColumn(result.ctypes.data, result.dtype.itemsize // 4, _lib.UTF32)
        status = _scratch("status", n, np.int32)
        lib.tufu_sheet_at_texts(None, e, index, field, n, _ptr(x), _ptr(y), ctypes.byref(col), _ptr(status))
    if out is not None:
        return out
    return shape.restore(result)


def annotate(
    lon: Any,
    lat: Any,
    scales: Any = "all",
    edition: int = 1992,
    out: Optional[Dict[str, np.ndarray]] = None,
) -> Dict[str, Any]:
    """The columns that ``tufu-cli annotate`` adds to a table of points, in
    its order: ``new_<s>`` and ``old_<s>`` for each scale (a scale without
    shown new numbers, 1:20万, has no new column; one without old numbers
    no old column); ``""`` for a point outside the numbering's range or NaN.
    ``scales`` is a scale, a list of them, or ``"all"`` (or None): every
    scale of the edition.  The points are read once for all columns, so that many scales
    cost little more than one.

    >>> import tufu
    >>> cols = tufu.annotate([116.391667, 200.0], [39.908333, 1.0], ["5万", "20万"])
    >>> {k: v.tolist() for k, v in cols.items()}
    {'new_5w': ['J50E001010', ''], 'old_5w': ['J-50-5-B', ''], 'old_20w': ['J-50-III', '']}

    ``out`` maps column names to arrays that receive them (``"<U12"`` for
    new numbers, ``"<U15"`` for old ones, of the points' shape), as in
    :func:`sheet_numbers`; columns it lacks are made.
    """
    from .columns import annotate_columns

    e = _edition(edition)
    if scales is None or (isinstance(scales, str) and scales.strip().lower() == "all"):
        chosen = _SCALES[: lib.tufu_scale_count(e)]
    elif isinstance(scales, (str, int, ScaleInfo)):
        chosen = [scale(scales, e)]
    else:
        chosen = [scale(s, e) for s in scales]
    x, y, shape = _points(lon, lat)
    n = len(x)
    names: List[str] = []
    indices: List[int] = []
    fields: List[int] = []
    for info in chosen:
        for column, field in zip(annotate_columns(info), (_lib.FIELD_NEW, _lib.FIELD_OLD)):
            if column is not None and column not in names:
                names.append(column)
                indices.append(info.index)
                fields.append(field)
    given = out or {}
    results = [_output(given.get(c), n, _WIDTH[f], shape) for c, f in zip(names, fields)]
    if n and names:
        count = len(names)
        cols = (TextColumn * count)(
            *(TextColumn(r.ctypes.data, r.dtype.itemsize // 4, _lib.UTF32) for r in results)
        )
        scale_ids = np.array(indices, dtype=np.intc)  # alive through the call
        field_ids = np.array(fields, dtype=np.intc)
        lib.tufu_sheet_at_columns(
            None, e, count, _ptr(scale_ids), _ptr(field_ids), n, _ptr(x), _ptr(y), cols, None
        )
    return {c: given[c] if c in given else shape.restore(r) for c, r in zip(names, results)}


def new_numbers(lon: Any, lat: Any, scale: ScaleLike, edition: int = 1992) -> Any:
    """``sheet_numbers(lon, lat, scale, edition)``: new numbers.

    >>> import tufu
    >>> tufu.new_numbers(116.25, 40.0, "5万")
    'K50E024010'
    """
    return sheet_numbers(lon, lat, scale, edition)


def old_numbers(lon: Any, lat: Any, scale: ScaleLike, edition: int = 1992) -> Any:
    """``sheet_numbers(lon, lat, scale, edition, old=True)``: old numbers.

    >>> import tufu
    >>> tufu.old_numbers(116.25, 40.0, "5万")
    'K-50-137-D'
    """
    return sheet_numbers(lon, lat, scale, edition, old=True)


def recognize(numbers: Any, edition: int = 1992) -> Tuple[np.ndarray, np.ndarray, np.ndarray]:
    """Reads sheet numbers in either numbering.

    Returns flat arrays ``(sheets, status, position)``: the integer sheets
    (scale −1 where refused), libtufu's status codes (0 where accepted) and
    the character where a refused number breaks its rule (1-based, 0 for the
    whole text).

    >>> import tufu
    >>> s, status, pos = tufu.recognize(["J50C001002", "L-51-[17]"])
    >>> status.tolist(), pos.tolist()
    ([0, 44], [0, 6])
    """
    sheets, status, position, _ = _recognized(numbers, edition)
    return sheets, status, position


def is_valid(numbers: Any, edition: int = 1992) -> Any:
    """Whether each text is an acceptable sheet number of the edition.

    >>> import tufu
    >>> tufu.is_valid(["J50", "j-50-c", "J61", None]).tolist()
    [True, True, False, False]
    """
    _, status, _, shape = _recognized(numbers, edition)
    return shape.restore(status == 0)


def _encoded(text: str) -> bytes:
    """UTF-8, with the bytes a surrogate escape stands for, and any other lone
    surrogate as the (refused) bytes of its code point."""
    try:
        return text.encode("utf-8", "surrogateescape")
    except UnicodeEncodeError:
        return text.encode("utf-8", "surrogatepass")


def _written(call: Callable[[Any, int], int]) -> str:
    """The text a libtufu call writes into a caller's buffer, as tufu_reason
    does: ``call(buf, cap)`` returns the whole length."""
    buf = ctypes.create_string_buffer(512)
    n = call(buf, len(buf))
    if n >= len(buf):
        buf = ctypes.create_string_buffer(n + 1)
        call(buf, len(buf))
    return buf.value.decode("utf-8", "replace")


def _reason(text: str, edition: int) -> str:
    raw = _encoded(text)
    return _written(lambda buf, cap: lib.tufu_reason(edition, raw, len(raw), buf, cap))


def _status_message(code: int) -> str:
    return lib.tufu_status_message(int(code)).decode()


def reasons(numbers: Any, edition: int = 1992) -> Any:
    """Why each text is refused as a sheet number (the CLI's Chinese reason),
    ``""`` for the accepted ones and "缺少输入" for an element that is no text.

    >>> import tufu
    >>> tufu.reasons(["J50", "J50C00100"]).tolist()
    ['', '新图幅编号应为3位(如J50)或10位(如J50C001002)']
    """
    e = _edition(edition)
    _, status, _, shape = _recognized(numbers, e)
    flat = _flat_objects(numbers, shape)
    out = np.full(len(status), "", dtype=object)
    for i in np.flatnonzero(status):
        out[i] = _status_message(status[i]) if status[i] == _lib.E_MISSING else _reason(flat[i], e)
    return shape.restore(out)


def _flat_objects(values: Any, shape: _Shape) -> List[Any]:
    if shape.scalar:
        return [values]
    if shape.series is not None:
        return list(shape.series.to_numpy().ravel())
    return list(np.asarray(values, dtype=object).ravel())


def bounds(numbers: Any, edition: int = 1992, out: Optional[np.ndarray] = None) -> Any:
    """The edges of the sheets the numbers name, in degrees: an ``(..., 4)``
    array of west, south, east, north; NaN for a refused number.

    >>> import tufu
    >>> tufu.bounds("J50E001010").tolist()
    [116.25, 39.833333333333336, 116.5, 40.0]

    ``out``, a C-contiguous float64 array of shape ``(..., 4)``, receives
    the bounds and is returned.
    """
    sheets, _, _, shape = _recognized(numbers, edition, scratch=True)
    n = len(sheets)
    if out is None:
        result = np.empty((n, 4), dtype=np.float64)
    else:
        if not isinstance(out, np.ndarray) or out.dtype != np.float64 or not out.flags.c_contiguous:
            raise TypeError("out must be a C-contiguous float64 numpy array")
        if out.size != 4 * n:
            raise ValueError(f"out has shape {out.shape}, not the numbers' shape and 4")
        result = out.reshape(n, 4)
    if n:
        lib.tufu_sheet_bounds(n, _ptr(sheets), _ptr(result), None)
    return out if out is not None else shape.restore(result, (4,))


def _field_of_numbers(numbers: Any, field: int, edition: int, names: Any = None) -> Any:
    sheets, _, _, shape = _recognized(numbers, edition)
    return shape.restore(_sheet_texts(sheets, field, names))


def to_new(numbers: Any, edition: int = 1992) -> Any:
    """The new numbers of the sheets the numbers name (either numbering);
    ``""`` for refused numbers and for 1:20万 sheets, which have none.

    >>> import tufu
    >>> tufu.to_new(["J-50-5-B", "K-49"]).tolist()
    ['J50E001010', 'K49']
    """
    return _field_of_numbers(numbers, _lib.FIELD_NEW, edition)


def to_old(numbers: Any, edition: int = 1992) -> Any:
    """The old numbers of the sheets the numbers name; ``""`` where refused
    or where the scale has none.

    >>> import tufu
    >>> tufu.to_old("J50E001010")
    'J-50-5-B'
    """
    return _field_of_numbers(numbers, _lib.FIELD_OLD, edition)


def scale_labels(numbers: Any, edition: int = 1992) -> Any:
    """The scale label of each number; ``""`` where refused.

    >>> import tufu
    >>> tufu.scale_labels(["J50", "I-48-XXXV"]).tolist()
    ['1:100万', '1:20万']
    """
    return _field_of_numbers(numbers, _lib.FIELD_SCALE, edition)


def place_names(numbers: Any, edition: int = 1992, names: Any = None) -> Any:
    """The place names of the sheets (from ``names``, a :class:`tufu.NameSet`,
    or the built-in names); ``""`` where there is none.

    >>> import tufu
    >>> tufu.place_names("J50")
    '北京'
    """
    return _field_of_numbers(numbers, _lib.FIELD_NAME, edition, names)


Callback = Callable[..., Any]
