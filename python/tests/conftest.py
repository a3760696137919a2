"""Fixtures of the Python tests: tufu-cli answers to compare with.

The tests run against the installed package; TUFU_CLI names the tufu-cli
that was built with the same core."""

import json
import os
import subprocess
from typing import Dict, List, Sequence

import pytest


def _cli_path() -> str:
    path = os.environ.get("TUFU_CLI")
    if not path:
        pytest.skip("TUFU_CLI is not set")
    return path


class Cli:
    def __init__(self, path: str) -> None:
        self.path = path

    def json(self, args: Sequence[str], lines: Sequence[str] = ()) -> List[Dict]:
        """One JSON answer per input line (from standard input)."""
        run = subprocess.run(
            [self.path, "--json", *args],
            input="".join(line + "\n" for line in lines).encode(),
            stdout=subprocess.PIPE,
            stderr=subprocess.PIPE,
            check=False,
        )
        assert run.returncode in (0, 1), run.stderr.decode()
        return [json.loads(line) for line in run.stdout.decode().splitlines() if line.strip()]


@pytest.fixture(scope="session")
def cli() -> Cli:
    return Cli(_cli_path())
