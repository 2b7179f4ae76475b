#!/usr/bin/env python3
"""Writes the shipped cooking lexicon: data/Data/<lang>/Lexika.ldt and Lexika.lbk from the
sources lexikon_de.txt and lexicon_en.txt beside this script.

Source layout (UTF-8): lines starting with "#" are comments; "=N name" declares chapter N;
"@Term|chapter|keyword; keyword" starts an entry whose text is the next non-empty line.
Output: Windows-1252 with CR LF line ends, in the lexicon's own format (magic line, "#", then
per entry "B<chapter>", ">term", ">keyword" ..., "F0", the text line and "#").
"""
import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(os.path.dirname(HERE))


def read_source(path):
    chapters, entries = [], []
    pending = None
    with open(path, encoding="utf-8") as f:
        for raw in f:
            line = raw.rstrip("\n")
            if not line.strip() or line.startswith("#"):
                continue
            if line.startswith("="):
                number, name = line[1:].split(" ", 1)
                chapters.append((name, int(number)))
            elif line.startswith("@"):
                if pending:
                    sys.exit(f"{path}: entry without text: {pending[0]}")
                title, chapter, keywords = line[1:].split("|")
                words = [k.strip() for k in keywords.split(";") if k.strip()]
                pending = (title, int(chapter), words)
            else:
                if not pending:
                    sys.exit(f"{path}: text without entry: {line}")
                entries.append(pending + (line.strip(),))
                pending = None
    if pending:
        sys.exit(f"{path}: entry without text: {pending[0]}")
    numbers = {n for _, n in chapters}
    for title, chapter, _, text in entries:
        if chapter not in numbers:
            sys.exit(f"{path}: {title}: no chapter {chapter}")
        if text.startswith("#"):
            sys.exit(f"{path}: {title}: a text line must not begin with '#'")
    return chapters, entries


def write(lang, source):
    chapters, entries = read_source(os.path.join(HERE, source))
    folder = os.path.join(ROOT, "data", "Data", lang)
    lines = ["SAPLEX_1.00", "#"]
    for title, chapter, keywords, text in entries:
        lines += ["B%d" % chapter, ">" + title] + [">" + k for k in keywords] + ["F0", text, "#"]
    with open(os.path.join(folder, "Lexika.ldt"), "wb") as f:
        f.write("".join(l + "\r\n" for l in lines).encode("cp1252"))
    with open(os.path.join(folder, "Lexika.lbk"), "wb") as f:
        f.write("".join("%s#%d\r\n" % c for c in chapters).encode("cp1252"))
    print(f"{lang}: {len(entries)} entries, {len(chapters)} chapters")


if __name__ == "__main__":
    write("DE", "lexikon_de.txt")
    write("EN", "lexicon_en.txt")
