"""A local client sending malformed and hostile requests, one after another,
and checking the refusal each must get."""

import random
import threading
import time
from collections import Counter

import http_wire
from status_check import check_status

CLOSED = "closed"  # the tray ended the connection without an answer
ANY = None  # an answer is not due: the client gave up first


class Case:
    """One kind of request. `expect` holds the acceptable outcomes, in order of
    the answers when several requests share the connection."""

    def __init__(self, name, data, expect, dribble=0.0, then=""):
        self.name = name
        self.data = data
        self.expect = expect
        self.dribble = dribble
        self.then = then  # "reset", "read-reset", "close" or "" (read the answers)


def cases(port, token, rng):
    host = f"127.0.0.1:{port}"
    bearer = f"Authorization: Bearer {token}"
    origin = f"http://{host}"

    def status(*extra, h=host, m="GET", t="/api/status"):
        return http_wire.request(m, t, h, extra)

    well_formed = status(bearer)
    huge = "X-Filler: " + "a" * rng.choice((9000, 70000, 1 << 20))
    return [
        Case("wrong host", status(bearer, h="localhost:" + str(port)), [{403}]),
        Case("host without port", status(bearer, h="127.0.0.1"), [{403}]),
        Case("missing host", status(bearer, h=None), [{403}]),
        Case("host not ascii", status(bearer, h=host + "\xff"), [{403}]),
        Case("control byte in host", status(bearer, h=host + "\x01"), [{CLOSED, 400}]),
        Case("foreign origin", status(bearer, "Origin: http://evil.example"), [{403}]),
        Case("null origin", status(bearer, "Origin: null"), [{403}]),
        Case("cross-site fetch", status(bearer, "Sec-Fetch-Site: cross-site"), [{403}]),
        Case("foreign origin on the page", status(f"Origin: {origin}.evil", t="/"), [{403}]),
        Case("post", status(bearer, m="POST"), [{405}]),
        Case("head", status(m="HEAD", t="/"), [{405}]),
        Case("options", status(f"Origin: {origin}", m="OPTIONS"), [{405}]),
        Case("delete with wrong host", status(bearer, h="example.com", m="DELETE"), [{403}]),
        Case("no token", status(), [{401}]),
        Case("wrong token", status("Authorization: Bearer " + "0" * 64), [{401}]),
        Case("scheme in other case", status(f"Authorization: bearer {token}"), [{401}]),
        Case("token in upper case", status(f"Authorization: Bearer {token.upper()}"), [{401}]),
        Case("token in the query", status(t=f"/api/status?token={token}"), [{401}]),
        Case("unknown api path", status(bearer, t="/api/secrets"), [{404}]),
        Case("long target", status(bearer, t="/api/status?" + "q" * 4000), [{200}]),
        Case("many headers", status(bearer, *[f"X-H{i}: {i}" for i in range(100)]), [{200}]),
        Case("huge header", status(bearer, huge), [{CLOSED, 431, 400}]),
        Case("huge body", http_wire.request("POST", "/api/status", host, [bearer],
                                            b"b" * (2 << 20)), [{CLOSED, 405, 413}]),
        Case("bad content length", status(bearer, "Content-Length: -5"), [{CLOSED, 400}]),
        Case("garbage", bytes(rng.randrange(256) for _ in range(300)) + b"\r\n\r\n",
             [{CLOSED, 400}]),
        Case("not http", b"\x16\x03\x01\x02\x00\x01\x00\x01\xfc\x03\x03" + b"\0" * 64,
             [{CLOSED, 400}]),
        Case("pipelined", well_formed + status(bearer, h="evil") + well_formed,
             [{200}, {403}, {200}]),
        Case("slow write", well_formed, [{200}], dribble=0.01),
        Case("slow refusal", status(f"Origin: {origin}.evil", t="/"), [{403}], dribble=0.01),
        Case("reset after request", well_formed, [], then="reset"),
        Case("reset while answering", status(t="/fonts/dm-sans.ttf"), [], then="read-reset"),
        Case("pipelined flood then close", well_formed * 50, [], then="close"),
        Case("reset mid request", well_formed[: rng.randrange(1, len(well_formed))], [],
             then="reset"),
        Case("half request then close", well_formed[: rng.randrange(1, len(well_formed))], [],
             then="close"),
    ]


class Hostile(threading.Thread):
    def __init__(self, port, token, pause, seed, stop):
        super().__init__(name="hostile", daemon=True)
        self.port = port
        self.token = token
        self.pause = pause
        self.rng = random.Random(f"{seed}:hostile")
        self.stop = stop
        self.sent = Counter()  # case name -> requests of that kind
        self.outcomes = Counter()  # outcome (status or "closed") -> count
        self.failures = []

    def run(self):
        while not self.stop.is_set():
            for case in cases(self.port, self.token, self.rng):
                if self.stop.is_set():
                    return
                self.sent[case.name] += 1
                try:
                    self._try(case)
                except (OSError, http_wire.Silent) as error:
                    self.failures.append(f"{case.name}: {error}")
                time.sleep(self.pause)

    def _try(self, case):
        with http_wire.connect(self.port) as connection:
            try:
                http_wire.send(connection, case.data, case.dribble)
            except http_wire.Closed:
                pass  # the tray may hang up before a huge request is through
            if case.then == "read-reset":
                connection.recv(100)
            if case.then in ("reset", "read-reset"):
                http_wire.reset(connection)
                return
            if case.then == "close":
                return
            reader = http_wire.Reader(connection)
            for expected in case.expect:
                outcome, answer = self._outcome(reader)
                self.outcomes[outcome] += 1
                if outcome not in expected:
                    self.failures.append(f"{case.name}: {outcome}, expected {sorted(expected, key=str)}")
                    return
                if answer is not None:
                    self._check(case, answer)

    @staticmethod
    def _outcome(reader):
        try:
            answer = reader.answer()
        except http_wire.Closed:
            return CLOSED, None
        except http_wire.Silent:
            return "silent", None
        return answer.status, answer

    def _check(self, case, answer):
        problem = None
        if answer.status == 200:
            problem, _ = check_status(answer)
        elif answer.status in (401, 403, 404, 405):
            missing = answer.missing_security_headers()
            problem = f"missing security headers {missing}" if missing else None
            if answer.status != 404 and answer.body:
                problem = f"refusal with a body {answer.body[:40]!r}"
        if problem:
            self.failures.append(f"{case.name}: {problem}")
