#!/usr/bin/env python3
"""Writes the reference archives reference.lib, reference.fum and reference.dvd: one card of each
kind, laid out byte by byte at the offsets below, without any of the program's code, so that the
program's reader and writer can be held to them.

Every field holds its own name, a blank, then letters (accented ones and the euro sign among them)
up to its length: the whole capacity for odd field numbers, half of it for even ones. The bytes
after a shorter text are '*', which no reader may take for text. The comics' missing-issue mark
holds "Sì". tests/storage/tst_record_layouts.cpp builds the same texts by the same rule.

Run it from any folder: python3 tests/data/make_reference.py
"""
import os

# (name, capacity, offset) in file order.
BOOK = [
    ("Titolo", 120, 0), ("Autore", 50, 121), ("Nazione", 50, 172), ("Anno", 20, 223),
    ("Editore", 50, 244), ("Citta", 50, 295), ("Dewey", 12, 346), ("Genere", 50, 359),
    ("ISBN", 20, 410), ("Lingua", 50, 431), ("Originale", 120, 482), ("Traduttore", 50, 603),
    ("Collana", 120, 654), ("Curatore", 50, 775), ("Posizione", 120, 826), ("Etichetta", 50, 947),
    ("Formato", 50, 998), ("Volumi", 50, 1049), ("Pagine", 20, 1100), ("Prezzo", 20, 1121),
    ("Giudizio", 250, 1142), ("Note", 250, 1393), ("File01", 250, 1644), ("File02", 250, 1895),
    ("File03", 250, 2146), ("Desc01", 250, 2397), ("Desc02", 250, 2648), ("Desc03", 250, 2899),
]
COMIC = [
    ("Titolo", 120, 0), ("Numero", 20, 121), ("Autore", 50, 142), ("Nazione", 50, 193),
    ("Data", 20, 244), ("Editore", 50, 265), ("Citta", 50, 316), ("Direttore", 50, 367),
    ("Genere", 50, 418), ("Disegnatore", 50, 469), ("Lingua", 50, 520), ("Storia", 250, 571),
    ("Personaggi", 250, 822), ("Contenuti", 250, 1073), ("Posizione", 120, 1324),
    ("Etichetta", 50, 1445), ("Formato", 50, 1496), ("Stato", 50, 1547), ("Pagine", 20, 1598),
    ("Prezzo", 20, 1619), ("Giudizio", 250, 1640), ("Note", 250, 1891), ("Mancante", 2, 2142),
    ("File01", 250, 2145), ("File02", 250, 2396), ("File03", 250, 2647), ("Desc01", 250, 2898),
    ("Desc02", 250, 3149), ("Desc03", 250, 3400),
]
DVD = [
    ("Titolo", 120, 0), ("Regista", 50, 121), ("Nazione", 50, 172), ("Anno", 20, 223),
    ("Protagonista", 50, 244), ("Cast", 250, 295), ("Genere", 50, 546), ("Distribuzione", 50, 597),
    ("Lingua", 50, 648), ("Originale", 120, 699), ("AltreLingue", 250, 820), ("Collana", 120, 1071),
    ("Sottotitoli", 250, 1192), ("Posizione", 120, 1443), ("Etichetta", 50, 1564), ("Premi", 120, 1615),
    ("Durata", 50, 1736), ("Prezzo", 20, 1787), ("Giudizio", 250, 1808), ("Note", 250, 2059),
    ("File01", 250, 2310), ("File02", 250, 2561), ("File03", 250, 2812), ("Desc01", 250, 3063),
    ("Desc02", 250, 3314), ("Desc03", 250, 3565),
]
KINDS = [("reference.lib", BOOK, 3150), ("reference.fum", COMIC, 3651), ("reference.dvd", DVD, 3816)]

LETTERS = "àèéìòù€ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789"


def text_of(number, name, capacity):
    if name == "Mancante":
        return "Sì"
    length = capacity if number % 2 else capacity // 2
    text = name + " "
    while len(text) < length:
        text += LETTERS[(number + len(text)) % len(LETTERS)]
    assert len(text) == length and len(text) > len(name) + 1
    return text


def record(fields, size):
    data = bytearray(b"*" * size)
    for number, (name, capacity, offset) in enumerate(fields, start=1):
        stored = text_of(number, name, capacity).encode("cp1252")
        assert len(stored) <= capacity
        data[offset] = len(stored)
        data[offset + 1:offset + 1 + len(stored)] = stored
    # The table is its own check: each field begins right after the one before, the last ends
    # the record.
    ends = [offset + capacity + 1 for _, capacity, offset in fields]
    assert [offset for _, _, offset in fields[1:]] == ends[:-1] and ends[-1] == size
    return bytes(data)


def main():
    folder = os.path.dirname(os.path.abspath(__file__))
    for file_name, fields, size in KINDS:
        with open(os.path.join(folder, file_name), "wb") as out:
            out.write(record(fields, size))


if __name__ == "__main__":
    main()
