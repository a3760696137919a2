"""The headless QGIS of the plugin's tests: a QgsApplication with the
Processing framework and the plugin loaded from the folder TUFU_QGIS_PLUGINS
(where the built zip was unpacked), and tufu-cli (TUFU_CLI) to compare
with."""

import json
import os
import subprocess
import sys
from pathlib import Path
from typing import Dict, List, Sequence

import pytest

os.environ.setdefault("QT_QPA_PLATFORM", "offscreen")

from qgis.core import QgsApplication  # noqa: E402

sys.path.append("/usr/share/qgis/python/plugins")

_plugins = os.environ.get("TUFU_QGIS_PLUGINS")
if not _plugins or not (Path(_plugins) / "tufu_qgis" / "metadata.txt").is_file():
    raise pytest.UsageError("TUFU_QGIS_PLUGINS must name the folder that holds the unpacked tufu_qgis plugin")
sys.path.insert(0, _plugins)

QgsApplication.setPrefixPath("/usr", True)
_app = QgsApplication([], True)
_app.initQgis()

from processing.core.Processing import Processing  # noqa: E402

Processing.initialize()

import tufu_qgis  # noqa: E402

_plugin = tufu_qgis.classFactory(None)
_plugin.initProcessing()


class Cli:
    def __init__(self, path: str) -> None:
        self.path = path

    def run(self, args: Sequence[str], lines: Sequence[str] = (), ok=(0, 1)) -> str:
        run = subprocess.run([self.path, *args], input="".join(l + "\n" for l in lines).encode(),
                             stdout=subprocess.PIPE, stderr=subprocess.PIPE, check=False)
        assert run.returncode in ok, run.stderr.decode()
        return run.stdout.decode()

    def json(self, args: Sequence[str], lines: Sequence[str] = ()) -> List[Dict]:
        out = self.run(["--json", *args], lines)
        return [json.loads(line) for line in out.splitlines() if line.strip()]


@pytest.fixture(scope="session")
def cli() -> Cli:
    path = os.environ.get("TUFU_CLI")
    if not path:
        raise pytest.UsageError("TUFU_CLI must name tufu-cli")
    return Cli(path)


@pytest.fixture(scope="session")
def plugin():
    return _plugin


@pytest.fixture(scope="session")
def plugin_dir() -> Path:
    return Path(_plugins) / "tufu_qgis"
