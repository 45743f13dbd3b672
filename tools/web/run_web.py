"""Serves the built site on 127.0.0.1 and shows it: in a browser on this display, or in
headless Chromium, writing a screenshot of it (what tools/run-web runs).

    run_web.py SITE [--shot FILE] [NAME=VALUE...]

NAME=VALUE pairs become the page's parameters (seed=3 frames=900 ...). With --shot the page
runs for $ORV_SHOT_DELAY seconds (default 8) in a 1280x720 window before the screenshot.
"""

import os
import subprocess
import sys
import tempfile
import time
import urllib.parse
import webbrowser

import devtools


def main(argv):
    if not argv or argv[0].startswith("-"):
        print(__doc__, file=sys.stderr)
        return 2
    site, shot, parameters = argv[0], None, []
    rest = argv[1:]
    while rest:
        word = rest.pop(0)
        if word == "--shot" and rest:
            shot = rest.pop(0)
        elif "=" in word:
            parameters.append(tuple(word.split("=", 1)))
        else:
            print(f"run_web.py: expected NAME=VALUE, got {word!r}", file=sys.stderr)
            return 2
    server = devtools.Server([site])
    url = f"{server.origin}/index.html"
    if parameters:
        url += "?" + urllib.parse.urlencode(parameters)
    try:
        if shot:
            delay = float(os.environ.get("ORV_SHOT_DELAY", "8"))
            with devtools.Browser(1280, 720) as browser:
                browser.open(url)
                browser.pump(delay)
                with open(shot, "wb") as f:
                    f.write(browser.screenshot())
                for problem in browser.exceptions + [t for _, t in browser.console]:
                    print(f"page: {problem}")
            print(f"wrote {shot} (headless Chromium, {url}, {delay:g} s after the start)")
            return 0
        print(f"serving {url} (Ctrl-C ends it)")
        show(url)
        while True:
            time.sleep(3600)
    except KeyboardInterrupt:
        return 0
    finally:
        server.close()


def show(url):
    """Opens the page in a browser of this display. Chromium as root needs its sandbox off,
    and a profile of its own then."""
    chromium = devtools.chromium_path()
    if os.geteuid() == 0 and chromium:
        profile = tempfile.mkdtemp(prefix="orv-chromium-")
        subprocess.Popen([chromium, "--no-sandbox", f"--user-data-dir={profile}", url],
                         stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    elif not webbrowser.open(url):
        print(f"no browser found: open {url}")


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
