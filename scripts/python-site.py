"""Prints where this interpreter looks for packages under a prefix, relative
to it: the first of its site folders inside the prefix (Debian's
lib/python3.X/dist-packages under /usr/local), else the install scheme's
lib/python3.X/site-packages.

    python3 python-site.py PREFIX
"""

import os
import site
import sys
import sysconfig


def main():
    prefix = os.path.realpath(sys.argv[1])
    for folder in site.getsitepackages():
        folder = os.path.realpath(folder)
        if folder.startswith(prefix + os.sep):
            print(os.path.relpath(folder, prefix))
            return
    print(sysconfig.get_path("purelib", "posix_prefix", vars={"base": ".", "platbase": "."}).lstrip("./"))


main()
