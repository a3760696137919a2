"""The ``tufu`` accessor of pandas data frames, registered when pandas is
installed:

>>> import pandas as pd, tufu
>>> df = pd.DataFrame({"lon": [116.391667, 121.47], "lat": [39.908333, 31.23]})
>>> df.tufu.sheet("lon", "lat", scale="5万").tolist()
['J50E001010', 'H51E005006']
>>> df.tufu.sheet("lon", "lat", scale="5万", old=True).tolist()
['J-50-5-B', 'H-51-27-B']
>>> df.tufu.annotate("lon", "lat", ["5万", "1万"]).columns.tolist()
['lon', 'lat', 'new_5w', 'old_5w', 'new_1w', 'old_1w']
"""

from __future__ import annotations

from typing import Any

from . import _core
from ._core import ScaleLike

__all__ = ["TufuAccessor", "sheet_column"]


def sheet_column(
    frame: Any, lon: str, lat: str, scale: ScaleLike, old: bool = False, edition: int = 1992
) -> Any:
    """``frame[lon], frame[lat]`` → a Series of new (or old) numbers with the
    frame's index; ``""`` for points outside the numbering or NaN.  A plain
    function, so that Dask's ``map_partitions`` can send it to its workers.

    >>> import pandas as pd, tufu.pandas
    >>> df = pd.DataFrame({"x": [116.391667], "y": [39.908333]})
    >>> tufu.pandas.sheet_column(df, "x", "y", "1:5万").tolist()
    ['J50E001010']
    """
    out = _core.sheet_numbers(frame[lon], frame[lat], scale, edition, old=old)
    out.name = "old" if old else "new"
    return out.astype(object)


try:
    import pandas as _pd
except ImportError:  # pandas is optional
    _pd = None

if _pd is not None:

    @_pd.api.extensions.register_dataframe_accessor("tufu")
    class TufuAccessor:
        """``df.tufu``: sheet numbers from columns of a data frame."""

        def __init__(self, frame: Any) -> None:
            self._frame = frame

        def sheet(
            self, lon: str, lat: str, scale: ScaleLike, old: bool = False, edition: int = 1992
        ) -> Any:
            """The sheet numbers of the points in columns ``lon`` and ``lat``
            (decimal degrees) at ``scale``: new numbers, or old ones with
            ``old=True``.

            >>> import pandas as pd, tufu
            >>> pd.DataFrame({"lon": [116.25], "lat": [40.0]}).tufu.sheet("lon", "lat", "5万").iloc[0]
            'K50E024010'
            """
            return sheet_column(self._frame, lon, lat, scale, old=old, edition=edition)

        def annotate(self, lon: str, lat: str, scales: Any = "all", edition: int = 1992) -> Any:
            """A copy of the frame with the columns that ``tufu-cli annotate``
            adds (:func:`tufu.annotate`): ``new_<s>`` and ``old_<s>`` for each
            scale, ``""`` where a row has no point in the numbering's range.
            A column of the frame with one of those names is replaced.

            >>> import pandas as pd, tufu
            >>> df = pd.DataFrame({"lon": [116.25, None], "lat": [40.0, 40.0]})
            >>> df.tufu.annotate("lon", "lat", "5万")[["new_5w", "old_5w"]].values.tolist()
            [['K50E024010', 'K-50-137-D'], ['', '']]
            """
            columns = _core.annotate(self._frame[lon], self._frame[lat], scales, edition)
            return self._frame.assign(**{k: v.astype(object) for k, v in columns.items()})
