#!/bin/sh
# The Python package as its ecosystem installs it: pip, offline, without
# build isolation, into a scratch virtual environment; then an import that
# loads the library and agrees with its version.
#
#   pip_install.sh SOURCE_DIR LIBRARY WORK_DIR
set -eu
source=$1
library=$2
work=$3
python=${VELKORA_PYTHON:-/usr/bin/python3}
rm -rf "$work"
mkdir -p "$work"
# pip builds in the folder it is given: a copy keeps the source tree clean.
cp -r "$source/bindings/python" "$work/src"
# The environment sees the system's packages: numpy and the build tools.
"$python" -m venv --system-site-packages "$work/venv"
"$work/venv/bin/pip" install --quiet --no-index --no-build-isolation "$work/src"
cd "$work"
VELKORA_LIBRARY="$library" "$work/venv/bin/python" -c "
import os, velkora
where = os.path.dirname(velkora.__file__)
assert where.startswith(os.path.realpath('$work/venv')) or where.startswith('$work/venv'), where
assert os.path.exists(os.path.join(where, 'py.typed'))
assert velkora.__version__ == velkora.version(), (velkora.__version__, velkora.version())
print('pip installed velkora', velkora.__version__, 'into', os.path.relpath(where, '$work'))
"
