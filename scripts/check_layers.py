#!/usr/bin/env python3
"""Fails when a file of the core includes a header of a folder above its own.

The core's folders form layers; a file may include headers of its own folder and of
the folders below it, never of one above. The order, lowest first, is LAYERS below and
in the README's folder table. Usage: check_layers.py [CORE_DIR] (default src/core).
Exit status 0 when every include points down, 1 otherwise (one line per offence).
"""
import pathlib
import re
import sys

LAYERS = ["base", "image", "effects", "library", "objects", "render", "document", "collections",
          "export", "edit", "ui"]

INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"/]+)/[^"]+"')


def offences(core: pathlib.Path):
    rank = {name: i for i, name in enumerate(LAYERS)}
    found = []
    for folder in sorted(p for p in core.iterdir() if p.is_dir()):
        if folder.name not in rank:
            found.append(f"{folder.name}/: folder has no place in the layer order")
            continue
        for source in sorted(folder.rglob("*")):
            if source.suffix not in (".h", ".hpp", ".cpp", ".cc"):
                continue
            lines = source.read_text(encoding="utf-8", errors="replace").splitlines()
            for number, line in enumerate(lines, 1):
                match = INCLUDE.match(line)
                if not match:
                    continue
                target = match.group(1)
                if target not in rank:
                    if (core / target).is_dir():
                        found.append(f"{source.relative_to(core)}:{number}: includes "
                                     f"{target}/, which has no place in the layer order")
                    continue
                if rank[target] > rank[folder.name]:
                    found.append(f"{source.relative_to(core)}:{number}: {folder.name}/ "
                                 f"includes {target}/, a layer above it")
    return found


def main(argv):
    core = pathlib.Path(argv[1] if len(argv) > 1 else "src/core")
    if not core.is_dir():
        print(f"check_layers: {core} is not a folder", file=sys.stderr)
        return 2
    found = offences(core)
    for line in found:
        print(line, file=sys.stderr)
    if found:
        print(f"check_layers: {len(found)} include(s) point upwards; order, lowest first: "
              + " < ".join(LAYERS), file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
