#!/usr/bin/python3
"""The page of --html in a real browser (Debian's headless chromium), driven
over the DevTools protocol: after its script ran, every bank's figures equal
the JSON of the same run, the maps are drawn in the window's colours, the
readout over a known byte says what the window's does (with label files,
the label under the mouse), a click on a column
heading sorts the table, the views switch, and the page fetches nothing.
Also: the page is valid HTML (html5lib's strict parser and tidy) and
refers to nothing outside itself.

Usage: html_page_test.py VOIDSCOPE SAMPLE.nes SAMPLE.dbg DATA_DIR WORK_DIR
"""
import base64
import glob
import json
import os
import random
import re
import shutil
import signal
import subprocess
import sys
import tempfile
import time

import html5lib
import websocket

from report_checks import check, finish

EXE, SAMPLE, SAMPLE_DBG, DATA, WORK = sys.argv[1:6]


def run(args):
    return subprocess.run([EXE] + args, capture_output=True, timeout=120)


class Browser:
    """One headless chromium and one page, over the DevTools protocol."""

    def __init__(self):
        self.profile = tempfile.mkdtemp(prefix="voidscope-chromium-")
        self.process = subprocess.Popen(
            ["chromium", "--headless=new", "--no-sandbox", "--disable-gpu", "--no-first-run",
             "--disable-extensions", "--disable-background-networking", "--disable-sync",
             "--remote-debugging-port=0", f"--user-data-dir={self.profile}",
             "--window-size=1280,900", "about:blank"],
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, start_new_session=True)
        port_file = os.path.join(self.profile, "DevToolsActivePort")
        deadline = time.time() + 60
        while not os.path.exists(port_file) or os.path.getsize(port_file) == 0:
            if time.time() > deadline or self.process.poll() is not None:
                raise RuntimeError("chromium did not start")
            time.sleep(0.1)
        port = open(port_file).read().split()[0]
        browser = websocket.create_connection(f"ws://127.0.0.1:{port}" + open(port_file).read().split()[1], timeout=60)
        self.ws, self.next_id, self.events = browser, 0, []
        target = self.call("Target.createTarget", url="about:blank")["targetId"]
        self.session = self.call("Target.attachToTarget", targetId=target, flatten=True)["sessionId"]
        for domain in ("Page", "Runtime", "Network"):
            self.call(domain + ".enable", session=True)

    def call(self, method, session=False, **params):
        self.next_id += 1
        message = {"id": self.next_id, "method": method, "params": params}
        if session:
            message["sessionId"] = self.session
        self.ws.send(json.dumps(message))
        while True:
            reply = json.loads(self.ws.recv())
            if reply.get("id") == self.next_id:
                if "error" in reply:
                    raise RuntimeError(f"{method}: {reply['error']}")
                return reply["result"]
            self.events.append(reply)

    def page(self, method, **params):
        return self.call(method, session=True, **params)

    def evaluate(self, expression):
        result = self.page("Runtime.evaluate", expression=expression, returnByValue=True, awaitPromise=True)
        if "exceptionDetails" in result:
            raise RuntimeError(f"{expression}: {result['exceptionDetails']}")
        return result["result"].get("value")

    def open(self, path):
        self.events = []
        self.page("Page.navigate", url="file://" + os.path.abspath(path))
        deadline = time.time() + 60
        while time.time() < deadline:
            if self.evaluate("document.readyState === 'complete' && document.body !== null && "
                             "document.body.getAttribute('data-drawn') === 'true'"):
                return
            time.sleep(0.05)
        raise RuntimeError("the page did not finish drawing: " + path)

    def mouse(self, kind, x, y, button="none", clicks=0):
        self.page("Input.dispatchMouseEvent", type=kind, x=x, y=y, button=button, clickCount=clicks)

    def click(self, x, y):
        self.mouse("mouseMoved", x, y)
        self.mouse("mousePressed", x, y, "left", 1)
        self.mouse("mouseReleased", x, y, "left", 1)

    def screenshot(self, path):
        data = self.page("Page.captureScreenshot", format="png", captureBeyondViewport=False)["data"]
        with open(path, "wb") as f:
            f.write(base64.b64decode(data))

    def requests(self):
        """Every URL the page asked for since it was opened."""
        return [e["params"]["request"]["url"] for e in self.events
                if e.get("method") == "Network.requestWillBeSent"]

    def close(self):
        try:
            self.ws.close()
        finally:
            os.killpg(self.process.pid, signal.SIGTERM)
            self.process.wait(timeout=30)
            shutil.rmtree(self.profile, ignore_errors=True)


def colour_count(png, rgb):
    """Pixels of the exact colour in the picture, by ImageMagick."""
    out = subprocess.run(["convert", png, "-format", "%c", "histogram:info:-"],
                         capture_output=True, text=True, timeout=60).stdout
    for line in out.splitlines():
        m = re.match(r"\s*(\d+):\s*\(\s*(\d+),\s*(\d+),\s*(\d+)", line)
        if m and tuple(int(v) for v in m.group(2, 3, 4)) == rgb:
            return int(m.group(1))
    return 0


def self_contained(path, label):
    """Nothing the page names lies outside it: no src, no href, no url()."""
    text = open(path, encoding="utf-8").read()
    document = html5lib.HTMLParser(strict=True, namespaceHTMLElements=False).parse(text)
    check(document.find("body") is not None, f"{label}: parses as HTML without errors")
    outside = [(e.tag, a) for e in document.iter() for a in ("src", "href", "srcset", "action", "data", "poster")
               if e.get(a) is not None]
    check(outside == [], f"{label}: no element refers to a file: {outside}")
    check(re.search(r"url\(|@import|https?://|fetch\(|XMLHttpRequest|import\(", text) is None,
          f"{label}: no style or script fetches anything")
    tidy = subprocess.run(["tidy", "-q", "-e", "-utf8", path], capture_output=True, text=True, timeout=60)
    check(tidy.returncode == 0, f"{label}: tidy finds nothing to warn of: {tidy.stderr[:500]}")


def figures(browser):
    return browser.evaluate("""Array.from(document.querySelectorAll('#banks tbody tr')).map(r =>
        Array.from(r.cells).map(c => c.textContent))""")


def number(text):
    return 0 if text in ("0", "-") else int(text.replace(",", "").replace("+", ""))


def check_figures(browser, js, label):
    rows = figures(browser)
    check(len(rows) == len(js["banks"]), f"{label}: a row per bank ({len(rows)})")
    for row, bank in zip(rows, js["banks"]):
        name = f"{bank['kind']} ${bank['index']:02X}"
        run_ = bank["largest_free_run"]
        want = [name, bank["used"], bank["free"]]
        got = [row[0], number(row[1]), number(row[2])]
        check(got == want, f"{label}: {got} == {want}")
        largest = f"{run_['length']:,} at ${run_['offset']:04X}" if run_["length"] else "-"
        check(row[4] == largest, f"{label} {name}: largest free {row[4]} == {largest}")
        if "used_delta" in bank:
            check(number(row[5]) == bank["used_delta"], f"{label} {name}: change {row[5]}")
    totals = browser.evaluate("document.getElementById('totals').textContent")
    for kind in ("PRG", "CHR"):
        t = js["totals"][kind]
        if t["size"]:
            check(f"{kind} total: {t['size']:,} bytes, {t['used']:,} used" in totals, f"{label}: {kind} total")


def map_pixels(browser, bank, offset):
    """The colour the page drew for one byte."""
    return browser.evaluate(f"""(() => {{ const c = document.querySelector('canvas[data-bank="{bank}"]');
        return Array.from(c.getContext('2d').getImageData({offset % 64}, {offset // 64}, 1, 1).data.slice(0, 3)); }})()""")


def hover(browser, bank, offset):
    box = browser.evaluate(f"""(() => {{ const c = document.querySelector('canvas[data-bank="{bank}"]');
        c.scrollIntoView({{block: 'center'}}); const r = c.getBoundingClientRect();
        return [r.left, r.top, c.clientWidth / c.width]; }})()""")
    left, top, zoom = box
    # Whole pixels: the browser rounds a fraction of one either way.
    x = int(left) + 1 + (offset % 64) * zoom + int(zoom) // 2
    y = int(top) + 1 + (offset // 64) * zoom + int(zoom) // 2
    browser.mouse("mouseMoved", x, y)
    return browser.evaluate("document.getElementById('readout').hidden ? '' : document.getElementById('readout').textContent")


def expected_readout(image_bytes, js, kind, index, offset):
    """What the window's readout says of a byte, from the image's bytes."""
    bank = next(b for b in js["banks"] if b["kind"] == kind and b["index"] == index)
    label = f"{kind} ${index:02X}"
    text = f"{label}\nOffset ${offset:04X} (file ${bank['offset'] + offset:06X})\n"
    free = js["empty_byte"] if kind == "PRG" else 0
    at = bank["offset"] + offset
    if at >= len(image_bytes):
        return text + "Missing: the file ends before this byte"
    v = image_bytes[at]
    if v != free:
        return text + f"Value ${v:02X}, used"
    body = image_bytes[bank["offset"]:bank["offset"] + bank["size"]]
    first = offset
    while first > 0 and body[first - 1] == free:
        first -= 1
    end = offset
    while end < len(body) and body[end] == free:
        end += 1
    n = end - first
    return text + f"Value ${v:02X}, free\nFree run ${first:04X}-${end - 1:04X}, {n} {'byte' if n == 1 else 'bytes'}"


def play_log(image, path):
    with open(image, "rb") as f:
        head = f.read(16)
    size = head[4] * 16384 + head[5] * 8192
    rnd = random.Random(5)
    flags = bytearray(size)
    for o in range(0, size, 256):
        if rnd.random() < 0.6:
            flags[o:o + 256] = bytes([rnd.choice([1, 2, 3])]) * 256
    with open(path, "wb") as f:
        f.write(flags)
    return path


os.makedirs(WORK, exist_ok=True)
images = [SAMPLE] + sorted(p for p in glob.glob(os.path.join(DATA, "*", "*.nes")))
earlier = os.path.join(WORK, "sample-earlier.nes")
with open(SAMPLE, "rb") as f:
    sample = bytearray(f.read())
old = bytearray(sample)
old[16 + 100:16 + 140] = b"\xff" * 40  # the new build uses 40 more bytes here
with open(earlier, "wb") as f:
    f.write(old)
log = play_log(SAMPLE, os.path.join(WORK, "sample.cdl"))

# The command line: where the page goes and what it goes with.
unwritable = run(["--summary", "--html", os.path.join(WORK, "no-such-folder", "p.html"), SAMPLE])
check(unwritable.returncode == 1 and unwritable.stdout == b"" and b"no-such-folder/p.html" in unwritable.stderr,
      f"an unwritable page: status 1, its name, nothing printed: {unwritable}")
check(run(["--html"]).returncode == 2 and run(["--html", "", SAMPLE]).returncode == 2, "--html needs a file name")
check(run(["--html", os.path.join(WORK, "x.html")]).returncode == 2, "--html needs an image")
both = run(["--html", os.path.join(WORK, "both.html"), "--report", os.path.join(WORK, "both.bmp"), SAMPLE])
check(both.returncode == 0 and os.path.getsize(os.path.join(WORK, "both.bmp")) > 0
      and os.path.getsize(os.path.join(WORK, "both.html")) > 0, "--html with --report: one load, both written")
alone = run(["--html", os.path.join(WORK, "against.html"), "--against", earlier, SAMPLE])
check(alone.returncode == 0 and alone.stdout == b"", "--html alone takes --against")
check(run(["--against", earlier, SAMPLE]).returncode == 2, "--against without --summary or --html is refused")
missing_old = run(["--html", os.path.join(WORK, "m.html"), "--against", os.path.join(WORK, "none.nes"), SAMPLE])
check(missing_old.returncode == 1 and not os.path.exists(os.path.join(WORK, "m.html")),
      "an earlier build that cannot be loaded: status 1, no page")

def page_data(path):
    """The data the page's script draws from, as the page carries it."""
    text = open(path, encoding="utf-8").read()
    start = text.index("var VOIDSCOPE_DATA = ") + len("var VOIDSCOPE_DATA = ")
    return json.loads(text[start:text.index(";\n</script>", start)])


def runs_text(runs):
    """The states of every byte, one letter each, from the page's runs."""
    return "".join(state * int(length, 36) for state, length in re.findall(r"([A-Z])([0-9a-z]+)", runs))


# Cut in other sizes, the page carries the same bytes: each kind's states,
# used values, changes and play-log reach, bank after bank, are the same
# as in 16 KB and 8 KB banks.
everything = ["--dbg", SAMPLE_DBG, "--cdl", log, "--against", earlier, SAMPLE]
check(run(["--html", os.path.join(WORK, "cut-16k.html")] + everything).returncode == 0, "page in 16 KB banks")
check(run(["--html", os.path.join(WORK, "cut-8k.html"), "--prg-bank-size", "8K", "--chr-bank-size", "1K"]
          + everything).returncode == 0, "page in 8 KB and 1 KB banks")
check(run(["--html", os.path.join(WORK, "cut-32k.html"), "--prg-bank-size", "32K", "--chr-bank-size", "4K"]
          + everything).returncode == 0, "page in 32 KB and 4 KB banks")
whole = {}
for cut in ("16k", "8k", "32k"):
    banks = page_data(os.path.join(WORK, f"cut-{cut}.html"))["banks"]
    whole[cut] = {kind: {field: "".join(runs_text(b[field]) if field != "values" else
                                        base64.b64decode(b["values"]).hex() for b in banks if b["kind"] == kind)
                         for field in ("states", "values", "changes", "reach")}
                  for kind in ("PRG", "CHR")}
    check(all(len(runs_text(b["states"])) == b["size"] for b in banks), f"{cut}: a state per byte of each bank")
for cut in ("8k", "32k"):
    for kind in ("PRG", "CHR"):
        for field in ("states", "values", "changes", "reach"):
            check(whole[cut][kind][field] == whole["16k"][kind][field], f"{cut} {kind} {field}: the same bytes")
check("U" in whole["16k"]["PRG"]["changes"] and "A" in whole["16k"]["PRG"]["reach"], "the runs compared hold something")

browser = Browser()
try:
    # Every image alone: the figures, the maps, a used and a free byte read out.
    for image in images:
        name = os.path.basename(image)
        page = os.path.join(WORK, name + ".html")
        js_run = run(["--summary", "--json", image])
        result = run(["--html", page, image])
        if js_run.returncode != 0:
            check(result.returncode == 1 and not os.path.exists(page), f"{name}: refused image, no page")
            continue
        check(result.returncode == 0 and result.stdout == b"", f"{name}: --html alone writes only the page")
        js = json.loads(js_run.stdout)
        self_contained(page, name)
        browser.open(page)
        check(browser.requests() == ["file://" + os.path.abspath(page)], f"{name}: fetched {browser.requests()}")
        check(browser.evaluate("document.getElementById('title').textContent").startswith(image),
              f"{name}: title line")
        check_figures(browser, js, name)
        image_bytes = open(image, "rb").read()
        for bank in js["banks"][:3]:
            body = image_bytes[bank["offset"]:bank["offset"] + bank["size"]]
            free = js["empty_byte"] if bank["kind"] == "PRG" else 0
            used_at = next((o for o, v in enumerate(body) if v != free), None)
            free_at = next((o for o, v in enumerate(body) if v == free), None)
            for offset in (o for o in (used_at, free_at) if o is not None):
                want = expected_readout(image_bytes, js, bank["kind"], bank["index"], offset)
                got = hover(browser, js["banks"].index(bank), offset)
                check(got == want, f"{name}: readout {got!r} == {want!r}")
                colour = [46, 255, 51] if body[offset] != free else [252, 252, 252]
                check(map_pixels(browser, js["banks"].index(bank), offset) == colour, f"{name}: map colour")
        # A truncated image: its missing bytes are grey and read out so.
        for r, bank in enumerate(js["banks"]):
            if bank["missing"]:
                offset = bank["size"] - 1
                check(map_pixels(browser, r, offset) == [128, 128, 128], f"{name}: missing grey")
                check(hover(browser, r, offset).endswith("Missing: the file ends before this byte"),
                      f"{name}: missing read out")

    # The sample with everything: debug file, play log, earlier build, margin.
    page = os.path.join(WORK, "sample-all.html")
    args = ["--dbg", SAMPLE_DBG, "--cdl", log, "--against", earlier, "--fail-below", "4000", SAMPLE]
    js = json.loads(run(["--summary", "--json"] + args).stdout)
    result = run(["--html", page, "--summary"] + args)
    check(result.returncode == subprocess.run([EXE, "--summary"] + args, capture_output=True).returncode,
          "--html leaves the exit status of --fail-below as it was")
    check(result.stdout == run(["--summary"] + args).stdout, "--html leaves the text summary as it was")
    self_contained(page, "sample-all")
    browser.open(page)
    check(browser.requests() == ["file://" + os.path.abspath(page)], f"sample-all: fetched {browser.requests()}")
    check_figures(browser, js, "sample-all")
    seg_rows = browser.evaluate("""Array.from(document.querySelectorAll('#segments tbody tr')).map(r =>
        Array.from(r.cells).map(c => c.textContent))""")
    names = [s["name"] for b in js["banks"] for s in b["segments"]]
    check([r[1] for r in seg_rows if r[0] not in ("header", "beyond")] == names, f"segment names {names}")
    check(all(r[6] == f"{s['never_reached']:,}" for r, s in
              zip([r for r in seg_rows if r[0] not in ("header", "beyond")], [s for b in js["banks"] for s in b["segments"]])),
          "segments' never reached figures")
    play_rows = browser.evaluate("""Array.from(document.querySelectorAll('#play tbody tr')).map(r =>
        Array.from(r.cells).map(c => c.textContent))""")
    check([number(r[2]) for r in play_rows] == [b["never_reached"] for b in js["banks"]], "play-log figures")
    below = browser.evaluate("Array.from(document.querySelectorAll('#fail-below li')).map(l => l.textContent)")
    check(below == [f"{b['kind']} ${b['index']:02X}: {b['free']} bytes free, below 4000"
                    for b in js["banks"] if b["kind"] == "PRG" and b["free"] < 4000], f"below the margin {below}")

    # The readout over a known byte: the first byte of the first segment in PRG $00.
    first = js["banks"][0]["segments"][0]
    text = hover(browser, 0, first["offset"])
    lines = text.split("\n")
    check(lines[0] == "PRG $00" and f"Segment {first['name']}, offset $0000" in lines,
          f"readout names the segment: {text!r}")
    check(lines[-1].startswith("Play logs: "), f"readout ends in the play logs' reach: {text!r}")
    # A byte with a label: "nmi", placed from the debug file's own records.
    dbg = open(SAMPLE_DBG).read()
    sym = re.search(r'^sym\t.*name="nmi".*val=0x([0-9A-F]+),seg=(\d+),type=lab', dbg, re.M)
    seg = re.search(rf'^seg\tid={sym.group(2)},name="(\w+)",start=0x([0-9A-F]+),.*ooffs=(\d+)', dbg, re.M)
    in_segment = int(sym.group(1), 16) - int(seg.group(2), 16)
    at = int(seg.group(3)) + in_segment - 16
    labelled = hover(browser, at // 16384, at % 16384).split("\n")
    check(labelled[3:5] == [f"Segment {seg.group(1)}, offset ${in_segment:04X}", "Label nmi"]
          and re.fullmatch(r"Source .*sample\.s:\d+", labelled[5]) is not None
          and labelled[6].startswith("Play logs: "), f"readout of a labelled byte: {labelled}")
    check(text.startswith(expected_readout(bytes(sample), js, "PRG", 0, first["offset"])), "readout's first lines")
    browser.screenshot(os.path.join(WORK, "sample-all-hover.png"))

    # Views: the plain map, then segments, play logs and changes switched on.
    used_offset = first["offset"]
    check(map_pixels(browser, 0, used_offset) == [46, 255, 51], "plain view: used green")
    browser.evaluate("document.getElementById('view-segments').click()")
    seg_colour = map_pixels(browser, 0, used_offset)
    # The window's first segment colour, for the first segment in the file.
    check(seg_colour == [31, 119, 180], f"segment view colours the segment as the window does: {seg_colour}")
    legend = browser.evaluate("document.getElementById('legend').textContent")
    check(all(n in legend for n in set(names)), f"segment legend {legend!r}")
    browser.evaluate("document.getElementById('view-segments').click(); document.getElementById('view-play').click()")
    flags = open(log, "rb").read()
    reach = flags[used_offset]
    want = [0, 0, 0] if not reach & 1 else ([23, 150, 26] if reach & 2 else [150, 255, 153])
    check(map_pixels(browser, 0, used_offset) == want, "play-log view colours by the log")
    browser.evaluate("document.getElementById('view-play').click(); document.getElementById('view-changes').click()")
    check(map_pixels(browser, 0, 100) == ([255, 0, 255] if sample[16 + 100] != js["empty_byte"] else [254, 254, 254]),
          "changes view marks a byte that became used")
    check(map_pixels(browser, 0, 5000) in ([202, 255, 204], [254, 254, 254]), "changes view fades the rest")
    browser.evaluate("document.getElementById('view-segments').click(); document.getElementById('view-play').click()")
    browser.evaluate("window.scrollTo(0, 0)")
    browser.screenshot(os.path.join(WORK, "sample-all-views.png"))
    browser.evaluate("['segments', 'play', 'changes'].forEach(v => document.getElementById('view-' + v).click())")
    check(map_pixels(browser, 0, used_offset) == [46, 255, 51], "every view off: used green again")

    # Sorting: a click on "Free" sorts ascending, a second descending.
    def click_heading(table, text):
        x, y = browser.evaluate(f"""(() => {{ const th = Array.from(document.querySelectorAll('#{table} th'))
            .find(h => h.textContent.replace(/[\\u25B2\\u25BC ]+$/, '') === '{text}');
            th.scrollIntoView({{block: 'center'}}); const r = th.getBoundingClientRect();
            return [r.left + r.width / 2, r.top + r.height / 2]; }})()""")
        browser.click(x, y)
    for table, heading, column in (("banks", "Free", 2), ("banks", "Change", 5), ("segments", "Size", 4)):
        click_heading(table, heading)
        values = [number(r[column]) for r in browser.evaluate(f"""Array.from(document.querySelectorAll('#{table} tbody tr'))
            .map(r => Array.from(r.cells).map(c => c.textContent))""")]
        check(values == sorted(values), f"{table} by {heading} ascending: {values}")
        click_heading(table, heading)
        values = [number(r[column]) for r in browser.evaluate(f"""Array.from(document.querySelectorAll('#{table} tbody tr'))
            .map(r => Array.from(r.cells).map(c => c.textContent))""")]
        check(values == sorted(values, reverse=True), f"{table} by {heading} descending: {values}")
    click_heading("banks", "Bank")
    check([r[0] for r in figures(browser)] == [f"{b['kind']} ${b['index']:02X}" for b in js["banks"]],
          "sorted by bank: file order")

    # Zoom: 3x makes the maps three times as large, the readout still right.
    browser.evaluate("document.querySelector('input[name=zoom][value=\"3\"]').click()")
    width = browser.evaluate("document.querySelector('#maps canvas').getBoundingClientRect().width")
    check(width == 64 * 3 + 2, f"zoom 3x: {width}")
    check(hover(browser, 0, used_offset).split("\n")[:3] == text.split("\n")[:3], "readout at 3x")

    # The screenshot shows the maps in the window's colours.
    browser.evaluate("document.querySelector('input[name=zoom][value=\"1\"]').click(); window.scrollTo(0, 0)")
    browser.page("Input.dispatchMouseEvent", type="mouseMoved", x=1, y=1)
    shot = os.path.join(WORK, "sample-all.png")
    browser.screenshot(shot)
    check(colour_count(shot, (46, 255, 51)) > 1000, "screenshot: used green")
    check(colour_count(shot, (252, 252, 252)) > 1000, "screenshot: free near-white")

    # Label files: the label table, and the readout adds the label under the
    # mouse as the window's tooltip does.
    sample_mlb = os.path.normpath(os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "sample", "sample.mlb"))
    page = os.path.join(WORK, "sample-labels.html")
    args = ["--labels", sample_mlb, SAMPLE]
    js = json.loads(run(["--summary", "--json"] + args).stdout)
    result = run(["--html", page] + args)
    check(result.returncode == 0 and result.stdout == b"", "--html with --labels")
    self_contained(page, "sample-labels")
    browser.open(page)
    check_figures(browser, js, "sample-labels")
    label_rows = browser.evaluate("""Array.from(document.querySelectorAll('#labels tbody tr')).map(r =>
        Array.from(r.cells).map(c => c.textContent))""")
    want = [[f"{b['kind']} ${b['index']:02X}", l["name"], f"${l['offset']:04X}-${l['offset'] + l['size'] - 1:04X}",
             f"${b['offset'] + l['offset']:06X}-${b['offset'] + l['offset'] + l['size'] - 1:06X}",
             f"{l['size']:,}", f"{l['used']:,}"] for b in js["banks"] for l in b["labels"]]
    check(label_rows == want and len(want) > 10, f"label table {label_rows} == {want}")
    bank1 = js["banks"][1]
    music = next(l for l in bank1["labels"] if l["name"] == "music_data")
    text = hover(browser, 1, music["offset"] + 0x1A2)
    check(text == expected_readout(bytes(sample), js, "PRG", 1, music["offset"] + 0x1A2) +
          f"\nLabel music_data+$1A2, {music['size']} bytes\nsong table:\nthree songs",
          f"readout over a label, with its distance, size and comment: {text!r}")
    browser.screenshot(os.path.join(WORK, "sample-labels-hover.png"))
    last = len([b for b in js["banks"] if b["kind"] == "PRG"]) - 1
    message = next(l for l in js["banks"][last]["labels"] if l["name"] == "message")
    text = hover(browser, last, message["offset"])
    check(text.endswith("\nLabel message, 17 bytes\nthe one line of text"), f"readout at a label's first byte: {text!r}")
    text = hover(browser, last, message["offset"] + 17)
    check(text == expected_readout(bytes(sample), js, "PRG", last, message["offset"] + 17),
          f"readout past a sized label's end names no label: {text!r}")
    click_heading("labels", "Used")
    used = [number(r[5]) for r in browser.evaluate("""Array.from(document.querySelectorAll('#labels tbody tr'))
        .map(r => Array.from(r.cells).map(c => c.textContent))""")]
    check(used == sorted(used) and len(used) == len(want), f"labels by Used ascending: {used}")
    plain = open(os.path.join(WORK, "sample-all.html"), encoding="utf-8").read()
    check('id="labels"' not in plain, "without --labels the page has no label table")

    # Banks as the cartridge switches them: the page cuts the maps, the
    # table, the readout and the labels in the sizes asked for.
    page = os.path.join(WORK, "sample-8k.html")
    args = ["--prg-bank-size", "8K", "--chr-bank-size", "1K", "--labels", sample_mlb, SAMPLE]
    js = json.loads(run(["--summary", "--json"] + args).stdout)
    check(js["prg_bank_size"] == 8192 and js["chr_bank_size"] == 1024, "JSON in 8 KB and 1 KB banks")
    result = run(["--html", page] + args)
    check(result.returncode == 0 and result.stdout == b"", "--html in chosen bank sizes")
    self_contained(page, "sample-8k")
    browser.open(page)
    check_figures(browser, js, "sample-8k")
    check(browser.evaluate("document.querySelectorAll('canvas[data-bank]').length") == len(js["banks"]),
          "a map per bank of the chosen sizes")
    heights = browser.evaluate("Array.from(document.querySelectorAll('canvas[data-bank]')).map(c => c.height)")
    check(heights == [b["size"] // 64 for b in js["banks"]], f"each map as tall as its bank: {heights}")
    label_rows = browser.evaluate("""Array.from(document.querySelectorAll('#labels tbody tr')).map(r =>
        Array.from(r.cells).map(c => c.textContent))""")
    check([r[:2] for r in label_rows] == [[f"{b['kind']} ${b['index']:02X}", l["name"]]
                                          for b in js["banks"] for l in b["labels"]], "labels in 8 KB banks")
    r, bank = next((r, b) for r, b in enumerate(js["banks"]) if b["kind"] == "PRG" and b["index"] == 3)
    labelled = next((l for l in bank["labels"] if l["size"] > 2), None)
    check(labelled is not None, "PRG $03 of 8 KB holds a label")
    if labelled is not None:
        text = hover(browser, r, labelled["offset"] + 1)
        want = expected_readout(bytes(sample), js, "PRG", 3, labelled["offset"] + 1)
        check(text.startswith(want + f"\nLabel {labelled['name']}+$1, {labelled['size']} bytes"),
              f"readout in an 8 KB bank: {text!r}")
finally:
    browser.close()

# --dump-dom: the page as it stands after its script ran, from the disk.
dom = subprocess.run(["chromium", "--headless=new", "--no-sandbox", "--disable-gpu", "--dump-dom",
                      "file://" + os.path.abspath(page)], capture_output=True, text=True, timeout=120).stdout
check('data-drawn="true"' in dom and "PRG $00" in dom, "--dump-dom: the script ran")

finish()
