"""The plugin's one door to the sheet numbering: the tufu package bundled in
this plugin (folder ``tufu`` next to this file, with libtufu inside).

The package is imported as ``tufu_qgis.tufu``, a subpackage of the plugin,
so that a ``tufu`` installed in QGIS's own Python neither hides it nor is
hidden by it.  Every number, name, extent, refusal and block comes from
there; this module only turns the package's arrays into the shapes the
algorithms, the expression functions and the dock want.
"""

from __future__ import annotations

from dataclasses import dataclass
from typing import Dict, Iterator, List, Optional, Sequence, Tuple

import numpy as np

try:
    from . import tufu as T
    from .tufu import _core, _lib
except ImportError as e:  # a source checkout without the bundled package
    raise ImportError(
        "tufu_qgis: the bundled tufu package is missing; install the plugin from "
        "tufu-qgis-<version>.zip (" + str(e) + ")"
    ) from e

EDITIONS = (1992, 2012)

#: The fields of a sheet grid, as ``tufu-cli grid`` writes them.
GRID_FIELDS = ("new_no", "old_no", "scale", "denom", "name", "west", "south", "east", "north")

#: Places of the 3 × 3 adjoining sheets, in the order libtufu gives them.
POSITIONS = ("NW", "N", "NE", "W", "C", "E", "SW", "S", "SE")

SheetNumberError = T.SheetNumberError


def version() -> str:
    return T.version()


def all_scales() -> List["T.ScaleInfo"]:
    """Every scale of the later edition (which holds those of the earlier),
    from 1:100万 down."""
    return T.scales(2012)


def scales(edition: int) -> List["T.ScaleInfo"]:
    return T.scales(edition)


def scale(value, edition: int) -> "T.ScaleInfo":
    """The scale a label, a denominator or a list position names; ValueError
    when the edition has none such."""
    if isinstance(value, (int, np.integer)) and 0 <= int(value) < len(all_scales()):
        info = all_scales()[int(value)]
        return T.scale(info, edition)
    return T.scale(value, edition)


def parse_scale(text: str, edition: int) -> "T.ScaleInfo":
    """The scale a user names: "1:5万", "5万", "1:50000", "50000", "5千"."""
    return T.scale(text, edition)


def regions() -> List[str]:
    return T.regions()


# ------------------------------------------------------------------ sheets


@dataclass(frozen=True)
class Texts:
    """The grid fields of a run of sheets, column by column."""

    new: np.ndarray
    old: np.ndarray
    label: np.ndarray
    denom: np.ndarray
    name: np.ndarray
    bounds: np.ndarray  #: (n, 4): west, south, east, north in degrees

    def row(self, i: int) -> list:
        b = self.bounds[i]
        return [
            str(self.new[i]),
            str(self.old[i]),
            str(self.label[i]),
            int(self.denom[i]),
            str(self.name[i]),
            float(b[0]),
            float(b[1]),
            float(b[2]),
            float(b[3]),
        ]


def texts(records: np.ndarray, names=None) -> Texts:
    """The grid fields of sheets given as libtufu records (scale, x, y)."""
    denoms = np.array([s.denominator for s in all_scales()], dtype=np.int64)
    ok = records["scale"] >= 0
    return Texts(
        new=_core._sheet_texts(records, _lib.FIELD_NEW, names),
        old=_core._sheet_texts(records, _lib.FIELD_OLD, names),
        label=_core._sheet_texts(records, _lib.FIELD_SCALE, names),
        denom=np.where(ok, denoms[np.where(ok, records["scale"], 0)], 0),
        name=_core._sheet_texts(records, _lib.FIELD_NAME, names),
        bounds=_core._sheet_bounds(records),
    )


def records(rows: Sequence[Tuple[int, int, int]]) -> np.ndarray:
    """Records (scale, x, y) from tuples of the same."""
    return np.array(list(rows), dtype=_lib.SHEET_DTYPE)


def records_of(sheets: Sequence["T.Sheet"]) -> np.ndarray:
    return records([s.position for s in sheets])


def sheet(number: str, edition: int) -> "T.Sheet":
    """The sheet a number in either numbering names; SheetNumberError with
    the Chinese reason when it is refused."""
    return T.Sheet(number, edition)


def recognize(numbers: Sequence[str], edition: int) -> Tuple[np.ndarray, np.ndarray]:
    """Records and the Chinese reasons ("" where accepted) of many numbers."""
    records, status, _ = T.recognize(list(numbers), edition)
    reasons = np.full(len(status), "", dtype=object)
    bad = np.flatnonzero(status)
    if len(bad):
        reasons[bad] = T.reasons([numbers[i] for i in bad], edition)
    return records, reasons


def reason(number: str, edition: int) -> str:
    """Why a number is refused, "" when it is accepted."""
    return str(T.reasons(number, edition))


def sheets_at(lon, lat, scale_info, edition: int) -> Tuple[np.ndarray, np.ndarray]:
    """Records of the sheets holding the points (degrees, CGCS2000) and a
    mask of the points inside the numbering's range."""
    return T.sheets_at(lon, lat, scale_info, edition)


def field_texts(records: np.ndarray, field: str, names=None) -> np.ndarray:
    code = {"new": _lib.FIELD_NEW, "old": _lib.FIELD_OLD, "name": _lib.FIELD_NAME}[field]
    return _core._sheet_texts(records, code, names)


def bounds(records: np.ndarray) -> np.ndarray:
    return _core._sheet_bounds(records)


def annotate_columns(info: "T.ScaleInfo") -> Tuple[Optional[str], Optional[str]]:
    """The names of the new- and old-number columns ``tufu-cli annotate``
    adds for a scale; None for a number the scale does not have."""
    from .tufu.columns import annotate_columns as columns

    return columns(info)


# ------------------------------------------------------------------ blocks


class Grid:
    """The sheets of a grid: blocks in order, and single sheets, streamed in
    pages of records without forming all of them at once."""

    def __init__(self) -> None:
        self._parts: List[object] = []
        self._count = 0

    def add_block(self, block: "T.Block") -> None:
        self._parts.append(block)
        self._count += len(block)

    def add_records(self, records: np.ndarray) -> None:
        if len(records):
            self._parts.append(records)
            self._count += len(records)

    def __len__(self) -> int:
        return self._count

    def pages(self, size: int = 4096) -> Iterator[np.ndarray]:
        for part in self._parts:
            if isinstance(part, np.ndarray):
                for first in range(0, len(part), size):
                    yield part[first : first + size]
            else:
                yield from part.pages(size)


def block_of_bounds(west, east, south, north, scale_info, edition: int) -> "T.Block":
    """As ``tufu-cli block``: ValueError with the Chinese reason."""
    return T.block_of_bounds(west, east, south, north, scale_info, edition)


def block_of_region(name: str, scale_info, edition: int) -> "T.Block":
    return T.block_of_region(name, scale_info, edition)


def contained(sheet_: "T.Sheet", scale_info) -> "T.Block":
    return sheet_.contained(scale_info)


def neighbours(sheet_: "T.Sheet") -> List[Optional["T.Sheet"]]:
    """The 3 × 3 sheets around a sheet in POSITIONS order; None where there
    is no sheet."""
    return [s for row in sheet_.neighbours() for s in row]


def candidates(west: float, south: float, east: float, north: float, scale_info, edition: int):
    """The records of every sheet from the one holding (west, south) to the
    one holding (east, north), rows from the north: the sheets a geometry
    with these bounds can touch.  None when a corner lies outside the
    numbering's range."""
    corners, ok = T.sheets_at([west, east], [south, north], scale_info, edition)
    if not ok.all():
        return None
    x0, x1 = int(corners["x"][0]), int(corners["x"][1])
    y0, y1 = int(corners["y"][0]), int(corners["y"][1])
    ys = np.arange(y1, y0 - 1, -1, dtype=np.int32)
    xs = np.arange(x0, x1 + 1, dtype=np.int32)
    out = np.empty(len(xs) * len(ys), dtype=_lib.SHEET_DTYPE)
    out["scale"] = scale_info.index
    out["y"] = np.repeat(ys, len(xs))
    out["x"] = np.tile(xs, len(ys))
    return out
