"""The ignition-delay map gathers on 2 ranks exactly the table that one
process computes without MPI, and plots it."""

import csv
import os
import shutil
import subprocess
import sys

import pytest

SCRIPT = os.path.join(os.path.dirname(__file__), "..", "..", "examples", "python", "ignition_delay_map.py")
DATA = os.environ.get("VELKORA_CHEMISTRY_DATA", "")


def run(command, tmp_path, name, *extra):
    table, picture = tmp_path / f"{name}.csv", tmp_path / f"{name}.png"
    env = dict(os.environ, OMPI_ALLOW_RUN_AS_ROOT="1", OMPI_ALLOW_RUN_AS_ROOT_CONFIRM="1")
    subprocess.run(command + [SCRIPT, "--temperatures", "900,1100,1300", "--pressures", "1,40", "--ratios", "1",
                              "--csv", str(table), "--png", str(picture), *extra], check=True, env=env, timeout=300)
    with open(table) as f:
        return f.read(), picture


@pytest.mark.skipif(shutil.which("mpirun") is None, reason="mpirun is not installed")
def test_two_ranks_write_the_table_of_one_process(tmp_path):
    if not os.path.exists(os.path.join(DATA, "gri", "chemkin", "chem.inp")):
        if os.environ.get("VELKORA_REQUIRE_CHEMISTRY_DATA"):
            pytest.fail("no reference data (scripts/fetch-chemistry.sh)")
        pytest.skip("no reference data (scripts/fetch-chemistry.sh)")
    pytest.importorskip("mpi4py")
    pytest.importorskip("matplotlib")
    alone, alone_png = run([sys.executable], tmp_path, "one", "--no-mpi")
    shared, shared_png = run(["mpirun", "-n", "2", "--oversubscribe", sys.executable], tmp_path, "two")
    assert shared == alone
    assert alone_png.stat().st_size > 10000 and shared_png.stat().st_size > 10000
    rows = list(csv.DictReader(alone.splitlines()))
    assert [(float(r["T0_K"]), float(r["P_atm"])) for r in rows] == [
        (900.0, 1.0), (1100.0, 1.0), (1300.0, 1.0), (900.0, 40.0), (1100.0, 40.0), (1300.0, 40.0)]
    delays = [float(r["delay_s"]) for r in rows]
    # Shorter when hotter, and when denser.
    assert delays[0] > delays[1] > delays[2] > 0 and delays[3] > delays[4] > delays[5] > 0
    assert all(delays[i] > delays[i + 3] for i in range(3))
