"""Ignition delays of methane-air over a grid of temperatures, pressures and
equivalence ratios, with the GRI-Mech 3.0 mechanism of the reference
chemistry (scripts/fetch-chemistry.sh): a CSV table and a plot of log delay
against 1000/T, one curve per pressure and ratio.

The delay is the time of the largest dT/dt in a closed, adiabatic
constant-pressure reactor (velkora.ignition_delay); a point that does not
ignite within --t-end is written as nan.

Runs in one process, or under MPI with mpi4py: each rank computes its share
of the points (every size-th one) and rank 0 gathers them, so the table is
the same whatever the number of ranks. On a terminal, rank 0 shows its
progress (with python3-tqdm).

    python3 ignition_delay_map.py [--csv map.csv] [--png map.png]
    mpirun -n 4 python3 ignition_delay_map.py        # on one machine
    srun -n 64 python3 ignition_delay_map.py         # on a Slurm cluster
"""

import argparse
import csv
import os
import sys
import time

import velkora

ATM = 101325.0


def numbers(text):
    """"800:1400:50" (first, last, step) or "1,10,40"."""
    if ":" in text:
        first, last, step = (float(v) for v in text.split(":"))
        count = int(round((last - first) / step)) + 1
        return [first + i * step for i in range(count)]
    return [float(v) for v in text.split(",")]


def communicator(use_mpi):
    if not use_mpi:
        return None
    try:
        from mpi4py import MPI
    except ImportError:
        return None
    return MPI.COMM_WORLD


def progress(points, rank):
    """An iterator over `points` that shows rank 0's progress on a terminal."""
    if rank == 0 and sys.stderr.isatty():
        try:
            from tqdm import tqdm

            return tqdm(points, desc="ignitions (rank 0)", unit="point")
        except ImportError:
            pass
    return points


def plot(rows, path):
    import matplotlib

    matplotlib.use("Agg")
    import matplotlib.pyplot as plt

    fig, ax = plt.subplots(figsize=(7, 5))
    curves = sorted({(row[1], row[2]) for row in rows})
    for pressure, phi in curves:
        curve = [(1000.0 / row[0], row[3]) for row in rows if (row[1], row[2]) == (pressure, phi) and row[3] == row[3]]
        if curve:
            x, y = zip(*curve)
            ax.semilogy(x, y, marker="o", markersize=3, label=f"{pressure:g} atm, phi {phi:g}")
    ax.set_xlabel("1000 / T0 (1/K)")
    ax.set_ylabel("ignition delay (s)")
    ax.set_title("CH4-air, GRI-Mech 3.0, constant pressure")
    ax.grid(True, which="both", alpha=0.3)
    ax.legend(fontsize=7, ncol=3)
    fig.tight_layout()
    fig.savefig(path, dpi=120)


def main(argv=None):
    data = os.environ.get("VELKORA_CHEMISTRY_DATA", "")
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--mechanism", default=os.path.join(data, "gri", "chemkin", "chem.inp"))
    parser.add_argument("--thermo", default=os.path.join(data, "gri", "chemkin", "therm.dat"))
    parser.add_argument("--temperatures", default="800:1400:50", help="K, first:last:step or a list")
    parser.add_argument("--pressures", default="1,10,40", help="atm")
    parser.add_argument("--ratios", default="0.5,1,2", help="equivalence ratios")
    parser.add_argument("--t-end", type=float, default=1000.0, help="latest time of an ignition, s")
    parser.add_argument("--csv", default="ignition_delay_map.csv")
    parser.add_argument("--png", default="ignition_delay_map.png", help="'' for no plot")
    parser.add_argument("--no-mpi", action="store_true", help="run in one process even with mpi4py")
    args = parser.parse_args(argv)

    comm = communicator(not args.no_mpi)
    rank = comm.Get_rank() if comm else 0
    size = comm.Get_size() if comm else 1

    mechanism = velkora.Mechanism(args.mechanism, args.thermo)
    points = [(T, P, phi) for P in numbers(args.pressures) for phi in numbers(args.ratios)
              for T in numbers(args.temperatures)]
    start = time.perf_counter()
    mine = {}
    for i in progress(range(rank, len(points), size), rank):
        T, P, phi = points[i]
        # CH4 + 2 (O2 + 3.76 N2) is the stoichiometric mixture.
        mine[i] = velkora.ignition_delay(mechanism, T, P * ATM, f"CH4:{phi!r}, O2:2, N2:7.52", t_end=args.t_end)
    shares = comm.gather(mine, root=0) if comm else [mine]
    elapsed = time.perf_counter() - start
    if rank != 0:
        return 0

    delays = {i: d for share in shares for i, d in share.items()}
    rows = [points[i] + (delays[i],) for i in range(len(points))]
    with open(args.csv, "w", newline="") as f:
        writer = csv.writer(f)
        writer.writerow(["T0_K", "P_atm", "phi", "delay_s"])
        for row in rows:
            writer.writerow([repr(v) for v in row])
    if args.png:
        plot(rows, args.png)
    ignited = sum(1 for row in rows if row[3] == row[3])
    print(f"{len(points)} ignitions ({ignited} ignited) on {size} rank(s) in {elapsed:.2f} s: "
          f"{len(points) / elapsed:.1f} per second; wrote {args.csv}" + (f" and {args.png}" if args.png else ""))
    return 0


if __name__ == "__main__":
    sys.exit(main())
