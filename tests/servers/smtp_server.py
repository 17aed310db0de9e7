"""A test SMTP server on 127.0.0.1: aiosmtpd delivering into per-recipient maildirs.

Run with Debian's /usr/bin/python3 (python3-aiosmtpd). Three listeners, written to the ports file
once all accept connections:
  SMTP_PORT       plain, no STARTTLS, no AUTH
  SMTP_AUTH_PORT  STARTTLS offered, AUTH required (after STARTTLS)
  SMTPS_PORT      TLS from the first byte, AUTH required
A recipient whose local part begins with "refuse" is refused with 550. Each accepted message is
stored in ROOT/<local part>/Maildir/new with a Return-Path and a Delivered-To line before it.
AUTH accepts any user name with the one password that Dovecot accepts too.
"""
import argparse
import os
import signal
import ssl
import time
import uuid

from aiosmtpd.controller import Controller
from aiosmtpd.smtp import AuthResult, LoginPassword


class Delivery:
    def __init__(self, root, uid, gid):
        self.root = root
        self.uid = uid
        self.gid = gid

    async def handle_RCPT(self, server, session, envelope, address, rcpt_options):
        if address.split("@")[0].lower().startswith("refuse"):
            return "550 5.1.1 Mailbox refused by policy"
        envelope.rcpt_tos.append(address)
        return "250 OK"

    def _own(self, path):
        if self.uid >= 0:
            os.chown(path, self.uid, self.gid)

    def _deliver(self, recipient, data):
        maildir = os.path.join(self.root, recipient.split("@")[0], "Maildir")
        for sub in ("", "tmp", "new", "cur"):
            path = os.path.join(maildir, sub)
            if not os.path.isdir(path):
                os.makedirs(path, exist_ok=True)
                self._own(path)
        self._own(os.path.dirname(maildir))
        name = "%d.%s.smtp" % (time.time(), uuid.uuid4().hex)
        temp = os.path.join(maildir, "tmp", name)
        with open(temp, "wb") as f:
            f.write(data)
        self._own(temp)
        os.rename(temp, os.path.join(maildir, "new", name))

    async def handle_DATA(self, server, session, envelope):
        for recipient in envelope.rcpt_tos:
            head = ("Return-Path: <%s>\r\nDelivered-To: %s\r\n" % (envelope.mail_from, recipient)).encode()
            self._deliver(recipient, head + envelope.original_content)
        return "250 Message accepted for delivery"


class Authenticator:
    def __init__(self, password):
        self.password = password

    def __call__(self, server, session, envelope, mechanism, auth_data):
        if not isinstance(auth_data, LoginPassword):
            return AuthResult(success=False, handled=False)
        ok = bool(auth_data.login) and auth_data.password.decode("utf-8", "replace") == self.password
        return AuthResult(success=ok, handled=False)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--root", required=True)
    parser.add_argument("--password", required=True)
    parser.add_argument("--cert", required=True)
    parser.add_argument("--key", required=True)
    parser.add_argument("--ports", nargs=3, type=int, required=True)
    parser.add_argument("--ports-file", required=True)
    parser.add_argument("--uid", type=int, default=-1)
    parser.add_argument("--gid", type=int, default=-1)
    args = parser.parse_args()

    context = ssl.create_default_context(ssl.Purpose.CLIENT_AUTH)
    context.load_cert_chain(args.cert, args.key)
    handler = Delivery(args.root, args.uid, args.gid)
    auth = Authenticator(args.password)
    plain_port, auth_port, tls_port = args.ports
    controllers = [
        Controller(handler, hostname="127.0.0.1", port=plain_port, server_hostname="smtp.test"),
        Controller(handler, hostname="127.0.0.1", port=auth_port, server_hostname="smtp.test",
                   tls_context=context, auth_required=True, authenticator=auth),
        Controller(handler, hostname="127.0.0.1", port=tls_port, server_hostname="smtp.test",
                   ssl_context=context, auth_required=True, auth_require_tls=False,
                   authenticator=auth),
    ]
    for controller in controllers:
        controller.start()
    with open(args.ports_file + ".tmp", "w") as f:
        f.write("SMTP_PORT=%d\nSMTP_AUTH_PORT=%d\nSMTPS_PORT=%d\n" % (plain_port, auth_port, tls_port))
    os.rename(args.ports_file + ".tmp", args.ports_file)

    # Stopping ends the process at once; a server left behind by a broken test run stops after two hours.
    signal.signal(signal.SIGTERM, lambda *_: os._exit(0))
    signal.signal(signal.SIGINT, lambda *_: os._exit(0))
    time.sleep(2 * 3600)
    os._exit(0)

if __name__ == "__main__":
    main()
