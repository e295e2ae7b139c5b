"""What every authorised "/api/status" answer must be."""

import json
import re

MEMBERS = ["connected", "checked_at", "app_version", "platform", "service"]
SOAK_VERSION = re.compile(r"0\.1\.3-soak\.(\d+)")


class Seen:
    """What one answer showed: the tool's sequence number behind the record
    (None when not connected) and when the monitor recorded it."""

    def __init__(self, sequence, checked_at):
        self.sequence = sequence
        self.checked_at = checked_at


def check_status(answer):
    """Returns (problem or None, Seen or None)."""
    if answer.status != 200:
        return f"status {answer.status}", None
    missing = answer.missing_security_headers()
    if missing:
        return f"missing or repeated security headers {missing}", None
    if answer.header("content-type") != "application/json":
        return f"content type {answer.headers.get('content-type')}", None
    try:
        document = json.loads(answer.body)
    except ValueError:
        return f"not JSON: {answer.body[:80]!r}", None
    if not isinstance(document, dict) or list(document) != MEMBERS:
        return f"members {list(document) if isinstance(document, dict) else document!r}", None
    connected, service = document["connected"], document["service"]
    if not isinstance(connected, bool) or connected != isinstance(service, dict):
        return f"connected {connected!r} with service {json.dumps(service)[:80]}", None
    if not connected and service is not None:
        return f"service {service!r} while not connected", None
    sequence = None
    if connected:
        match = SOAK_VERSION.fullmatch(str(service.get("version")))
        if not match:
            return f"service version {service.get('version')!r} no tool call printed", None
        sequence = int(match.group(1))
    return None, Seen(sequence, document["checked_at"])


class Timeline:
    """One client's view: the monitor's results never go back in time."""

    def __init__(self):
        self.last = None

    def problem(self, seen):
        last, self.last = self.last, seen
        if last is None:
            return None
        if seen.checked_at < last.checked_at:
            return f"checked_at went back from {last.checked_at} to {seen.checked_at}"
        if seen.sequence is not None and last.sequence is not None \
                and seen.sequence < last.sequence:
            return f"record of call {seen.sequence} after call {last.sequence}"
        return None
