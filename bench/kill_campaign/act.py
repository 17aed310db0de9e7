"""The actions and one run of `kill_campaign act`: set off, killed (or not), and the wait
for a mail component that outlived the kill."""

import dataclasses
import os
import select
import signal
import subprocess
import time

# Actions with their weights: moves and returns often, deletes now and then, whole deletes rarely.
MOVES = {
    "main-recv-to-trash": 3, "main-sent-to-trash": 1, "main-recv-to-folder": 3, "main-sent-to-folder": 1,
    "trash-recv-restore": 3, "trash-sent-restore": 1, "trash-recv-to-folder": 2, "trash-sent-to-folder": 1,
    "folder-recv-to-trash": 2, "folder-sent-to-trash": 1, "folder-recv-to-folder": 2,
    "folder-sent-to-folder": 1, "folder-recv-return": 3, "folder-sent-return": 1,
    "trash-recv-delete": 1, "trash-sent-delete": 0.5, "folder-recv-delete": 1, "folder-sent-delete": 0.5,
    "folder-recv-delete-all": 0.5, "folder-sent-delete-all": 0.3,
    "trash-recv-delete-all": 0.2, "trash-sent-delete-all": 0.1,
}
# A manual receive from the campaign's server, the closing of the main window that empties the
# trash, and the answering mode's first check (it receives, forwards and answers).
RECEIVE = "receive"
EXIT = "exit-empty-trash"
ANSWER = "answer"
ACTIONS = dict(MOVES, **{RECEIVE: 2, EXIT: 2, ANSWER: 2})
# The actions that receive from the server, and those that move no mail between the stores.
RECEIVING = (RECEIVE, ANSWER)
MOVING_NONE = (RECEIVE, EXIT, ANSWER)
GROUPS = {"moves": MOVES}

# How long a mail component may go on working in the program folder after the kill.
COMPONENT_WAIT = 30
# How long an action may take before it counts as hung.
ACTION_WAIT = 300


def parse_actions(spec):
    """The mix: NAME or NAME=WEIGHT items; a group's weight scales its actions' weights."""
    if not spec:
        return dict(ACTIONS)
    chosen = {}
    for item in spec.split(","):
        name, _, weight = item.strip().partition("=")
        if name in GROUPS:
            scale = float(weight) if weight else 1
            chosen.update({k: w * scale for k, w in GROUPS[name].items()})
        elif name in ACTIONS:
            chosen[name] = float(weight) if weight else ACTIONS[name]
        else:
            raise SystemExit("no action %s (actions: %s; groups: %s)" % (name, " ".join(ACTIONS), " ".join(GROUPS)))
    return chosen


class Act:
    """One run of `act`, killed or not."""

    def __init__(self, binary, program, action, seed, stderr_path, kill_at=None):
        self.err = open(stderr_path, "wb")
        command = [binary, "act", program, action, str(seed)] + ([str(kill_at)] if kill_at else [])
        self.proc = subprocess.Popen(command, stdout=subprocess.PIPE, stderr=self.err)
        self.buffer = b""
        self.lines = []

    def _read(self, timeout):
        ready, _, _ = select.select([self.proc.stdout], [], [], timeout)
        if not ready:
            return False
        chunk = os.read(self.proc.stdout.fileno(), 4096)
        if not chunk:
            return None
        self.buffer += chunk
        *done, self.buffer = self.buffer.split(b"\n")
        self.lines += [d.decode(errors="replace") for d in done]
        return True

    def wait_for(self, words, timeout):
        """Reads until a line starts with one of `words`; the word, "TIMEOUT", or None at the end."""
        end = time.monotonic() + timeout
        while True:
            for line in self.lines:
                for w in words:
                    if line.startswith(w):
                        return w
            left = end - time.monotonic()
            if left <= 0:
                return "TIMEOUT"
            if self._read(left) is None:
                return None

    def run_for(self, seconds):
        """Reads what it prints for `seconds`, and returns when they are over: the time from the
        start to its DONE, None when DONE did not come within them."""
        start = time.monotonic()
        end = start + seconds
        took = None
        while True:
            if took is None and self.said("DONE"):
                took = time.monotonic() - start
            left = end - time.monotonic()
            if left <= 0:
                return took
            if took is not None or self._read(left) is None:
                time.sleep(left)  # nothing more to read: the kill still comes when it is due
                return took

    def kill(self):
        try:
            os.kill(self.proc.pid, signal.SIGKILL)
        except ProcessLookupError:
            pass
        self.proc.wait()
        self.err.close()
        while self._read(0):
            pass  # what it printed before it was killed

    def finish(self, timeout):
        try:
            self.proc.wait(timeout=timeout)
        except subprocess.TimeoutExpired:
            self.kill()
            return False
        self.err.close()
        while self._read(0):
            pass
        return True

    def said(self, word):
        return any(line.startswith(word) for line in self.lines)


@dataclasses.dataclass
class ActOutcome:
    """How one run of `act` went. kind: killed, finished, hung or no change (it ended without a
    file change)."""
    kind: str
    text: str
    lines: list
    delay: float = None  # a random kill's delay, in s
    took: float = None  # from the first change (or the component's start) to DONE, when it finished first

    @property
    def ended(self):
        """Whether the action ran to its end."""
        return self.kind in ("finished", "no change")

    @property
    def act_line(self):
        return next((line for line in self.lines if line.startswith("ACT ")), "")

    @property
    def source(self):
        """The store the action's mail left, as act named it."""
        line = self.act_line
        return line.split(" from ", 1)[1] if " from " in line else "?"


def run_act(binary, program, action, seed, stderr_path, delay=None, kill_at=None, receive_from="change"):
    """Sets the action off and kills it `delay` s after its first change (after its receive's mail
    component started, for a receive or an answering check with receive_from "component"), or lets
    it kill itself before change
    `kill_at`; None when its list was empty (nothing done)."""
    act = Act(binary, program, action, seed, stderr_path, kill_at)
    word = act.wait_for(("CHANGE", "EMPTY", "DONE"), ACTION_WAIT)
    if word == "EMPTY":
        act.finish(60)
        return None
    if word == "TIMEOUT":
        act.kill()
        return ActOutcome("hung", "hung", act.lines)
    if kill_at is not None:
        act.finish(ACTION_WAIT)
        if act.proc.returncode == -signal.SIGKILL:
            return ActOutcome("killed", "killed before change %d" % kill_at, act.lines)
        return ActOutcome("finished", "finished before change %d" % kill_at, act.lines)
    if word == "CHANGE":
        since = "its first change"
        if action in RECEIVING and receive_from == "component":
            # The kill is aimed at the mail component's run: counted from its start.
            if act.wait_for(("SCRIPT sam045", "DONE"), ACTION_WAIT) == "SCRIPT sam045":
                since = "the mail component's start"
        took = act.run_for(delay)
        act.kill()
        if act.said("DONE"):
            return ActOutcome("finished", "finished before the kill", act.lines, took=took)
        return ActOutcome("killed", "killed %.0f ms after %s, at %s" % (
            delay * 1000, since, last_change(stderr_path, program)), act.lines, delay=delay)
    act.finish(ACTION_WAIT)
    return ActOutcome("no change", "ended without a file change", act.lines)


def last_change(stderr_path, program):
    """The last file change act announced (right before making it) when it was killed: "change N (file)"."""
    last = None
    with open(stderr_path, "rb") as f:
        for raw in f:
            line = raw.decode(errors="replace").rstrip("\n")
            if line.startswith("change ") and " ms: " in line:
                last = line
    if not last:
        return "no change"
    number = last.split()[1]
    path = os.path.relpath(last.split(" ms: ", 1)[1], program)
    return "change %s (%s)" % (number, path)


def mail_components_in(folder):
    """The mail components (talvenor-mail) whose working folder is `folder`: (process id, command line)."""
    real = os.path.realpath(folder)
    found = []
    for entry in os.listdir("/proc"):
        if not entry.isdigit():
            continue
        try:
            if os.readlink("/proc/%s/cwd" % entry) != real:
                continue
            with open("/proc/%s/comm" % entry) as f:
                if f.read().strip() != "talvenor-mail":
                    continue
            with open("/proc/%s/cmdline" % entry, "rb") as f:
                found.append((int(entry), f.read().replace(b"\0", b" ").decode(errors="replace").strip()))
        except OSError:
            continue  # gone, or a zombie
    return found


def wait_for_components(program):
    """Waits until no mail component works in the program folder. Gives how long a receive's
    component outlived the kill (None when none was there) and the faults."""
    start = time.monotonic()
    first = mail_components_in(program)
    found = first
    while found and time.monotonic() - start < COMPONENT_WAIT:
        time.sleep(0.05)
        found = mail_components_in(program)
    waited = time.monotonic() - start
    outlived = waited if any("receive" in command for _, command in first) else None
    if not found:
        return outlived, []
    for pid, _ in found:
        try:
            os.kill(pid, signal.SIGKILL)  # started by this round's act
        except ProcessLookupError:
            pass
    return outlived, ["the mail component still worked in the program folder %d s after the action ended: %s" % (
        COMPONENT_WAIT, "; ".join("%d %s" % f for f in found))]
