"""HTTP/1.1 over a raw socket: requests written byte for byte as given, answers
read with just enough parsing to check them."""

import socket
import struct
import time

SECURITY_HEADERS = {
    "cache-control": "no-store",
    "referrer-policy": "no-referrer",
    "x-content-type-options": "nosniff",
    "x-frame-options": "DENY",
    "cross-origin-resource-policy": "same-origin",
    "content-security-policy":
        "default-src 'none'; script-src 'self'; style-src 'self'; font-src 'self'; "
        "connect-src 'self'; img-src 'self' data:; base-uri 'none'; frame-ancestors 'none'; "
        "form-action 'none'",
}

# The longest a well-formed request may wait for its answer before the soak
# counts the tray as hung.
ANSWER_TIMEOUT = 10.0


class Answer:
    def __init__(self, status, headers, body):
        self.status = status
        self.headers = headers  # lower-case name -> list of values
        self.body = body

    def header(self, name):
        values = self.headers.get(name, [])
        return values[0] if len(values) == 1 else None

    def missing_security_headers(self):
        return [name for name, value in SECURITY_HEADERS.items()
                if self.headers.get(name) != [value]]


class Closed(Exception):
    """The tray closed or reset the connection before a whole answer came."""


class Silent(Exception):
    """No answer within ANSWER_TIMEOUT: the tray hangs."""


def connect(port):
    connection = socket.create_connection(("127.0.0.1", port), timeout=ANSWER_TIMEOUT)
    connection.setsockopt(socket.IPPROTO_TCP, socket.TCP_NODELAY, 1)
    return connection


def reset(connection):
    """Closes with SO_LINGER 0, so the tray sees a reset rather than an end."""
    connection.setsockopt(socket.SOL_SOCKET, socket.SO_LINGER, struct.pack("ii", 1, 0))
    connection.close()


def send(connection, data, dribble=0.0):
    try:
        if dribble:
            for index in range(len(data)):
                connection.sendall(data[index:index + 1])
                time.sleep(dribble)
        else:
            connection.sendall(data)
    except OSError as error:
        raise Closed(str(error)) from error


class Reader:
    """Reads answers one after another from one connection."""

    def __init__(self, connection):
        self.connection = connection
        self.pending = b""

    def _more(self):
        try:
            chunk = self.connection.recv(65536)
        except TimeoutError as error:
            raise Silent(f"no answer within {ANSWER_TIMEOUT} s") from error
        except OSError as error:
            raise Closed(str(error)) from error
        if not chunk:
            raise Closed("end of stream")
        self.pending += chunk

    def answer(self):
        while b"\r\n\r\n" not in self.pending:
            self._more()
        head, self.pending = self.pending.split(b"\r\n\r\n", 1)
        lines = head.decode("latin-1").split("\r\n")
        status = int(lines[0].split(" ", 2)[1])
        headers = {}
        for line in lines[1:]:
            name, _, value = line.partition(":")
            headers.setdefault(name.strip().lower(), []).append(value.strip())
        length = int(headers.get("content-length", ["0"])[0])
        while len(self.pending) < length:
            self._more()
        body, self.pending = self.pending[:length], self.pending[length:]
        return Answer(status, headers, body)


def request(method, target, host, extra=(), body=b""):
    """A request with the given Host (None leaves it out) and extra header lines."""
    lines = [f"{method} {target} HTTP/1.1"]
    if host is not None:
        lines.append(f"Host: {host}")
    lines.extend(extra)
    if body:
        lines.append(f"Content-Length: {len(body)}")
    return ("\r\n".join(lines) + "\r\n\r\n").encode("latin-1") + body
