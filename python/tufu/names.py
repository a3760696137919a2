"""Name sets: the built-in place names with an organisation's name files
merged over them, by the same rules as ``tufu-cli --names``."""

from __future__ import annotations

import ctypes
import os
import threading
from typing import List, Union

from . import _lib
from ._lib import lib

__all__ = ["NameSet", "NameFileError"]

PathLike = Union[str, "os.PathLike[str]"]


class NameFileError(ValueError):
    """A name file that cannot be read or merged.  The message names the file
    and the line: ``"names.tsv:3: …"``."""


class NameSet:
    """The built-in names, with name files merged over them in order (a later
    file wins), as ``tufu-cli --names A --names B``.

    A name set can be used from several threads at once; merging while other
    threads read it is safe too.

    >>> import tufu, tempfile, os
    >>> path = os.path.join(tempfile.mkdtemp(), "names.tsv")
    >>> _ = open(path, "w", encoding="utf-8").write("J50\\t京\\n")
    >>> names = tufu.NameSet(path)
    >>> tufu.Sheet("J50", names=names).name
    '京'
    """

    def __init__(self, *paths: PathLike) -> None:
        self._lock = threading.Lock()
        self._retired: List[int] = []
        self._handle = self._new()
        self._paths: List[str] = []
        for p in paths:
            self.merge(p)

    @staticmethod
    def _new() -> int:
        handle = lib.tufu_names_new()
        if not handle:
            raise MemoryError("no memory for a name set")
        return handle

    def merge(self, path: PathLike) -> None:
        """Merges the KEY<TAB>NAME file at ``path`` over the set; raises
        :class:`NameFileError` (and leaves the set as it was) for a bad file.
        """
        name = os.fsencode(path)
        if b"\0" in name:
            raise ValueError("a path holds no NUL character")
        with self._lock:
            # Readers in other threads keep the old handle while the copy is
            # merged into; the old one is freed with the set.
            fresh = lib.tufu_names_copy(self._handle)
            if not fresh:
                raise MemoryError("no memory for a name set")
            error = ctypes.create_string_buffer(4096)
            st = lib.tufu_names_merge(fresh, name, error, len(error))
            if st != _lib.OK:
                lib.tufu_names_free(fresh)
                raise NameFileError(error.value.decode("utf-8", "replace"))
            self._paths.append(name)
            self._retired.append(self._handle)
            self._handle = fresh

    def __del__(self) -> None:
        for h in getattr(self, "_retired", []) + [getattr(self, "_handle", None)]:
            if h:
                lib.tufu_names_free(h)
        self._retired = []
        self._handle = None

    def __repr__(self) -> str:
        files = ", ".join(repr(os.fsdecode(p)) for p in self._paths)
        return f"NameSet({files})"
