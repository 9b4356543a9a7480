#!/usr/bin/env python3
"""Generate arrlpre2.txt (call-sign prefix table) and ADIFCnt.txt (country
name -> ADIF DXCC entity number) from the country file cty.csv.

cty.csv is the "big" country file of the country-files.com project
(MIT licence), shipped by Debian's package hamradio-files as
/usr/share/hamradio-files/cty.csv.  Each of its lines is

    primary prefix, entity name, DXCC number, continent, CQ zone, ITU zone,
    latitude, longitude (positive west), UTC offset, prefix list;

where the prefix list holds blank-separated entries.  An entry is either a
prefix or, when it starts with "=", one exact call sign; either may carry
overrides: (CQ zone) [ITU zone] <lat/long> {continent} ~UTC offset~.

What this script does with it:

* Exact-call entries ("=...") are dropped: the program matches the start of
  a call against the table, and a full call used as a prefix would claim
  longer calls that do not belong to it.
* Overrides are stripped from prefix entries; every row of an entity carries
  the entity's own continent, location and zones.
* Entities whose primary prefix starts with "*" are not DXCC entities (they
  only count in a European award); their prefixes are folded into the DXCC
  entity with the same DXCC number (Sicily -> Italy, European Turkey ->
  Turkey, and so on).
* Entity names are kept as cty.csv spells them, except for RENAME below
  ("United States" becomes "USA").
* A prefix that only repeats what a shorter prefix of the same entity already
  says (for example K0 after K, both USA) is left out: a longest-prefix
  lookup gives the same country without it.
* Rows are sorted in plain byte order of the prefix.

arrlpre2.txt records (eight values):
    "prefix","country","continent",longitude,latitude,cqzone,ituzone,dxcc
longitude is in degrees positive toward the west.  The last three values are
informative only; the program reads and drops them.

ADIFCnt.txt records (two values), one per DXCC entity of cty.csv, sorted by
name:
    "country",dxcc

Both files use CR LF line ends and plain ASCII.

Usage:
    python3 data/gen_prefixes.py [--cty PATH] [--out DIR]
Defaults: --cty /usr/share/hamradio-files/cty.csv, --out the folder that
holds this script.
"""

import argparse
import csv
import os
import re
import sys
from decimal import Decimal

DEFAULT_CTY = "/usr/share/hamradio-files/cty.csv"
MAX_PREFIX_ROWS = 10000
MAX_DXCC_ROWS = 1000

# Names that differ from cty.csv.  The program and its ADIF export rely on
# the spellings "USA", "Canada", "Alaska" and "Hawaii".
RENAME = {
    "United States": "USA",
    # DXCC entity 390 as a whole; cty.csv names it after its Asian part
    # because it splits off European Turkey, which is folded back in here.
    "Asiatic Turkey": "Turkey",
}

REQUIRED_NAMES = {"USA": 291, "Canada": 1, "Alaska": 6, "Hawaii": 110}

OVERRIDES = re.compile(r"\([0-9]*\)|\[[0-9]*\]|<[^>]*>|\{[^}]*\}|~[^~]*~")
PLAIN_PREFIX = re.compile(r"^[A-Z0-9]+$")
CONTINENTS = {"NA", "SA", "EU", "AF", "AS", "OC", "AN"}


def fmt_number(text):
    """A cty.csv number as a bare number: '.' as point, no trailing zeros,
    no point for whole numbers, no '-0'."""
    d = Decimal(text.strip())
    if d == 0:
        return "0"
    s = format(d.normalize(), "f")
    if "." in s:
        s = s.rstrip("0").rstrip(".")
    return s


def quoted(text):
    if '"' in text:
        raise ValueError("double quote in text value: %r" % text)
    text.encode("ascii")
    return '"' + text + '"'


def read_cty(path):
    entities = []  # dicts, in file order
    with open(path, newline="", encoding="latin-1") as f:
        for lineno, row in enumerate(csv.reader(f), 1):
            if not row:
                continue
            if len(row) != 10:
                raise ValueError("%s:%d: expected 10 fields, got %d"
                                 % (path, lineno, len(row)))
            (primary, name, dxcc, cont, cq, itu, lat, lon, _utc,
             plist) = [v.strip() for v in row]
            plist = plist.rstrip(";").split()
            entities.append({
                "primary": primary,
                "name": RENAME.get(name, name),
                "dxcc": int(dxcc),
                "cont": cont,
                "cq": int(cq),
                "itu": int(itu),
                "lat": fmt_number(lat),
                "lon": fmt_number(lon),
                "waeonly": primary.startswith("*"),
                "prefixes": plist,
            })
    return entities


def build(entities):
    by_dxcc = {}
    for e in entities:
        if e["waeonly"]:
            continue
        if e["dxcc"] in by_dxcc:
            raise ValueError("two DXCC entities numbered %d: %s, %s"
                             % (e["dxcc"], by_dxcc[e["dxcc"]]["name"],
                                e["name"]))
        if e["cont"] not in CONTINENTS:
            raise ValueError("unknown continent %r for %s"
                             % (e["cont"], e["name"]))
        if len(e["name"]) <= 2:
            # A two-character country would be taken for a state code.
            raise ValueError("country name too short: %r" % e["name"])
        by_dxcc[e["dxcc"]] = e

    owner = {}  # prefix -> entity (a DXCC entity)
    for e in entities:
        target = by_dxcc[e["dxcc"]] if e["waeonly"] else e
        for entry in e["prefixes"]:
            if entry.startswith("="):
                continue
            prefix = OVERRIDES.sub("", entry)
            if not PLAIN_PREFIX.match(prefix):
                raise ValueError("unexpected prefix entry %r of %s"
                                 % (entry, e["name"]))
            old = owner.get(prefix)
            if old is not None and old is not target:
                raise ValueError("prefix %s claimed by %s and %s"
                                 % (prefix, old["name"], target["name"]))
            owner[prefix] = target

    # Leave out prefixes that a shorter prefix of the same entity covers.
    kept = {}
    for prefix, ent in owner.items():
        parent = None
        for n in range(len(prefix) - 1, 0, -1):
            parent = owner.get(prefix[:n])
            if parent is not None:
                break
        if parent is ent:
            continue
        kept[prefix] = ent

    rows = sorted(kept.items(), key=lambda kv: kv[0].encode("ascii"))
    if len(rows) > MAX_PREFIX_ROWS:
        raise ValueError("%d prefix rows, at most %d fit"
                         % (len(rows), MAX_PREFIX_ROWS))

    dxcc_rows = sorted(((e["name"], e["dxcc"]) for e in by_dxcc.values()),
                       key=lambda r: r[0].encode("ascii"))
    if len(dxcc_rows) > MAX_DXCC_ROWS:
        raise ValueError("%d DXCC rows, at most %d fit"
                         % (len(dxcc_rows), MAX_DXCC_ROWS))
    names = dict(dxcc_rows)
    for name, number in REQUIRED_NAMES.items():
        if names.get(name) != number:
            raise ValueError("expected %s with DXCC %d, found %r"
                             % (name, number, names.get(name)))
    return rows, dxcc_rows


def write_lines(path, lines):
    with open(path, "wb") as f:
        for line in lines:
            f.write(line.encode("latin-1") + b"\r\n")


def main(argv=None):
    here = os.path.dirname(os.path.abspath(__file__))
    ap = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    ap.add_argument("--cty", default=DEFAULT_CTY, help="path of cty.csv")
    ap.add_argument("--out", default=here, help="output folder")
    args = ap.parse_args(argv)

    if not os.path.isfile(args.cty):
        sys.exit("%s not found (apt-get install hamradio-files)" % args.cty)
    rows, dxcc_rows = build(read_cty(args.cty))

    prefix_lines = [
        ",".join([quoted(prefix), quoted(e["name"]), quoted(e["cont"]),
                  e["lon"], e["lat"], str(e["cq"]), str(e["itu"]),
                  str(e["dxcc"])])
        for prefix, e in rows
    ]
    dxcc_lines = ["%s,%d" % (quoted(name), number)
                  for name, number in dxcc_rows]
    write_lines(os.path.join(args.out, "arrlpre2.txt"), prefix_lines)
    write_lines(os.path.join(args.out, "ADIFCnt.txt"), dxcc_lines)
    print("arrlpre2.txt: %d rows, ADIFCnt.txt: %d rows"
          % (len(prefix_lines), len(dxcc_lines)))


if __name__ == "__main__":
    main()
