"""The outside check on a small program folder with its linked store, and the answering check's
count of forwards and replies, run by hand:

    cd bench && /usr/bin/python3 -m unittest kill_campaign.test_checks
"""

import os
import shutil
import tempfile
import unittest

from .checks import answer_check, forward_counts, outside_check, snapshot
from .fixture import FORWARD_MARK, LINKED_FOLDER, encoded_word, link_store, write


class OutsideCheckTest(unittest.TestCase):
    def setUp(self):
        self.lay_out()

    def lay_out(self):
        """A program folder whose linked store holds one mail, beside a user's note."""
        self.work = tempfile.mkdtemp(prefix="outside-check-")
        self.addCleanup(shutil.rmtree, self.work)
        self.program = os.path.join(self.work, "program")
        self.outside = os.path.join(self.work, "outside")
        write(os.path.join(self.outside, "notes", "memo.txt"), b"memo\r\n")
        link_store(self.program, self.outside)
        self.store = os.path.join(self.program, LINKED_FOLDER)
        write(os.path.join(self.store, "JUSIN_FO", "a.eml"), b"a\r\n")
        write(os.path.join(self.store, "JUSIN_FO", "F_D_F", "a.dxd"), b"a\r\n")
        os.makedirs(os.path.join(self.store, "SOUSIN_FO"))

    def check_after(self, change):
        before = snapshot(self.outside)
        change()
        return outside_check(self.program, self.outside, before, snapshot(self.outside))

    def test_mail_moved_through_the_link_is_allowed(self):
        def move_in():
            write(os.path.join(self.store, "JUSIN_FO", "b.eml"), b"b\r\n")
            write(os.path.join(self.store, "JUSIN_FO", "F_D_F", "b.dxd"), b"b\r\n")
            write(os.path.join(self.store, "SOUSIN_FO", "s.txt"), b"s\r\n")
            os.remove(os.path.join(self.store, "JUSIN_FO", "a.eml"))
        result = self.check_after(move_in)
        self.assertEqual(result.faults, [])
        self.assertTrue(result.store_written)

    def test_what_the_program_may_not_change_outside(self):
        cases = [
            ("a user's file beside the store changed",
             lambda: write(os.path.join(self.outside, "notes", "memo.txt"), b"other\r\n"), "notes/memo.txt changed"),
            ("a file put beside the store",
             lambda: write(os.path.join(self.outside, "JUSIN_FO", "x.eml"), b"x\r\n"), "JUSIN_FO appeared"),
            ("a hidden mail left in the store",
             lambda: write(os.path.join(self.store, "JUSIN_FO", ".a.eml.deleting"), b"a\r\n"),
             "HOBBY/JUSIN_FO/.a.eml.deleting appeared"),
            ("a file in the store outside its mail folders",
             lambda: write(os.path.join(self.store, "a.eml"), b"a\r\n"), "HOBBY/a.eml appeared"),
            ("a record folder gone",
             lambda: shutil.rmtree(os.path.join(self.store, "JUSIN_FO", "F_D_F")), "HOBBY/JUSIN_FO/F_D_F went"),
        ]
        for name, change, fault in cases:
            with self.subTest(name):
                self.lay_out()
                result = self.check_after(change)
                self.assertIn("outside the program folder: " + fault, result.faults)

    def test_a_link_replaced_by_a_folder(self):
        def replace():
            os.remove(self.store)
            os.makedirs(os.path.join(self.store, "JUSIN_FO"))
        result = self.check_after(replace)
        self.assertEqual(result.faults, [LINKED_FOLDER + " is no longer a link (a folder)"])



class AnswerCheckTest(unittest.TestCase):
    def test_forwards_are_counted_by_the_token_of_their_encoded_subject(self):
        def forward(subject, charset):
            return ("Delivered-To: kcforward@example.jp\r\nSubject: %s\r\n\r\nbody\r\n" % encoded_word(
                FORWARD_MARK + subject, charset)).encode("ascii")
        messages = [forward("A0001 会議資料", "ISO-2022-JP"), forward("A0002 出張報告書", "UTF-8"),
                    forward("A0001 会議資料", "UTF-8"), forward("A0009 旅行の計画", "UTF-8")]
        self.assertEqual(forward_counts(messages, ["A0001", "A0002", "A0003"]), {"A0001": 2, "A0002": 1, "A0003": 0})

    def test_what_a_kill_may_cost_and_what_it_may_not(self):
        a, b = "kcr00001s1@example.jp", "kcr00001s2@example.jp"
        once = {"A0001": 1, "A0002": 1}
        cases = [
            # name, forwards, replies, reply log, kills, faults, forwarded twice, replies lost
            ("all handled once", once, {a: 1, b: 1}, [b, a], 0, [], 0, 0),
            ("a forward sent just before the kill goes again", {"A0001": 2, "A0002": 1}, {a: 1, b: 1}, [a, b], 1,
             [], 1, 0),
            ("a reply caught by the kill is lost", once, {a: 1, b: 0}, [a, b], 1, [], 0, 1),
            ("a mail not forwarded", {"A0001": 1, "A0002": 0}, {a: 1, b: 1}, [a, b], 1,
             ["mail A0002 was not forwarded"], 0, 0),
            ("forwarded twice without a kill", {"A0001": 2, "A0002": 1}, {a: 1, b: 1}, [a, b], 0,
             ["1 mails were forwarded twice after 0 kills"], 1, 0),
            ("forwarded three times", {"A0001": 3, "A0002": 1}, {a: 1, b: 1}, [a, b], 1,
             ["mail A0001 was forwarded 3 times"], 0, 0),
            ("a sender answered twice", once, {a: 2, b: 1}, [a, b], 1, [a + " was answered 2 times"], 0, 0),
            ("a sender logged twice", once, {a: 1, b: 1}, [a, b, a], 1, [a + " is in the reply log 2 times"], 0, 0),
            ("answered but not logged", once, {a: 1, b: 1}, [a], 1, [b + " is not in the reply log (yet answered)"],
             0, 0),
            ("never answered nor logged", once, {a: 1, b: 0}, [a], 1,
             [b + " is not in the reply log (never answered)"], 0, 0),
            ("two replies lost to one kill", once, {a: 0, b: 0}, [a, b], 1,
             ["2 senders in the reply log got no reply after 1 kills"], 0, 2),
        ]
        for name, forwards, replies, logged, kills, faults, twice, lost in cases:
            with self.subTest(name):
                result = answer_check(forwards, replies, logged, kills)
                self.assertEqual((result.faults, result.forwarded_twice, result.replies_lost), (faults, twice, lost))


if __name__ == "__main__":
    unittest.main()
