"""The wheel of tufu: pure Python, so one wheel serves every Python 3, but it
carries libtufu for one platform: libtufu.so.0 in the wheel tagged
py3-none-linux_x86_64 (the default), tufu.dll in the wheel tagged
py3-none-win_amd64 (TUFU_WHEEL_PLATFORM=win_amd64).

The library is copied into the package from the file named by the
environment variable TUFU_LIBRARY_FILE (the build tree's libtufu.so.0, or
the cross build's tufu.dll)."""

import os
import re
import shutil
from pathlib import Path

from setuptools import Distribution, setup
from setuptools.command.build_py import build_py
from wheel.bdist_wheel import bdist_wheel

HERE = Path(__file__).resolve().parent

# The wheel platforms and the library each carries.
LIBRARIES = {"linux_x86_64": "libtufu.so.0", "win_amd64": "tufu.dll"}


def wheel_platform() -> str:
    platform = os.environ.get("TUFU_WHEEL_PLATFORM", "linux_x86_64")
    if platform not in LIBRARIES:
        raise SystemExit(f"TUFU_WHEEL_PLATFORM must be one of {', '.join(LIBRARIES)}")
    return platform


def project_version() -> str:
    if os.environ.get("TUFU_VERSION"):
        return os.environ["TUFU_VERSION"]
    text = (HERE.parent / "CMakeLists.txt").read_text(encoding="utf-8")
    return re.search(r"project\(tufu VERSION ([0-9.]+)", text).group(1)


class BuildWithLibrary(build_py):
    def run(self) -> None:
        super().run()
        source = os.environ.get("TUFU_LIBRARY_FILE")
        if not source:
            raise SystemExit("TUFU_LIBRARY_FILE must name the library to put in the wheel")
        name = LIBRARIES[wheel_platform()]
        for other in LIBRARIES.values():  # a library left by an earlier build
            (Path(self.build_lib) / "tufu" / other).unlink(missing_ok=True)
        target = Path(self.build_lib) / "tufu" / name
        shutil.copyfile(source, target)


class PlatformWheel(bdist_wheel):
    def finalize_options(self) -> None:
        super().finalize_options()
        self.root_is_pure = False

    def get_tag(self):  # type: ignore[no-untyped-def]
        return "py3", "none", wheel_platform()


class WithLibrary(Distribution):
    """Installed as platform code (the library inside is for one machine)."""

    def has_ext_modules(self) -> bool:
        return True


setup(
    version=project_version(),
    distclass=WithLibrary,
    cmdclass={"build_py": BuildWithLibrary, "bdist_wheel": PlatformWheel},
)
