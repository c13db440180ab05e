"""Ignition delays from Python, timed in one run:

- the package's `ignition_delay` against the same loop written in C
  (ignition_loop.c, called through ctypes once per ignition) on the h2 case,
  on the same mechanism handle, interleaved, median of the repetitions;
- the throughput of examples/python/ignition_delay_map.py, in ignitions per
  second, in one process and on 2 MPI ranks, interleaved, median of the
  repetitions.

    VELKORA_BENCH_LOOP=libignition_loop.so python3 bench/python/ignition_bench.py
"""

import ctypes
import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

import velkora
from velkora._library import lib

DATA = os.environ.get("VELKORA_CHEMISTRY_DATA", "")
MAP = os.path.join(os.path.dirname(__file__), "..", "..", "examples", "python", "ignition_delay_map.py")
ATM = 101325.0


def overhead():
    mech = velkora.Mechanism(os.path.join(DATA, "h2", "chemkin", "chem.inp"),
                             os.path.join(DATA, "h2", "chemkin", "therm.dat"))
    loop = ctypes.CDLL(os.environ["VELKORA_BENCH_LOOP"]).bench_ignition_delay
    loop.restype = ctypes.c_double
    loop.argtypes = [ctypes.c_int, ctypes.c_char_p, ctypes.c_double, ctypes.c_double, ctypes.c_char_p] + \
        [ctypes.c_double] * 3
    X = "H2:1, O2:1, N2:3.76"
    python = velkora.ignition_delay(mech, 1000.0, 2 * ATM, X)
    c = loop(mech.handle, b"constant-pressure", 1000.0, 2 * ATM, X.encode(), 10.0, 1e-8, 1e-15)
    if python != c:
        sys.exit(f"ignition_bench: the C loop gives {c!r}, the package {python!r}: keep them in step")
    # Alternate the two call by call, so that both see the same machine.
    calls = 40
    ours, theirs = [], []
    clock = time.thread_time
    for _ in range(11):
        p = q = 0.0
        for _ in range(calls):
            start = clock()
            velkora.ignition_delay(mech, 1000.0, 2 * ATM, X)
            middle = clock()
            loop(mech.handle, b"constant-pressure", 1000.0, 2 * ATM, X.encode(), 10.0, 1e-8, 1e-15)
            p, q = p + middle - start, q + clock() - middle
        ours.append(p / calls)
        theirs.append(q / calls)
    p, q = statistics.median(ours), statistics.median(theirs)
    print(f"h2 ignition delay {python:.6e} s: velkora.ignition_delay {1e3 * p:.3f} ms, the same loop in C "
          f"{1e3 * q:.3f} ms, ratio {p / q:.3f} (goal: at most 1.2)")


def throughput(repetitions=3):
    env = dict(os.environ, OMPI_ALLOW_RUN_AS_ROOT="1", OMPI_ALLOW_RUN_AS_ROOT_CONFIRM="1")
    runs = {"1 process": [sys.executable, MAP, "--no-mpi"]}
    if shutil.which("mpirun"):
        runs["2 ranks"] = ["mpirun", "-n", "2", "--oversubscribe", sys.executable, MAP]
    rates = {name: [] for name in runs}
    with tempfile.TemporaryDirectory() as folder:
        for _ in range(repetitions):
            for name, command in runs.items():
                start = time.perf_counter()
                out = subprocess.run(command + ["--csv", os.path.join(folder, "map.csv"), "--png", ""], env=env,
                                     check=True, capture_output=True, text=True).stdout
                elapsed = time.perf_counter() - start
                rates[name].append(int(out.split()[0]) / elapsed)
    print("ignition_delay_map.py (gri, 117 points, process start-up included): " + ", ".join(
        f"{name} {statistics.median(r):.1f} ignitions/s" for name, r in rates.items()))


def main():
    if not os.path.exists(os.path.join(DATA, "gri", "chemkin", "chem.inp")):
        print("ignition_bench: no reference data (scripts/fetch-chemistry.sh); skipped")
        return 0
    overhead()
    throughput()
    return 0


if __name__ == "__main__":
    sys.exit(main())
