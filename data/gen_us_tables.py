#!/usr/bin/env python3
"""Write states.txt (location of each of the 50 US states) and county2.txt
(the counties of Minnesota with their three-letter abbreviations).

The data are kept in this script; the text files are generated from it so
that their record form (quoted texts, bare numbers, CR LF line ends, ASCII)
is always right.

states.txt records (three values):
    "code",latitude,longitude
longitude in degrees positive toward the west.  The points are the states'
geographic centres after the U.S. Geological Survey's "Geographic Centers"
list (U.S. Government work, public domain), placed from its locality
descriptions and rounded to 0.01 degree.  They serve only for beam headings
and distances, for which a few kilometres do not matter.

county2.txt records (two values):
    "MN<county name>","<abbreviation>"
The first row of each county carries its official name; a few counties have
further rows carrying another common spelling with the same abbreviation.
Rows are in alphabetical order of the official name, each county's extra
spellings right after its main row (so the main row is the first row of its
abbreviation, the one the ADIF export takes the county's name from).

Usage:
    python3 data/gen_us_tables.py [--out DIR]
"""

import argparse
import os

# Two-letter postal code, latitude (N), longitude (degrees WEST).
STATES = [
    ("AL", 32.79, 86.83),
    ("AK", 63.83, 152.00),
    ("AZ", 34.30, 111.70),
    ("AR", 34.80, 92.44),
    ("CA", 37.17, 119.45),
    ("CO", 39.00, 105.55),
    ("CT", 41.60, 72.71),
    ("DE", 38.98, 75.51),
    ("FL", 28.68, 82.46),
    ("GA", 32.67, 83.44),
    ("HI", 20.25, 156.33),
    ("ID", 44.27, 114.73),
    ("IL", 40.01, 89.31),
    ("IN", 39.90, 86.27),
    ("IA", 42.07, 93.50),
    ("KS", 38.50, 98.64),
    ("KY", 37.58, 85.27),
    ("LA", 31.08, 92.03),
    ("ME", 45.37, 69.23),
    ("MD", 38.97, 76.69),
    ("MA", 42.31, 71.85),
    ("MI", 44.35, 85.41),
    ("MN", 46.27, 94.33),
    ("MS", 32.82, 89.72),
    ("MO", 38.44, 92.50),
    ("MT", 47.05, 109.63),
    ("NE", 41.53, 99.86),
    ("NV", 39.32, 116.63),
    ("NH", 43.65, 71.58),
    ("NJ", 40.07, 74.56),
    ("NM", 34.44, 106.11),
    ("NY", 42.95, 75.53),
    ("NC", 35.55, 79.18),
    ("ND", 47.47, 100.47),
    ("OH", 40.36, 82.76),
    ("OK", 35.51, 97.50),
    ("OR", 43.97, 120.74),
    ("PA", 40.90, 77.84),
    ("RI", 41.67, 71.58),
    ("SC", 33.84, 80.93),
    ("SD", 44.44, 100.23),
    ("TN", 35.83, 86.40),
    ("TX", 31.39, 99.17),
    ("UT", 39.31, 111.64),
    ("VT", 44.07, 72.67),
    ("VA", 37.50, 78.62),
    ("WA", 47.38, 120.45),
    ("WV", 38.60, 80.70),
    ("WI", 44.44, 90.13),
    ("WY", 43.00, 107.55),
]

CONTEST_STATE = "MN"

# Official county name, abbreviation, further spellings.
COUNTIES = [
    ("Aitkin", "AIT", []),
    ("Anoka", "ANO", []),
    ("Becker", "BEC", []),
    ("Beltrami", "BEL", []),
    ("Benton", "BEN", []),
    ("Big Stone", "BIG", ["Bigstone"]),
    ("Blue Earth", "BLU", []),
    ("Brown", "BRO", []),
    ("Carlton", "CRL", []),
    ("Carver", "CRV", []),
    ("Cass", "CAS", []),
    ("Chippewa", "CHP", []),
    ("Chisago", "CHS", []),
    ("Clay", "CLA", []),
    ("Clearwater", "CLE", []),
    ("Cook", "COO", []),
    ("Cottonwood", "COT", []),
    ("Crow Wing", "CRO", []),
    ("Dakota", "DAK", []),
    ("Dodge", "DOD", []),
    ("Douglas", "DOU", []),
    ("Faribault", "FAI", []),
    ("Fillmore", "FIL", []),
    ("Freeborn", "FRE", []),
    ("Goodhue", "GOO", []),
    ("Grant", "GRA", []),
    ("Hennepin", "HEN", []),
    ("Houston", "HOU", []),
    ("Hubbard", "HUB", []),
    ("Isanti", "ISA", []),
    ("Itasca", "ITA", []),
    ("Jackson", "JAC", []),
    ("Kanabec", "KNB", []),
    ("Kandiyohi", "KND", []),
    ("Kittson", "KIT", []),
    ("Koochiching", "KOO", []),
    ("Lac qui Parle", "LAC", ["Lacquiparle"]),
    ("Lake", "LAK", []),
    ("Lake of the Woods", "LKW", []),
    ("Le Sueur", "LES", ["LeSueur"]),
    ("Lincoln", "LIN", []),
    ("Lyon", "LYO", []),
    ("Mahnomen", "MAH", []),
    ("Marshall", "MRS", []),
    ("Martin", "MRT", []),
    ("McLeod", "MCL", ["Mc Leod"]),
    ("Meeker", "MEE", []),
    ("Mille Lacs", "MIL", ["Mille Lac"]),
    ("Morrison", "MOR", []),
    ("Mower", "MOW", []),
    ("Murray", "MUR", []),
    ("Nicollet", "NIC", []),
    ("Nobles", "NOB", []),
    ("Norman", "NOR", []),
    ("Olmsted", "OLM", []),
    ("Otter Tail", "OTT", ["Ottertail"]),
    ("Pennington", "PEN", []),
    ("Pine", "PIN", []),
    ("Pipestone", "PIP", []),
    ("Polk", "POL", []),
    ("Pope", "POP", []),
    ("Ramsey", "RAM", []),
    ("Red Lake", "RDL", ["Redlake"]),
    ("Redwood", "RDW", []),
    ("Renville", "REN", []),
    ("Rice", "RIC", []),
    ("Rock", "ROC", []),
    ("Roseau", "ROS", []),
    ("Scott", "SCO", []),
    ("Sherburne", "SHE", []),
    ("Sibley", "SIB", []),
    ("St. Louis", "STL", ["Saint Louis", "St Louis"]),
    ("Stearns", "STR", []),
    ("Steele", "STE", []),
    ("Stevens", "STV", []),
    ("Swift", "SWI", []),
    ("Todd", "TOD", []),
    ("Traverse", "TRA", []),
    ("Wabasha", "WAB", []),
    ("Wadena", "WAD", []),
    ("Waseca", "WSC", []),
    ("Washington", "WSH", []),
    ("Watonwan", "WAT", []),
    ("Wilkin", "WIL", []),
    ("Winona", "WIN", []),
    ("Wright", "WRI", []),
    ("Yellow Medicine", "YEL", []),
]


def fmt(x):
    s = "%.2f" % x
    s = s.rstrip("0").rstrip(".")
    return "0" if s in ("", "-0") else s


def quoted(text):
    assert '"' not in text
    text.encode("ascii")
    return '"' + text + '"'


def write_lines(path, lines):
    with open(path, "wb") as f:
        for line in lines:
            f.write(line.encode("ascii") + b"\r\n")


def check():
    assert len(STATES) == 50
    assert len({s[0] for s in STATES}) == 50
    for code, lat, lon in STATES:
        assert len(code) == 2 and code.isupper()
        assert 18 < lat < 72 and 66 < lon < 180, code
    assert len(COUNTIES) == 87
    assert len({c[1] for c in COUNTIES}) == 87
    names = [c[0].upper() for c in COUNTIES]
    names += [a.upper() for c in COUNTIES for a in c[2]]
    assert len(names) == len(set(names)), "a spelling names two counties"
    order = [c[0].upper().replace(".", "") for c in COUNTIES]
    assert order == sorted(order), "counties out of alphabetical order"


def main(argv=None):
    here = os.path.dirname(os.path.abspath(__file__))
    ap = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    ap.add_argument("--out", default=here, help="output folder")
    args = ap.parse_args(argv)
    check()

    state_lines = ["%s,%s,%s" % (quoted(code), fmt(lat), fmt(lon))
                   for code, lat, lon in STATES]
    county_lines = []
    for name, abbrev, aliases in COUNTIES:
        for spelling in [name] + aliases:
            county_lines.append("%s,%s" % (quoted(CONTEST_STATE + spelling),
                                           quoted(abbrev)))
    write_lines(os.path.join(args.out, "states.txt"), state_lines)
    write_lines(os.path.join(args.out, "county2.txt"), county_lines)
    print("states.txt: %d rows, county2.txt: %d rows"
          % (len(state_lines), len(county_lines)))


if __name__ == "__main__":
    main()
