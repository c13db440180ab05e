#!/bin/sh
# Installs the Debian packages that a make target needs, when they are missing,
# and for the tests, examples and benchmarks fetches the reference chemistry
# (scripts/fetch-chemistry.sh). Run as root on Debian 12; elsewhere it only
# reports what is missing.
#
#   install-deps.sh [demo|test|bench|docs|fuzz]...     (default: demo)
set -eu

# What each target needs; every target needs what the library needs.
library="cmake g++ make pkg-config libfmt-dev libsundials-dev libsuitesparse-dev"
python="python3 python3-numpy"
need_demo="$library gfortran $python python3-matplotlib python3-tqdm"
need_test="$library gfortran libgtest-dev $python python3-pytest python3-matplotlib python3-tqdm python3-mpi4py openmpi-bin python3-pip python3-venv python3-setuptools python3-wheel"
# PETSc and OpenFOAM are peers in the comparisons only; the library never links them.
need_bench="$library libbenchmark-dev libpetsc-real-dev openfoam $python"
need_docs="doxygen"
need_fuzz="$library clang libclang-rt-14-dev"

[ $# -eq 0 ] && set -- demo
wanted=""
for target in "$@"; do
    case "$target" in
        demo) wanted="$wanted $need_demo" ;;
        test) wanted="$wanted $need_test" ;;
        bench) wanted="$wanted $need_bench" ;;
        docs) wanted="$wanted $need_docs" ;;
        fuzz) wanted="$wanted $need_fuzz" ;;
        *) echo "install-deps.sh: unknown target '$target'" >&2; exit 2 ;;
    esac
done

missing=""
for p in $wanted; do
    case " $missing " in *" $p "*) continue ;; esac
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing="$missing $p"
    fi
done

fetch_chemistry() {
    # The reference mechanisms of the chemistry tests, examples and benchmarks.
    case " $* " in
        *" test "*|*" bench "*|*" demo "*) sh "$(dirname "$0")/fetch-chemistry.sh" >/dev/null || true ;;
    esac
}

if [ -z "$missing" ]; then
    fetch_chemistry "$@"
    exit 0
fi

if [ "$(id -u)" -ne 0 ]; then
    echo "Missing packages:$missing" >&2
    echo "Install them as root (apt-get install$missing) or run this script as root." >&2
    exit 1
fi

echo "Installing:$missing"
export DEBIAN_FRONTEND=noninteractive
# shellcheck disable=SC2086
if ! apt-get install -y --no-install-recommends $missing; then
    apt-get update
    apt-get install -y --no-install-recommends $missing
fi
fetch_chemistry "$@"
