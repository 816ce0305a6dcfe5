"""Hostile clients on the loopback address: oversized bodies however they are
framed, floods of header lines, slow senders, drawings past their time,
doubled framing headers and pipelined requests. The preview answers each
cleanly, keeps serving ordinary clients, and its memory stays within a
bound. Bounded in requests and in time; stops by itself."""
import http.client
import json
import os
import select
import socket
import tempfile
import threading
import time
import unittest

from preview_server import PreviewServer, wait_until

# Growth of the server's resident memory over the one measured once it is
# up, at any moment of the run: a body or a head held whole would take
# many times this.
MEMORY_BOUND_KIB = 64 * 1024
SLOW_CLIENTS = 16
# Long enough for any answer on a loaded machine; a test that reaches it
# has failed.
PATIENCE_SECONDS = 30
# The render limit the server is started with, in milliseconds.
RENDER_LIMIT_MS = 500
# For the drawing that must run past its limit.
TIGHT_RENDER_LIMIT_MS = 60


class MemoryWatch:
    """Samples the server's resident memory until stopped: its peak."""

    def __init__(self, server):
        self.server = server
        self.peak = server.memory_kib()
        self.running = True
        self.thread = threading.Thread(target=self.run)
        self.thread.start()

    def run(self):
        while self.running and self.server.alive():
            self.peak = max(self.peak, self.server.memory_kib())
            time.sleep(0.01)

    def stop(self):
        self.running = False
        self.thread.join()
        return self.peak


def connect(server):
    return socket.create_connection(("127.0.0.1", server.port), timeout=PATIENCE_SECONDS)


def read_to_close(sock):
    """What the server sent before closing the connection (or resetting it)."""
    data = b""
    try:
        while True:
            piece = sock.recv(65536)
            if not piece:
                break
            data += piece
    except ConnectionResetError:
        pass
    sock.close()
    return data


def status_of(answer):
    line = answer.split(b"\r\n", 1)[0].split()
    return int(line[1]) if len(line) >= 2 and line[0].startswith(b"HTTP/") else None


def send_while_open(sock, pieces):
    """Sends pieces until the server stops reading; how many bytes went."""
    sent = 0
    try:
        for piece in pieces:
            sock.sendall(piece)
            sent += len(piece)
    except (BrokenPipeError, ConnectionResetError):
        pass
    return sent


def render(server, text, timeout=PATIENCE_SECONDS):
    connection = http.client.HTTPConnection("127.0.0.1", server.port, timeout=timeout)
    connection.request("POST", "/api/render", body=json.dumps({"text": text}).encode(),
                       headers={"Host": server.authority, "Content-Type": "application/json"})
    reply = connection.getresponse()
    body = reply.read()
    connection.close()
    return reply.status, body


class HostileClientTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.folder = tempfile.mkdtemp()
        cls.script = os.path.join(cls.folder, "script.txt")
        with open(cls.script, "w", encoding="utf-8") as f:
            f.write("".join("message %d\n\n" % n for n in range(1, 2001)))
        cls.context = PreviewServer("--render-limit", str(RENDER_LIMIT_MS), cls.script)
        cls.server = cls.context.__enter__()
        cls.watch = MemoryWatch(cls.server)
        cls.start_kib = cls.watch.peak

    @classmethod
    def tearDownClass(cls):
        peak = cls.watch.stop()
        end = cls.server.memory_kib()
        print("\nhostile: server memory %d KiB at the start, %d KiB at peak, %d KiB at the end" %
              (cls.start_kib, peak, end))
        alive = cls.server.alive()
        cls.context.__exit__(None, None, None)
        assert alive, "the server died"
        assert peak - cls.start_kib < MEMORY_BOUND_KIB, "memory grew by %d KiB" % (peak - cls.start_kib)

    def head(self, extra=b"", method=b"GET", path=b"/"):
        return (method + b" " + path + b" HTTP/1.1\r\nHost: " + self.server.authority.encode() + b"\r\n" + extra)

    def test_a_chunked_body_past_the_cap_is_refused(self):
        for megabytes in (4, 50):
            sock = connect(self.server)
            head = self.head(b"Content-Type: application/json\r\nTransfer-Encoding: chunked\r\n\r\n",
                             b"POST", b"/api/render")
            chunk = b"10000\r\n" + b"a" * 0x10000 + b"\r\n"
            send_while_open(sock, [head] + [chunk] * (megabytes * 16) + [b"0\r\n\r\n"])
            self.assertEqual(status_of(read_to_close(sock)), 413, "%d MB" % megabytes)
        self.assertEqual(render(self.server, "after")[0], 200)

    def test_a_flood_of_header_lines_is_refused(self):
        for lines, size in ((26_000, 8), (200, 8), (3, 40_000)):
            sock = connect(self.server)
            flood = b"".join(b"X-Flood-%d: %s\r\n" % (n, b"v" * size) for n in range(lines))
            send_while_open(sock, [self.head(), flood, b"\r\n"])
            self.assertIn(status_of(read_to_close(sock)), (400, 413, 414, 431), "%d lines" % lines)
        self.assertEqual(render(self.server, "after")[0], 200)

    def test_slow_senders_do_not_keep_others_waiting(self):
        slow = [connect(self.server) for _ in range(SLOW_CLIENTS)]
        for sock in slow:
            sock.sendall(b"GET / HTTP/1.1\r\n")
        began = time.monotonic()
        status, _ = render(self.server, "beside the slow ones")
        waited = time.monotonic() - began
        self.assertEqual(status, 200)
        # Each slow sender goes on sending a byte whenever the server has
        # been quiet for a while; the server must close every one of them.
        closed_after = []
        for sock in slow:
            start = time.monotonic()
            for _ in range(200):
                readable, _, _ = select.select([sock], [], [], 0.25)
                if readable:
                    break
                try:
                    sock.sendall(b"X")
                except OSError:
                    break
            else:
                self.fail("a slow sender kept its connection")
            closed_after.append(time.monotonic() - start)
            sock.close()
        print("\nhostile: a client beside %d slow senders waited %.1f ms; they were closed within %.1f s" %
              (SLOW_CLIENTS, waited * 1000, max(closed_after)))

    def test_a_drawing_past_its_limit_stops_and_the_next_one_is_drawn(self):
        # The most lines a body may hold: with the layout linear in them they
        # draw in a few hundred milliseconds, far past a limit that a short
        # message (a few milliseconds) stays well under.
        slow = "\n" * 30000
        self.assertLess(len(json.dumps({"text": slow})), 64 * 1024)
        with PreviewServer("--render-limit", str(TIGHT_RENDER_LIMIT_MS)) as server:
            for _ in range(3):
                status, body = render(server, slow)
                self.assertEqual(status, 503, body[:200])
                status, body = render(server, "a short one")
                self.assertEqual(status, 200, body[:200])

    def test_doubled_framing_headers_are_refused(self):
        doubled = [b"Host: other.example\r\n",
                   b"Origin: http://%s\r\nOrigin: http://%s\r\n" % ((self.server.authority.encode(),) * 2),
                   b"Content-Length: 2\r\nContent-Length: 2\r\n",
                   b"Content-Length: 2\r\nTransfer-Encoding: chunked\r\n"]
        for extra in doubled:
            sock = connect(self.server)
            sock.sendall(self.head(b"Content-Type: application/json\r\n" + extra + b"\r\n{}", b"POST", b"/api/render"))
            self.assertEqual(status_of(read_to_close(sock)), 400, extra)

    def test_pipelined_requests_are_each_answered(self):
        sock = connect(self.server)
        requests = [self.head(b"\r\n", path=b"/api/script") for _ in range(6)]
        requests.append(self.head(b"Connection: close\r\n\r\n", path=b"/api/script"))
        sock.sendall(b"".join(requests))
        answers = read_to_close(sock)
        self.assertEqual(answers.count(b"HTTP/1.1 200 OK\r\n"), 7)
        self.assertEqual(answers.count(b'"messages":['), 7)

    def test_the_script_answer_is_streamed(self):
        before = self.server.memory_kib()
        for _ in range(5):
            connection = http.client.HTTPConnection("127.0.0.1", self.server.port, timeout=PATIENCE_SECONDS)
            connection.request("GET", "/api/script", headers={"Host": self.server.authority})
            answer = json.loads(connection.getresponse().read())
            connection.close()
            self.assertEqual(len(answer["messages"]), 2000)
        self.assertLess(self.server.memory_kib() - before, 8 * 1024)


class WatcherTest(unittest.TestCase):
    def test_a_script_replaced_by_a_fifo_is_not_waited_on(self):
        folder = tempfile.mkdtemp()
        script = os.path.join(folder, "script.txt")
        with open(script, "w") as f:
            f.write("one\n\ntwo\n")
        with PreviewServer(script) as server:
            def fetch():
                connection = http.client.HTTPConnection("127.0.0.1", server.port, timeout=PATIENCE_SECONDS)
                connection.request("GET", "/api/script", headers={"Host": server.authority})
                answer = json.loads(connection.getresponse().read())
                connection.close()
                return answer
            os.remove(script)
            os.mkfifo(script)
            self.assertTrue(wait_until(lambda: "regular file" in fetch()["error"], PATIENCE_SECONDS))
            os.remove(script)
            with open(script, "w") as f:
                f.write("one\n\ntwo\n\nthree\n")
            self.assertTrue(wait_until(lambda: len(fetch()["messages"]) == 3 and not fetch()["error"],
                                       PATIENCE_SECONDS))


if __name__ == "__main__":
    unittest.main()
