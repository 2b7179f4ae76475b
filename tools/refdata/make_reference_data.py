#!/usr/bin/env python3
"""Writes the shipped reference files of both language folders from the tables beside it.

    python3 tools/refdata/make_reference_data.py

units.txt      -> data/Data/{DE,EN}/einheit.dat
ingredients.txt -> data/Data/{DE,EN}/zutaten.dat (energy from tools/foodtable/foods.csv)
categories.txt -> data/Data/{DE,EN}/Gattung.dat
umlaut_exceptions.txt -> data/Data/{DE,EN}/umlconvs.dat
language_words.txt -> src/services/language_words.inc (compiled into the import's language count)

The files are Windows-1252 with CR LF, in the order the program itself keeps them: units sorted
by name as the units window sorts them, ingredients so that no name stands before a longer name
containing it. Loading and saving a file unchanged therefore leaves it byte for byte as written.
"""
import csv
import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(os.path.dirname(HERE))
DATA = os.path.join(ROOT, "data", "Data")
LANGS = ("DE", "EN")


def rows(name, width):
    """The '|'-separated lines of a table, comments and blank lines left out."""
    out = []
    with open(os.path.join(HERE, name), encoding="utf-8") as f:
        for line in f:
            line = line.rstrip("\n")
            if not line.strip() or line.startswith("#"):
                continue
            cells = [c.strip() for c in line.split("|")]
            if len(cells) > width:
                sys.exit(f"{name}: too many cells: {line}")
            out.append(cells + [""] * (width - len(cells)))
    return out


def write(lang, name, lines):
    path = os.path.join(DATA, lang, name)
    with open(path, "wb") as f:
        for line in lines:
            f.write(line.encode("cp1252") + b"\r\n")
    print(f"{path}: {len(lines)} lines")


# Letter case and order as the program's Windows-1252 text functions have them.
def upper_byte(b):
    if 0x61 <= b <= 0x7A or (b >= 0xE0 and b not in (0xF7, 0xFF)):
        return b - 0x20
    return {0x9A: 0x8A, 0x9C: 0x8C, 0x9E: 0x8E, 0xFF: 0x9F}.get(b, b)


def upper_ansi(text):
    return bytes(upper_byte(b) for b in text.encode("cp1252"))


HIGH = ["A", "A", "A", "A", "A", "A", "AE", "C", "E", "E", "E", "E", "I", "I", "I", "I",
        "D", "N", "O", "O", "O", "O", "O", None, "O", "U", "U", "U", "U", "Y", "TH", "SS"]


def primary_key(text):
    key = b""
    for b in text.encode("cp1252"):
        base = None
        if b >= 0xC0:
            base = HIGH[(b - 0xC0) % 32] if b != 0xFF else "Y"
        elif b in (0x8A, 0x9A):
            base = "S"
        elif b in (0x8C, 0x9C):
            base = "OE"
        elif b in (0x8E, 0x9E):
            base = "Z"
        elif b == 0x9F:
            base = "Y"
        key += base.encode() if base else bytes([b - 0x20 if 0x61 <= b <= 0x7A else b])
    return key


def compare_key(text):
    return (primary_key(text), upper_ansi(text))


def units():
    table = rows("units.txt", 12)
    for lang in LANGS:
        entries = []
        for code, kind, mm, kinds, factor, target, *names in table:
            name, plural, short = names[0:3] if lang == "DE" else names[3:6]
            line = code.ljust(3) + name
            if int(kinds or 0):
                line += "~" + str(int(kinds))
            line += "#" + plural + ("~" + short if short else "")
            line += "#" + ("M" if mm == "M" else "")
            if kind == "C":
                line += "#" + factor + "#" + target
            elif kind != "F":
                sys.exit(f"units.txt: kind of {code} is neither F nor C")
            entries.append((name, line))
        entries.sort(key=lambda e: compare_key(e[0]))  # stable, as the units window sorts
        write(lang, "einheit.dat", [line for _, line in entries])


def food_energy():
    with open(os.path.join(ROOT, "tools", "foodtable", "foods.csv"), encoding="utf-8") as f:
        return {r["key"]: r["GCAL"] for r in csv.DictReader(f, delimiter=";")}


def longer_names_first(items):
    """Each ingredient in front of the first one whose name its own name contains."""
    ordered, upper = [], []
    for item in items:
        name = upper_ansi(item[0])
        at = 0
        while at < len(upper) and (not upper[at] or upper[at] not in name):
            at += 1
        ordered.insert(at, item)
        upper.insert(at, name)
    return ordered


def ingredients():
    energy = food_energy()
    table = rows("ingredients.txt", 10)
    for lang in LANGS:
        items = []
        for de_pl, de_sg, en_pl, en_sg, codes, key, piece, season, noshop, kcal in table:
            plural, singular = (de_pl, de_sg) if lang == "DE" else (en_pl, en_sg)
            if not plural:
                continue
            if key:
                if key not in energy:
                    sys.exit(f"ingredients.txt: {plural}: no food {key}")
                kcal = str(round(float(energy[key])))
            marks = season.replace(".", " ").ljust(48)[:48]
            flag = "J" if marks.strip() else "N"
            unit_field = "".join(c + "~" for c in codes.split("~") if c)
            line = "#".join([plural, singular, "1", kcal, "K", unit_field, flag + marks,
                             "N" if noshop == "N" else "K", key, "", str(int(piece or 0))])
            items.append((plural, line))
        write(lang, "zutaten.dat", [line for _, line in longer_names_first(items)])


def categories():
    table = rows("categories.txt", 5)
    for lang in LANGS:
        lines = []
        for ident, kind, mains, de, en in table:
            name = de if lang == "DE" else en
            if not name:
                continue
            if kind == "M":
                lines.append(f">{ident} {name}#")
            else:
                lines.append(f"{ident} {name}")
                lines.append(mains if kind == "S" else "")
        write(lang, "Gattung.dat", lines)


def umlaut_exceptions():
    """umlconvs.dat: the words upper case, grouped under '#offset' lines (offset: the letters
    before the protected pair), a word boundary '_' written as the blank the program reads."""
    table = rows("umlaut_exceptions.txt", 2)
    for lang in LANGS:
        groups = {}
        for word_lang, word in table:
            if word_lang != lang:
                continue
            offset = word.find("(")
            if offset < 0 or word[offset + 3:offset + 4] != ")" or len(word) > 29:
                sys.exit(f"umlaut_exceptions.txt: no pair in parentheses: {word}")
            plain = word.replace("(", "").replace(")", "").replace("_", " ")
            groups.setdefault(offset, []).append(upper_ansi(plain).decode("cp1252"))
        lines = []
        for offset in sorted(groups):
            lines.append(f"#{offset}")
            lines.extend(groups[offset])
        write(lang, "umlconvs.dat", lines)


def language_words():
    """language_words.inc: the words that tell a recipe's language, as C string literals of their
    Windows-1252 bytes (octal escapes, so no letter after one is read as part of it)."""
    seen = {}
    lines = ["// Made by tools/refdata/make_reference_data.py from tools/refdata/language_words.txt;",
             "// edit that file and run the script."]
    for lang, words in rows("language_words.txt", 2):
        if lang not in LANGS:
            sys.exit(f"language_words.txt: no language DE or EN: {lang}")
        for word in words.split():
            if word != word.lower() or word in seen:
                sys.exit(f"language_words.txt: not lower case or twice: {word}")
            seen[word] = lang
            literal = "".join(chr(b) if 0x61 <= b <= 0x7A else f"\\{b:03o}"
                              for b in word.encode("cp1252"))
            lines.append(f'{{"{literal}", {"kGermanWord" if lang == "DE" else "kEnglishWord"}}},')
    path = os.path.join(ROOT, "src", "services", "language_words.inc")
    with open(path, "w", encoding="ascii", newline="\n") as f:
        f.write("\n".join(lines) + "\n")
    print(f"{path}: {len(seen)} words")


if __name__ == "__main__":
    units()
    ingredients()
    categories()
    umlaut_exceptions()
    language_words()
