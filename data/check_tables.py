#!/usr/bin/env python3
"""Check the reference tables in this folder: record form, sort order and
the cross-references between them.  Prints "N passed, N failed" and exits
non-zero on any failure.

Usage:
    python3 data/check_tables.py [DIR]
"""

import os
import re
import sys

# The county codes of the county map, in the order of its labels.
MAP_CODES = (
    "MRS KIT ROS LKW KOO BEL ITA STL LAK COO POL PEN RDL CLE NOR MAH CLA BEC "
    "HUB CAS WIL OTT WAD CRO AIT CRL TRA GRA DOU STV POP BIG TOD MOR MIL KNB "
    "PIN STR BEN ISA CHS ANO WSH RAM HEN SHE WRI CRV SCO DAK MCL MEE KND SWI "
    "CHP LAC YEL REN LIN LYO RDW SIB NIC BRO LES RIC GOO WAB PIP MUR COT WAT "
    "BLU WSC STE DOD OLM WIN ROC NOB JAC MRT FAI FRE MOW FIL HOU"
).split()

TEXT = r'"[^"]*"'
NUMBER = r'-?(?:0|[1-9][0-9]*)(?:\.[0-9]*[1-9])?'
NUMBER_LOOSE = r'-?[0-9]*\.?[0-9]+'

results = []


def check(name, ok, detail=""):
    results.append(ok)
    print("%s: %s%s" % ("ok" if ok else "FAIL", name,
                        "" if ok or not detail else " (%s)" % detail))


def read_records(path, kinds):
    """Split a CR LF file into records of the given value kinds
    ('t' text, 'n' number); check the line form on the way."""
    raw = open(path, "rb").read()
    name = os.path.basename(path)
    check(name + " is ASCII", all(b < 128 for b in raw))
    check(name + " ends with CR LF", raw.endswith(b"\r\n"))
    lines = raw.split(b"\r\n")[:-1]
    check(name + " has no bare CR or LF",
          all(b"\r" not in l and b"\n" not in l for l in lines))
    pattern = re.compile("^" + ",".join(
        "(" + (TEXT if k == "t" else NUMBER) + ")" for k in kinds) + "$")
    records, bad = [], []
    for i, line in enumerate(lines, 1):
        m = pattern.match(line.decode("latin-1"))
        if not m:
            bad.append(i)
            continue
        records.append([g[1:-1] if k == "t" else g
                        for g, k in zip(m.groups(), kinds)])
    check(name + " record form", not bad, "lines %s" % bad[:5])
    return records


def main():
    folder = sys.argv[1] if len(sys.argv) > 1 else \
        os.path.dirname(os.path.abspath(__file__))
    path = lambda n: os.path.join(folder, n)

    pre = read_records(path("arrlpre2.txt"), "tttnnnnn")
    keys = [r[0].encode("ascii") for r in pre]
    check("arrlpre2.txt at most 10000 rows", 0 < len(pre) <= 10000)
    check("arrlpre2.txt sorted in byte order", keys == sorted(keys))
    check("arrlpre2.txt prefixes unique", len(set(keys)) == len(keys))
    check("arrlpre2.txt continents",
          all(r[2] in {"NA", "SA", "EU", "AF", "AS", "OC", "AN"}
              for r in pre))
    check("arrlpre2.txt coordinates",
          all(-180 <= float(r[3]) <= 180 and -90 <= float(r[4]) <= 90
              for r in pre))
    rows = {r[0]: r for r in pre}
    check("KG4 is Guantanamo Bay",
          rows.get("KG4", [None, None])[1] == "Guantanamo Bay")
    for p, c in (("K", "USA"), ("W", "USA"), ("VE", "Canada"),
                 ("KL", "Alaska"), ("KH6", "Hawaii")):
        check("%s is %s" % (p, c), rows.get(p, [None, None])[1] == c)
    check("USA longitude positive west", float(rows["K"][3]) > 0)
    check("country names longer than two characters",
          all(len(r[1]) > 2 for r in pre))

    dx = read_records(path("ADIFCnt.txt"), "tn")
    table = {}
    for name, number in dx:
        table.setdefault(name, int(number))
    check("ADIFCnt.txt at most 1000 rows", 0 < len(dx) <= 1000)
    check("ADIFCnt.txt names unique", len(table) == len(dx))
    missing = sorted({r[1] for r in pre} - set(table))
    check("every prefix country in ADIFCnt.txt", not missing, missing[:5])
    for name, number in (("USA", 291), ("Canada", 1), ("Alaska", 6),
                         ("Hawaii", 110)):
        check("ADIFCnt.txt %s = %d" % (name, number),
              table.get(name) == number)
    check("DXCC numbers agree", all(int(r[7]) == table[r[1]] for r in pre))

    st = read_records(path("states.txt"), "tnn")
    codes = [r[0] for r in st]
    check("states.txt 50 records", len(st) == 50)
    check("states.txt codes unique two letters",
          len(set(codes)) == 50 and all(re.match("^[A-Z]{2}$", c)
                                        for c in codes))
    check("states.txt longitude positive west",
          all(0 < float(r[2]) < 180 and 0 < float(r[1]) < 90 for r in st))

    co = read_records(path("county2.txt"), "tt")
    check("county2.txt at most 1000 rows", 0 < len(co) <= 1000)
    check("county2.txt rows start with MN",
          all(r[0].startswith("MN") and len(r[0]) > 2 for r in co))
    abbrevs = [r[1] for r in co]
    check("county2.txt uses exactly the 87 map codes",
          set(abbrevs) == set(MAP_CODES) and len(MAP_CODES) == 87,
          sorted(set(abbrevs) ^ set(MAP_CODES)))
    names = [r[0][2:].upper() for r in co]
    check("county2.txt spellings unique (upper case)",
          len(names) == len(set(names)))
    firsts = []
    for r in co:
        if r[1] not in [f[1] for f in firsts]:
            firsts.append(r)
    main_names = [f[0][2:].upper().replace(".", "") for f in firsts]
    check("county2.txt main rows in alphabetical order",
          main_names == sorted(main_names))
    check("county2.txt a code's rows are together",
          all(abbrevs.index(a) + abbrevs.count(a) - 1 ==
              len(abbrevs) - 1 - abbrevs[::-1].index(a) for a in abbrevs))

    failed = results.count(False)
    print("%d passed, %d failed" % (len(results) - failed, failed))
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
