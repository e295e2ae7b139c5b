"""Clients polling "/api/status" as the dashboard page does, only faster."""

import random
import threading
import time
from collections import Counter

import http_wire
from status_check import Timeline, check_status

# Keep-alive connections live for a random number of requests, so the tray
# sees both long connections and a steady stream of new ones.
LONGEST_CONNECTION = 200


class Poller(threading.Thread):
    def __init__(self, index, port, token, pause, seed, stop):
        super().__init__(name=f"poller-{index}", daemon=True)
        self.port = port
        self.pause = pause
        self.rng = random.Random(f"{seed}:poller:{index}")
        self.stop = stop
        self.request = http_wire.request("GET", "/api/status", f"127.0.0.1:{port}",
                                         [f"Authorization: Bearer {token}"])
        self.statuses = Counter()
        self.failures = []
        self.sequences = set()
        self.timeline = Timeline()

    def run(self):
        while not self.stop.is_set():
            try:
                self._connection(self.rng.randrange(1, LONGEST_CONNECTION))
            except (http_wire.Closed, http_wire.Silent, OSError) as error:
                if not self.stop.is_set():
                    self.failures.append(f"no answer: {error}")

    def _connection(self, requests):
        with http_wire.connect(self.port) as connection:
            reader = http_wire.Reader(connection)
            for _ in range(requests):
                if self.stop.is_set():
                    return
                http_wire.send(connection, self.request)
                self._check(reader.answer())
                time.sleep(self.pause)

    def _check(self, answer):
        self.statuses[answer.status] += 1
        problem, seen = check_status(answer)
        if seen is not None:
            problem = self.timeline.problem(seen)
            if seen.sequence is not None:
                self.sequences.add(seen.sequence)
        if problem:
            self.failures.append(problem)
