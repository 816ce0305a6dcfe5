"""Many clients at once on the loopback address, each sending many renders,
some malformed and some huge: the preview keeps answering and its memory
stays flat. Bounded in requests and in time; stops by itself."""
import http.client
import json
import random
import statistics
import threading
import time
import unittest

from preview_server import PreviewServer

CLIENTS = 12
REQUESTS_PER_CLIENT = 80
DEADLINE_SECONDS = 90
# Growth of the server's resident memory allowed between the end of the
# warm-up and the end of the run: far below what one leaked picture per
# request would take (some 25 MB over the run).
ALLOWED_GROWTH_KIB = 16 * 1024


def request_for(rng, authority):
    """One request of the mix: (body, headers, statuses it may be answered with)."""
    kind = rng.random()
    headers = {"Host": authority, "Content-Type": "application/json"}
    if kind < 0.6:
        words = " ".join(rng.choice(["竜", "森", "<C255,0,0>red</C>", "<B>bold</B>", "word", "<R>", "<S30>big</S>"])
                         for _ in range(rng.randint(1, 25)))
        return json.dumps({"text": words}).encode(), headers, {200}
    if kind < 0.7:
        return b'{"text": "unfinished', headers, {400}
    if kind < 0.8:
        return b'{"text": "' + b"x" * 200_000 + b'"}', headers, {413}
    if kind < 0.9:
        # Huge but within the body limit: thousands of runs and lines.
        text = ("あ" * 40 + "<R>") * 420
        return json.dumps({"text": text}, ensure_ascii=False).encode(), headers, {200, 503}
    return b'{"text": "x"}', {**headers, "Host": "rebound.example"}, {403}


class LoadTest(unittest.TestCase):
    def test_many_clients_with_bad_and_huge_requests(self):
        with PreviewServer() as server:
            results = []  # (status or None, seconds)
            lock = threading.Lock()
            start = time.monotonic()
            warm = {"memory": None}

            def client(seed):
                rng = random.Random(seed)
                connection = None
                for _ in range(REQUESTS_PER_CLIENT):
                    if time.monotonic() - start > DEADLINE_SECONDS:
                        return
                    body, headers, allowed = request_for(rng, server.authority)
                    began = time.monotonic()
                    status = None
                    try:
                        if connection is None:
                            connection = http.client.HTTPConnection("127.0.0.1", server.port, timeout=15)
                        connection.request("POST", "/api/render", body=body, headers=headers)
                        reply = connection.getresponse()
                        reply.read()
                        status = reply.status
                        if reply.getheader("Connection", "").lower() == "close":
                            connection.close()
                            connection = None
                    except (OSError, http.client.HTTPException):
                        if connection:
                            connection.close()
                        connection = None
                    with lock:
                        results.append((status, allowed, time.monotonic() - began))
                        if warm["memory"] is None and len(results) >= CLIENTS * REQUESTS_PER_CLIENT // 4:
                            warm["memory"] = server.memory_kib()
                if connection:
                    connection.close()

            threads = [threading.Thread(target=client, args=(seed,)) for seed in range(CLIENTS)]
            for t in threads:
                t.start()
            for t in threads:
                t.join()
            seconds = time.monotonic() - start
            end_memory = server.memory_kib()

            self.assertTrue(server.alive())
            unanswered = [r for r in results if r[0] is None]
            unexpected = [r[:2] for r in results if r[0] is not None and r[0] not in r[1]]
            self.assertEqual(len(results), CLIENTS * REQUESTS_PER_CLIENT, "the run hit its deadline")
            self.assertEqual(len(unanswered), 0)
            self.assertEqual(unexpected, [])
            self.assertLess(end_memory - warm["memory"], ALLOWED_GROWTH_KIB)

            # Still answering as before.
            connection = http.client.HTTPConnection("127.0.0.1", server.port, timeout=10)
            connection.request("POST", "/api/render", body=b'{"text":"after"}',
                               headers={"Host": server.authority, "Content-Type": "application/json"})
            self.assertEqual(connection.getresponse().status, 200)
            connection.close()

            times = sorted(r[2] * 1000 for r in results)
            statuses = {}
            for r in results:
                statuses[r[0]] = statuses.get(r[0], 0) + 1
            print("\nload: %d clients, %d requests in %.1f s (%.0f/s); statuses %s" %
                  (CLIENTS, len(results), seconds, len(results) / seconds, dict(sorted(statuses.items()))))
            print("load: latency median %.1f ms, 95th %.1f ms, max %.1f ms" %
                  (statistics.median(times), times[int(len(times) * 0.95)], times[-1]))
            print("load: server memory %d KiB after warm-up, %d KiB at the end (%+d KiB)" %
                  (warm["memory"], end_memory, end_memory - warm["memory"]))


if __name__ == "__main__":
    unittest.main()
