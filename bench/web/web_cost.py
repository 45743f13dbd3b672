"""The web page's cost on this machine (bench/web-cost runs it):
1. the drawing module's frame in headless Chromium against the same C++ natively, the frames
   that bench/frame-instructions counts at 1920x1080 (stars only: --seed 2, frames 100 to 200;
   a coil turning at rest: --seed 6, frames 1000 to 1400), as CPU time of the thread, the
   least of ROUNDS rounds (the machine may be shared), after WARM_UP rounds that are not
   counted, so that V8 runs the module's optimised code (it starts with a quick baseline
   compile); in the browser less the thread time of an empty evaluation, which the DevTools
   round trip around every round costs the page's thread (about 0.1 to 0.2 ms);
2. the page's main-thread time per frame (drawing, canvas copy and upload, and whatever else
   the page's thread does) and its frame rate at 1920x1080, live, --seed 2: stars only in its
   first seconds, then with its first shape at rest;
3. the site's size.

    web_cost.py SITE NATIVE_FRAME_TIME [SECONDS]
"""

import gzip
import os
import subprocess
import sys
import time

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "..", "tools", "web"))
import devtools  # noqa: E402

FRAMES = [("stars only", 2, 100, 200), ("coil turning at rest", 6, 1000, 1400)]
ROUNDS = 25
WARM_UP = 5


def thread_seconds(browser):
    metrics = browser.call("Performance.getMetrics")["metrics"]
    return next(m["value"] for m in metrics if m["name"] == "ThreadTime")


def frame_times(browser, server, native):
    """CPU time per frame, the least of ROUNDS rounds, natively and in the page's thread."""
    browser.call("Performance.enable")
    browser.open(f"{server.origin}/frame_time.html")
    browser.wait_for("window.ready === true")
    empty = []
    for _ in range(ROUNDS):
        start = thread_seconds(browser)
        browser.evaluate("0")
        empty.append(thread_seconds(browser) - start)
    round_trip = min(empty)
    print("1920x1080 frame, CPU time     native   WebAssembly (Chromium)   ratio")
    for name, seed, first, last in FRAMES:
        args = [str(v) for v in (seed, first, last, 1920, 1080)]
        here = float(subprocess.run([native, *args, str(ROUNDS)], check=True,
                                    capture_output=True, text=True).stdout)
        times = []
        for _ in range(WARM_UP + ROUNDS):
            frames = browser.evaluate(f"prepare({', '.join(args)})", timeout=600)
            start = thread_seconds(browser)
            browser.evaluate("run()", timeout=600)
            times.append((thread_seconds(browser) - start - round_trip) * 1e6 / frames)
        there = min(times[WARM_UP:])
        print(f"{name:<27} {here:7.1f} µs   {there:7.1f} µs               {there / here:.2f}")
    print(f"(the DevTools round trip, {round_trip * 1e6:.0f} µs a round, taken off)")


def metrics(browser):
    values = {m["name"]: m["value"] for m in browser.call("Performance.getMetrics")["metrics"]}
    frames = browser.evaluate("document.querySelector('orvessan-saver').frames")
    return time.monotonic(), values["TaskDuration"], values["ScriptDuration"], frames


def page_cost(browser, server, windows):
    browser.open(f"{server.origin}/index.html?seed=2")
    start = time.monotonic()
    print("\n1920x1080 page, live        main thread a frame   of it script   frames a second")
    for name, begin, end in windows:
        browser.pump(begin - (time.monotonic() - start))
        t0, task0, script0, frames0 = metrics(browser)
        browser.pump(end - begin)
        t1, task1, script1, frames1 = metrics(browser)
        frames = max(frames1 - frames0, 1)
        task, script = (task1 - task0) * 1000 / frames, (script1 - script0) * 1000 / frames
        print(f"{name:<27} {task:8.2f} ms   {script:10.2f} ms   {frames / (t1 - t0):10.1f}")


def site_size(site):
    print("\nsite                    bytes     gzip -9")
    total = zipped = 0
    for name in ("orvessan.wasm", "orvessan-saver.js", "page.js", "index.html"):
        with open(os.path.join(site, name), "rb") as f:
            data = f.read()
        packed = len(gzip.compress(data, 9, mtime=0))
        if name != "index.html":
            total += len(data)
            zipped += packed
        print(f"{name:<20} {len(data):8d}   {packed:8d}")
    print(f"{'.wasm + .js':<20} {total:8d}   {zipped:8d}   ({total / 1024:.1f} KiB)")


def main(argv):
    if len(argv) not in (2, 3):
        print(__doc__, file=sys.stderr)
        return 2
    site, native = argv[:2]
    seconds = float(argv[2]) if len(argv) == 3 else 10
    server = devtools.Server([site, HERE])
    try:
        with devtools.Browser(1920, 1080) as browser:
            frame_times(browser, server, native)
            page_cost(browser, server, [("stars only (0.5 s to 4.5 s)", 0.5, 4.5),
                                        ("a shape at rest", 14, 14 + seconds)])
    finally:
        server.close()
    site_size(site)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
