"""A small mechanism in a batch reactor, from Python: A -> B -> C with B
dimerising reversibly to D (the mechanism of examples/reactor_network.c).
Prints the concentrations over time and how strongly B depends on the rate of
the first reaction, and plots both to batch_reactor.png (or the path given
as the first argument) when matplotlib is installed.

    PYTHONPATH=bindings/python python3 examples/python/batch_reactor.py [plot.png]
"""

import sys

import numpy as np

import velkora


def main():
    plot_path = sys.argv[1] if len(sys.argv) > 1 else "batch_reactor.png"
    reactions = [
        velkora.Reaction("A => B", 2.0),
        velkora.Reaction("B => C", 1.0),
        velkora.Reaction("2 B <=> D", 0.5, 0.1),
    ]
    reactor = velkora.Reactor(reactions)
    reactor.concentrations = {"A": 2.0}
    net = velkora.ReactorNet([reactor])
    net.set_tolerances(1e-9, 1e-14)

    print("Batch reactor: A => B (k=2/s), B => C (k=1/s), 2 B <=> D (kf=0.5, kr=0.1 m3/mol/s)\n")
    print("{:>8} {:>12} {:>12} {:>12} {:>12} {:>16}".format("t (s)", "A (mol/m3)", "B", "C", "D", "dlnB/dln(k1)"))
    times = np.linspace(0.0, 10.0, 101)
    printed = {0, 1, 2, 5, 10, 20, 50, 100}  # indexes of t = 0, 0.1, 0.2, 0.5, 1, 2, 5, 10
    history, sensitivity = [], []
    for i, t in enumerate(times):
        net.advance(t)
        c = reactor.concentrations
        s = net.sensitivity("B", 0)
        history.append(c)
        sensitivity.append(s)
        if i in printed:
            print("{:8.2f}".format(net.time) + "".join(" {:12.6f}".format(v) for v in c) + " {:16.6f}".format(s))
    history = np.array(history)

    try:
        import matplotlib

        matplotlib.use("Agg")
        import matplotlib.pyplot as plt
    except ImportError:
        print("\n(matplotlib is not installed: no plot)")
        return 0
    fig, (top, bottom) = plt.subplots(2, 1, figsize=(7, 7), sharex=True)
    for k, name in enumerate(reactor.species):
        top.plot(times, history[:, k], label=name)
    top.set_ylabel("concentration (mol/m$^3$)")
    top.legend()
    bottom.plot(times, sensitivity, color="black")
    bottom.set_ylabel("d ln[B] / d ln $k_1$")
    bottom.set_xlabel("t (s)")
    fig.suptitle("A => B => C, 2 B <=> D in a batch reactor")
    fig.tight_layout()
    fig.savefig(plot_path, dpi=100)
    print("\nplot: {}".format(plot_path))
    return 0


if __name__ == "__main__":
    sys.exit(main())
