"""Loading libtufu and declaring its C functions for ctypes.

The library is the one for the platform Python runs on: ``tufu.dll`` on
Windows, ``libtufu.so.0`` elsewhere (Linux).  It is looked for in this order:
the platform's library inside this package (a wheel carries one, the QGIS
plugin both, and nothing else replaces them); when the package holds none (a
source checkout), the file named by the environment variable ``TUFU_LIBRARY``;
then the system's (the Debian package's ``libtufu.so.0``).
"""

from __future__ import annotations

import ctypes
import os
import sys
from pathlib import Path

__all__ = ["lib", "SHEET_DTYPE", "TextColumn", "Sheet_t", "Block_t", "ScaleInfo_t"]


class Sheet_t(ctypes.Structure):
    _fields_ = [("scale", ctypes.c_int32), ("x", ctypes.c_int32), ("y", ctypes.c_int32)]


class Block_t(ctypes.Structure):
    _fields_ = [
        ("scale", ctypes.c_int32),
        ("x", ctypes.c_int32),
        ("y", ctypes.c_int32),
        ("rows", ctypes.c_int32),
        ("cols", ctypes.c_int32),
    ]


class ScaleInfo_t(ctypes.Structure):
    _fields_ = [
        ("index", ctypes.c_int32),
        ("label", ctypes.c_char_p),
        ("denominator", ctypes.c_int32),
        ("code", ctypes.c_char),
        ("digits", ctypes.c_int32),
        ("rows", ctypes.c_int32),
        ("width_units", ctypes.c_int64),
        ("height_units", ctypes.c_int64),
        ("width", ctypes.c_double),
        ("height", ctypes.c_double),
        ("lonsize", ctypes.c_char_p),
        ("latsize", ctypes.c_char_p),
        ("shows_new", ctypes.c_int32),
        ("has_old", ctypes.c_int32),
        ("named", ctypes.c_int32),
        ("parent", ctypes.c_int32),
        ("since", ctypes.c_int32),
        ("suffix", ctypes.c_char_p),
    ]


class TextColumn(ctypes.Structure):
    _fields_ = [("data", ctypes.c_void_p), ("width", ctypes.c_size_t), ("encoding", ctypes.c_int32)]


def library_name(platform: str) -> str:
    """The file name of libtufu on ``platform`` (a ``sys.platform`` value)."""
    return "tufu.dll" if platform in ("win32", "cygwin") else "libtufu.so.0"


def _candidates(platform: str, environ, here: Path) -> list:
    """Where libtufu is looked for, in order (see the module's text)."""
    name = library_name(platform)
    own = here.with_name(name)
    found = []
    if own.exists():
        found.append(str(own))
    elif environ.get("TUFU_LIBRARY"):
        found.append(environ["TUFU_LIBRARY"])
    found.append(name)
    return found


def _load() -> ctypes.CDLL:
    errors = []
    for name in _candidates(sys.platform, os.environ, Path(__file__)):
        if os.sep in name and not os.path.exists(name):
            continue
        try:
            return ctypes.CDLL(name)
        except OSError as e:  # try the next place
            errors.append(f"{name}: {e}")
    raise ImportError(library_name(sys.platform) + " not found: " + "; ".join(errors))


lib = _load()

_p = ctypes.c_void_p
_sz = ctypes.c_size_t
_i = ctypes.c_int
_i32 = ctypes.c_int32
_d = ctypes.c_double
_cp = ctypes.c_char_p

_PROTOTYPES = {
    "tufu_version": (_cp, []),
    "tufu_version_number": (_i, []),
    "tufu_status_message": (_cp, [_i32]),
    "tufu_scale_count": (_i, [_i]),
    "tufu_scale_get": (_i32, [_i, ctypes.POINTER(ScaleInfo_t)]),
    "tufu_scale_parse": (_i, [_i, _cp, _sz]),
    "tufu_sheet_at": (_sz, [_i, _i, _sz, _p, _p, _p, _p]),
    "tufu_sheet_at_text": (_sz, [_i, _i, _sz, _p, _p, _p, _p]),
    "tufu_recognize": (_sz, [_i, _sz, _p, _p, _p, _p, _p]),
    "tufu_reason": (_sz, [_i, _cp, _sz, _p, _sz]),
    "tufu_sheet_texts": (_sz, [_p, _i, _sz, _p, _p, _p]),
    "tufu_sheet_at_texts": (_sz, [_p, _i, _i, _i, _sz, _p, _p, _p, _p]),
    "tufu_sheet_at_columns": (_sz, [_p, _i, _sz, _p, _p, _sz, _p, _p, _p, _p]),
    "tufu_annotate_column": (ctypes.c_char_p, [_i, _i]),
    "tufu_sheet_bounds": (_sz, [_sz, _p, _p, _p]),
    "tufu_sheet_grid": (_i32, [_p, _p, _p, _p, _p]),
    "tufu_containing": (_sz, [_p, _p, _sz]),
    "tufu_neighbours": (_sz, [_sz, _p, _p, _p, _p]),
    "tufu_block_count": (ctypes.c_int64, [_p]),
    "tufu_block_bounds": (_i32, [_i, _i, _d, _d, _d, _d, _p]),
    "tufu_block_bounds_text": (_i32, [_i, _i, _cp, _cp, _cp, _cp, _p]),
    "tufu_region_count": (_i, []),
    "tufu_region_name": (_cp, [_i]),
    "tufu_block_region": (_i32, [_i, _i, _cp, _p]),
    "tufu_region_reason": (_sz, [_cp, _p, _sz]),
    "tufu_block_contained": (_i32, [_i, _p, _i, _p]),
    "tufu_nest_reason": (_sz, [_i, _p, _i, _p, _sz]),
    "tufu_bounds_reason": (_sz, [_i, _i, _cp, _cp, _cp, _cp, _p, _sz]),
    "tufu_block_touching": (_i32, [_i, _i, _d, _d, _d, _d, _p]),
    "tufu_block_sheets": (_sz, [_p, ctypes.c_int64, _p, _sz]),
    "tufu_names_new": (_p, []),
    "tufu_names_copy": (_p, [_p]),
    "tufu_names_free": (None, [_p]),
    "tufu_names_merge": (_i32, [_p, _cp, _p, _sz]),
    "tufu_name_of": (_sz, [_p, _p, _p, _sz]),
}

for _name, (_res, _args) in _PROTOTYPES.items():
    _f = getattr(lib, _name)
    _f.restype = _res
    _f.argtypes = _args

# Status codes of tufu.h.
OK = 0
E_MISSING = 7
E_LONGITUDE = 10
E_LATITUDE = 11
E_REGION = 15
E_NEST = 16
E_NOSHEET = 17
E_NAMEFILE = 18
E_NUMBER = 49

# Encodings of a text column and the fields of tufu_sheet_texts.
UTF8, UTF32, POINTERS = 1, 2, 3
FIELD_NEW, FIELD_OLD, FIELD_NAME = 1, 2, 3
FIELD_WEST, FIELD_EAST, FIELD_SOUTH, FIELD_NORTH = 4, 5, 6, 7
FIELD_LONSIZE, FIELD_LATSIZE, FIELD_SCALE, FIELD_CODE = 8, 9, 10, 11

import numpy as np  # noqa: E402

#: A numpy record with the layout of tufu_sheet.
SHEET_DTYPE = np.dtype([("scale", "<i4"), ("x", "<i4"), ("y", "<i4")])
