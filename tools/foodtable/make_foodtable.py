#!/usr/bin/env python3
"""Writes the shipped food table from the source tables beside this script:

    fields.csv    the nutrient table (code, text flag, kind, unit, German and English name)
    groups.csv    the food groups: one letter a main group, two characters a sub-group
    foods.csv     one food a line: key, USDA number, names, one value per numeric field
    filters.csv   the filter groups with the codes they show, in display order

    make_foodtable.py [DATA_FOLDER]     (default: the repository's data/Data)

Output, Windows-1252 with CR LF: <lang>/Fields.bls, Structure.bls, Index.bls, Names.bls for
DE and EN, and Data.bls, FiltGrps.bls, Filt_<id>.bls in the data folder. Index.bls holds the
byte offsets of each sub-group's first line in Names.bls and Data.bls.
"""
import csv
import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
LANGS = {"DE": "name_de", "EN": "name_en"}


def read(name):
    with open(os.path.join(HERE, name), encoding="utf-8") as f:
        return list(csv.DictReader(f, delimiter=";"))


def write(path, lines):
    data = "".join(line + "\r\n" for line in lines).encode("cp1252")
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as f:
        f.write(data)
    return data


def offsets(lines):
    """Byte offset of every line's start."""
    out, pos = [], 0
    for line in lines:
        out.append(pos)
        pos += len(line.encode("cp1252")) + 2
    return out


def main():
    target = sys.argv[1] if len(sys.argv) > 1 else os.path.join(HERE, "..", "..", "data", "Data")
    fields, groups, foods, filters = (read(n) for n in
                                      ("fields.csv", "groups.csv", "foods.csv", "filters.csv"))
    foods.sort(key=lambda f: f["key"])
    for food in foods:
        for value in food.values():
            if ";" in value or "\n" in value:
                sys.exit(f"{food['key']}: a value holds ';' or a line break")
        if len(food["key"]) != 7:
            sys.exit(f"{food['key']}: a key has 7 characters")

    # Data.bls: the values in the order of the nutrient table.
    data_lines = []
    for food in foods:
        values = []
        for fd in fields:
            src = fd["source"]
            values.append(food[src] if fd["flag"] == "C" else food[fd["code"]])
        data_lines.append(";".join(values))
    write(os.path.join(target, "Data.bls"), data_lines)
    data_offsets = offsets(data_lines)

    subgroups = [g["code"] for g in groups if len(g["code"]) == 2]
    for lang, column in LANGS.items():
        folder = os.path.join(target, lang)
        write(os.path.join(folder, "Fields.bls"),
              [f'{fd["code"]};{fd["flag"]}{fd["kind"]};"{fd[column]}";"{fd["unit"]}"'
               for fd in fields])
        write(os.path.join(folder, "Structure.bls"),
              [(g["code"] if len(g["code"]) == 2 else g["code"] + " ") + g[column]
               for g in groups])
        name_lines = [food["key"] + food[column] for food in foods]
        write(os.path.join(folder, "Names.bls"), name_lines)
        name_offsets = offsets(name_lines)
        index = []
        for sub in subgroups:
            first = next((i for i, f in enumerate(foods) if f["key"].startswith(sub)), None)
            if first is None:
                continue
            index.append(f"{sub}{name_offsets[first]}#{data_offsets[first]}")
        write(os.path.join(folder, "Index.bls"), index)

    codes = [fd["code"] for fd in fields]
    write(os.path.join(target, "FiltGrps.bls"),
          [f'{f["name"]}#{f["id"]}#{f["day_values"]}' for f in filters])
    for f in filters:
        shown = f["codes in display order"].split()
        unknown = [c for c in shown if c not in codes]
        if unknown:
            sys.exit(f"filter {f['id']}: unknown codes {unknown}")
        order = shown + [c for c in codes if c not in shown]
        write(os.path.join(target, f"Filt_{f['id']}.bls"),
              [f"{c}#{order.index(c)}#{1 if c in shown else 0}" for c in codes])
    print(f"{len(foods)} foods, {len(fields)} fields, {len(filters)} filter groups -> {target}")


if __name__ == "__main__":
    main()
