"""The outside check on a small program folder with its linked store, run by hand:

    cd bench && /usr/bin/python3 -m unittest kill_campaign.test_checks
"""

import os
import shutil
import tempfile
import unittest

from .checks import outside_check, snapshot
from .fixture import LINKED_FOLDER, link_store, write


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


if __name__ == "__main__":
    unittest.main()
