#!/bin/sh
# Before and after in one run: builds revision BASE of this repository beside
# the working tree, then runs both interleaved, REPS times: the ignition of
# each reference case through the C interface (ignition.c, the same program
# against either library, thread CPU time of the integration) and each
# revision's kinetics benchmark (all net production rates, against the
# floor). Prints the medians and the ratios after / before. With
# CALLGRIND=1 it also counts the instructions of one ignition of each
# (valgrind --tool=callgrind, inside reactornet_advance), which a shared
# machine's load does not change.
#
#   bench/revisions/compare.sh BASE [REPS]     (default REPS 5; make bench-compare BASE=...)
set -eu
base=${1:?usage: compare.sh BASE [REPS]}
reps=${2:-5}
root=$(cd "$(dirname "$0")/../.." && pwd)
cd "$root"
work=${COMPARE_DIR:-$root/build/compare}
data=$(sh scripts/fetch-chemistry.sh)
rm -rf "$work"
mkdir -p "$work"
git worktree add --detach "$work/base-src" "$base" >/dev/null 2>&1
trap 'git -C "$root" worktree remove --force "$work/base-src" >/dev/null 2>&1 || true' EXIT

build() { # source folder, build folder
    cmake -S "$1" -B "$2" -DVELKORA_BUILD_BENCHMARKS=ON -DVELKORA_BUILD_TESTS=OFF -DVELKORA_BUILD_EXAMPLES=OFF \
        -DVELKORA_CHEMISTRY_DATA="$data" >/dev/null
    cmake --build "$2" -j"${JOBS:-2}" --target velkora kinetics_bench >/dev/null
}
echo "== building $base and the working tree"
build "$work/base-src" "$work/base"
build "$root" "$work/head"
# One driver, the working tree's C header; either library at run time.
cc -std=c99 -O2 bench/revisions/ignition.c -I src -I "$work/head/generated" -L "$work/head" -lvelkora \
    -o "$work/ignition"

ignition() { # build folder, case, P_atm, T0, composition, t_end
    LD_LIBRARY_PATH="$work/$1" "$work/ignition" "$data/$2/chemkin/chem.inp" "$data/$2/chemkin/therm.dat" \
        "$3" "$4" "$5" "$6" 1e-6 1e-12 2>&1 >/dev/null | awk '$1 == "result" { print $2, $3 }'
}
kinetics() { # build folder
    "$work/$1/bench/kinetics_bench" --benchmark_filter='NetProductionRates|Floor' 2>/dev/null |
        awk '/_median/ { sub(/\/repeats.*/, "", $1); sub(/ns_per_reaction=/, "", $NF); sub(/ns$/, "", $NF); print $1, $NF }'
}

results="$work/results.txt"
: >"$results"
echo "== $reps interleaved repetitions"
for rep in $(seq "$reps"); do
    for side in base head; do
        ignition "$side" gri 13.5 1000 "CH4:0.5, O2:1, N2:3.76" 0.07 | sed "s/^/$side ignition-gri /" >>"$results"
        ignition "$side" ic8h18 50 800 "IC8H18:0.08, O2:1, N2:3.76" 0.01 | sed "s/^/$side ignition-ic8h18 /" >>"$results"
        kinetics "$side" | sed "s/^/$side kinetics-/" >>"$results"
    done
done
if [ "${CALLGRIND:-0}" = 1 ]; then
    echo "== instructions (callgrind)"
    for side in base head; do
        for c in "gri 13.5 1000 CH4:0.5,O2:1,N2:3.76 0.07" "ic8h18 50 800 IC8H18:0.08,O2:1,N2:3.76 0.01"; do
            set -- $c
            LD_LIBRARY_PATH="$work/$side" valgrind --tool=callgrind --toggle-collect=reactornet_advance \
                --callgrind-out-file="$work/callgrind.$side.$1" "$work/ignition" "$data/$1/chemkin/chem.inp" \
                "$data/$1/chemkin/therm.dat" "$2" "$3" "$4" "$5" 1e-6 1e-12 >/dev/null 2>"$work/callgrind.$side.$1.log"
            awk -v s="$side" -v c="$1" '/Collected/ { print s, "instructions-" c, $NF }' "$work/callgrind.$side.$1.log" >>"$results"
        done
    done
fi

python3 - "$results" "$base" <<'PY'
import collections, statistics, sys
values = collections.defaultdict(lambda: collections.defaultdict(list))
for line in open(sys.argv[1]):
    side, what, value = line.split()[:3]
    values[what][side].append(float(value))
print(f"\n{'':58} {'before (' + sys.argv[2][:10] + ')':>22} {'after':>14} {'after/before':>13}")
for what in sorted(values):
    b, h = values[what]["base"], values[what]["head"]
    if not b or not h:
        continue
    mb, mh = statistics.median(b), statistics.median(h)
    unit = "ns/reaction" if what.startswith("kinetics") else "instructions" if what.startswith("instr") else "s CPU"
    print(f"{what + ' (' + unit + ')':58} {mb:22.6g} {mh:14.6g} {mh / mb:13.3f}")
# Each revision's rate evaluation against its own floor, measured in the same run.
for side in ("base", "head"):
    for case in ("gri", "ic8h18"):
        f = values.get(f"kinetics-BM_Floor/{case}", {}).get(side)
        for kind in ("NetProductionRates", "NetProductionRatesSameT"):
            r = values.get(f"kinetics-BM_{kind}/{case}", {}).get(side)
            if f and r:
                print(f"{side:5} {kind + '/' + case:34} / floor {statistics.median(r) / statistics.median(f):6.2f}")
PY
