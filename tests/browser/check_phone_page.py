"""Loads pages in headless Chromium and Firefox at a phone's width (390 x 844),
a desktop's (1280 x 800) and a small phone's (360 x 740) and measures what a member meets: does the page
scroll sideways, is any text smaller than 14 px as it shows (the CSS size,
times the scale of an SVG it sits in, times the zoom the browser opened the
page at), is any tap target lower than 44 px. Each measurement is taken with
the details closed and again with every one open. In Chromium the page is
also laid out for print: every detail shown, no controls.

    check_phone_page.py PAGE.html... [--legacy LEGACY.html]

Every PAGE must pass at every width in both browsers. The legacy page must
fail at phone width: it shows that the measurement sees what it should.
One browser start per browser."""

import argparse
import json
import pathlib
import sys

sys.path.insert(0, str(pathlib.Path(__file__).parent))
import devtools  # noqa: E402

SIZES = [("phone", 390, 844, True), ("desktop", 1280, 800, False), ("small phone", 360, 740, True)]
MIN_TEXT = 14
MIN_TAP = 44

MEASURE = r"""(() => {
  const de = document.documentElement;
  const zoom = window.visualViewport ? visualViewport.scale : 1;
  const out = {zoom, viewport: window.visualViewport ? visualViewport.width : innerWidth,
               scrollWidth: de.scrollWidth, clientWidth: de.clientWidth, smallest: 1e9, smallestText: '',
               lowTargets: [], wide: []};
  const walker = document.createTreeWalker(document.body, NodeFilter.SHOW_TEXT);
  const range = document.createRange();
  while (walker.nextNode()) {
    const node = walker.currentNode;
    if (!node.textContent.trim()) continue;
    range.selectNodeContents(node);
    if (range.getClientRects().length === 0) continue;  // not shown (closed details, hidden form)
    const el = node.parentElement;
    if (el.closest('script,style')) continue;
    let size = parseFloat(getComputedStyle(el).fontSize) * zoom;
    const svg = el.closest('svg');
    if (svg) { const m = svg.getScreenCTM(); size *= Math.hypot(m.a, m.b); }
    if (size < out.smallest) { out.smallest = size; out.smallestText = el.tagName + ' "' + node.textContent.trim().slice(0, 40) + '"'; }
  }
  for (const el of document.querySelectorAll('a[href], button, input, select, textarea, summary')) {
    if (el.getClientRects().length === 0) continue;
    const box = el.getBoundingClientRect();
    if (box.height < %(tap)s - 0.5) out.lowTargets.push(el.tagName + ' ' + box.height.toFixed(1) + 'px "' + el.textContent.trim().slice(0, 30) + '"');
  }
  for (const el of document.body.querySelectorAll('*')) {
    const box = el.getBoundingClientRect();
    if (box.right > de.clientWidth + 0.5 && !el.closest('.box')) out.wide.push(el.tagName + '.' + el.className + ' ends at ' + box.right.toFixed(0));
    if (out.wide.length > 5) break;
  }
  return JSON.stringify(out);
})()""".replace("%(tap)s", str(MIN_TAP))

OPEN_ALL = "document.querySelectorAll('details').forEach(d => d.open = true); true"

# Finding oneself with the keyboard: part of the third member's name typed
# into the box and Enter pressed must land on that member's row, focused and
# marked, with the member's line in the chart and the legend.
FOUND = r"""JSON.stringify({
  wanted: document.querySelectorAll('.ms>li')[2].querySelector('.nm').textContent,
  focused: document.activeElement.classList.contains('hit') ? document.activeElement.querySelector('.nm').textContent : null,
  line: document.querySelectorAll('#rc .me').length, legend: document.querySelectorAll('#lg .you').length})"""

# On paper: every detail open (with no script to open it), no search box, no navigation.
PRINTED = r"""JSON.stringify({
  details: document.querySelectorAll('details').length,
  shown: [...document.querySelectorAll('details')].filter(d =>
    [...d.querySelectorAll(':scope > :not(summary)')].every(e => e.getClientRects().length > 0)).length,
  controls: [...document.querySelectorAll('nav, #find, summary')].filter(e => e.getClientRects().length > 0).length})"""


def faults(m, phone):
    found = []
    if m["scrollWidth"] > m["clientWidth"]:
        found.append(f"scrolls sideways: {m['scrollWidth']}px of content in {m['clientWidth']}px ({'; '.join(m['wide'])})")
    if m["smallest"] < MIN_TEXT:
        found.append(f"text of {m['smallest']:.1f}px: {m['smallestText']}")
    if phone and m["lowTargets"]:
        found.append(f"{len(m['lowTargets'])} tap targets under {MIN_TAP}px, e.g. {m['lowTargets'][:3]}")
    return found


def measure(browser, url, size):
    name, width, height, phone = size
    browser.open(url, width, height, phone)
    closed = json.loads(browser.evaluate(MEASURE))
    browser.evaluate(OPEN_ALL)
    opened = json.loads(browser.evaluate(MEASURE))
    return closed, opened


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("pages", nargs="+")
    parser.add_argument("--legacy")
    args = parser.parse_args()
    failed = False
    for make in (devtools.Chromium, devtools.Firefox):
        try:
            browser = make()
        except devtools.BrowserMissing as e:
            print(f"FAIL: {e}")
            return 1
        with browser:
            for page in args.pages:
                url = pathlib.Path(page).resolve().as_uri()
                for size in SIZES:
                    closed, opened = measure(browser, url, size)
                    problems = faults(closed, size[3]) + [f"(details open) {p}" for p in faults(opened, size[3])]
                    verdict = "FAIL" if problems else "ok"
                    print(f"{verdict}: {browser.name} {size[0]} {size[1]}x{size[2]} {pathlib.Path(page).name}: "
                          f"content {closed['scrollWidth']}/{closed['clientWidth']}px "
                          f"(open {opened['scrollWidth']}px), smallest text {min(closed['smallest'], opened['smallest']):.1f}px, "
                          f"zoom {closed['zoom']:.2f}")
                    for p in problems:
                        print("    " + p)
                    failed |= bool(problems)
                if browser.name == "chromium" and json.loads(browser.evaluate(
                        "JSON.stringify(document.querySelectorAll('.ms>li').length >= 3 && !!document.getElementById('rc'))")):
                    browser.open(url, *SIZES[0][1:])
                    name = browser.evaluate("document.querySelectorAll('.ms>li')[2].querySelector('.nm').textContent")
                    browser.evaluate("document.getElementById('q').select()")  # a name found before is kept
                    browser.type_text(name[-2:])
                    found = json.loads(browser.evaluate(FOUND))
                    good = found["focused"] == found["wanted"] and found["line"] == 1 and found["legend"] == 1
                    print(f"{'ok' if good else 'FAIL'}: {browser.name} find {pathlib.Path(page).name}: typed "
                          f"{name[-2:]!r}, found {found['focused']!r}, chart line {found['line']}")
                    failed |= not good
                if browser.name == "chromium":
                    browser.open(url, *SIZES[1][1:])
                    browser.print_media(True)
                    printed = json.loads(browser.evaluate(PRINTED))
                    browser.print_media(False)
                    good = 0 < printed["details"] == printed["shown"] and printed["controls"] == 0
                    print(f"{'ok' if good else 'FAIL'}: {browser.name} print {pathlib.Path(page).name}: "
                          f"{printed['shown']} of {printed['details']} details shown, {printed['controls']} controls left")
                    failed |= not good
            if args.legacy:
                url = pathlib.Path(args.legacy).resolve().as_uri()
                closed, _ = measure(browser, url, SIZES[0])
                problems = faults(closed, True)
                print(f"{'ok' if problems else 'FAIL'}: {browser.name} phone legacy page is caught: "
                      f"laid out {closed['clientWidth']}px wide at zoom {closed['zoom']:.2f}, "
                      f"smallest text {closed['smallest']:.1f}px")
                failed |= not problems
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
