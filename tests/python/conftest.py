"""What the tests of the Python module share: turmado-calc of the same
build, run on a problem or a batch."""

import json
import os
import subprocess

import pytest

CALC = os.environ.get("TURMADO_CALC", "turmado-calc")
DATOS = os.path.join(os.path.dirname(__file__), "..", "data")


def calc(*argumentos, entrada=None):
    return subprocess.run([CALC, *argumentos], capture_output=True, text=True, input=entrada)


@pytest.fixture
def calc_json():
    def correr(*argumentos):
        r = calc("--json", *argumentos)
        assert r.returncode == 0, r.stderr
        return json.loads(r.stdout)
    return correr
