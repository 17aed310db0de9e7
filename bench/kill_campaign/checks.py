"""What the driver checks after a round, beside the checks of `kill_campaign check`: the
inventory against the one before, the mail put on the server, the exit's all or nothing, the
answering check's forwards and replies, and the folder outside the program folder."""

import dataclasses
import email
import email.policy
import hashlib
import os
import re
import subprocess

from .act import EXIT, MOVING_NONE
from .fixture import LINKED_FOLDER, LINKED_STORE, LINKED_WRITES, REPLY_LOG_FOLDER


def run_check(binary, program, expect, inventory, answer=False):
    """A start of the program on the folder and its checks (with `answer`, after one answering
    check run to its end): (all well, what it printed)."""
    result = subprocess.run([binary, "check-answer" if answer else "check", program, expect, inventory],
                            capture_output=True, text=True, timeout=600)
    output = result.stdout + result.stderr
    return result.returncode == 0 and "OK" in result.stdout.split("\n"), output.strip()


def read_inventory(path):
    """{(R or S, key): [stores it was found in]} from the check's inventory file."""
    found = {}
    with open(path, encoding="utf-8") as f:
        for line in f:
            store, kind, key = line.rstrip("\n").split("\t")
            found.setdefault((kind, key), []).append(store)
    return found


def inventory_faults(before, after, action, source, arriving=frozenset(), sending=frozenset()):
    """What changed between two inventories that the action may not change. `arriving`: the
    Message-IDs a receive may bring into the receive box; `sending`: the subject tokens of the
    copies an answering check's sends may leave in the send box (keyed by token and date)."""
    faults = []
    if action == EXIT:
        # The exit empties the trash as one change: all of its mail goes, or none.
        trash = [k for k, places in before.items() if source in places]
        gone = [k for k in trash if k not in after]
        if gone and len(gone) < len(trash):
            faults.append("the exit took %d of the trash's %d mails: %s" % (
                len(gone), len(trash), ", ".join("%s %s" % k for k in gone)))
        deletes, kind = False, None
    else:
        deletes = "delete" in action
        kind = "R" if "-recv-" in action else "S"
    for key, places in before.items():
        if key not in after:
            if action == EXIT:
                if source not in places:
                    faults.append("mail %s %s lost (it was in %s)" % (key[0], key[1], places[0]))
            elif not deletes:
                faults.append("mail %s %s lost (it was in %s)" % (key[0], key[1], places[0]))
            elif key[0] != kind or places[0] != source:
                faults.append("mail %s %s gone from %s, the delete was in %s" % (key[0], key[1], places[0], source))
    for key, places in after.items():
        if key in before:
            continue
        if key[0] == "R" and key[1] in arriving:
            if places != ["receive box"]:
                faults.append("received mail %s stored in %s" % (key[1], ", ".join(places)))
        elif key[0] == "S" and key[1].split("@")[0] in sending:
            if places != ["send box"]:
                faults.append("sent copy %s stored in %s" % (key[1], ", ".join(places)))
        else:
            faults.append("mail %s %s appeared (%s)" % (key[0], key[1], places[0]))
    moved = [k for k in before if k in after and before[k] != after[k]]
    if moved and ("delete" in action or action in MOVING_NONE or len(moved) > 1):
        faults.append("mails that changed place: %s" % ", ".join(
            "%s %s %s->%s" % (k[0], k[1], before[k][0], after[k][0]) for k in moved))
    for k in moved:
        if action not in MOVING_NONE and (k[0] != kind or before[k][0] != source):
            faults.append("mail %s %s moved from %s, the action was on %s" % (k[0], k[1], before[k][0], source))
    return faults


@dataclasses.dataclass
class ServerCheck:
    """Where the mail put on the server before a round went."""
    faults: list
    arriving: int  # mails that were on the server
    stored: set  # in the receive box
    left: set  # still on the server only
    also_on_server: set  # stored and still on the server


def server_check(arriving, after, on_server, serial_of, ended):
    """Every mail put on the server (`arriving`) is in the receive box, once and in the server's
    order, or still on the server (`on_server`); a receive that `ended` took all of it."""
    faults = []
    in_box = [key[1] for key, places in after.items() if key[0] == "R" and "receive box" in places]
    stored = {m for m in in_box if m in arriving}
    for m in sorted(arriving, key=serial_of.get):
        if m not in stored and m not in on_server:
            faults.append("mail %s lost: neither on the server nor in the receive box" % m)
    if ended and len(stored) < len(arriving):
        faults.append("the receive ended and left %d of %d mails on the server" % (
            len(arriving) - len(stored), len(arriving)))
    order = [m for m in in_box if m in arriving]
    if order != sorted(order, key=serial_of.get):
        faults.append("received mails out of the server's order: %s" % " ".join(str(serial_of[m]) for m in order))
    left = {m for m in arriving if m not in stored and m in on_server}
    return ServerCheck(faults, len(arriving), stored, left, stored & on_server)


def exit_trash(before, after):
    """What the exit left of the trash's mail: (kept, emptied, partly or empty; the mails there
    before; those still there)."""
    trash = [k for k, places in before.items() if "trash" in places]
    still = sum(1 for k in trash if k in after)
    if not trash:
        return "empty", 0, 0
    return ("kept" if still == len(trash) else "emptied" if still == 0 else "partly"), len(trash), still


# ---- the answering check ---------------------------------------------------------------------

@dataclasses.dataclass
class AnswerCheck:
    """What became of an answering round's mails and senders."""
    faults: list
    forwarded_twice: int  # mails forwarded twice (their forward went out just before the kill)
    replies_lost: int  # senders logged as answered whom no reply reached (the kill caught it)


def subject_of(data):
    return str(email.message_from_bytes(data, policy=email.policy.default).get("Subject", ""))


def forward_counts(messages, tokens):
    """How often each subject token of `tokens` heads the subject of a forward among `messages`."""
    counts = dict.fromkeys(tokens, 0)
    for data in messages:
        for token in re.findall(r"[A-Z]\d{4}", subject_of(data)):
            if token in counts:
                counts[token] += 1
    return counts


def reply_log_lines(program):
    """The addresses of every day's reply log in the program folder (a round may pass midnight)."""
    folder = os.path.join(program, REPLY_LOG_FOLDER)
    lines = []
    for name in sorted(os.listdir(folder)) if os.path.isdir(folder) else []:
        if name.endswith("_TODAY_HENSIN.txt"):
            with open(os.path.join(folder, name), "rb") as f:
                lines += [line.strip() for line in f.read().decode("cp932").split("\r\n") if line.strip()]
    return lines


def answer_check(forwards, replies, logged, kills):
    """`forwards`: {subject token: forwards received} of the round's mails; `replies`: {sender's
    address: replies received} of its senders; `logged`: the reply log's lines. Every mail is
    forwarded, one per kill may go twice; every sender is logged once, answered at most once, and
    one logged per kill may have lost its reply."""
    faults = []
    for token, count in sorted(forwards.items()):
        if count == 0:
            faults.append("mail %s was not forwarded" % token)
        elif count > 2:
            faults.append("mail %s was forwarded %d times" % (token, count))
    twice = sum(1 for count in forwards.values() if count == 2)
    if twice > kills:
        faults.append("%d mails were forwarded twice after %d kills" % (twice, kills))
    lost = 0
    for sender, count in sorted(replies.items()):
        times = logged.count(sender)
        if count > 1:
            faults.append("%s was answered %d times" % (sender, count))
        if times > 1:
            faults.append("%s is in the reply log %d times" % (sender, times))
        if times == 0:
            faults.append("%s is not in the reply log (%s)" % (sender, "yet answered" if count else "never answered"))
        elif count == 0:
            lost += 1
    if lost > kills:
        faults.append("%d senders in the reply log got no reply after %d kills" % (lost, kills))
    return AnswerCheck(faults, twice, lost)


# ---- outside the program folder ----------------------------------------------------------------

def snapshot(folder):
    """Every file and folder below `folder`, links not followed: {relative path: what it is}."""
    found = {}
    for top, dirs, files in os.walk(folder):
        for name in dirs + files:
            path = os.path.join(top, name)
            relative = os.path.relpath(path, folder)
            st = os.lstat(path)
            if os.path.islink(path):
                found[relative] = "<link to %s>" % os.readlink(path)
            elif name in dirs:
                found[relative] = "<folder>"
            else:
                with open(path, "rb") as f:
                    found[relative] = (hashlib.sha256(f.read()).hexdigest(), st.st_mtime_ns, st.st_mode)
    return found


def written_by_store(path, entries):
    """Whether a change at `path` (relative to the outside folder) is one the linked store may
    make: a visible plain file in one of the folders the program writes in it."""
    folder, _, name = path.rpartition("/")
    top, _, inner = folder.partition("/")
    return (top == LINKED_STORE and inner in LINKED_WRITES and not name.startswith(".")
            and all(e is None or isinstance(e, tuple) for e in entries))


@dataclasses.dataclass
class OutsideCheck:
    changed: list  # "path appeared|went|changed" for every change the program may not make there
    link: str  # what is wrong with the link, "" when it still leads to the linked store
    store_written: bool  # the linked store changed through the link

    @property
    def faults(self):
        return ([self.link] if self.link else []) + ["outside the program folder: " + c for c in self.changed]


def outside_check(program, outside, before, after):
    """Compares two snapshots of the outside folder: only the linked store may change there, and
    only its mail, records and sent mail; the program folder's link to it must still be the link."""
    changed, store_written = [], False
    for path in sorted(set(before) | set(after)):
        old, new = before.get(path), after.get(path)
        if old == new:
            continue
        if written_by_store(path, (old, new)):
            store_written = True
        else:
            changed.append("%s %s" % (path, "appeared" if old is None else "went" if new is None else "changed"))
    link = os.path.join(program, LINKED_FOLDER)
    target = os.path.realpath(os.path.join(outside, LINKED_STORE))
    problem = ""
    if not os.path.islink(link):
        problem = "%s is no longer a link (%s)" % (
            LINKED_FOLDER, "a folder" if os.path.isdir(link) else "a file" if os.path.exists(link) else "gone")
    elif os.path.realpath(link) != target:
        problem = "%s leads to %s, not to %s" % (LINKED_FOLDER, os.path.realpath(link), target)
    return OutsideCheck(changed, problem, store_written)
