"""tufu: the sheet numbers of China's national basic-scale topographic maps
(GB/T 13989, 1992 and 2012 editions), exact and vectorised, over libtufu.

>>> import tufu
>>> tufu.sheet_numbers([116.391667, 121.47], [39.908333, 31.23], "1:5万").tolist()
['J50E001010', 'H51E005006']
>>> tufu.Sheet("J50E001010").old_number
'J-50-5-B'
"""

from ._core import (
    SHEET_FIELDS,
    ScaleInfo,
    annotate,
    bounds,
    is_valid,
    new_numbers,
    old_numbers,
    place_names,
    reasons,
    recognize,
    scale,
    scale_labels,
    scales,
    sheet_bounds,
    sheet_numbers,
    sheet_texts,
    sheets_at,
    to_new,
    to_old,
    version,
)
from ._lib import SHEET_DTYPE
from .names import NameFileError, NameSet
from .sheet import (
    Block,
    Sheet,
    SheetNumberError,
    block_of_bounds,
    block_of_region,
    block_touching,
    regions,
    sheets_of,
)
from . import pandas as _pandas_accessor  # noqa: F401  (registers df.tufu)


def to_geodataframe(sheets, edition: int = 1992, names=None):  # type: ignore[no-untyped-def]
    """See :func:`tufu.geo.to_geodataframe` (needs GeoPandas)."""
    from .geo import to_geodataframe as f

    return f(sheets, edition, names)


def sheets_touching(geometry, scale, edition: int = 1992, names=None):  # type: ignore[no-untyped-def]
    """See :func:`tufu.geo.sheets_touching` (needs Shapely)."""
    from .geo import sheets_touching as f

    return f(geometry, scale, edition, names)


__version__ = version()

__all__ = [
    "SHEET_DTYPE",
    "SHEET_FIELDS",
    "Block",
    "NameFileError",
    "NameSet",
    "ScaleInfo",
    "Sheet",
    "annotate",
    "SheetNumberError",
    "block_of_bounds",
    "block_of_region",
    "block_touching",
    "bounds",
    "is_valid",
    "new_numbers",
    "old_numbers",
    "place_names",
    "reasons",
    "recognize",
    "regions",
    "scale",
    "scale_labels",
    "scales",
    "sheet_bounds",
    "sheet_numbers",
    "sheet_texts",
    "sheets_at",
    "sheets_of",
    "sheets_touching",
    "to_geodataframe",
    "to_new",
    "to_old",
    "version",
]
