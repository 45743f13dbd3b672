"""Headless Chromium driven through its DevTools protocol, and a static file server on
loopback: what the web page's tests, tools/run-web and its benchmark share.

Needs Debian's chromium and python3-websocket (run with /usr/bin/python3). Nothing here
reaches past 127.0.0.1: the browser is started with its own background traffic switched off.
"""

import base64
import http.server
import json
import os
import shutil
import subprocess
import tempfile
import threading
import time

try:
    import websocket
except ImportError:  # reported by Browser.unavailable()
    websocket = None

CHROMIUM_FLAGS = [
    "--headless=new", "--no-sandbox", "--disable-gpu", "--force-color-profile=srgb",
    "--hide-scrollbars", "--no-first-run", "--no-default-browser-check", "--mute-audio",
    "--disable-background-networking", "--disable-component-update", "--disable-sync",
    "--disable-default-apps", "--disable-domain-reliability", "--no-pings",
    "--disable-client-side-phishing-detection", "--metrics-recording-only",
    "--disable-breakpad", "--disable-features=Translate,OptimizationHints,MediaRouter",
    # Frames of a page in a window without a display still run at the display's pace.
    "--disable-background-timer-throttling", "--disable-renderer-backgrounding",
]


class Unavailable(Exception):
    """The browser can't run on this machine (the tests are then skipped, not failed)."""


class Server:
    """Serves folders on 127.0.0.1 at a free port: a path is looked up in each folder in turn.
    `headers` go with every answer (the tests send a strict Content-Security-Policy)."""

    def __init__(self, folders, headers=None):
        folders = [os.path.abspath(f) for f in folders]
        extra = dict(headers or {})

        class Handler(http.server.SimpleHTTPRequestHandler):
            extensions_map = {**http.server.SimpleHTTPRequestHandler.extensions_map,
                              ".wasm": "application/wasm", ".js": "text/javascript"}

            def translate_path(self, path):
                for folder in folders:
                    self.directory = folder
                    found = super().translate_path(path)
                    if os.path.exists(found):
                        return found
                return found

            def end_headers(self):
                for name, value in extra.items():
                    self.send_header(name, value)
                self.send_header("Cache-Control", "no-store")
                super().end_headers()

            def log_message(self, *args):
                pass

        self.httpd = http.server.ThreadingHTTPServer(("127.0.0.1", 0), Handler)
        self.origin = f"http://127.0.0.1:{self.httpd.server_address[1]}"
        self.thread = threading.Thread(target=self.httpd.serve_forever, daemon=True)
        self.thread.start()

    def close(self):
        self.httpd.shutdown()
        self.httpd.server_close()


def chromium_path():
    return shutil.which("chromium") or shutil.which("chromium-browser")


class Browser:
    """One headless Chromium with a page (tab) attached. Console messages, exceptions, log
    entries and the URLs of requests are collected as they come."""

    def __init__(self, width=800, height=600, scale=1):
        if websocket is None:
            raise Unavailable("python3-websocket is missing (tools/install-deps web)")
        binary = chromium_path()
        if binary is None:
            raise Unavailable("chromium is missing (tools/install-deps web)")
        self.profile = tempfile.mkdtemp(prefix="orv-chromium-")
        self.process = subprocess.Popen(
            [binary, *CHROMIUM_FLAGS, f"--window-size={width},{height}",
             f"--force-device-scale-factor={scale}", "--remote-debugging-port=0",
             f"--user-data-dir={self.profile}", "about:blank"],
            stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.next_id = 0
        self.console = []     # (level, text)
        self.exceptions = []  # text
        self.log = []         # (level, text) of the browser's own log (failed loads and such)
        self.requests = []    # URLs
        try:
            self.socket = websocket.create_connection(self._browser_socket(), timeout=60,
                                                      suppress_origin=True)
            target = self.call("Target.createTarget", url="about:blank")["targetId"]
            self.session = self.call("Target.attachToTarget", targetId=target,
                                     flatten=True)["sessionId"]
            for domain in ("Page", "Runtime", "Log", "Network"):
                self.call(f"{domain}.enable")
            self.resize(width, height, scale)
        except Exception:
            self.close()
            raise

    def _browser_socket(self):
        port_file = os.path.join(self.profile, "DevToolsActivePort")
        deadline = time.monotonic() + 30
        while time.monotonic() < deadline:
            if self.process.poll() is not None:
                raise Unavailable(f"chromium ended at start with status {self.process.returncode}")
            try:
                with open(port_file) as f:
                    port, path = f.read().split("\n")[:2]
                return f"ws://127.0.0.1:{port}{path}"
            except (OSError, ValueError):
                time.sleep(0.05)
        raise Unavailable("chromium did not open its DevTools port within 30 s")

    def close(self):
        try:
            self.socket.close()
        except Exception:
            pass
        if self.process.poll() is None:
            self.process.terminate()
            try:
                self.process.wait(10)
            except subprocess.TimeoutExpired:
                self.process.kill()
                self.process.wait()
        shutil.rmtree(self.profile, ignore_errors=True)

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        self.close()

    # The protocol: commands of the page's session unless `browser` is set.
    def _post(self, method, params, browser):
        self.next_id += 1
        message = {"id": self.next_id, "method": method, "params": params}
        if not browser and hasattr(self, "session"):
            message["sessionId"] = self.session
        self.socket.send(json.dumps(message))
        return self.next_id

    def call(self, method, browser=False, timeout=60, **params):
        wanted = self._post(method, params, browser)
        deadline = time.monotonic() + timeout
        while True:
            message = self._receive(deadline)
            if message.get("id") == wanted:
                if "error" in message:
                    raise RuntimeError(f"{method}: {message['error'].get('message')}")
                return message.get("result", {})

    def _receive(self, deadline):
        left = deadline - time.monotonic()
        if left <= 0:
            raise TimeoutError("no answer from the browser")
        self.socket.settimeout(left)
        message = json.loads(self.socket.recv())
        self._note(message)
        return message

    def _note(self, message):
        method = message.get("method")
        params = message.get("params", {})
        if method == "Runtime.consoleAPICalled":
            text = " ".join(str(a.get("value", a.get("description", ""))) for a in params["args"])
            self.console.append((params["type"], text))
        elif method == "Runtime.exceptionThrown":
            details = params["exceptionDetails"]
            self.exceptions.append(details.get("exception", {}).get("description")
                                   or details.get("text"))
        elif method == "Log.entryAdded":
            entry = params["entry"]
            self.log.append((entry["level"], entry["text"]))
        elif method == "Network.requestWillBeSent":
            self.requests.append(params["request"]["url"])

    def pump(self, seconds):
        """Lets the page run for `seconds`, collecting what it reports."""
        deadline = time.monotonic() + seconds
        while time.monotonic() < deadline:
            try:
                self._receive(deadline)
            except (TimeoutError, websocket.WebSocketTimeoutException):
                return

    # The page.
    def resize(self, width, height, scale=1):
        self.call("Emulation.setDeviceMetricsOverride", width=width, height=height,
                  deviceScaleFactor=scale, mobile=False)

    def open(self, url, wait=True):
        self.call("Page.navigate", url=url)
        if wait:
            self.wait_for("document.readyState === 'complete'")

    def evaluate(self, expression, timeout=60):
        """The value of a JavaScript expression in the page (promises awaited)."""
        result = self.call("Runtime.evaluate", expression=expression, awaitPromise=True,
                           returnByValue=True, timeout=timeout)
        if "exceptionDetails" in result:
            details = result["exceptionDetails"]
            raise RuntimeError(details.get("exception", {}).get("description")
                               or details.get("text"))
        return result["result"].get("value")

    def wait_for(self, expression, timeout=60):
        """Waits until the expression is true in the page."""
        deadline = time.monotonic() + timeout
        while not self.evaluate(expression):
            if time.monotonic() > deadline:
                raise TimeoutError(f"still false after {timeout} s: {expression}")
            self.pump(0.05)

    def screenshot(self):
        """The page's viewport as PNG bytes."""
        return base64.b64decode(self.call("Page.captureScreenshot", format="png")["data"])

    def mouse(self, kind, x, y, button="none", clicks=0):
        self.call("Input.dispatchMouseEvent", type=kind, x=x, y=y, button=button,
                  clickCount=clicks)

    def click(self, x, y):
        self.mouse("mousePressed", x, y, "left", 1)
        self.mouse("mouseReleased", x, y, "left", 1)

