"""The real tray as "pellamy-tray" beside the faulty tool, on a home of its own,
headless, with a BROWSER that records the dashboard URL."""

import ctypes
import json
import os
import shutil
import signal
import subprocess
import time
import urllib.parse

from sampler import children_of

PR_SET_CHILD_SUBREAPER = 36
HERE = os.path.dirname(os.path.abspath(__file__))


def become_subreaper():
    """Orphaned grandchildren of the tool come to us, not to init, so the soak
    can account for them and leave none behind."""
    libc = ctypes.CDLL(None, use_errno=True)
    if libc.prctl(PR_SET_CHILD_SUBREAPER, 1, 0, 0, 0) != 0:
        raise OSError(ctypes.get_errno(), "prctl(PR_SET_CHILD_SUBREAPER)")


def reap_orphans(keep):
    """Collects ended orphans; leaves the process `keep` to its own waiter."""
    for pid, state, _ in children_of(os.getpid()):
        if state == "Z" and pid != keep:
            os.waitpid(pid, os.WNOHANG)


class TrayRun:
    def __init__(self, tray, directory, seed):
        self.directory = directory
        shutil.rmtree(directory, ignore_errors=True)
        self.bin = os.path.join(directory, "bin")
        self.home = os.path.join(directory, "home")
        user = os.path.join(directory, "user")
        for path in (self.bin, self.home, user):
            os.makedirs(path)
        os.symlink(os.path.abspath(tray), os.path.join(self.bin, "pellamy-tray"))
        os.symlink(os.path.join(HERE, "faulty_tool.py"), os.path.join(self.bin, "pellamy"))
        self.tool_log = os.path.join(directory, "tool.log")
        self.urls = os.path.join(directory, "urls")
        browser = os.path.join(directory, "browser")
        with open(browser, "w", encoding="ascii") as script:
            script.write(f"#!/bin/sh\nprintf '%s\\n' \"$1\" >>'{self.urls}'\n")
        os.chmod(browser, 0o755)

        environment = {key: value for key, value in os.environ.items()
                       if not key.startswith(("PELLAMY_", "XDG_", "DBUS_", "LC_"))}
        # Without a session bus the tray stays headless on any machine.
        environment.update(HOME=user, LANG="C", BROWSER=browser,
                           PELLAMY_SOAK_SEED=str(seed), PELLAMY_SOAK_LOG=self.tool_log)
        self.out = open(os.path.join(directory, "tray.out"), "wb")
        self.err = open(os.path.join(directory, "tray.err"), "wb")
        self.process = subprocess.Popen(
            [os.path.join(self.bin, "pellamy-tray"), "--home", self.home, "--port", "0", "--open"],
            stdin=subprocess.DEVNULL, stdout=self.out, stderr=self.err, env=environment)

    def dashboard(self, limit=30.0):
        """(port, token) from the URL the tray opened."""
        deadline = time.monotonic() + limit
        while time.monotonic() < deadline:
            if self.process.poll() is not None:
                raise RuntimeError(f"tray exited with {self.process.returncode}")
            try:
                with open(self.urls, encoding="ascii") as urls:
                    url = urls.readline().strip()
            except FileNotFoundError:
                url = ""
            if url:
                parsed = urllib.parse.urlsplit(url)
                return parsed.port, parsed.fragment.removeprefix("token=")
            time.sleep(0.05)
        raise RuntimeError("the tray opened no dashboard")

    def wait_for_probe(self, limit=8.0):
        """Whether a probe child runs, waiting for one up to `limit` seconds:
        the stop must also end a probe in flight."""
        deadline = time.monotonic() + limit
        while time.monotonic() < deadline:
            if any(state != "Z" for _, state, _ in children_of(self.process.pid)):
                return True
            time.sleep(0.01)
        return False

    def terminate(self):
        """SIGTERM; (exit code or None, seconds until it ended)."""
        start = time.monotonic()
        self.process.send_signal(signal.SIGTERM)
        try:
            code = self.process.wait(timeout=10)
        except subprocess.TimeoutExpired:
            self.process.kill()
            self.process.wait()
            code = None
        return code, time.monotonic() - start

    def tool_calls(self):
        try:
            with open(self.tool_log, encoding="utf-8") as log:
                return [json.loads(line) for line in log]
        except FileNotFoundError:
            return []

    def leftovers(self):
        """Ends what the soak left running. Returns (tool calls still alive,
        grandchildren that had to be killed)."""
        calls = self.tool_calls()
        probes = {call["pid"] for call in calls}
        grandchildren = {call["grandchild"] for call in calls if "grandchild" in call}
        alive_probes, killed = [], []
        for pid, state, _ in children_of(os.getpid()):
            if state != "Z":
                os.kill(pid, signal.SIGKILL)
                (alive_probes if pid in probes or pid not in grandchildren else killed).append(pid)
            os.waitpid(pid, 0)
        self.out.close()
        self.err.close()
        return alive_probes, killed

    def output(self):
        with open(self.out.name, "rb") as out, open(self.err.name, "rb") as err:
            return out.read(), err.read()
