"""The spread of a sensitivity over a few hundred networks whose rate
constants are drawn from a seeded log-normal distribution: for A => B => C,
d ln[B] / d ln k1 at t = 1 s.

Runs in one process, or under MPI with mpi4py: each rank integrates its
share of the networks (every size-th one) and rank 0 gathers them, so the
result is the same whatever the number of ranks.

    python3 sensitivity_sweep.py [--networks 300] [--seed 1] [--output result.json]
    mpirun -n 4 python3 sensitivity_sweep.py          # on one machine
    srun -n 64 python3 sensitivity_sweep.py           # on a Slurm cluster
"""

import argparse
import json
import sys

import numpy as np

import velkora


def sensitivity(k1, k2):
    """d ln[B] / d ln k1 at t = 1 s for A => B (k1) => C (k2), [A] = 1."""
    r1 = velkora.Reaction("A => B", k1)
    r2 = velkora.Reaction("B => C", k2)
    reactor = velkora.Reactor([r1, r2])
    reactor.set_concentration("A", 1.0)
    with velkora.ReactorNet([reactor]) as net:
        net.set_tolerances(1e-10, 1e-14)
        net.advance(1.0)
        return net.sensitivity("B", 0)


def main(argv=None):
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--networks", type=int, default=300)
    parser.add_argument("--seed", type=int, default=1)
    parser.add_argument("--output", help="write the gathered results as JSON")
    args = parser.parse_args(argv)

    try:
        from mpi4py import MPI

        comm = MPI.COMM_WORLD
    except ImportError:
        comm = None
    rank = comm.Get_rank() if comm else 0
    size = comm.Get_size() if comm else 1

    # Every rank draws the same parameters and takes its own share of them.
    rng = np.random.default_rng(args.seed)
    k = np.exp(rng.normal(0.0, 0.5, size=(args.networks, 2)))
    mine = {i: sensitivity(k[i, 0], k[i, 1]) for i in range(rank, args.networks, size)}
    shares = comm.gather(mine, root=0) if comm else [mine]
    if rank != 0:
        return 0
    values = np.empty(args.networks)
    for share in shares:
        for i, v in share.items():
            values[i] = v
    summary = {
        "networks": args.networks,
        "ranks": size,
        "mean": float(values.mean()),
        "std": float(values.std()),
        "percentiles": {str(p): float(np.percentile(values, p)) for p in (5, 50, 95)},
        "values": values.tolist(),
    }
    print(
        "d ln[B]/d ln k1 at t = 1 s over {} networks on {} rank(s): mean {:.6f}, std {:.6f}, "
        "5/50/95 %: {:.6f} {:.6f} {:.6f}".format(
            args.networks, size, summary["mean"], summary["std"], *summary["percentiles"].values()
        )
    )
    if args.output:
        with open(args.output, "w") as f:
            json.dump(summary, f)
    return 0


if __name__ == "__main__":
    sys.exit(main())
