#!/usr/bin/env python3
"""Builds foods.csv from selection.txt and the USDA National Nutrient Database for Standard
Reference, Release 24 (public domain), given as one XML file per food named <NDB number>.xml
(<food><nutrient name="..." amount="..."/>...</food>, amounts per 100 g).

    extract_usda.py SR24_FOLDER

Keys: main group, sub-group, a two-digit running number within the sub-group, "000".
kJ is kcal x 4.184 (rounded); vitamin D is given in IU and stored in micrograms (IU / 40).
A nutrient the release does not give for a food stays empty.
"""
import csv
import os
import sys
import xml.etree.ElementTree as ET

HERE = os.path.dirname(os.path.abspath(__file__))


def number(v):
    text = f"{v:.3f}".rstrip("0").rstrip(".")
    return "0" if text in ("", "-0") else text


def main():
    folder = sys.argv[1]
    with open(os.path.join(HERE, "fields.csv"), encoding="utf-8") as f:
        fields = list(csv.DictReader(f, delimiter=";"))
    numeric = [fd for fd in fields if fd["flag"] != "C"]
    rows, seq = [], {}
    with open(os.path.join(HERE, "selection.txt"), encoding="utf-8") as f:
        for line in f:
            line = line.rstrip("\n")
            if not line or line.startswith("#"):
                continue
            group, ndb, de, en = line.split(";")
            seq[group] = seq.get(group, 0) + 1
            key = f"{group}{seq[group]:02d}000"
            food = ET.parse(os.path.join(folder, ndb + ".xml")).getroot()
            amounts = {n.get("name"): float(n.get("amount")) for n in food.iter("nutrient")}
            row = {"key": key, "ndb": ndb, "name_de": de, "name_en": en}
            for fd in numeric:
                src = fd["source"]
                if src == "=kJ":
                    v = amounts.get("Energy")
                    v = None if v is None else round(v * 4.184)
                elif src == "=VitaminD":
                    v = amounts.get("Vitamin D")
                    v = None if v is None else v / 40.0
                else:
                    v = amounts.get(src)
                row[fd["code"]] = "" if v is None else number(v)
            rows.append(row)
    out = os.path.join(HERE, "foods.csv")
    with open(out, "w", encoding="utf-8", newline="") as f:
        w = csv.DictWriter(f, ["key", "ndb", "name_de", "name_en"] + [fd["code"] for fd in numeric],
                           delimiter=";", lineterminator="\n")
        w.writeheader()
        w.writerows(rows)
    print(f"{len(rows)} foods written to {out}")


if __name__ == "__main__":
    main()
