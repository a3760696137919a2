"""The names of the columns that ``tufu-cli annotate`` adds for a scale:
``new_<s>`` and ``old_<s>``, where <s> is the scale's suffix in libtufu's
scale table (:attr:`tufu.ScaleInfo.suffix`: "5w", "25k", "500").  A scale without shown new numbers (1:20万) has no new column, one
without old numbers (1:2000, 1:1000, 1:500) no old column.

>>> import tufu.columns
>>> tufu.columns.annotate_columns(tufu.scale("1:2.5万"))
('new_25k', 'old_25k')
>>> tufu.columns.annotate_columns(tufu.scale("20万"))
(None, 'old_20w')
"""

from __future__ import annotations

from typing import Optional, Tuple

from . import _lib
from ._core import ScaleInfo
from ._lib import lib

__all__ = ["annotate_columns", "scale_suffix"]


def scale_suffix(info: ScaleInfo) -> str:
    """The part of a column name that stands for the scale: "5w", "25k", "500"
    (libtufu's scale table, as ``tufu-cli annotate`` names its columns)."""
    return info.suffix


def _column(info: ScaleInfo, field: int) -> Optional[str]:
    name = lib.tufu_annotate_column(info.index, field)
    return name.decode() if name is not None else None


def annotate_columns(info: ScaleInfo) -> Tuple[Optional[str], Optional[str]]:
    """``(new column, old column)`` for a scale, as libtufu names them; None
    for the one it lacks."""
    return (_column(info, _lib.FIELD_NEW), _column(info, _lib.FIELD_OLD))
