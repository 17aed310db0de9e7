"""The campaign's mail servers: a Dovecot of tests/servers/mail-servers on 127.0.0.1 and the
campaign's mailbox on it, and the aiosmtpd beside it that takes the program's sends (each to the
maildir of its recipient's local part)."""

import os
import subprocess

from .fixture import log, message_id_of

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))


class MailServer:
    USER = "killcampaign"

    def __init__(self, work):
        self.script = os.path.join(ROOT, "tests", "servers", "mail-servers")
        self.state = os.path.join(work, "servers.env")
        subprocess.run([self.script, "start", self.state], check=True)
        self.values = {}
        with open(self.state) as f:
            for line in f:
                key, _, value = line.rstrip("\n").partition("=")
                self.values[key] = value
        self.maildir = os.path.join(self.values["MAIL_ROOT"], self.USER, "Maildir")
        for sub in ("", "new", "cur", "tmp"):
            os.makedirs(os.path.join(self.maildir, sub), exist_ok=True)
            self.own(os.path.join(self.maildir, sub))
        self.own(os.path.dirname(self.maildir))
        self.serial = 0  # Dovecot takes new mail in the order of the number its file name begins with
        log("mail server: Dovecot POP3 on 127.0.0.1:%s (STARTTLS), mailbox %s" % (self.values["POP3_PORT"],
                                                                                 self.maildir))

    @property
    def ca_file(self):
        return self.values["CA_FILE"]

    def stop(self):
        subprocess.run([self.script, "stop", self.state], check=False)

    def own(self, path):
        # Dovecot runs no mail process as root: under root the mail belongs to its mail user.
        if os.geteuid() == 0:
            os.chown(path, int(self.values["MAIL_UID"]), int(self.values["MAIL_GID"]))

    def account_file(self):
        """SYSTEM_F\\MAIL_DATA.txt for the mailbox: POP3 on the plain port, which the component secures with STARTTLS."""
        values = ["127.0.0.1", "受信 試験", "me@example.jp", "127.0.0.1", self.USER, self.values["PASSWORD"],
                  self.values["SMTP_AUTH_PORT"], self.values["POP3_PORT"], "20", "KILL CAMPAIGN"]
        return ("\r\n".join(values) + "\r\n").encode("cp932")

    def put(self, messages):
        for data in messages:
            self.serial += 1
            name = "%d.M%dP%d.killcampaign" % (1000000000 + self.serial, self.serial, os.getpid())
            temp = os.path.join(self.maildir, "tmp", name)
            with open(temp, "wb") as f:
                f.write(data)
            self.own(temp)
            os.rename(temp, os.path.join(self.maildir, "new", name))

    def files(self, maildir=None):
        maildir = maildir or self.maildir
        return [os.path.join(maildir, sub, n) for sub in ("new", "cur") if os.path.isdir(os.path.join(maildir, sub))
                for n in sorted(os.listdir(os.path.join(maildir, sub)))]

    def delivered(self, local_part):
        """The messages the SMTP server delivered to `local_part`@..., as bytes."""
        messages = []
        for path in self.files(os.path.join(self.values["MAIL_ROOT"], local_part, "Maildir")):
            with open(path, "rb") as f:
                messages.append(f.read())
        return messages

    def message_ids(self):
        return {message_id_of(path) for path in self.files()}

    def drain(self):
        for path in self.files():
            os.remove(path)
