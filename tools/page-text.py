#!/usr/bin/env python3
"""Prints the text of a help page, one paragraph a line with a blank line between, as UTF-8 with
a byte-order mark and CR LF line ends (what the setup program's licence page reads):
page-text.py PAGE.htm"""
import html
import re
import sys
from html.parser import HTMLParser

BLOCKS = {"p", "h1", "h2", "h3", "li", "tr", "title"}


class PageText(HTMLParser):
    def __init__(self):
        super().__init__()
        self.paragraphs = []
        self.current = []
        self.skipping = 0

    def handle_starttag(self, tag, attrs):
        if tag in ("head", "style", "script"):
            self.skipping += 1
        elif tag in BLOCKS:
            self.end_paragraph()

    def handle_endtag(self, tag):
        if tag in ("head", "style", "script"):
            self.skipping -= 1
        elif tag in BLOCKS:
            self.end_paragraph()

    def handle_data(self, data):
        if not self.skipping:
            self.current.append(data)

    def end_paragraph(self):
        text = re.sub(r"\s+", " ", "".join(self.current)).strip()
        if text:
            self.paragraphs.append(html.unescape(text))
        self.current = []


def main():
    parser = PageText()
    with open(sys.argv[1], encoding="utf-8") as f:
        parser.feed(f.read())
    parser.end_paragraph()
    text = "\ufeff" + "\r\n\r\n".join(parser.paragraphs) + "\r\n"
    sys.stdout.buffer.write(text.encode("utf-8"))


if __name__ == "__main__":
    main()
