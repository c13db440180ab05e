"""What the Python package adds to a call on the success path: `net.time`
through the package against a bare ctypes call of reactornet_time on the
same network, in one process, interleaved, median of the repetitions.

    PYTHONPATH=bindings/python python3 bench/python/call_overhead_bench.py
"""

import statistics
import timeit

import velkora
from velkora._library import lib


def main():
    reaction = velkora.Reaction("A => B", 1.0)
    reactor = velkora.Reactor([reaction])
    reactor.set_concentration("A", 1.0)
    net = velkora.ReactorNet([reactor])
    net.advance(0.5)
    handle = net.handle
    bare = lib.reactornet_time  # prototype declared: restype c_double, argtypes [c_int]

    calls = 200000
    package_times, bare_times = [], []
    for _ in range(9):
        package_times.append(timeit.timeit(lambda: net.time, number=calls) / calls)
        bare_times.append(timeit.timeit(lambda: bare(handle), number=calls) / calls)
    p, b = statistics.median(package_times), statistics.median(bare_times)
    print("net.time through the package: {:.0f} ns; bare ctypes reactornet_time: {:.0f} ns; "
          "ratio {:.2f} (goal: at most 2)".format(1e9 * p, 1e9 * b, p / b))


if __name__ == "__main__":
    main()
