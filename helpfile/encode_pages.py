#!/usr/bin/python3
"""Writes the help pages, kept in UTF-8, as the help compiler wants them: ASCII, every other character as an HTML
entity, so that the viewer shows them whatever its code page. A page's source is its <title> line, then what the
page shows; each page gets the same head and stylesheet, and a bar with the way back to the contents and to its
neighbours in reading order, the order of the pages on the command line.
Usage: encode_pages.py OUTPUT_FOLDER PAGE..."""
import html.entities
import re
import sys
from pathlib import Path


def encode(text):
    out = []
    for c in text:
        if ord(c) < 128:
            out.append(c)
        elif ord(c) in html.entities.codepoint2name:
            out.append("&%s;" % html.entities.codepoint2name[ord(c)])
        else:
            out.append("&#%d;" % ord(c))
    return "".join(out)


HEAD = """<!DOCTYPE HTML PUBLIC "-//W3C//DTD HTML 4.01//EN" "http://www.w3.org/TR/html4/strict.dtd">
<html lang="fr">
<head>
<meta http-equiv="Content-Type" content="text/html; charset=windows-1252">
<meta http-equiv="X-UA-Compatible" content="IE=edge">
<link rel="stylesheet" type="text/css" href="talvorine.css">
"""


def title(text, name):
    found = re.match(r"<title>(.*?)</title>\n", text)
    if not found:
        sys.exit("%s does not start with its <title> line" % name)
    return found.group(1).strip()


def main():
    folder = Path(sys.argv[1])
    sources = [Path(page) for page in sys.argv[2:]]
    texts = [source.read_text(encoding="utf-8") for source in sources]
    titles = [title(text, source.name) for text, source in zip(texts, sources)]
    for i, (source, text) in enumerate(zip(sources, texts)):
        links = ['<a href="index.html">Sommaire</a>']
        if i > 0:
            links.append('<a href="%s">« %s</a>' % (sources[i - 1].name, titles[i - 1]))
        if i + 1 < len(sources):
            links.append('<a href="%s">%s »</a>' % (sources[i + 1].name, titles[i + 1]))
        heading, content = text.split("\n", 1)
        page = "%s%s\n</head>\n<body>\n<p class=\"nav\">%s</p>\n<div class=\"page\">\n%s</div>\n</body>\n</html>\n" % (
            HEAD, heading, " | ".join(links), content)
        (folder / source.name).write_bytes(encode(page).encode("ascii"))


main()
