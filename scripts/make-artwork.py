#!/usr/bin/env python3
"""Draws Varnokle's artwork and writes it into a folder.

    make-artwork.py OUTDIR [--version VERSION]

VERSION is the program's version, which the about box's picture shows (the build passes the
project's). Every picture is drawn from rectangles, lines and circles by the modules of scripts/artwork/ (one
per subsystem, each with a pictures() function), so the files are the same on every run and every
machine. Writes OUTDIR/artwork.stamp last, for the build to depend on.
"""

import importlib
import os
import pkgutil
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import artwork  # noqa: E402


def all_pictures():
    found = {}
    for module in sorted(m.name for m in pkgutil.iter_modules(artwork.__path__)):
        drawn = getattr(importlib.import_module("artwork." + module), "pictures", None)
        if drawn is None:
            continue
        for name, data in drawn().items():
            if name in found:
                raise SystemExit(f"make-artwork.py: {name} is drawn twice")
            found[name] = data
    return found


def main(argv):
    if len(argv) == 4 and argv[2] == "--version":
        artwork.VERSION = argv[3]
    elif len(argv) != 2:
        argv = []
    if not argv or argv[1].startswith("-") or not all(part.isdigit() for part in artwork.VERSION.split(".")):
        print("usage: make-artwork.py OUTDIR [--version MAJOR.MINOR.PATCH]", file=sys.stderr)
        return 2
    folder = argv[1]
    os.makedirs(folder, exist_ok=True)
    for name, data in sorted(all_pictures().items()):
        with open(os.path.join(folder, name), "wb") as f:
            f.write(data)
    with open(os.path.join(folder, "artwork.stamp"), "w") as f:
        f.write("\n".join(sorted(all_pictures())) + "\n")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
