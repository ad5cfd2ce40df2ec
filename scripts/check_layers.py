#!/usr/bin/env python3
"""Checks that every file of the core includes only what its layer may.

    check_layers.py CORE_DIR [TABLE]

CORE_DIR is the folder that holds the layers (src/core); TABLE defaults to core_layers.txt
next to this script. Every .h and .cpp under CORE_DIR is read. Each include that breaks the
table is printed as "path:line: message" and the exit status is 1; 0 when there is none.
"""
import pathlib
import re
import sys

INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]')
FORBIDDEN = re.compile(r'^(Q|qt|gui/|cli/)')


def read_table(path):
    """The allowed folders of each layer."""
    allowed = {}
    for number, raw in enumerate(path.read_text().splitlines(), 1):
        line = raw.split("#", 1)[0].strip()
        if not line:
            continue
        folder, sep, others = line.partition(":")
        if not sep:
            sys.exit(f"{path}:{number}: a layer is 'folder : folders it may include'")
        allowed[folder.strip()] = set(others.split())
    return allowed


def layer_of(relative_dir, layers):
    """The longest listed folder that holds relative_dir, or None."""
    best = None
    for folder in layers:
        if relative_dir == folder or relative_dir.startswith(folder + "/"):
            if best is None or len(folder) > len(best):
                best = folder
    return best


def violations(core_dir, allowed):
    """Every include that breaks the table, as (file, line, include, message)."""
    found = []
    sources = sorted(p for p in core_dir.rglob("*") if p.suffix in (".h", ".cpp"))
    for source in sources:
        relative = source.relative_to(core_dir).as_posix()
        layer = layer_of(relative.rpartition("/")[0], allowed)
        for number, line in enumerate(source.read_text(errors="replace").splitlines(), 1):
            match = INCLUDE.match(line)
            if not match:
                continue
            include = match.group(2)
            if FORBIDDEN.match(include):
                message = f"the core may not include {include}"
            elif not include.startswith("core/"):
                continue
            elif layer is None:
                message = f"{relative} is in no layer of the table"
            else:
                target = layer_of(include[len("core/"):].rpartition("/")[0], allowed)
                if target == layer or target in allowed[layer]:
                    continue
                message = f"{layer} may not include {include}"
            found.append((relative, number, include, message))
    return found


def main(argv):
    if len(argv) not in (2, 3):
        sys.exit(__doc__)
    core_dir = pathlib.Path(argv[1])
    table = pathlib.Path(argv[2]) if len(argv) == 3 else pathlib.Path(__file__).with_name("core_layers.txt")
    found = violations(core_dir, read_table(table))
    for relative, number, _, message in found:
        print(f"{core_dir.as_posix()}/{relative}:{number}: {message}")
    if found:
        print(f"{len(found)} include(s) break the layers of the core (table: {table})")
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
