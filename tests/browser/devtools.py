"""Drives headless Chromium (DevTools protocol) and Firefox (WebDriver BiDi)
over a websocket written with the standard library only: open a page at a
window size, evaluate a script, take a screenshot.

    with Chromium() as browser:            # or Firefox()
        browser.open("file:///tmp/page.html", 390, 844, phone=True)
        value = browser.evaluate("document.title")
        png = browser.screenshot()
"""

import base64
import json
import os
import shutil
import socket
import struct
import subprocess
import tempfile
import time


class BrowserMissing(Exception):
    pass


class WebSocket:
    """A client websocket (RFC 6455): text frames out, whole messages in."""

    def __init__(self, host, port, path, timeout=60):
        self.sock = socket.create_connection((host, port), timeout=timeout)
        key = base64.b64encode(os.urandom(16)).decode()
        self.sock.sendall((f"GET {path} HTTP/1.1\r\nHost: {host}:{port}\r\nUpgrade: websocket\r\n"
                           f"Connection: Upgrade\r\nSec-WebSocket-Key: {key}\r\n"
                           "Sec-WebSocket-Version: 13\r\n\r\n").encode())
        header = b""
        while b"\r\n\r\n" not in header:
            chunk = self.sock.recv(4096)
            if not chunk:
                raise ConnectionError("the browser closed the websocket handshake")
            header += chunk
        if b" 101 " not in header.split(b"\r\n", 1)[0]:
            raise ConnectionError("websocket refused: " + header.split(b"\r\n", 1)[0].decode(errors="replace"))
        self.buffer = header.split(b"\r\n\r\n", 1)[1]

    def _read(self, n):
        while len(self.buffer) < n:
            chunk = self.sock.recv(1 << 20)
            if not chunk:
                raise ConnectionError("the browser closed the websocket")
            self.buffer += chunk
        data, self.buffer = self.buffer[:n], self.buffer[n:]
        return data

    def _send_frame(self, opcode, payload):
        mask = os.urandom(4)
        n = len(payload)
        head = bytes([0x80 | opcode])
        if n < 126:
            head += bytes([0x80 | n])
        elif n < 1 << 16:
            head += bytes([0x80 | 126]) + struct.pack(">H", n)
        else:
            head += bytes([0x80 | 127]) + struct.pack(">Q", n)
        masked = bytes(b ^ mask[i % 4] for i, b in enumerate(payload))
        self.sock.sendall(head + mask + masked)

    def send(self, text):
        self._send_frame(0x1, text.encode())

    def receive(self):
        message = b""
        while True:
            first, second = self._read(2)
            opcode, n = first & 0x0F, second & 0x7F
            if n == 126:
                n = struct.unpack(">H", self._read(2))[0]
            elif n == 127:
                n = struct.unpack(">Q", self._read(8))[0]
            payload = self._read(n)
            if opcode == 0x9:  # ping
                self._send_frame(0xA, payload)
                continue
            if opcode == 0x8:
                raise ConnectionError("the browser closed the websocket")
            message += payload
            if first & 0x80:
                return message.decode()

    def close(self):
        self.sock.close()


def _free_port():
    with socket.socket() as s:
        s.bind(("127.0.0.1", 0))
        return s.getsockname()[1]


class _Browser:
    def __init__(self):
        self.profile = tempfile.mkdtemp(prefix="scorvale-browser-")
        self.process = None
        self.ws = None
        self.next_id = 0

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        self.close()

    def close(self):
        if self.ws:
            self.ws.close()
        if self.process and self.process.poll() is None:
            self.process.terminate()
            try:
                self.process.wait(10)
            except subprocess.TimeoutExpired:
                self.process.kill()
                self.process.wait()
        shutil.rmtree(self.profile, ignore_errors=True)

    def _call(self, method, params, **extra):
        """Sends one command and returns its result; events meanwhile go to self.events."""
        self.next_id += 1
        message = {"id": self.next_id, "method": method, "params": params, **extra}
        self.ws.send(json.dumps(message))
        while True:
            reply = json.loads(self.ws.receive())
            if reply.get("id") == self.next_id:
                if "error" in reply:
                    raise RuntimeError(f"{method}: {reply['error']} {reply.get('message', '')}")
                return reply.get("result", {})
            self.events.append(reply)


class Chromium(_Browser):
    """Headless Chromium; a phone is emulated as DevTools does (mobile viewport, meta viewport honoured)."""

    name = "chromium"

    def __init__(self):
        super().__init__()
        binary = shutil.which("chromium")
        if not binary:
            raise BrowserMissing("chromium is not installed; it is the Debian package 'chromium' in TEST_PACKAGES "
                                 "of scripts/packages.sh (bash scripts/test.sh installs it)")
        self.process = subprocess.Popen(
            [binary, "--headless", "--no-sandbox", "--disable-gpu", "--no-first-run",
             "--disable-background-networking", "--disable-component-update", "--disable-sync",
             "--hide-scrollbars", "--remote-debugging-port=0", f"--user-data-dir={self.profile}", "about:blank"],
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        port_file = os.path.join(self.profile, "DevToolsActivePort")
        deadline = time.time() + 60
        while not (os.path.exists(port_file) and len(open(port_file).read().split()) >= 2):
            if time.time() > deadline or self.process.poll() is not None:
                raise RuntimeError("chromium did not open its DevTools port")
            time.sleep(0.1)
        port, path = open(port_file).read().split()[:2]
        self.ws = WebSocket("127.0.0.1", int(port), path)
        self.events = []
        target = self._call("Target.createTarget", {"url": "about:blank"})["targetId"]
        self.session = self._call("Target.attachToTarget", {"targetId": target, "flatten": True})["sessionId"]
        self.page("Page.enable", {})

    def page(self, method, params):
        return self._call(method, params, sessionId=self.session)

    def open(self, url, width, height, phone):
        self.page("Emulation.setDeviceMetricsOverride",
                  {"width": width, "height": height, "deviceScaleFactor": 2 if phone else 1, "mobile": phone})
        self.events.clear()
        self.page("Page.navigate", {"url": url})
        deadline = time.time() + 60
        while not any(e.get("method") == "Page.loadEventFired" for e in self.events):
            if time.time() > deadline:
                raise RuntimeError(f"chromium did not load {url}")
            self.events.append(json.loads(self.ws.receive()))

    def evaluate(self, expression):
        result = self.page("Runtime.evaluate", {"expression": expression, "returnByValue": True})
        if "exceptionDetails" in result:
            raise RuntimeError("script failed: " + json.dumps(result["exceptionDetails"])[:500])
        return result["result"].get("value")

    def screenshot(self):
        return base64.b64decode(self.page("Page.captureScreenshot", {"format": "png"})["data"])

    def type_text(self, text):
        """Types into the focused element as a keyboard would, then presses Enter."""
        self.page("Input.insertText", {"text": text})
        for kind in ("keyDown", "keyUp"):
            self.page("Input.dispatchKeyEvent", {"type": kind, "key": "Enter", "code": "Enter",
                                                 "windowsVirtualKeyCode": 13, "text": "\r" if kind == "keyDown" else ""})

    def print_media(self, on):
        """Lays the page out for printing (no script runs for it, as none would on paper)."""
        self.page("Emulation.setEmulatedMedia", {"media": "print" if on else ""})


class Firefox(_Browser):
    """Headless Firefox ESR through WebDriver BiDi. It has no phone mode: the
    window is simply that wide, which is what a phone's browser lays out once
    the page asks for the device width."""

    name = "firefox"

    def __init__(self):
        super().__init__()
        binary = shutil.which("firefox-esr") or shutil.which("firefox")
        if not binary:
            raise BrowserMissing("firefox-esr is not installed; it is the Debian package 'firefox-esr' in "
                                 "TEST_PACKAGES of scripts/packages.sh (bash scripts/test.sh installs it)")
        port = _free_port()
        # Nothing reaches out: no updates, telemetry, studies or captive-portal checks.
        with open(os.path.join(self.profile, "user.js"), "w") as prefs:
            for key, value in [("app.update.enabled", "false"), ("datareporting.policy.dataSubmissionEnabled", "false"),
                               ("toolkit.telemetry.enabled", "false"), ("app.shield.optoutstudies.enabled", "false"),
                               ("network.captive-portal-service.enabled", "false"),
                               ("network.connectivity-service.enabled", "false"),
                               ("browser.shell.checkDefaultBrowser", "false"),
                               ("extensions.update.enabled", "false"), ("browser.safebrowsing.update.enabled", "false"),
                               ("layout.css.devPixelsPerPx", '"1.0"')]:
                prefs.write(f'user_pref("{key}", {value});\n')
        self.process = subprocess.Popen(
            [binary, "--headless", "--no-remote", "--profile", self.profile, f"--remote-debugging-port={port}"],
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, env={**os.environ, "MOZ_CRASHREPORTER_DISABLE": "1"})
        deadline = time.time() + 90
        while True:
            try:
                self.ws = WebSocket("127.0.0.1", port, "/session")
                break
            except (ConnectionError, OSError):
                if time.time() > deadline or self.process.poll() is not None:
                    raise RuntimeError("firefox did not open its WebDriver BiDi port")
                time.sleep(0.2)
        self.events = []
        self._call("session.new", {"capabilities": {}})
        self.context = self._call("browsingContext.getTree", {})["contexts"][0]["context"]

    def open(self, url, width, height, phone):
        self._call("browsingContext.setViewport",
                   {"context": self.context, "viewport": {"width": width, "height": height}})
        self._call("browsingContext.navigate", {"context": self.context, "url": url, "wait": "complete"})

    def evaluate(self, expression):
        result = self._call("script.evaluate", {"expression": expression, "target": {"context": self.context},
                                                "awaitPromise": False})
        if result.get("type") == "exception":
            raise RuntimeError("script failed: " + json.dumps(result.get("exceptionDetails"))[:500])
        value = result["result"]
        return value.get("value")

    def screenshot(self):
        return base64.b64decode(self._call("browsingContext.captureScreenshot", {"context": self.context})["data"])
