#!/usr/bin/python3
"""The web page in headless Chromium, each page served on 127.0.0.1 with a strict
Content-Security-Policy (so an eval or a request to another origin is refused and reported).

    web_test.py SITE RENDERER CASE

SITE is the built site (build/web/site), RENDERER the native orvessan-render that the page's
pixels must equal. CASE is one of the functions named in CASES. Exit status 0 when the case
holds, 1 with the reasons otherwise, 77 (skipped) where this machine's Chromium can't run.
"""

import hashlib
import json
import os
import subprocess
import sys
import tempfile
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "..", "tools", "web"))
import devtools  # noqa: E402

POLICY = ("default-src 'self'; script-src 'self' 'wasm-unsafe-eval'; "
          "style-src 'self' 'unsafe-inline'; img-src 'self' data:")
SAVER = "document.querySelector('orvessan-saver')"


class Failed(Exception):
    pass


def check(condition, problem):
    if not condition:
        raise Failed(problem)


def canvas_js(element=SAVER):
    return f"{element}.shadowRoot.querySelector('canvas')"


def canvas_rgb_digest(browser, element=SAVER):
    """SHA-256 of the canvas's pixels as R, G, B bytes, and its size."""
    return browser.evaluate(f"""(async () => {{
        const canvas = {canvas_js(element)};
        const rgba = canvas.getContext('2d').getImageData(0, 0, canvas.width, canvas.height).data;
        const rgb = new Uint8Array(rgba.length / 4 * 3);
        for (let i = 0, j = 0; i < rgba.length; i += 4, j += 3) {{
          rgb[j] = rgba[i]; rgb[j + 1] = rgba[i + 1]; rgb[j + 2] = rgba[i + 2];
        }}
        const digest = new Uint8Array(await crypto.subtle.digest('SHA-256', rgb));
        return [Array.from(digest, (b) => b.toString(16).padStart(2, '0')).join(''),
                canvas.width, canvas.height];
    }})()""")


def lit_pixels(browser, element=SAVER):
    return browser.evaluate(f"""(() => {{
        const canvas = {canvas_js(element)};
        const rgba = canvas.getContext('2d').getImageData(0, 0, canvas.width, canvas.height).data;
        let lit = 0;
        for (let i = 0; i < rgba.length; i += 4) lit += rgba[i] | rgba[i + 1] | rgba[i + 2] ? 1 : 0;
        return lit;
    }})()""")


class Renderer:
    def __init__(self, path):
        self.path = path

    def rgb(self, width, height, trace=False, **options):
        """The renderer's last frame for the options as R, G, B bytes, and its shapes."""
        args = [self.path, "--size", f"{width}x{height}", "--format", "32"]
        for name, value in options.items():
            args += ["--" + name.replace("_", "-"), str(value)]
        with tempfile.TemporaryDirectory() as work:
            raw_path = os.path.join(work, "frame.raw")
            trace_path = os.path.join(work, "shapes.trace")
            subprocess.run(args + ["--raw", raw_path, "--trace", trace_path], check=True)
            with open(raw_path, "rb") as f:
                raw = f.read()
            with open(trace_path) as f:
                shapes = [json.loads(line) for line in f]
        rgb = bytearray(width * height * 3)
        rgb[0::3], rgb[1::3], rgb[2::3] = raw[2::4], raw[1::4], raw[0::4]
        return bytes(rgb), shapes


def png_rgb(png):
    """The pixels of an 8-bit RGB or RGBA PNG without interlacing, as R, G, B bytes."""
    at, data, header = 8, b"", None
    while at < len(png):
        length = int.from_bytes(png[at:at + 4], "big")
        kind, body = png[at + 4:at + 8], png[at + 8:at + 8 + length]
        at += 12 + length
        if kind == b"IHDR":
            header = (int.from_bytes(body[0:4], "big"), int.from_bytes(body[4:8], "big"), body[9])
        elif kind == b"IDAT":
            data += body
    width, height, colour = header
    step = {2: 3, 6: 4}[colour]
    raw, stride = zlib.decompress(data), width * step
    rows, previous = [], bytearray(stride)
    for y in range(height):
        start = y * (stride + 1)
        kind, line = raw[start], bytearray(raw[start + 1:start + 1 + stride])
        for x in range(stride):
            a = line[x - step] if x >= step else 0
            b = previous[x]
            c = previous[x - step] if x >= step else 0
            if kind == 1:
                line[x] = (line[x] + a) & 255
            elif kind == 2:
                line[x] = (line[x] + b) & 255
            elif kind == 3:
                line[x] = (line[x] + (a + b) // 2) & 255
            elif kind == 4:
                p = a + b - c
                pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
                line[x] = (line[x] + (a if pa <= pb and pa <= pc else b if pb <= pc else c)) & 255
        rows.append(bytes(line) if step == 3 else bytes(v for i, v in enumerate(line) if i % 4 < 3))
        previous = line
    return width, height, b"".join(rows)


def clean(browser):
    """No console message, exception, failed load or request to another origin so far."""
    check(not browser.exceptions, f"exceptions: {browser.exceptions}")
    check(not browser.console, f"console messages: {browser.console}")
    # (The tests' own reading of the canvas draws a hint about readbacks.)
    errors = [text for level, text in browser.log
              if level in ("error", "warning") and "readback" not in text]
    check(not errors, f"browser log: {errors}")


# The pixel cases: a scripted run at each size, each ending with a shape on screen (the check
# below holds the table to that), equal to the renderer's frame for the same options.
PIXEL_RUNS = {
    # a yin-yang, a picture, turning at rest
    "pixels_640x480": (640, 480, {"seed": 8, "frames": 1200}),
    # a sphere with four rings, at an odd size, its clock across the 32-bit wrap
    "pixels_333x217": (333, 217, {"seed": 18, "frames": 1000, "tick_start": 4294960000}),
    # a coil of 825 particles at rest, full HD, 33 ms frames
    "pixels_1920x1080": (1920, 1080, {"seed": 6, "frames": 700, "tick_step": 33}),
}


def pixels(browser, server, renderer, case):
    width, height, options = PIXEL_RUNS[case]
    expected, shapes = renderer.rgb(width, height, **options)
    step = options.get("tick_step", 16)
    check(shapes and (options["frames"] - shapes[-1]["frame"]) * step < shapes[-1]["lifetime"],
          f"no shape on screen at the end of the run: {[(s['frame'], s['kind']) for s in shapes]}")
    query = "&".join(f"{k.replace('_', '-')}={v}" for k, v in options.items())
    browser.resize(width, height)
    browser.open(f"{server.origin}/index.html?{query}&size={width}x{height}")
    browser.wait_for(f"{SAVER}.finished", timeout=300)
    digest, canvas_width, canvas_height = canvas_rgb_digest(browser)
    check((canvas_width, canvas_height) == (width, height),
          f"canvas {canvas_width}x{canvas_height}, not {width}x{height}")
    check(digest == hashlib.sha256(expected).hexdigest(),
          "the canvas's pixels differ from orvessan-render --raw --format 32 for " + query)
    check(browser.evaluate(f"{SAVER}.frames") == options["frames"], "frames run")
    if width * height < 100000:
        # What the page shows: the canvas pixel for pixel at the page's top-left corner.
        shot_width, shot_height, shot = png_rgb(browser.screenshot())
        check((shot_width, shot_height) == (width, height),
              f"screenshot {shot_width}x{shot_height}")
        check(shot == expected, "the screenshot differs from the renderer's frame")
    clean(browser)


def elements(browser, server, renderer, case):
    browser.open(f"{server.origin}/pages/elements.html")

    # Two scripted elements with different seeds run side by side: each draws its own run.
    browser.evaluate("""(() => {
        for (const seed of [1, 2]) {
          const saver = document.createElement('orvessan-saver');
          saver.id = 'scripted' + seed;
          for (const [name, value] of [['seed', seed], ['frames', 300], ['size', '160x120']])
            saver.setAttribute(name, value);
          document.body.append(saver);
        }
    })()""")
    browser.wait_for("[1, 2].every((seed) => document.getElementById('scripted' + seed).finished)")
    digests = []
    for seed in (1, 2):
        expected, _ = renderer.rgb(160, 120, seed=seed, frames=300)
        digest = canvas_rgb_digest(browser, f"document.getElementById('scripted{seed}')")[0]
        check(digest == hashlib.sha256(expected).hexdigest(),
              f"the element with seed {seed} differs from the renderer's run")
        digests.append(digest)
    check(digests[0] != digests[1], "both elements drew the same frame")

    # Live elements: the canvas has the box's device pixels (at a pixel ratio of 2 here).
    browser.evaluate("""(() => {
        for (const id of ['a', 'b']) {
          const saver = document.createElement('orvessan-saver');
          saver.id = id;
          saver.style.width = '150px';
          saver.style.height = '100px';
          document.body.append(saver);
        }
    })()""")
    a, b = "document.getElementById('a')", "document.getElementById('b')"
    browser.wait_for(f"{a}.frames > 10 && {b}.frames > 10")
    check(browser.evaluate(f"[{canvas_js(a)}.width, {canvas_js(a)}.height]") == [300, 200],
          "the canvas of a 150x100 box at pixel ratio 2 is not 300x200")
    check(lit_pixels(browser, a) > 0 and lit_pixels(browser, b) > 0, "a live element drew nothing")

    # One removed stops its frames; the other goes on.
    frames_a = browser.evaluate(f"(() => {{ window.removed = {a}; {a}.remove(); "
                                "return window.removed.frames; })()")
    frames_b = browser.evaluate(f"{b}.frames")
    browser.wait_for(f"{b}.frames > {frames_b + 20}", timeout=20)  # the other goes on
    check(browser.evaluate("window.removed.frames") == frames_a,
          "a removed element still runs frames")

    # A resized box: a canvas of the new size that keeps drawing.
    browser.evaluate(f"{b}.style.width = '201px'")
    browser.wait_for(f"{canvas_js(b)}.width === 402", timeout=10)
    check(browser.evaluate(f"{canvas_js(b)}.height") == 200, "the resized canvas's height")
    frames_b = browser.evaluate(f"{b}.frames")
    browser.wait_for(f"{b}.frames > {frames_b + 30}", timeout=10)
    check(lit_pixels(browser, b) > 0, "the resized element draws nothing")
    clean(browser)


# Input in full screen, dispatched in the page at the pointer's place when full screen began:
# (what, events, whether it leaves full screen). A move is (across, down) from that place.
DISMISSALS = [
    ("a key press", [("key", "keydown")], True),
    ("a key release", [("key", "keyup")], False),
    ("the left button", [("button", "mousedown", 0)], True),
    ("the middle button", [("button", "mousedown", 1)], True),
    ("the right button", [("button", "mousedown", 2)], True),
    ("a button release", [("button", "mouseup", 0)], False),
    ("the wheel", [("wheel",)], False),
    ("a move where the pointer was", [("move", 0, 0)], False),
    ("travel of 4 px: 3 across and 1 down", [("move", 3, 1)], False),
    ("travel of 4 px: up and left", [("move", -2, -2)], False),
    ("then 1 px further: travel of 5 px from the start", [("move", 3, 1), ("move", 4, 1)], True),
    ("travel of 5 px: 3 across and 2 down", [("move", 3, 2)], True),
]

DISPATCH = {
    "key": lambda kind: f"new KeyboardEvent('{kind}', {{key: 'a', bubbles: true}})",
    "button": lambda kind, button: f"new MouseEvent('{kind}', {{button: {button}, bubbles: true}})",
    "wheel": lambda: "new WheelEvent('wheel', {deltaY: 100, bubbles: true})",
    "move": lambda dx, dy: (f"new MouseEvent('mousemove', {{screenX: window.start[0] + {dx}, "
                            f"screenY: window.start[1] + {dy}, bubbles: true}})"),
}


def dismissal(browser, server, renderer, case):
    browser.resize(800, 600)
    browser.open(f"{server.origin}/index.html")
    browser.evaluate("addEventListener('click', (e) => { window.start = [e.screenX, e.screenY]; })")
    full = "document.fullscreenElement !== null"
    problems = []
    for what, events, leaves in DISMISSALS:
        browser.click(200, 150)  # a real click, which the browser lets ask for full screen
        browser.wait_for(full, timeout=10)
        for kind, *args in events:
            browser.evaluate(f"document.body.dispatchEvent({DISPATCH[kind](*args)}), true")
        if leaves:
            try:
                browser.wait_for(f"!({full})", timeout=5)
            except TimeoutError:
                problems.append(f"{what}: still full screen")
        else:
            browser.pump(0.3)
            if not browser.evaluate(full):
                problems.append(f"{what}: left full screen")
            browser.evaluate("document.exitFullscreen(), true")
            browser.wait_for(f"!({full})", timeout=5)
    # A real click in full screen leaves it, and its release doesn't bring it back.
    browser.click(200, 150)
    browser.wait_for(full, timeout=10)
    browser.click(200, 150)
    browser.pump(0.5)
    if browser.evaluate(full):
        problems.append("a real click in full screen: still (or again) full screen")
    check(not problems, "; ".join(problems))
    clean(browser)


def hidden(browser, server, renderer, case):
    browser.resize(400, 300)
    browser.open(f"{server.origin}/index.html")
    browser.wait_for(f"{SAVER}.frames > 30")
    set_state = """(state) => {
        Object.defineProperty(document, 'visibilityState', {configurable: true, get: () => state});
        Object.defineProperty(document, 'hidden',
                              {configurable: true, get: () => state === 'hidden'});
        document.dispatchEvent(new Event('visibilitychange'));
    }"""
    browser.evaluate(f"({set_state})('hidden')")
    frames = browser.evaluate(f"{SAVER}.frames")
    browser.wait_for(f"{SAVER}.frames > {frames + 2}")
    before = canvas_rgb_digest(browser)[0]
    browser.pump(0.5)
    check(canvas_rgb_digest(browser)[0] == before, "the canvas changed while the page was hidden")
    browser.evaluate(f"({set_state})('visible')")
    frames = browser.evaluate(f"{SAVER}.frames")
    browser.wait_for(f"{SAVER}.frames > {frames + 5}")
    check(canvas_rgb_digest(browser)[0] != before, "nothing drawn after the page showed again")
    clean(browser)


# Bad values: (query, the parameter named in the one message, frames run, canvas size).
BAD_VALUES = [
    ("frames=-1&size=64x48", "frames", 600, [64, 48]),
    ("frames=1e3&size=64x48", "frames", 600, [64, 48]),
    ("frames=2147483648&size=64x48", "frames", 600, [64, 48]),
    ("size=0x0&frames=5", "size", 5, [640, 480]),
    ("size=40000x40000&frames=5", "size", 5, [640, 480]),
    ("size=8192x4097&frames=5", "size", 5, [640, 480]),
    ("size=64&frames=5", "size", 5, [640, 480]),
    ("seed=-3&frames=5&size=64x48", "seed", 5, [64, 48]),
    ("seed=%0Abad&frames=5&size=64x48", "seed", 5, [64, 48]),
    ("tick-step=1.5&frames=5&size=64x48", "tick-step", 5, [64, 48]),
    ("tick-start=4294967296&frames=5&size=64x48", "tick-start", 5, [64, 48]),
]


def bad_values(browser, server, renderer, case):
    browser.resize(700, 500)
    problems = []
    for query, name, frames, size in BAD_VALUES:
        browser.console.clear()
        browser.open(f"{server.origin}/index.html?{query}")
        browser.wait_for(f"{SAVER}.finished", timeout=120)
        got = (browser.evaluate(f"{SAVER}.frames"),
               browser.evaluate(f"[{canvas_js()}.width, {canvas_js()}.height]"))
        messages = [text for _, text in browser.console]
        if got != (frames, size):
            problems.append(f"{query}: {got[0]} frames at {got[1]}, expected {frames} at {size}")
        if len(messages) != 1 or not messages[0].startswith(f"orvessan-saver: {name}: ") or \
                "\n" in messages[0]:
            problems.append(f"{query}: console messages {messages}")
    # The default seed of a scripted run is the renderer's, 1.
    expected, _ = renderer.rgb(64, 48, seed=1, frames=5)
    check(canvas_rgb_digest(browser)[0] == hashlib.sha256(expected).hexdigest(),
          "a refused seed did not give the default seed's frame")
    check(not problems, "; ".join(problems))
    check(not browser.exceptions, f"exceptions: {browser.exceptions}")


def clean_load(browser, server, renderer, case):
    browser.resize(800, 600)
    browser.open(f"{server.origin}/index.html")
    browser.wait_for(f"{SAVER}.frames > 60")
    check(lit_pixels(browser) > 0, "the page drew nothing")
    foreign = [url for url in browser.requests if not url.startswith(server.origin + "/")]
    check(not foreign, f"requests to another origin: {foreign}")
    clean(browser)


# Each case with the device pixel ratio of its browser.
CASES = {**{name: (pixels, 1) for name in PIXEL_RUNS}, "elements": (elements, 2),
         "dismissal": (dismissal, 1), "hidden": (hidden, 1), "bad_values": (bad_values, 1),
         "clean_load": (clean_load, 1)}


def main(argv):
    if len(argv) != 3 or argv[2] not in CASES:
        print(f"usage: web_test.py SITE RENDERER {'|'.join(CASES)}", file=sys.stderr)
        return 2
    site, renderer, case = argv
    server = devtools.Server([site, HERE], {"Content-Security-Policy": POLICY})
    try:
        run, scale = CASES[case]
        with devtools.Browser(scale=scale) as browser:
            run(browser, server, Renderer(renderer), case)
    except devtools.Unavailable as why:
        print(f"skipped: {why}")
        return 77
    except Failed as why:
        print(f"FAIL {case}: {why}")
        return 1
    finally:
        server.close()
    print(f"ok {case}")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
