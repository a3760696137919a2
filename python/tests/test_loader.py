"""The loader picks the library of the platform Python runs on.  The
platform is faked, so that both choices are tested on any machine."""

import pytest

from tufu import _lib


class FakeCDLL:
    """Records what would be loaded; refuses names in `missing`."""

    def __init__(self, missing=()):
        self.loaded = []
        self.missing = set(missing)

    def __call__(self, name):
        if name in self.missing:
            raise OSError(f"{name}: cannot open shared object file")
        self.loaded.append(name)
        return name


@pytest.fixture
def package(tmp_path, monkeypatch):
    """A package folder holding both libraries, as the QGIS plugin does."""
    (tmp_path / "tufu.dll").write_bytes(b"MZ")
    (tmp_path / "libtufu.so.0").write_bytes(b"\x7fELF")
    monkeypatch.setattr(_lib, "__file__", str(tmp_path / "_lib.py"))
    monkeypatch.delenv("TUFU_LIBRARY", raising=False)
    return tmp_path


@pytest.mark.parametrize(
    "platform, name", [("win32", "tufu.dll"), ("cygwin", "tufu.dll"), ("linux", "libtufu.so.0")]
)
def test_library_of_the_platform(package, monkeypatch, platform, name):
    fake = FakeCDLL()
    monkeypatch.setattr(_lib.sys, "platform", platform)
    monkeypatch.setattr(_lib.ctypes, "CDLL", fake)
    assert _lib.library_name(platform) == name
    assert _lib._load() == str(package / name)
    assert fake.loaded == [str(package / name)]


def test_bundled_library_before_the_environment(package, monkeypatch):
    # The QGIS plugin's own library is not replaced by a TUFU_LIBRARY that
    # the user's environment happens to set.
    fake = FakeCDLL()
    monkeypatch.setattr(_lib.sys, "platform", "win32")
    monkeypatch.setattr(_lib.ctypes, "CDLL", fake)
    monkeypatch.setenv("TUFU_LIBRARY", str(package / "libtufu.so.0"))
    assert _lib._load() == str(package / "tufu.dll")


def test_environment_when_none_is_bundled(tmp_path, monkeypatch):
    other = tmp_path / "build" / "libtufu.so.0"
    other.parent.mkdir()
    other.write_bytes(b"\x7fELF")
    monkeypatch.setattr(_lib, "__file__", str(tmp_path / "_lib.py"))
    monkeypatch.setattr(_lib.sys, "platform", "linux")
    fake = FakeCDLL()
    monkeypatch.setattr(_lib.ctypes, "CDLL", fake)
    monkeypatch.setenv("TUFU_LIBRARY", str(other))
    assert _lib._load() == str(other)


def test_system_library_when_none_is_bundled(tmp_path, monkeypatch):
    # A wheel for Linux on Windows: no tufu.dll beside the package, and the
    # Linux library inside is never tried.
    (tmp_path / "libtufu.so.0").write_bytes(b"\x7fELF")
    monkeypatch.setattr(_lib, "__file__", str(tmp_path / "_lib.py"))
    monkeypatch.delenv("TUFU_LIBRARY", raising=False)
    monkeypatch.setattr(_lib.sys, "platform", "win32")
    fake = FakeCDLL(missing={"tufu.dll"})
    monkeypatch.setattr(_lib.ctypes, "CDLL", fake)
    with pytest.raises(ImportError, match="tufu.dll not found"):
        _lib._load()
    assert fake.loaded == []
