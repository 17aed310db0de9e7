"""The campaign: rounds of an action, a kill, a restart and the checks, each giving a RoundResult;
random rounds or the sweep; the figures at the end."""

import argparse
import dataclasses
import os
import random
import shutil
import signal
import subprocess
import sys
import tempfile

from . import __doc__ as DESCRIPTION
from .act import (ACTION_WAIT, ANSWER, EXIT, RECEIVE, RECEIVING, ActOutcome, mail_components_in, parse_actions, run_act,
                  wait_for_components)
from .checks import (AnswerCheck, OutsideCheck, ServerCheck, answer_check, exit_trash, forward_counts, inventory_faults,
                     outside_check, read_inventory, reply_log_lines, run_check, server_check, snapshot)
from .fixture import (EXIT_LEFTOVERS, FORWARD_MARK, FORWARD_USER, LINKED_STORE, REPLY_MARK, Expectations,
                      answer_mail, answer_senders, log, prepare, server_mail, write)
from .server import ROOT, MailServer

# Below these the stores are filled again from the prepared folder; above this too (receives add mail).
LEAST_RECEIVED = 28
LEAST_SENT = 6
MOST_RECEIVED = 130
# The latest kill of an answering check after its first change, in ms: about the length of its check.
ANSWER_LATE = 8000


@dataclasses.dataclass
class RoundResult:
    number: int
    action: str
    seed: int
    act: ActOutcome
    faults: list
    outside: OutsideCheck
    server: ServerCheck = None  # when mail waited on the server for the round
    outlived: float = None  # s a receive's mail component went on after the kill
    exit_trash: tuple = None  # an exit's: (kept, emptied, partly or empty; mails before; still there)
    answer: AnswerCheck = None  # an answering check's forwards and replies
    met_component: bool = False  # the restart came while a mail component of the killed run still worked
    kept: str = None  # the folder that keeps a failed round

    def notes(self):
        """What the round's log line tells beside the outcome."""
        if self.exit_trash:
            whole, count, still = self.exit_trash
            if whole == "empty":
                return "; the trash was empty"
            return "; the trash's %d mails %s" % (count, "%d kept" % still if whole == "partly" else whole)
        text = ""
        if self.server:
            s = self.server
            text = "; %d of %d received, %d left on the server" % (len(s.stored), s.arriving, len(s.left))
            if s.also_on_server:
                text += " (%d of them also still on the server)" % len(s.also_on_server)
        if self.outlived is not None:
            text += "; the mail component outlived the kill by %.0f ms" % (self.outlived * 1000)
        if self.answer:
            text += "; forwarded twice %d, replies lost %d" % (self.answer.forwarded_twice, self.answer.replies_lost)
        if self.met_component:
            text += "; the restart met its mail component still at work"
        return text


def stock(inventory):
    received = sum(len(p) for k, p in inventory.items() if k[0] == "R")
    sent = sum(len(p) for k, p in inventory.items() if k[0] == "S")
    return received, sent


class Campaign:
    def __init__(self, work, binary, rng, server, new_mails, receive_from="change", answer_mails=None,
                 answer_senders=4, restart_at_once=False):
        self.work = work
        self.binary = binary
        self.receive_from = receive_from
        # After a receive or an answering check, restart without waiting for its mail component:
        # the start must wait for it.
        self.restart_at_once = restart_at_once
        self.rng = rng
        self.server = server
        self.new_mails = new_mails
        self.answer_mails = answer_mails  # mails of an answering round; None: no answering rounds
        self.answer_senders = answer_senders
        self.program = os.path.join(work, "program")
        self.outside = os.path.join(work, "outside")
        self.prepared = os.path.join(work, "prepared")
        self.prepared_store = os.path.join(work, "prepared-" + LINKED_STORE)
        self.expect, self.inventory_file = prepare(work, self.program, self.outside, rng, server, self.check,
                                                   answering=answer_mails is not None)
        shutil.copytree(self.program, self.prepared, symlinks=True)
        shutil.copytree(os.path.join(self.outside, LINKED_STORE), self.prepared_store)
        shutil.copy2(self.expect, self.expect + ".prepared")
        shutil.copy2(self.inventory_file, self.inventory_file + ".prepared")
        self.inventory = read_inventory(self.inventory_file)
        self.results = []
        self.refills = 0
        # The receive: mails put on the server (Message-IDs, by their number) not yet in the receive box.
        self.mail_serial = 0
        self.serial_of = {}
        self.on_server = set()
        self.put = 0
        # The answering rounds: their number (which makes their senders), the round's mails {token:
        # sender's address}.
        self.answer_rounds = 0
        self.answer_round = {}

    def check(self, program, expect, inventory):
        return run_check(self.binary, program, expect, inventory)

    def refill(self):
        """Back to the prepared folder, its linked store and its expectations, the server emptied.
        The rest of the outside folder stays as it is: a change there is a fault of the round that
        made it."""
        shutil.rmtree(self.program)
        shutil.copytree(self.prepared, self.program, symlinks=True)
        store = os.path.join(self.outside, LINKED_STORE)
        shutil.rmtree(store, ignore_errors=True)
        shutil.copytree(self.prepared_store, store)
        shutil.copy2(self.expect + ".prepared", self.expect)
        shutil.copy2(self.inventory_file + ".prepared", self.inventory_file)
        self.inventory = read_inventory(self.inventory_file)
        if self.server:
            self.server.drain()
        self.on_server.clear()
        self.refills += 1

    def stock_of(self, store):
        return sum(1 for places in self.inventory.values() if store in places)

    def put_new_mail(self):
        """New mails on the server for a receive, known to the expectations as unread; none while
        the mails of three receives still wait there (receives killed before their component ran)."""
        if len(self.on_server) >= 3 * self.new_mails:
            return
        expected = Expectations(self.expect)
        data = []
        for _ in range(self.new_mails):
            self.mail_serial += 1
            message_id, token, message_bytes = server_mail(self.mail_serial, self.rng)
            self.serial_of[message_id] = self.mail_serial
            expected.tokens[message_id], expected.marks[message_id] = token, "unread"
            self.on_server.add(message_id)
            data.append(message_bytes)
        expected.save()
        self.server.put(data)
        self.put += len(data)

    def put_answer_mail(self):
        """The answering round's mails on the server, from senders of the round's own, known to the
        expectations with the answering mark. Mail that waits there from a killed receive goes
        first: the check would answer its senders, whom earlier rounds answered today."""
        if self.on_server:
            self.server.drain()
            self.on_server.clear()
        self.answer_rounds += 1
        senders = answer_senders(self.answer_rounds, self.answer_senders)
        order = [k % len(senders) for k in range(self.answer_mails)]
        self.rng.shuffle(order)
        expected = Expectations(self.expect)
        data = []
        self.answer_round = {}
        for k in order:
            self.mail_serial += 1
            message_id, token, message_bytes = answer_mail(self.mail_serial, senders[k], self.rng)
            self.serial_of[message_id] = self.mail_serial
            expected.tokens[message_id], expected.marks[message_id] = token, "answer"
            self.on_server.add(message_id)
            self.answer_round[token] = "%s@example.jp" % senders[k][1]
            data.append(message_bytes)
        # The send box keeps a copy of each forward and reply.
        expected.sent += self.answer_copies()
        expected.save()
        self.server.put(data)
        self.put += len(data)

    def answer_copies(self):
        """The subject tokens of the copies of the answering round's forwards and replies."""
        return [mark + token for token in self.answer_round for mark in (FORWARD_MARK, REPLY_MARK)]

    def check_answers(self, killed):
        """The forwards and replies of the answering round's mails, and the reply log."""
        forwards = forward_counts(self.server.delivered(FORWARD_USER), self.answer_round)
        replies = {sender: len(self.server.delivered(sender.split("@")[0]))
                   for sender in set(self.answer_round.values())}
        return answer_check(forwards, replies, reply_log_lines(self.program), 1 if killed else 0)

    def keep_copy(self, folder):
        """The program folder and the outside folder, side by side in `folder` (the link leads
        from the one copy into the other)."""
        shutil.copytree(self.program, os.path.join(folder, "program"), symlinks=True)
        shutil.copytree(self.outside, os.path.join(folder, "outside"), symlinks=True)

    def round(self, action, action_seed, delay=None, kill_at=None):
        """One action, killed `delay` s after its first change or by itself before change
        `kill_at`, then the checks; its result, None when its list was empty (no round)."""
        if action == EXIT:
            for name in EXIT_LEFTOVERS:
                write(os.path.join(self.program, name), b"%s\r\n" % name.encode())
        if action == RECEIVE:
            self.put_new_mail()
        if action == ANSWER:
            self.put_answer_mail()
        arriving = frozenset(self.on_server)
        before = os.path.join(self.work, "before")
        if os.path.exists(before):
            shutil.rmtree(before)
        self.keep_copy(before)
        outside_before = snapshot(self.outside)
        stderr = os.path.join(self.work, "act.stderr")
        act = run_act(self.binary, self.program, action, action_seed, stderr, delay, kill_at, self.receive_from)
        if act is None:
            return None
        met_component = False
        if self.restart_at_once and action in RECEIVING:
            outlived, faults = None, []
            met_component = bool(mail_components_in(self.program))
        else:
            outlived, faults = wait_for_components(self.program)

        new_inventory = self.inventory_file + ".new"
        if os.path.exists(new_inventory):
            os.remove(new_inventory)
        ok, output = run_check(self.binary, self.program, self.expect, new_inventory, answer=action == ANSWER)
        if not ok:
            faults += [line for line in output.split("\n") if line]
        if met_component:
            faults += wait_for_components(self.program)[1]
        if act.kind == "hung":
            faults.append("the action did not end within %d s" % ACTION_WAIT)
        after = read_inventory(new_inventory) if os.path.exists(new_inventory) else {}
        faults += inventory_faults(self.inventory, after, action, act.source, arriving,
                                   frozenset(self.answer_copies()) if action == ANSWER else frozenset())
        server = None
        if arriving:
            # The answering round's restart ran a whole check: it took all there was.
            server = server_check(arriving, after, self.server.message_ids(), self.serial_of,
                                  (act.ended and action == RECEIVE) or action == ANSWER)
            faults += server.faults
        answer = None
        if action == ANSWER:
            answer = self.check_answers(act.kind == "killed")
            faults += answer.faults
        outside = outside_check(self.program, self.outside, outside_before, snapshot(self.outside))
        faults += outside.faults
        result = RoundResult(len(self.results) + 1, action, action_seed, act, faults, outside, server, outlived,
                             exit_trash(self.inventory, after) if action == EXIT else None, answer, met_component)
        self.results.append(result)
        log("round %d: %s seed %d: %s%s: %s" % (result.number, action, action_seed, act.text, result.notes(),
                                                  "OK" if not faults else "%d faults" % len(faults)))
        if faults:
            result.kept = self.keep_failed(result, before)
            for line in faults:
                log("    " + line)
            # Go on from the prepared folder: later rounds would only repeat the damage.
            self.refill()
            return result
        # The marks follow the mails: a mail out of the receive box comes back without one; a mail
        # still on the server comes as unread mail.
        os.replace(new_inventory, self.inventory_file)
        self.inventory = after
        self.on_server = set(result.server.left) if result.server else set()
        expected = Expectations(self.expect)
        for key in expected.marks:
            if key in self.on_server:
                expected.marks[key] = "unread"
            elif "receive box" not in self.inventory.get(("R", key), []):
                expected.marks[key] = "none"
        expected.save()
        return result

    def keep_failed(self, result, before):
        kept = os.path.join(self.work, "failed", "round-%d" % result.number)
        os.makedirs(kept)
        os.rename(before, os.path.join(kept, "before"))
        self.keep_copy(os.path.join(kept, "after"))
        shutil.copy2(self.expect, os.path.join(kept, "expected-marks"))
        shutil.copy2(os.path.join(self.work, "act.stderr"), os.path.join(kept, "act.stderr"))
        with open(os.path.join(kept, "act.stdout"), "w") as f:
            f.write("\n".join(result.act.lines) + "\n")
        with open(os.path.join(kept, "faults"), "w") as f:
            f.write("\n".join(result.faults) + "\n")
        if self.server:
            with open(os.path.join(kept, "server"), "w") as f:
                f.write("".join("%s\n" % m for m in sorted(self.server.message_ids())))
        return kept


def random_rounds(campaign, rng, rounds, actions, late_ms, receive_late_ms, answer_late_ms):
    empties = 0
    while len(campaign.results) < rounds:
        action = rng.choices(list(actions), weights=list(actions.values()))[0]
        received, sent = stock(campaign.inventory)
        if (received < LEAST_RECEIVED or received > MOST_RECEIVED or sent < LEAST_SENT or empties > 20
                or (action == EXIT and campaign.stock_of("trash") < 2)):
            campaign.refill()
            empties = 0
        late = {RECEIVE: receive_late_ms, ANSWER: answer_late_ms}.get(action, late_ms)
        if campaign.round(action, rng.randrange(1 << 30), delay=rng.uniform(0, late / 1000)):
            empties = 0
        else:
            empties += 1


def sweep(campaign, rng, actions):
    """Every action once from the prepared folder for each of its file changes, killed right before it."""
    for action in actions:
        action_seed = rng.randrange(1 << 30)
        for kill_at in range(1, 1000):
            campaign.refill()
            result = campaign.round(action, action_seed, kill_at=kill_at)
            if result is None or result.act.kind == "finished":
                break


def report(campaign):
    """The figures of the campaign, from its rounds' results; whether any round failed."""
    results = campaign.results
    failures = [r for r in results if r.faults]
    kinds = [r.act.kind for r in results]
    log("")
    log("rounds %d, kills %d, finished %d, without a change %d, refills %d, faults in %d rounds" % (
        len(results), kinds.count("killed"), kinds.count("finished"), kinds.count("no change"), campaign.refills,
        len(failures)))
    tallies = {}
    for r in results:
        tally = tallies.setdefault(r.action, {"rounds": 0, "killed": 0, "finished": 0, "faulty": 0})
        tally["rounds"] += 1
        tally["faulty"] += bool(r.faults)
        if r.act.kind in tally:
            tally[r.act.kind] += 1
    for action, tally in sorted(tallies.items(), key=lambda a: -a[1]["rounds"]):
        log("    %-24s rounds %3d, kills %3d, finished %3d, faulty %d" % (
            action, tally["rounds"], tally["killed"], tally["finished"], tally["faulty"]))
    durations = {}
    for r in results:
        if r.act.kind == "finished" and r.act.took is not None:
            durations.setdefault(r.action, []).append(r.act.took)
    for action, took in sorted(durations.items()):
        took = sorted(took)
        log("    %s finished %.0f-%.0f ms after its first change (median %.0f ms, %d rounds)" % (
            action, took[0] * 1000, took[-1] * 1000, took[len(took) // 2] * 1000, len(took)))
    delays = sorted(r.act.delay for r in results if r.act.kind == "killed" and r.act.delay is not None)
    if delays:
        log("kill delays: %.0f-%.0f ms, median %.0f ms" % (
            delays[0] * 1000, delays[-1] * 1000, delays[len(delays) // 2] * 1000))
    if campaign.server:
        served = [r.server for r in results if r.server]
        log("mails put on the server %d: received %d, left on the server by a round %d, stored and still on "
            "the server %d" % (campaign.put, sum(len(s.stored) for s in served), sum(len(s.left) for s in served),
                               sum(len(s.also_on_server) for s in served)))
        met = sum(1 for r in results if r.met_component)
        if campaign.restart_at_once:
            log("the restart met the killed run's mail component still at work in %d rounds" % met)
        outlived = [r.outlived for r in results if r.outlived is not None]
        if outlived:
            log("a receive's mail component outlived the kill in %d rounds, for at most %.1f s" % (
                len(outlived), max(outlived)))
    answers = [r.answer for r in results if r.answer]
    if answers:
        log("answering checks: %d mails forwarded twice, %d replies lost to the kill, in %d rounds" % (
            sum(a.forwarded_twice for a in answers), sum(a.replies_lost for a in answers), len(answers)))
    exits = [r.exit_trash[0] for r in results if r.exit_trash]
    if any(r.action == EXIT for r in results):
        log("after the exit the trash's mail was all there in %d rounds, all gone in %d" % (
            exits.count("kept"), exits.count("emptied")) +
            (", partly gone in %d" % exits.count("partly") if exits.count("partly") else "") +
            (", the trash empty before in %d" % exits.count("empty") if exits.count("empty") else ""))
    outside = ["round %d: %s" % (r.number, c) for r in results for c in [r.outside.link] + r.outside.changed if c]
    written = sum(1 for r in results if r.outside.store_written)
    log("outside the program folder: %s; the linked store %s there was written in %d of %d rounds" % (
        "nothing changed" if not outside else "CHANGED: " + ", ".join(outside), LINKED_STORE, written,
        len(results)))
    for r in failures:
        log("round %d: %s seed %d, %s (%s); kept in %s" % (r.number, r.action, r.seed, r.act.text, r.act.act_line,
                                                           r.kept))
        for line in r.faults:
            log("    " + line)
    return bool(failures)


def main():
    parser = argparse.ArgumentParser(description=DESCRIPTION.strip().split("\n")[0])
    parser.add_argument("--rounds", type=int, default=100)
    parser.add_argument("--late", type=float, default=60,
                        help="the latest kill after the first file change, in ms (default 60)")
    parser.add_argument("--receive-late", type=float, default=1500,
                        help="the same for a receive (default 1500)")
    parser.add_argument("--answer-late", type=float, default=ANSWER_LATE,
                        help="the same for an answering check (default %d)" % ANSWER_LATE)
    parser.add_argument("--actions", default="",
                        help="the mix: NAME[=WEIGHT],... ('moves' for the 22 moves, restores, returns and deletes)")
    parser.add_argument("--receive-from", choices=("change", "component"), default="change",
                        help="count a receive's or an answering check's kill delay from its first change "
                             "(default) or from the start of its receive's mail component")
    parser.add_argument("--restart-at-once", action="store_true",
                        help="after a receive or an answering check, restart without waiting for its mail "
                             "component (the start must wait for it)")
    parser.add_argument("--new-mails", type=int, default=15, help="mails put on the server before each receive")
    parser.add_argument("--answer-mails", type=int, default=10,
                        help="mails put on the server before each answering check, from 4 senders (default 10)")
    parser.add_argument("--sweep", action="store_true",
                        help="instead of random rounds: each action killed before each of its file changes")
    parser.add_argument("--seed", type=int, default=None, help="for a campaign that can be run again")
    parser.add_argument("--work", default=None, help="work folder (default: a new one in /tmp)")
    parser.add_argument("--keep", action="store_true", help="keep the work folder also when all went well")
    parser.add_argument("--no-build", action="store_true")
    args = parser.parse_args()
    actions = parse_actions(args.actions)

    if not args.no_build:
        subprocess.run([os.path.join(ROOT, "tools", "build")], check=True)
    build = os.environ.get("TALVENOR_BUILD", os.path.join(ROOT, "build"))
    binary = os.path.join(build, "bin", "kill_campaign")
    seed = args.seed if args.seed is not None else random.randrange(1 << 30)
    rng = random.Random(seed)
    work = args.work or tempfile.mkdtemp(prefix="kill_campaign-", dir="/tmp")
    os.makedirs(work, exist_ok=True)
    log("campaign seed %d, work folder %s" % (seed, work))

    # Stopped by a signal, the campaign still stops its server.
    signal.signal(signal.SIGTERM, lambda *_: sys.exit(128 + signal.SIGTERM))
    signal.signal(signal.SIGINT, signal.default_int_handler)
    server = None
    if any(a in actions for a in RECEIVING):
        server = MailServer(work)
        # The mail component the program starts trusts the servers' own CA.
        os.environ["TALVENOR_CA_FILE"] = server.ca_file
    try:
        campaign = Campaign(work, binary, rng, server, args.new_mails, args.receive_from,
                            args.answer_mails if ANSWER in actions else None, restart_at_once=args.restart_at_once)
        if args.sweep:
            sweep(campaign, rng, actions)
        else:
            random_rounds(campaign, rng, args.rounds, actions, args.late, args.receive_late, args.answer_late)
    finally:
        if server:
            server.stop()

    bad = report(campaign)
    if not bad and not args.keep:
        shutil.rmtree(work)
    else:
        log("work folder kept: %s" % work)
    return 1 if bad else 0
