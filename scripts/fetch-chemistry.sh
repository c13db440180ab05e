#!/bin/sh
# Fetches the reference chemistry (mechanisms, thermo data and CHEMKIN-II
# SENKIN results of the chemFoam validation cases) from Debian's package
# openfoam-examples into a cache folder outside the source tree, once. The
# package is GPL: its files are read from the cache, never copied into the
# repository.
#
#   fetch-chemistry.sh [CACHE]     (default: ${XDG_CACHE_HOME:-$HOME/.cache}/velkora)
#
# Prints the folder of the cases (CACHE/.../chemFoam) on success.
set -eu
cache=${1:-${XDG_CACHE_HOME:-$HOME/.cache}/velkora}
cases="$cache/openfoam-examples/usr/share/doc/openfoam-examples/examples/combustion/chemFoam"
if [ ! -f "$cases/gri/chemkin/chem.inp" ]; then
    mkdir -p "$cache"
    work=$(mktemp -d "$cache/fetch.XXXXXX")
    trap 'rm -rf "$work"' EXIT
    if ! ( cd "$work" && apt-get download openfoam-examples >/dev/null 2>&1 ); then
        # A fresh image may have no package lists yet.
        [ "$(id -u)" -eq 0 ] && apt-get update >/dev/null 2>&1 || true
        ( cd "$work" && apt-get download openfoam-examples >/dev/null 2>&1 ) || {
            echo "fetch-chemistry.sh: apt-get download openfoam-examples failed" >&2
            exit 1
        }
    fi
    dpkg-deb -x "$work"/openfoam-examples_*.deb "$work/unpacked"
    rm -rf "$cache/openfoam-examples"
    mv "$work/unpacked" "$cache/openfoam-examples"
    # Some files come gzipped; the readers take plain text.
    find "$cases" -name '*.gz' -path '*/chemkin/*' -exec gunzip -kf {} \;
fi
echo "$cases"
