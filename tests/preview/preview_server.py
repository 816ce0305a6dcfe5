"""Starts `quenta preview` on the loopback address for a test and stops it."""
import os
import re
import signal
import subprocess
import time

QUENTA = os.environ["QUENTA_TOOL"]
SOURCE = os.environ["QUENTA_SOURCE_DIR"]
EXAMPLES = os.path.join(SOURCE, "examples")
FIXTURES = os.path.join(SOURCE, "tests", "preview", "fixtures")

# The message window of the examples: what the tests draw on.
WINDOW_OPTIONS = ["--background-image", os.path.join(EXAMPLES, "window.png"),
                  "--background", "503020", "--position", "24,16"]


class PreviewServer:
    def __init__(self, *arguments):
        self.arguments = [QUENTA, "preview", "--port", "0", *WINDOW_OPTIONS, *arguments]

    def __enter__(self):
        self.process = subprocess.Popen(self.arguments, stdout=subprocess.PIPE, stderr=subprocess.PIPE, text=True)
        line = self.process.stdout.readline()
        found = re.search(r"open (http://127\.0\.0\.1:(\d+)/)", line)
        if not found:
            self.process.kill()
            raise RuntimeError("quenta preview did not start: " + line + self.process.stderr.read())
        self.url = found.group(1)
        self.port = int(found.group(2))
        self.authority = "127.0.0.1:%d" % self.port
        return self

    def memory_kib(self):
        with open("/proc/%d/status" % self.process.pid) as status:
            return int(re.search(r"VmRSS:\s+(\d+)", status.read()).group(1))

    def alive(self):
        return self.process.poll() is None

    def __exit__(self, *_):
        self.process.send_signal(signal.SIGTERM)
        try:
            self.process.wait(timeout=10)
        except subprocess.TimeoutExpired:
            self.process.kill()
            self.process.wait()
        self.process.stdout.close()
        self.process.stderr.close()


def render_with_tool(text, path, extra=()):
    """Draws `text` with `quenta render` and the same window options."""
    source = path + ".txt"
    with open(source, "w", encoding="utf-8") as f:
        f.write(text)
    subprocess.run([QUENTA, "render", *WINDOW_OPTIONS, *extra, "-o", path, source], check=True,
                   stderr=subprocess.DEVNULL, timeout=30)
    return path


def wait_until(condition, seconds, step=0.02):
    """Polls `condition` until it is true or `seconds` pass; its last value."""
    deadline = time.monotonic() + seconds
    while True:
        value = condition()
        if value or time.monotonic() > deadline:
            return value
        time.sleep(step)
