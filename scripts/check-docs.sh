#!/bin/sh
# Fails when doxygen warned about a header of the C interface: every exported
# C function documents its parameters and its result.
#
#   check-docs.sh WARNINGS_LOG
set -eu
log=$1
c_headers='(velkora|version|[a-z]+_capi|[a-z]+_bridge)\.h:'
if grep -E "$c_headers" "$log" >/dev/null; then
    echo "Undocumented parts of the C interface:" >&2
    grep -E "$c_headers" "$log" >&2
    exit 1
fi
echo "docs: every C function of the interface is documented ($(wc -l <"$log") warnings elsewhere)"
