#!/usr/bin/env python3
"""Writes the shipped intake tables StoffCalc.dat from intake.csv beside this script.

    intake.csv    one row of a table a line: code;age;male;female (an empty value: none)

    make_intake_tables.py [DATA_FOLDER]     (default: the repository's data/Data)

One line per nutrient code, in the order of its first row: the code, '#', then one group
"A<age>:<male>/<female>#" per row with three decimals and -1 for no value; Windows-1252 with
CR LF. The energy rows of GCAL (kcal) are written a second time as GJ (kJ = kcal x 4.184,
rounded).
"""
import csv
import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))


def value(text):
    return float(text) if text.strip() else -1.0


def group(age, male, female):
    return "A%d:%.3f/%.3f#" % (age, male, female)


def main():
    folder = sys.argv[1] if len(sys.argv) > 1 else os.path.join(HERE, "..", "..", "data", "Data")
    tables = {}
    with open(os.path.join(HERE, "intake.csv"), encoding="utf-8") as f:
        for row in csv.DictReader(f, delimiter=";"):
            tables.setdefault(row["code"], []).append(
                (int(row["age"]), value(row["male"]), value(row["female"])))
    lines = []
    for code, rows in tables.items():
        lines.append(code + "#" + "".join(group(*r) for r in rows))
        if code == "GCAL":
            kj = [(a, round(m * 4.184) if m >= 0 else -1, round(w * 4.184) if w >= 0 else -1)
                  for a, m, w in rows]
            lines.append("GJ#" + "".join(group(*r) for r in kj))
    with open(os.path.join(folder, "StoffCalc.dat"), "wb") as f:
        f.write("".join(line + "\r\n" for line in lines).encode("cp1252"))


if __name__ == "__main__":
    main()
