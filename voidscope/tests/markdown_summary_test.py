#!/usr/bin/python3
"""--summary --markdown against --summary --json of the same run: every
figure of the Markdown tables equals the JSON's, for every test image, plain
and with --against, --fail-below, --dbg, --cdl and --labels; and the tables render as
tables with Debian's GFM renderer (cmark-gfm) and python3-markdown.

Usage: markdown_summary_test.py VOIDSCOPE SAMPLE.nes SAMPLE.dbg DATA_DIR WORK_DIR
"""
import glob
import json
import os
import random
import re
import subprocess
import sys

import markdown

from report_checks import check, finish

EXE, SAMPLE, SAMPLE_DBG, DATA, WORK = sys.argv[1:6]


def run(args):
    return subprocess.run([EXE] + args, capture_output=True, timeout=60)


def number(text):
    text = text.strip()
    return 0 if text == "0" else int(text.replace(",", "").replace("+", ""))


def tables(md):
    """Each pipe table of the Markdown: a list of rows of cells, headings first."""
    found, current = [], None
    for line in md.splitlines():
        if line.startswith("|") and line.endswith("|"):
            cells = [c.strip() for c in re.split(r"(?<!\\)\|", line[1:-1])]
            if current is None:
                current = []
                found.append(current)
            if not all(re.fullmatch(r":?-+:?", c) for c in cells):
                current.append(cells)
        else:
            current = None
    return found


def hex_range(text):
    m = re.fullmatch(r"`\$([0-9A-F]+)-\$([0-9A-F]+)`", text)
    return int(m.group(1), 16), int(m.group(2), 16)


def compare(label, args, rendered_rows=None):
    md_run = run(["--summary", "--markdown"] + args)
    js_run = run(["--summary", "--json"] + args)
    check(md_run.returncode == js_run.returncode,
          f"{label}: exit {md_run.returncode} with --markdown, {js_run.returncode} with --json")
    check(md_run.stderr == js_run.stderr, f"{label}: the same messages on standard error")
    md = md_run.stdout.decode()
    js = json.loads(js_run.stdout)
    heading = md.splitlines()[0]
    check(heading.startswith("### ") and f"Mapper #{js['mapper']}" in heading
          and f"{js['prg_banks']}xPRG" in heading and f"{js['chr_banks']}xCHR" in heading
          and f"Empty is ${js['empty_byte']:02X}" in heading, f"{label}: heading {heading!r}")
    found = tables(md)
    banks = found[0]
    compared = "used_delta" in js["banks"][0] if js["banks"] else False
    expected_head = ["Bank", "Used", "Free", "Free %", "Largest free"] + (["Change"] if compared else [])
    check(banks[0] == expected_head, f"{label}: bank table headings {banks[0]}")
    check(len(banks) - 1 == len(js["banks"]), f"{label}: one row per bank")
    for row, bank in zip(banks[1:], js["banks"]):
        name = f"{bank['kind']} ${bank['index']:02X}"
        check(row[0] == name, f"{label}: bank {row[0]} is {name}")
        check(number(row[1]) == bank["used"], f"{label} {name}: used {row[1]} == {bank['used']}")
        check(number(row[2]) == bank["free"], f"{label} {name}: free {row[2]} == {bank['free']}")
        share = round(bank["free"] * 100 / bank["size"], 1)
        check(abs(float(row[3].strip("%<>")) - share) <= 0.1, f"{label} {name}: free % {row[3]} ~ {share}")
        run_ = bank["largest_free_run"]
        if run_["length"] == 0:
            check(row[4] == "-", f"{label} {name}: no free run, {row[4]}")
        else:
            m = re.fullmatch(r"([0-9,]+) at \$([0-9A-F]{4})", row[4])
            check(m is not None and number(m.group(1)) == run_["length"]
                  and int(m.group(2), 16) == run_["offset"], f"{label} {name}: largest {row[4]} {run_}")
        if compared:
            check(number(row[5]) == bank["used_delta"]
                  and (row[5] == "0" or row[5][0] in "+-"), f"{label} {name}: change {row[5]}")
    for kind in ("PRG", "CHR"):
        t = js["totals"][kind]
        m = re.search(rf"- \*\*{kind} total\*\*: (.*)", md)
        check(m is not None, f"{label}: {kind} total line")
        if m and t["size"]:
            figures = [number(x) for x in re.findall(r"[+-]?[0-9][0-9,]*(?=[ ]bytes|[ ]used|[ ]free|[ ]missing|[ ]since)", m.group(1))]
            wanted = [t["size"], t["used"], t["free"]] + ([t["missing"]] if t["missing"] else []) + \
                     ([t["used_delta"]] if compared else [])
            check(figures == wanted, f"{label}: {kind} totals {figures} == {wanted}")
    if "segments" in (js["banks"][0] if js["banks"] else {}):
        seg = next(t for t in found[1:] if t[0][1] == "Segment")
        rows = [r for r in seg[1:] if r[0] not in ("header", "beyond")]
        want = [(f"{b['kind']} ${b['index']:02X}", s) for b in js["banks"] for s in b["segments"]]
        check(len(rows) == len(want), f"{label}: one row per segment in a bank")
        for row, (name, s) in zip(rows, want):
            first, last = hex_range(row[2])
            check(row[0] == name and row[1].replace("\\", "") == s["name"] and first == s["offset"]
                  and last == s["offset"] + s["size"] - 1 and number(row[4]) == s["size"]
                  and number(row[5]) == s["free_inside"], f"{label}: segment row {row} == {s}")
            if "never_reached" in s:
                check(number(row[6]) == s["never_reached"], f"{label}: segment never reached {row}")
        outside = [r for r in seg[1:] if r[0] in ("header", "beyond")]
        check(len(outside) == len(js["outside_banks"]), f"{label}: parts outside the banks")
        check("<details>" in md and "</details>" in md, f"{label}: segments folded")
    if js["banks"] and "reached" in js["banks"][0]:
        play = next(t for t in found[1:] if t[0][1] == "Reached")
        for row, bank in zip(play[1:], js["banks"]):
            prg = bank["kind"] == "PRG"
            want = [bank["reached"], bank["never_reached"], bank["code"] if prg else "-",
                    bank["data"] if prg else "-", "-" if prg else bank["drawn"], "-" if prg else bank["read"]]
            got = [c if c == "-" else number(c) for c in row[1:]]
            check(got == want, f"{label}: play row {row} == {want}")
        for kind in ("PRG", "CHR"):
            if js["totals"][kind]["size"]:
                never = sum(b["never_reached"] for b in js["banks"] if b["kind"] == kind)
                m = re.search(rf"- \*\*{kind}\*\*: ([0-9,]+) of ([0-9,]+) used bytes never reached", md)
                check(m is not None and number(m.group(1)) == never
                      and number(m.group(2)) == js["totals"][kind]["used"], f"{label}: {kind} never reached")
    if js["banks"] and "labels" in js["banks"][0]:
        # The five labels with the most used bytes per bank, the rest summed.
        table = next((t for t in found[1:] if t[0] == ["Bank", "Label", "In bank", "Size", "Used"]), [[]])
        want, more = [], []
        for b in js["banks"]:
            name = f"{b['kind']} ${b['index']:02X}"
            order = sorted(b["labels"], key=lambda l: (-l["used"], -l["size"], l["offset"]))
            want += [(name, l["name"], l["offset"], l["offset"] + l["size"] - 1, l["size"], l["used"]) for l in order[:5]]
            if len(order) > 5:
                rest = order[5:]
                n, size, used = len(rest), sum(l["size"] for l in rest), sum(l["used"] for l in rest)
                more.append(f"- {name}: {n:,} more {'label' if n == 1 else 'labels'}, "
                            f"{size:,} {'byte' if size == 1 else 'bytes'}, {used:,} used")
        got = [(r[0], re.sub(r"\\(.)", r"\1", r[1])) + hex_range(r[2]) + (number(r[3]), number(r[4]))
               for r in table[1:]]
        check(got == want, f"{label}: largest labels {got} == {want}")
        check([l for l in md.splitlines() if re.match(r"- (PRG|CHR) \$[0-9A-F]{2}: [0-9,]+ more label", l)] == more,
              f"{label}: the labels beyond the five {more}")
        check(re.search(r"<details><summary>Largest labels in each bank, from .*</summary>(.|\n)*</details>", md)
              is not None, f"{label}: labels folded")
    if "--fail-below" in args:
        margin = int(args[args.index("--fail-below") + 1])
        below = [f"{b['kind']} ${b['index']:02X}: {b['free']} bytes free, below {margin}"
                 for b in js["banks"] if b["kind"] == "PRG" and b["free"] < margin]
        lines = [l[len("- :warning: "):] for l in md.splitlines() if l.startswith("- :warning: ")]
        check(lines == below, f"{label}: banks below the margin {lines} == {below}")
        check(md_run.returncode == (3 if below else 0), f"{label}: exit status {md_run.returncode}")
        if not below:
            check("No PRG bank has fewer than" in md, f"{label}: says none is below")
    # Rendered: the bank table is a table with a row per bank, by both parsers.
    gfm = subprocess.run(["cmark-gfm", "-e", "table"], input=md_run.stdout, capture_output=True, timeout=60).stdout.decode()
    tables_gfm = re.findall(r"<table>.*?</table>", gfm, re.S)
    check(len(tables_gfm) == len(found), f"{label}: cmark-gfm renders {len(tables_gfm)} of {len(found)} tables")
    if tables_gfm:
        check(tables_gfm[0].count("<tr>") == len(js["banks"]) + 1, f"{label}: cmark-gfm bank rows")
    html = markdown.markdown(md, extensions=["tables"])
    check(html.count("<table>") >= 1 and re.search(r"<table>.*?</table>", html, re.S).group(0).count("<tr>")
          == len(js["banks"]) + 1, f"{label}: python3-markdown renders the bank table")
    return md, js


def play_log(image, path, seed):
    """A raw log of the image: flags for a share of every bank, none elsewhere."""
    with open(image, "rb") as f:
        head = f.read(16)
    size = head[4] * 16384 + head[5] * 8192
    rnd = random.Random(seed)
    flags = bytearray(size)
    for o in range(0, size, 64):
        if rnd.random() < 0.5:
            flags[o:o + 64] = bytes([rnd.choice([1, 2, 3, 0x21, 0x40])]) * 64
    with open(path, "wb") as f:
        f.write(flags)
    return path


os.makedirs(WORK, exist_ok=True)
images = [SAMPLE] + sorted(p for p in glob.glob(os.path.join(DATA, "*", "*.nes")))
# An earlier build of the sample: the same, with a little more code and a
# little less data.
earlier = os.path.join(WORK, "sample-earlier.nes")
with open(SAMPLE, "rb") as f:
    sample = bytearray(f.read())
sample[16 + 100:16 + 140] = b"\xff" * 40
sample[16 + 9000:16 + 9004] = b"\x12\x34\x56\x78"
with open(earlier, "wb") as f:
    f.write(sample)

for image in images:
    name = os.path.basename(image)
    if run(["--summary", "--json", image]).returncode != 0:
        # Refused at loading: no Markdown either, and the same message.
        m = run(["--summary", "--markdown", image])
        check(m.returncode == 1 and m.stdout == b"", f"{name}: refused image writes nothing")
        continue
    compare(name, [image])
    for other in images:
        if run(["--summary", "--json", other]).returncode == 0:
            compare(f"{name} against {os.path.basename(other)}", ["--against", other, image])
    compare(f"{name} --fail-below 0", ["--fail-below", "0", image])
    compare(f"{name} --fail-below 20000", ["--fail-below", "20000", image])
    log = play_log(image, os.path.join(WORK, name + ".cdl"), len(name))
    compare(f"{name} --cdl", ["--cdl", log, image])

md, js = compare("sample --dbg", ["--dbg", SAMPLE_DBG, SAMPLE])
sample_log = play_log(SAMPLE, os.path.join(WORK, "sample-all.cdl"), 7)
compare("sample --dbg --cdl --against --fail-below",
        ["--dbg", SAMPLE_DBG, "--cdl", sample_log, "--against", earlier, "--fail-below", "4000", SAMPLE])

# Label files: the sample's own, and one with more labels than a bank shows
# and names that look like Markdown.
sample_mlb = os.path.normpath(os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "sample", "sample.mlb"))
many_mlb = os.path.join(WORK, "many.mlb")
with open(many_mlb, "w") as f:
    f.write("".join(f"P:{o:04X}:lab_{o:04X}\n" for o in range(0, 0x4000, 0x400)))
    f.write("P:5000-50FF:a|b*c_[d]:the table\nP:5100:`code`\n")
md, js = compare("sample --labels", ["--labels", sample_mlb, SAMPLE])
check(any(l["name"] == "music_data" for b in js["banks"] for l in b["labels"]), "the sample's labels placed")
compare("sample --labels many --dbg --cdl --against",
        ["--labels", many_mlb, "--labels", sample_mlb, "--dbg", SAMPLE_DBG, "--cdl", sample_log,
         "--against", earlier, SAMPLE])
no_labels = run(["--summary", "--markdown", SAMPLE]).stdout
check(b"labels" not in no_labels, "without --labels the Markdown names no label")

# File names that look like Markdown stay text.
odd = os.path.join(WORK, "a|b*c_[d]<e>.nes")
with open(odd, "wb") as f:
    f.write(bytes(sample))
md, _ = compare("odd file name", [odd])
gfm = subprocess.run(["cmark-gfm", "-e", "table"], input=md.encode(), capture_output=True).stdout.decode()
check("a|b*c_[d]&lt;e&gt;.nes" in gfm.splitlines()[0], f"odd name shown as typed: {gfm.splitlines()[0]}")

# The plain summary is unchanged by the new option's existence.
check(b"|" not in run(["--summary", SAMPLE]).stdout, "the text summary has no Markdown")
bad = run(["--summary", "--markdown", "--json", SAMPLE])
check(bad.returncode == 2, "--markdown with --json is refused")
bad = run(["--markdown", SAMPLE])
check(bad.returncode == 2 and b"--markdown needs --summary" in bad.stderr, "--markdown needs --summary")

finish()
