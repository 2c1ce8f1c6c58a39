#!/usr/bin/env python3
"""Writes the five sample designs as the program saves them: section "clock", every key in
write order, CR LF line ends, an empty value as a single blank. Each design is the start values
of a fresh program with a few settings changed; the pictures lie beside the files."""
import os

HERE = os.path.dirname(os.path.abspath(__file__))

# (key, start value) in write order.
START = [
    ("version", "0.9"), ("hred", "255"), ("hgreen", "255"), ("hblue", "255"), ("hw", "4"),
    ("hd", "60"), ("mred", "255"), ("mgreen", "255"), ("mblue", "255"), ("mw", "3"),
    ("md", "75"), ("sred", "255"), ("sgreen", "255"), ("sblue", "255"), ("sw", "2"),
    ("sd", "100"), ("radius", "64"), ("innerradius", "10"), ("centrex", "160"),
    ("centrey", "90"), ("copyfps", "1"), ("timeh", "9"), ("timem", "10"), ("times", "30"),
    ("setallcolors", "255"), ("replacecolor", "255"), ("replacewith", "0"), ("duration", "60"),
    ("useir", "1"), ("synctest", "1"), ("image", ""), ("erase", "0"),
    ("secondreflection", "0"), ("shrd", "40"), ("jitter", "0"), ("smoothminute", "0"),
    ("smoothhour", "0"), ("usebackground", "0"), ("transr", "255"), ("transg", "255"),
    ("transb", "255"), ("edtX", ""), ("edtY", ""), ("background", ""), ("hourbitmap", ""),
    ("minutebitmap", ""), ("secondbitmap", ""), ("topbitmap", ""), ("chkBitmap", "0"),
    ("smoothsecond", "0"), ("bmptransr", "255"), ("bmptransg", "255"), ("bmptransb", "255"),
    ("bmptopx", "0"), ("bmptopy", "0"), ("fillir", "0"), ("fillirr", "255"),
    ("fillirg", "255"), ("fillirb", "255"), ("outlineir", "0"), ("outlineirr", "255"),
    ("outlineirg", "255"), ("outlineirb", "255"), ("outlineirw", "1"), ("circ", "0"),
    ("rect", "0"), ("ctr", "255"), ("ctg", "255"), ("ctb", "255"),
] + [
    item
    for h, (hc, pd) in zip("hms", (("75", "5"), ("50", "4"), ("15", "10")))
    for item in [
        (f"ac_chk{ {'h': 'hours', 'm': 'minutes', 's': 'seconds'}[h] }".replace(" ", ""), "0"),
        (f"ac_{h}hc", hc), (f"ac_{h}pd", pd), (f"ac_chk{h}fill", "0"),
        (f"ac_chk{h}outline", "0"),
        (f"ac_fpv{h}_fillR", "255"), (f"ac_fpv{h}_fillG", "255"), (f"ac_fpv{h}_fillB", "255"),
        (f"ac_fpv{h}_outR", "255"), (f"ac_fpv{h}_outG", "255"), (f"ac_fpv{h}_outB", "255"),
        (f"ac_fpv{h}_HW", "1"),
    ]
] + [
    ("ac_straighten", "0"), ("ac_chkFlash", "0"), ("ac_FlashEvery", "15"), ("ac_edtHead", ""),
    ("ac_edtHourSep", ":"), ("ac_edtMinSep", ":"), ("ac_edtTail", ""), ("ac_strFont", ""),
    ("ac_nFSize", "8"), ("ac_bFBold", "False"), ("ac_bFItalic", "False"),
    ("ac_edtSepR", "255"), ("ac_edtSepG", "255"), ("ac_edtSepB", "255"), ("ac_dcTop", "0"),
    ("ac_dcLeft", "0"), ("ac_chkInitiallyOn", "1"), ("ac_chkHourMode", "1"),
    ("ac_chkAMPM", "1"), ("ac_chkAMPMpos", "1"), ("ac_chkAsc", "1"),
    ("ac_chkSecondsOnly", "0"), ("ac_chkZE", "0"), ("ac_edtAM", "am"), ("ac_edtPM", "pm"),
    ("chkhhr", "0"), ("edtHRLen", "40"), ("chkmhr", "0"), ("edtMRLen", "40"),
    ("displayOrder", "shm"), ("chkDigital", "0"),
]
assert len(START) == 136, len(START)

FACE = {"image": "face.bmp", "radius": "100", "centrex": "160", "centrey": "120",
        "copyfps": "30", "duration": "10", "timeh": "10", "timem": "10", "times": "30",
        "hred": "236", "hgreen": "238", "hblue": "242", "mred": "236", "mgreen": "238",
        "mblue": "242", "sred": "230", "sgreen": "60", "sblue": "50"}

DESIGNS = {
    "line-hands": {
        **FACE, "hw": "5", "hd": "55", "mw": "3", "md": "82", "sw": "1", "sd": "92",
        "innerradius": "6", "secondreflection": "1", "shrd": "20", "fillir": "1",
        "fillirr": "230", "fillirg": "60", "fillirb": "50", "outlineir": "1",
        "outlineirr": "236", "outlineirg": "238", "outlineirb": "242", "outlineirw": "2",
        "displayOrder": "hms",
    },
    "kite-hands": {
        **FACE, "timeh": "3", "timem": "40", "times": "15", "hd": "58", "md": "86",
        "sw": "1", "sd": "94", "useir": "0", "smoothsecond": "1",
        "ac_chkhours": "1", "ac_chkhfill": "1", "ac_chkhoutline": "1",
        "ac_chkminutes": "1", "ac_chkmfill": "1", "ac_chkmoutline": "1",
        "ac_hhc": "70", "ac_hpd": "9", "ac_mhc": "60", "ac_mpd": "6",
        "ac_fpvh_fillR": "236", "ac_fpvh_fillG": "238", "ac_fpvh_fillB": "242",
        "ac_fpvh_outR": "120", "ac_fpvh_outG": "130", "ac_fpvh_outB": "150",
        "ac_fpvm_fillR": "236", "ac_fpvm_fillG": "238", "ac_fpvm_fillB": "242",
        "ac_fpvm_outR": "120", "ac_fpvm_outG": "130", "ac_fpvm_outB": "150",
        "innerradius": "4", "displayOrder": "hms",
    },
    "bitmap-hands": {
        **FACE, "timeh": "10", "timem": "8", "times": "42", "chkBitmap": "1",
        "smoothminute": "1", "hourbitmap": "hour.bmp", "minutebitmap": "minute.bmp",
        "secondbitmap": "second.bmp", "topbitmap": "top.bmp", "bmptransr": "255",
        "bmptransg": "0", "bmptransb": "255", "bmptopx": "60", "bmptopy": "20",
    },
    "erase-mode": {
        **FACE, "erase": "1", "usebackground": "1", "background": "erase_bg.bmp",
        "times": "0", "radius": "85", "innerradius": "60", "sw": "10", "sred": "29",
        "sgreen": "7", "sblue": "141", "transr": "29", "transg": "7", "transb": "141",
        "edtX": "20", "edtY": "20", "duration": "60",
    },
    "digital": {
        "image": "panel.bmp", "chkDigital": "1", "copyfps": "30", "duration": "15",
        "timeh": "11", "timem": "59", "times": "50", "hred": "236", "hgreen": "238",
        "hblue": "242", "mred": "236", "mgreen": "238", "mblue": "242", "sred": "250",
        "sgreen": "190", "sblue": "60", "ac_strFont": "DejaVu Sans", "ac_nFSize": "30",
        "ac_bFBold": "True", "ac_edtSepR": "150", "ac_edtSepG": "160", "ac_edtSepB": "180",
        "ac_chkHourMode": "0", "ac_chkAMPM": "1", "ac_chkAMPMpos": "1", "ac_edtAM": "AM",
        "ac_edtPM": "PM", "ac_chkFlash": "1", "ac_FlashEvery": "15", "ac_dcLeft": "40",
        "ac_dcTop": "28",
    },
}

for name, changes in DESIGNS.items():
    unknown = set(changes) - {k for k, _ in START}
    assert not unknown, unknown
    lines = ["[clock]"]
    for key, value in START:
        value = changes.get(key, value)
        lines.append(f"{key}={value if value else ' '}")
    with open(os.path.join(HERE, name + ".ini"), "w", newline="") as f:
        f.write("\r\n".join(lines) + "\r\n")
