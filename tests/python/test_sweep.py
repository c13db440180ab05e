"""The MPI sweep gathers on 2 ranks exactly what one process computes."""

import json
import os
import shutil
import subprocess
import sys

import pytest

SCRIPT = os.path.join(os.path.dirname(__file__), "..", "..", "examples", "python", "sensitivity_sweep.py")


def run(command, tmp_path, name):
    out = tmp_path / name
    env = dict(os.environ, OMPI_ALLOW_RUN_AS_ROOT="1", OMPI_ALLOW_RUN_AS_ROOT_CONFIRM="1")
    subprocess.run(command + [SCRIPT, "--networks", "60", "--output", str(out)], check=True, env=env, timeout=300)
    with open(out) as f:
        return json.load(f)


@pytest.mark.skipif(shutil.which("mpirun") is None, reason="mpirun is not installed")
def test_two_ranks_gather_the_one_process_result(tmp_path):
    pytest.importorskip("mpi4py")
    alone = run([sys.executable], tmp_path, "one.json")
    shared = run(["mpirun", "-n", "2", "--oversubscribe", sys.executable], tmp_path, "two.json")
    assert (alone["ranks"], shared["ranks"]) == (1, 2)
    assert shared["values"] == alone["values"]
    assert shared["mean"] == alone["mean"]
    assert len(alone["values"]) == 60
    # The sensitivity of an intermediate to its own production: positive
    # early on for every network here.
    assert min(alone["values"]) > -1.0 and max(alone["values"]) < 1.5
