#!/usr/bin/python3
"""A faulty stand-in for the service's command-line tool, for the soak.

Each `desktop-status` call picks, from PELLAMY_SOAK_SEED and its own sequence
number, one behaviour: a well-formed status document, a non-zero exit, garbage
on standard output, a hang past the tray's deadline, or a grandchild that keeps
standard output open after the tool has exited. Each call appends one JSON line
to PELLAMY_SOAK_LOG, so the driver can count the faults by kind and
tell which documents the tray may show: every well-formed document carries the
version "0.1.3-soak.N", N being the sequence number.
"""

import json
import os
import random
import signal
import sys
import time


def is_open(descriptor):
    try:
        os.fstat(descriptor)
        return True
    except OSError:
        return False


# Descriptors beyond 0, 1 and 2 open at start, before this program opens any of
# its own: the tray must hand its children no others.
LEAKED = [descriptor for descriptor in range(3, 1024) if is_open(descriptor)]

DETAILS_KEYS = ("vaults", "proxies", "remote_sessions", "providers", "syncing",
                "outbox_pending", "inbox_pending", "applied", "rejected", "dirty_vaults")
PROVIDERS = ("onedrive", "google_drive")
MAX_COUNTER = 18446744073709551615


def next_sequence(home):
    """Probes never overlap, so a plain counter file is enough."""
    path = os.path.join(home, "sequence")
    try:
        with open(path, encoding="ascii") as counter:
            number = int(counter.read() or 0) + 1
    except FileNotFoundError:
        number = 1
    with open(path, "w", encoding="ascii") as counter:
        counter.write(str(number))
    return number


def provider(rng, name):
    return {name: None} if rng.random() < 0.2 else name


def details(rng):
    counters = {key: rng.choice((0, 1, rng.randrange(1000), MAX_COUNTER))
                for key in DETAILS_KEYS if key not in ("providers", "syncing")}
    # Now and then a long list: a document of tens of KiB, still within a pipe's buffer.
    listed = rng.choice((1,) * 9 + (2000,))
    counters["providers"] = [provider(rng, p) for p in PROVIDERS * listed if rng.random() < 0.6]
    counters["syncing"] = [provider(rng, p) for p in rng.sample(PROVIDERS, rng.randrange(3))]
    if rng.random() < 0.2:
        return [counters[key] for key in DETAILS_KEYS]
    return counters


def record(rng, version):
    """One of the service's states, in any of the forms the tray must read."""
    state = rng.choice(("setup", "locked", "unlocked"))
    initialized = state != "setup"
    fields = {"version": version, "initialized": initialized, "unlocked": state == "unlocked"}
    if initialized and rng.random() < 0.7:
        fields["details"] = details(rng)
    elif rng.random() < 0.5:
        fields["details"] = None
    if rng.random() < 0.15:
        return [version, initialized, state == "unlocked", fields.get("details")], state
    if rng.random() < 0.15:
        fields["extra"] = {"ignored": True}
    return fields, state


def broken_record(rng, sequence):
    """A record that breaks one reading rule."""
    fields = {"version": f"0.1.3-bad.{sequence}", "initialized": True, "unlocked": True,
              "details": {key: 1 for key in DETAILS_KEYS}}
    fields["details"].update(providers=[], syncing=[])
    key, value = rng.choice((("vaults", -1), ("applied", 2.0), ("rejected", MAX_COUNTER + 1),
                             ("providers", None), ("syncing", ["dropbox"])))
    fields["details"][key] = value
    return json.dumps({"result": fields})


def status_text(rng, version):
    """A well-formed document and the state it shows."""
    body, state = record(rng, version)
    text = json.dumps({"result": body}, ensure_ascii=rng.random() < 0.5)
    if rng.random() < 0.1:
        # A repeated member: the last one counts.
        text = '{"result":null,' + text[1:]
    return text + rng.choice(("\n", "", " \r\n\t")), state


def garbage(rng, sequence):
    """Output that must make the probe fail: never a document the tray may show."""
    valid, _ = status_text(rng, f"0.1.3-bad.{sequence}")
    kinds = {
        "invalid-json": lambda: valid.replace('"result"', "result", 1),
        "truncated": lambda: valid[: rng.randrange(1, len(valid.rstrip()) - 1)],
        "binary": lambda: bytes(rng.randrange(256) for _ in range(rng.randrange(1, 600))),
        "empty": lambda: "",
        "bare-record": lambda: json.dumps(json.loads(valid)["result"]),
        "second-value": lambda: valid.rstrip() + " {}",
        "result-null": lambda: '{"result":null}',
        "byte-order-mark": lambda: "\ufeff" + valid,
        "too-deep": lambda: '{"result":' + "[" * 200 + "]" * 200 + "}",
        "broken-record": lambda: broken_record(rng, sequence),
        "huge": lambda: " " * (4 << 20) + valid,
    }
    kind = rng.choice(sorted(kinds))
    output = kinds[kind]()
    return kind, output if isinstance(output, bytes) else output.encode("utf-8")


def log(entry):
    line = (json.dumps(entry) + "\n").encode()
    flags = os.O_WRONLY | os.O_APPEND | os.O_CREAT | os.O_CLOEXEC
    descriptor = os.open(os.environ["PELLAMY_SOAK_LOG"], flags, 0o600)
    try:
        os.write(descriptor, line)
    finally:
        os.close(descriptor)


def write_out(data):
    sys.stdout.buffer.write(data)
    sys.stdout.buffer.flush()


def grandchild(rng):
    """Forks a process that keeps standard output open for a while, quietly or
    writing without end."""
    linger = rng.choice((0.3, 1.0, 2.0, 5.0, 8.0, "chatter"))
    pid = os.fork()
    if pid == 0:
        if linger == "chatter":
            try:
                for _ in range(64):
                    write_out(b" " * 65536)
            except OSError:
                pass
        else:
            time.sleep(linger)
        os._exit(0)
    return pid, linger if linger == "chatter" else f"linger-{linger}s"


def hang(variant):
    if variant == "closed-output":
        os.close(1)
    if variant == "stopped":
        os.kill(os.getpid(), signal.SIGSTOP)
    time.sleep(600)


def desktop_status(home):
    sequence = next_sequence(home)
    rng = random.Random(f"{os.environ.get('PELLAMY_SOAK_SEED', '1')}:{sequence}")
    entry = {"n": sequence, "pid": os.getpid(), "leaked": LEAKED}
    version = f"0.1.3-soak.{sequence}"
    roll = rng.random()
    if roll < 0.50:
        text, state = status_text(rng, version)
        log(dict(entry, kind="ok", variant=state, showable=True))
        write_out(text.encode())
        return 0
    if roll < 0.62:
        variant = rng.choice(("offline", "error", "document-then-error", "signal"))
        log(dict(entry, kind="exit", variant=variant))
        if variant == "offline":
            sys.stderr.write("daemon is not running\n")
            return 1
        if variant == "signal":
            os.kill(os.getpid(), signal.SIGKILL)
        if variant == "document-then-error":
            write_out(status_text(rng, f"0.1.3-bad.{sequence}")[0].encode())
        sys.stderr.write("internal error\n")
        return rng.choice((2, 70, 255))
    if roll < 0.80:
        variant, output = garbage(rng, sequence)
        log(dict(entry, kind="garbage", variant=variant))
        write_out(output)
        return 0
    if roll < 0.88:
        variant = rng.choice(("sleep", "closed-output", "stopped"))
        log(dict(entry, kind="hang", variant=variant))
        hang(variant)
        return 0
    # The grandchild holds the pipe: the document is shown only when it lets go
    # before the deadline.
    text, state = status_text(rng, version)
    write_out(text.encode())
    pid, variant = grandchild(rng)
    log(dict(entry, kind="grandchild", variant=variant, showable=True, grandchild=pid))
    return 0


def main(argv):
    args = argv[1:]
    home = None
    while len(args) >= 2 and args[0] in ("--config", "--home"):
        if args[0] == "--home":
            home = args[1]
        args = args[2:]
    if home is None or args != ["desktop-status"]:
        sys.stderr.write("usage: pellamy [--config FILE] --home DIR desktop-status\n")
        return 2
    return desktop_status(home)


if __name__ == "__main__":
    sys.exit(main(sys.argv))
