#!/bin/sh
# Installs the library into a scratch prefix and builds two outside programs
# with only what the install gives: a C program through pkg-config and a C++
# project through find_package(Velkora). Both run and check their results.
#
#   consume.sh BUILD_DIR WORK_DIR
set -eu
here=$(cd "$(dirname "$0")" && pwd)
build=$1
work=$2
rm -rf "$work"
mkdir -p "$work"
prefix="$work/prefix"

cmake --install "$build" --prefix "$prefix" >/dev/null

lib=$(find "$prefix" -name 'libvelkora.so.*.*.*' | head -n 1)
soname=$(readelf -d "$lib" | sed -n 's/.*Library soname: \[\(.*\)\]/\1/p')
echo "installed $(basename "$lib"), soname $soname"
[ "$soname" = "libvelkora.so.0" ]

# The public boundary: the library's dynamic symbols are the C functions that
# the installed headers declare and the members, vtables and type
# information of the classes they export; nothing else.
include="$prefix/include"
grep -rhoE 'VELKORA_EXPORT (int|double) [A-Za-z0-9_]+\(' "$include/velkora" |
    sed -E 's/.* ([A-Za-z0-9_]+)\(/\1/' | sort -u >"$work/c-functions"
classes=$(grep -rhoE 'class VELKORA_EXPORT [A-Za-z0-9_]+' "$include/velkora" | awk '{print $3}' | sort -u | paste -sd'|')
nm -D --defined-only "$lib" | awk '{print $3}' | sort -u >"$work/symbols"
grep -vxFf "$work/c-functions" "$work/symbols" | c++filt |
    grep -vE "^((typeinfo|typeinfo name|vtable) for )?Velkora::($classes)(::|\$)" >"$work/outside" || true
grep -vxFf "$work/symbols" "$work/c-functions" >"$work/missing" || true
echo "dynamic symbols: $(wc -l <"$work/symbols"), C functions declared: $(wc -l <"$work/c-functions"), outside the boundary: $(wc -l <"$work/outside"), declared but not exported: $(wc -l <"$work/missing")"
if [ -s "$work/outside" ] || [ -s "$work/missing" ]; then
    cat "$work/outside" "$work/missing" >&2
    exit 1
fi
# Only public headers are installed: each one's includes are installed too.
for h in $(cd "$include" && find velkora -name '*.h'); do
    for dep in $(sed -n 's/^#include "\(velkora\/[^"]*\)".*/\1/p' "$include/$h"); do
        [ -f "$include/$dep" ] || { echo "$h includes $dep, which is not installed" >&2; exit 1; }
    done
done

pc=$(find "$prefix" -name velkora.pc | head -n 1)
PKG_CONFIG_PATH=$(dirname "$pc")
export PKG_CONFIG_PATH
libdir=$(pkg-config --variable=libdir velkora)
# shellcheck disable=SC2046
${CC:-cc} -std=c99 -Wall -Wextra -pedantic -Werror $(pkg-config --cflags velkora) "$here/consume.c" \
    -o "$work/consume_c" $(pkg-config --libs velkora) -lm -Wl,-rpath,"$libdir"
"$work/consume_c"

cmake -S "$here/cpp" -B "$work/cpp-build" -DCMAKE_PREFIX_PATH="$prefix" >/dev/null
cmake --build "$work/cpp-build" >/dev/null
"$work/cpp-build/bratu"

# The Python package, found by the folder it was installed into alone, with
# its library, and with a prototype for every function of the installed
# header.
python=${VELKORA_PYTHON:-/usr/bin/python3}
site=$(find "$prefix" -type d -name velkora -path '*-packages/velkora' -exec dirname {} \; | head -n 1)
if [ -n "$site" ] && "$python" -c "import numpy, pytest" 2>/dev/null; then
    (
        cd "$work"
        unset VELKORA_LIBRARY
        PYTHONPATH="$site" "$python" -c "
import velkora, os
assert velkora.library_path.startswith(os.path.realpath('$prefix')) or velkora.library_path.startswith('$prefix'), velkora.library_path
print('python package', velkora.version(), 'loads', os.path.relpath(velkora.library_path, '$prefix'))
"
        PYTHONPATH="$site" VELKORA_INCLUDE="$prefix/include" "$python" -m pytest -q -p no:cacheprovider \
            "$here/../python/test_prototypes.py"
    )
fi

# The Fortran module, when the library was built with it: an outside Fortran
# project through find_package(Velkora), running the Fortran example.
if [ -n "$(find "$prefix" -name velkora.mod)" ]; then
    cmake -S "$here/fortran" -B "$work/fortran-build" -DCMAKE_PREFIX_PATH="$prefix" >/dev/null
    cmake --build "$work/fortran-build" >/dev/null
    "$work/fortran-build/reactor_network" | tail -n 1
    # The README's Fortran snippets, compiled as the README says, without
    # CMake; the first runs (the second needs the reference chemistry).
    readme="$here/../../README.md"
    if [ -f "$readme" ] && command -v "${FC:-gfortran}" >/dev/null; then
        awk -v dir="$work" '/^```fortran$/ { n++; out = dir "/snippet" n ".f90"; next }
                             /^```$/ { out = ""; next }
                             out != "" { print > out }' "$readme"
        libdir=$(dirname "$(find "$prefix" -name 'libvelkora_fortran.a' | head -n 1)")
        for snippet in "$work"/snippet*.f90; do
            "${FC:-gfortran}" -std=f2008 "$snippet" -I"$prefix/include/velkora/fortran" \
                -L"$libdir" -lvelkora_fortran -lvelkora -Wl,-rpath,"$libdir" -o "${snippet%.f90}"
        done
        [ -x "$work/snippet2" ] || { echo "README: the second Fortran snippet is missing" >&2; exit 1; }
        echo "README Fortran snippet: [A] = $("$work/snippet1" | tr -d ' ')"
    fi
fi
