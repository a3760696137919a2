"""The names of the columns that ``tufu-cli annotate`` adds for a scale:
``new_<s>`` and ``old_<s>``, where <s> is the scale's denominator in 万
("w") when it is a whole number of them, else in thousands ("k"), else as
it is.  A scale without shown new numbers (1:20万) has no new column, one
without old numbers (1:2000, 1:1000, 1:500) no old column.

>>> import tufu.columns
>>> tufu.columns.annotate_columns(tufu.scale("1:2.5万"))
('new_25k', 'old_25k')
>>> tufu.columns.annotate_columns(tufu.scale("20万"))
(None, 'old_20w')
"""

from __future__ import annotations

from typing import Optional, Tuple

from ._core import ScaleInfo

__all__ = ["annotate_columns", "scale_suffix"]


def scale_suffix(info: ScaleInfo) -> str:
    """The part of a column name that stands for the scale: "5w", "25k", "500"."""
    d = info.denominator
    if d % 10000 == 0:
        return f"{d // 10000}w"
    if d % 1000 == 0:
        return f"{d // 1000}k"
    return str(d)


def annotate_columns(info: ScaleInfo) -> Tuple[Optional[str], Optional[str]]:
    """``(new column, old column)`` for a scale; None for the one it lacks."""
    s = scale_suffix(info)
    return (f"new_{s}" if info.shows_new else None, f"old_{s}" if info.has_old else None)
