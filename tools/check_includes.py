#!/usr/bin/env python3
"""Checks that the code's includes point the way docs/ARCHITECTURE.md says.

The folders and their order are read from the table of the page's section
"Folders and build targets": each row names a folder (`src/...`). A folder may
include its own headers and those of the folders listed before it; a header of a
folder listed after it (a higher layer) is a fault. `src/main.cpp` is last and may
include everything.

    tools/check_includes.py [--root DIR]

Prints each fault as "file:line: includes folder/Header.h of a higher folder"
and exits 1 when there is one; exits 0 and prints a one-line summary otherwise.
"""

import argparse
import pathlib
import re
import sys

ROW = re.compile(r"^\|\s*`(src/[^`]+)`\s*\|")
INCLUDE = re.compile(r'^\s*#\s*include\s*"([^"]+)"')
SOURCES = {".cpp", ".h", ".hpp", ".cc"}


def folder_order(architecture):
    """The folders of the table, in the page's order."""
    order = []
    for line in architecture.read_text(encoding="utf-8").splitlines():
        m = ROW.match(line)
        if m:
            order.append(m.group(1).rstrip("/"))
    return order


def owner(path, folders):
    """The listed folder a path (relative to the root, "src/...") belongs to: the
    longest listed folder it lies in, or None."""
    best = None
    for f in folders:
        if path == f or path.startswith(f + "/"):
            if best is None or len(f) > len(best):
                best = f
    return best


def check(root):
    architecture = root / "docs" / "ARCHITECTURE.md"
    order = folder_order(architecture)
    if not order:
        print(f"{architecture}: no folder table found", file=sys.stderr)
        return 2
    rank = {f: i for i, f in enumerate(order)}
    faults = []
    files = 0
    for source in sorted((root / "src").rglob("*")):
        if source.suffix not in SOURCES or not source.is_file():
            continue
        relative = source.relative_to(root).as_posix()
        mine = owner(relative, order)
        if mine is None:
            continue
        files += 1
        for number, line in enumerate(source.read_text(encoding="utf-8", errors="replace").splitlines(), 1):
            m = INCLUDE.match(line)
            if not m:
                continue
            theirs = owner("src/" + m.group(1), order)
            if theirs is not None and rank[theirs] > rank[mine]:
                faults.append(f"{relative}:{number}: includes {m.group(1)} of {theirs}, "
                              f"a folder above {mine} in docs/ARCHITECTURE.md")
    for fault in faults:
        print(fault)
    if faults:
        print(f"{len(faults)} include(s) against the folder order", file=sys.stderr)
        return 1
    print(f"includes follow the folder order: {files} files in {len(order)} folders")
    return 0


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--root", default=pathlib.Path(__file__).resolve().parent.parent, type=pathlib.Path)
    args = parser.parse_args()
    return check(args.root.resolve())


if __name__ == "__main__":
    sys.exit(main())
