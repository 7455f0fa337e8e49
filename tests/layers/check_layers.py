#!/usr/bin/env python3
"""Checks that every #include of the program runs down its layers, never up:

    app -> panel, move, features -> window -> store -> canvas -> store/rules

A file may include its own layer and those after it. Usage: check_layers.py SOURCE_ROOT
"""

import pathlib
import re
import sys
import tempfile

# Top to bottom; folders on one line are peers. The longest matching folder wins, so
# store/rules (the text and palette rules the document model shares) sits below canvas.
LAYERS = [
    ("app",),
    ("panel", "move", "features"),
    ("window",),
    ("store",),
    ("canvas",),
    ("store/rules",),
]
OUTSIDE = ("tests", "bench", "tools", "fuzz", "support")
INCLUDE = re.compile(r'^\s*#\s*include\s*"([^"]+)"')
SUFFIXES = (".h", ".cpp")


def rank_of(path):
    best = None
    for rank, folders in enumerate(LAYERS):
        for folder in folders:
            if path.startswith(folder + "/") and (best is None or len(folder) > best[1]):
                best = (rank, len(folder))
    return None if best is None else best[0]


def names(rank):
    return ", ".join(f for folders in LAYERS[rank:] for f in folders)


def check(root):
    """Returns the faults found under root, one line each."""
    faults = []
    for rank, folders in enumerate(LAYERS):
        for folder in folders:
            if not any((root / folder).glob("*" + s) for s in SUFFIXES):
                faults.append(f"{folder}/: no sources; the layer list is out of date")
    files = sorted({p for folders in LAYERS for folder in folders
                    for p in (root / folder).rglob("*") if p.suffix in SUFFIXES})
    for file in files:
        name = file.relative_to(root).as_posix()
        own = rank_of(name)
        if own is None:
            continue
        lines = file.read_text(encoding="utf-8", errors="replace").splitlines()
        for number, line in enumerate(lines, 1):
            match = INCLUDE.match(line)
            if not match:
                continue
            target = match.group(1)
            if "/" not in target:
                target = (pathlib.PurePosixPath(name).parent / target).as_posix()
            top = target.split("/")[0]
            if top in OUTSIDE:
                faults.append(f"{name}:{number}: includes {target}, which is no part "
                              "of the program")
                continue
            theirs = rank_of(target)
            if theirs is not None and theirs < own:
                faults.append(f"{name}:{number}: includes {target} against the layers; "
                              f"it may use {names(own)}")
    return faults


def self_test():
    """The check itself must see a wrong include, or it proves nothing."""
    with tempfile.TemporaryDirectory() as tmp:
        root = pathlib.Path(tmp)
        for folders in LAYERS:
            for folder in folders:
                (root / folder).mkdir(parents=True, exist_ok=True)
                (root / folder / "a.h").write_text("#pragma once\n")
        (root / "panel/b.cpp").write_text('#include "window/a.h"\n#include "a.h"\n')
        (root / "canvas/b.cpp").write_text('#include "store/rules/a.h"\n')
        if check(root):
            return ["self-test: a clean tree was faulted: " + "; ".join(check(root))]
        (root / "window/b.cpp").write_text('#include <QWidget>\n#include "panel/a.h"\n')
        (root / "store/rules/b.cpp").write_text('#include "canvas/a.h"\n')
        (root / "move/c.cpp").write_text('#include "support/x.h"\n')
        found = check(root)
        expected = ["window/b.cpp:2:", "store/rules/b.cpp:1:", "move/c.cpp:1:"]
        missed = [e for e in expected if not any(f.startswith(e) for f in found)]
        if missed or len(found) != len(expected):
            return ["self-test: expected faults at " + ", ".join(expected) + "; got: "
                    + "; ".join(found)]
    return []


def main():
    if len(sys.argv) != 2:
        print(__doc__.strip(), file=sys.stderr)
        return 2
    faults = self_test() + check(pathlib.Path(sys.argv[1]))
    for fault in faults:
        print(fault)
    print("layers: " + ("%d includes against the layers" % len(faults) if faults else "ok"))
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
