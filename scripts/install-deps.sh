#!/bin/sh
# Installs the Debian packages the build needs, when they are missing.
# Run as root on Debian 12; elsewhere it only reports what is missing.
set -eu

PACKAGES="cmake g++ make libfmt-dev libsundials-dev libgtest-dev libbenchmark-dev"

missing=""
for p in $PACKAGES; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing="$missing $p"
    fi
done

[ -z "$missing" ] && exit 0

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
