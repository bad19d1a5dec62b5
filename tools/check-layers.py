#!/usr/bin/env python3
"""Fails when a source file includes from a folder above its own.

The folders stand in layers, bottom to top; a file may include from its own folder and from any
lower layer, never from its own layer's other folders or from above:

    resources, framework  <  registry  <  engine  <  controls  <  dialogs  <  app, scheduler

Usage: check-layers.py ROOT   (prints each offending include; status 1 when there is one)
"""
import pathlib
import re
import sys

LAYERS = {
    "resources": 0, "framework": 0,
    "registry": 1,
    "engine": 2,
    "controls": 3,
    "dialogs": 4,
    "app": 5, "scheduler": 5,
}
INCLUDE = re.compile(r'^\s*#\s*include\s+"([a-z]+)/')


def offences(root):
    for folder, rank in LAYERS.items():
        for source in sorted((root / folder).glob("*.*")):
            if source.suffix not in (".h", ".cpp", ".rc"):
                continue
            for number, line in enumerate(source.read_text(errors="replace").splitlines(), 1):
                match = INCLUDE.match(line)
                if not match:
                    continue
                target = match.group(1)
                if target == folder or target not in LAYERS:
                    continue
                if LAYERS[target] >= rank:
                    yield f"{source.relative_to(root)}:{number}: {folder}/ includes from {target}/, which is not below it"


def main():
    if len(sys.argv) != 2:
        print(__doc__, file=sys.stderr)
        return 2
    found = list(offences(pathlib.Path(sys.argv[1])))
    for offence in found:
        print(offence)
    return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main())
