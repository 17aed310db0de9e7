"""The kill campaign: SIGKILLs of the built program at random moments of its moves, restores,
returns and deletes, of a receive, of the exit that empties the trash, and of the answering mode's
check, each followed by a restart that must find every store and every list whole (and, after an
answering check, a restarted check that finishes its work).

    bench/kill_campaign/run [--rounds N] [--late MS] [--receive-late MS] [--answer-late MS]
                            [--receive-from change|component] [--restart-at-once] [--actions SPEC]
                            [--new-mails N] [--answer-mails N] [--seed S] [--work DIR] [--keep] [--no-build]
    bench/kill_campaign/run --sweep [--actions SPEC] [--answer-mails N] [--seed S] ...

Builds, prepares a program folder of 40 received mails with Japanese subjects and senders
(ISO-2022-JP or UTF-8; ten carry an attachment of one same name) and some sent mails spread over
the receive box, the send box, the trash and the four folders; their records and list caches are
made by the program's own first start. The folder HOBBY is a symbolic link into a folder outside the
program folder, beside files of the user's that no action may touch. Some rows of the receive list
get the unread or the answering mark in its cache. The option "empty the trash at exit" is on (its
flag file). When the mix holds the receive or the answering check, the servers of
tests/servers/mail-servers (Dovecot and aiosmtpd) run on 127.0.0.1 for the campaign and the
account file names them; with the answering check its settings and a reply text are written too.
Then, each round:

  act    one random action through the windows (kill_campaign act), SIGKILLed a random 0-60
         ms (--late; a receive 0-1500 ms, --receive-late) after its first file change (a
         receive's with --receive-from component: after its mail component started; a round whose
         action printed DONE first counts as finished, not killed); a receive takes 15 new mails
         (--new-mails) put on the server before it (none while 45 still wait there); the exit is
         the closing of the main window; the answering check (0-8000 ms, --answer-late) is the
         mode's first check after its start button, on 10 mails (--answer-mails) from 4 senders
         of the round's own;
  wait   until no mail component works in the program folder any more (a receive's component is
         not killed with the program and may still be storing mail), at most 30 s; with
         --restart-at-once not after a receive or an answering check, whose restart must wait;
  check  a restart on the folder and its checks (kill_campaign check), and here: no mail
         lost (only a delete may take mail, and only from the store it deletes in; the exit all
         of the trash's mail or none), at most the mails of the action changed place, every mail
         put on the server is in the receive box (once, in the server's order) or still on the
         server; outside the program folder only the linked folder's mail, records and sent mail
         changed, and the link is still the link. After an answering check the restart also
         starts the mode and lets one check run (check-answer): every mail of the round then
         forwarded (one per kill may go twice), no sender answered twice, each in the day's reply
         log once, at most one per kill logged but unanswered, and the answering log gone.

With --sweep, instead, every action runs from the prepared folder once for each of its file
changes and kills itself right before it (act's KILL_AT), until it runs to its end; a receive
gets a fresh server mailbox of new mails for each run.

--actions chooses the mix: NAME or NAME=WEIGHT items, comma-separated; "moves" stands for the 22
moves, restores, returns and deletes (moves=0.5 halves their weights). Default: all 25.

The expected marks follow the mails: a mail keeps its mark while it stays in the receive box; a
mail that left the box is expected back without a mark (a returned mail's row is made from its
record); a received mail is unread. A round's program and outside folders before the action and
after the check are kept when it fails, and the campaign goes on from the prepared folder (the
server emptied). The work folder is on the root file system.

This folder is the whole tool. The driver (Python): run (the command), fixture (the mails, the
program folder, the expectations, the outside folder and its link), server (the Dovecot), act (the
actions, one run of act and its kill, the wait for a mail component), checks (what the driver
checks after a round), campaign (the rounds, their results, the figures, the command line),
test_checks (its own tests). The program build/bin/kill_campaign (C++, bench/CMakeLists.txt):
program.cpp (act, check, check-answer), actions (the actions through the windows), start_checks
(what each start of the program must find), live_program (the program on the headless platform
with the wall clock and the real mail component), answering_run (the answering mode started, one
check run, the mode stopped).
"""
