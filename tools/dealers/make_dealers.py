#!/usr/bin/env python3
"""Makes the shipped dealer files data/Data/{DE,EN}/Haendler.dat from the shipped ingredient
catalogues (zutaten.dat of the same language).

Each catalogue ingredient (its plural name, the first field) goes to the one dealer or shop
counter where it is usually bought, by its food code (the ninth field: the letter and digits
name the food group) and, for words that say more than the group (frozen, tinned, dried), by
its name. Dealers come in the order a shopping trip visits them: market, butcher and baker,
then the supermarket's counters and shelves, frozen food last, then the drugstore.

Run it again whenever a zutaten.dat changes; a test checks that every listed name is in the
catalogue. Files are Windows-1252 with CR LF line ends.
"""
import os
import re

HERE = os.path.dirname(os.path.abspath(__file__))
DATA = os.path.join(HERE, "..", "..", "data", "Data")

# Dealer keys in visiting order, with their names.
DEALERS = [
    ("market", "Wochenmarkt", "Farmers' market"),
    ("butcher", "Metzger", "Butcher"),
    ("baker", "B\u00e4cker", "Baker"),
    ("produce", "Supermarkt: Obst & Gem\u00fcse", "Supermarket: fruit & vegetables"),
    ("meat", "Supermarkt: Fleischtheke", "Supermarket: meat counter"),
    ("fish", "Supermarkt: Fischtheke", "Supermarket: fish counter"),
    ("cheese", "Supermarkt: K\u00e4setheke", "Supermarket: cheese counter"),
    ("chilled", "Supermarkt: K\u00fchlregal", "Supermarket: chilled"),
    ("bakery", "Supermarkt: Backwaren", "Supermarket: bread & biscuits"),
    ("dry", "Supermarkt: Mehl, Reis & Nudeln", "Supermarket: flour, rice & pasta"),
    ("tins", "Supermarkt: Konserven", "Supermarket: tins & jars"),
    ("spices", "Supermarkt: Gew\u00fcrze, \u00d6l & So\u00dfen", "Supermarket: spices, oil & sauces"),
    ("sweets", "Supermarkt: S\u00fc\u00dfwaren & Knabbereien", "Supermarket: sweets & snacks"),
    ("drinks", "Supermarkt: Getr\u00e4nke", "Supermarket: drinks"),
    ("frozen", "Supermarkt: Tiefk\u00fchl", "Supermarket: frozen"),
    ("drugstore", "Drogerie", "Drugstore"),
]

# Words in a name that decide before the food code (lower case, per language); tap water is
# bought nowhere.
NAME_WORDS = {
    "DE": [
        (None, r"^(lauwarmes |kaltes |hei\u00dfes )?wasser$"),
        ("frozen", r"tiefk\u00fchl"),
        ("tins", r"aus der dose|aus dem glas"),
        ("dry", r"getrocknet"),
        ("chilled", r"quark|schmand|cr\u00e8me fra\u00eeche|mascarpone|joghurt|schichtk\u00e4se|butterschmalz"),
        ("market", r"estragon|kerbel|liebst\u00f6ckel|salbei|melisse|b\u00e4rlauch|holunderbl\u00fcten|steinpilze|mirabellen"),
        ("spices", r"garam masala|piment|senfk\u00f6rner|sternanis|vanilleschoten|wacholder|br\u00fche"),
        ("dry", r"marzipan"),
        ("drinks", r"sekt"),
        ("drugstore", r"agar"),
    ],
    "EN": [
        (None, r"^(warm |cold |hot |boiling )?water$"),
        ("frozen", r"frozen"),
        ("tins", r"canned|tinned|in a jar"),
        ("dry", r"dried"),
        ("chilled", r"quark|soured cream|cr\u00e8me fra\u00eeche|mascarpone|yoghurt|curd cheese|clarified butter"),
        ("market", r"tarragon|chervil|lovage|\bsage\b|lemon balm|wild garlic|elderflower|porcini|mirabelle"),
        ("spices", r"garam masala|allspice|mustard seeds|star anise|vanilla pods|juniper|\bstock\b|bouillon"),
        ("dry", r"marzipan"),
        ("drinks", r"sparkling wine"),
        ("drugstore", r"agar"),
    ],
}

# Food codes: the longest matching prefix decides.
CODES = {
    "B": "baker", "B110": "bakery", "B206": "bakery", "B207": "bakery", "B3": "bakery",
    "C": "dry", "D2": "bakery", "D3": "chilled",
    "E1": "market", "E2": "dry",
    "F1": "market", "F2": "market", "F207": "tins", "F208": "tins", "F3": "market",
    "F4": "produce", "F407": "tins", "F5": "produce", "F6": "dry", "F7": "tins",
    "G": "market", "G311": "produce", "G312": "produce", "G606": "produce", "G607": "produce",
    "G608": "tins", "G8": "tins",
    "H": "dry", "H105": "tins", "H107": "tins", "H111": "chilled", "H202": "chilled",
    "H203": "chilled", "H204": "drinks", "H205": "spices", "H312": "tins",
    "K1": "produce", "K109": "dry", "K110": "sweets", "K2": "market",
    "M1": "chilled", "M106": "dry", "M107": "dry", "M108": "dry", "M2": "chilled",
    "M3": "cheese", "M317": "chilled", "M318": "chilled", "M321": "chilled",
    "N": "drinks",
    "Q1": "chilled", "Q103": "butcher", "Q104": "butcher", "Q2": "spices", "Q3": "chilled",
    "Q303": "spices",
    "R": "spices", "R401": "dry", "R402": "drugstore", "R403": "chilled", "R404": "dry",
    "R405": "dry",
    "S1": "dry", "S2": "sweets", "S3": "sweets", "S4": "frozen", "S5": "sweets",
    "T": "fish", "T3": "chilled", "T305": "tins", "T306": "tins", "T307": "tins", "T308": "tins",
    "T309": "frozen", "T310": "fish",
    "U": "butcher", "V": "meat", "W": "butcher",
}


def dealer_of(lang, name, code):
    low = name.lower()
    for key, pattern in NAME_WORDS[lang]:
        if re.search(pattern, low):
            return key
    if not code:
        return None
    best = None
    for prefix, key in CODES.items():
        if code.startswith(prefix) and (best is None or len(prefix) > len(best[0])):
            best = (prefix, key)
    return best[1] if best else None


def make(lang):
    with open(os.path.join(DATA, lang, "zutaten.dat"), "rb") as f:
        lines = f.read().decode("cp1252").splitlines()
    lists = {key: [] for key, _, _ in DEALERS}
    for line in lines:
        fields = line.split("#")
        if len(fields) < 9 or not fields[0]:
            continue
        key = dealer_of(lang, fields[0], fields[8])
        if key and fields[0] not in lists[key]:
            lists[key].append(fields[0])
    out = []
    for key, de, en in DEALERS:
        out.append("|" + (de if lang == "DE" else en))
        out.extend(lists[key])
    with open(os.path.join(DATA, lang, "Haendler.dat"), "wb") as f:
        f.write(("\r\n".join(out) + "\r\n").encode("cp1252"))
    placed = sum(len(v) for v in lists.values())
    print(f"{lang}: {placed} of {len(lines)} ingredients placed with {len(DEALERS)} dealers")


if __name__ == "__main__":
    for lang in ("DE", "EN"):
        make(lang)
