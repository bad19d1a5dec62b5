#!/usr/bin/env python3
"""Checks a compiled help file: check-help.py FILE.chm

Reads the file back with extract_chmLib and fails when a topic the program opens is missing, or
when the contents, the index or a page names a page, picture or style sheet that is not inside.
"""
import os
import re
import subprocess
import sys
import tempfile
from urllib.parse import unquote

# The topics Dustora opens by path (Getting Started and the licence agreement).
PROGRAM_TOPICS = ["html/afxd4a7b.htm", "html/lice6nj9.htm"]
REFERENCE = re.compile(r'(?:href|src|value)\s*=\s*"([^"#]*)(?:#[^"]*)?"', re.IGNORECASE)
OUTSIDE = ("http:", "https:", "mailto:", "ms-its:", "javascript:")


def references(path):
    with open(path, encoding="latin-1") as f:
        text = f.read()
    for target in REFERENCE.findall(text):
        target = unquote(target.strip())
        if not target or target.lower().startswith(OUTSIDE):
            continue
        if path.endswith((".hhc", ".hhk")) and not target.lower().endswith((".htm", ".html")):
            continue   # the sitemap's other values are names and settings, not files
        yield target


def problems(root):
    for topic in PROGRAM_TOPICS:
        if not os.path.isfile(os.path.join(root, topic)):
            yield f"the program opens {topic}, which the help file lacks"
    for folder, _, files in os.walk(root):
        for name in files:
            if not name.lower().endswith((".htm", ".html", ".hhc", ".hhk", ".css")):
                continue
            page = os.path.join(folder, name)
            base = root if name.lower().endswith((".hhc", ".hhk")) else folder
            for target in references(page):
                if not os.path.isfile(os.path.normpath(os.path.join(base, target))):
                    yield f"{os.path.relpath(page, root)} names {target}, which the help file lacks"


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    with tempfile.TemporaryDirectory() as root:
        subprocess.run(["extract_chmLib", sys.argv[1], root], check=True, stdout=subprocess.DEVNULL)
        found = list(problems(root))
    for problem in found:
        print(f"check-help: {problem}", file=sys.stderr)
    sys.exit(1 if found else 0)


if __name__ == "__main__":
    main()
