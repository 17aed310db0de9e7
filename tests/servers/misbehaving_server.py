"""A small POP3 or SMTP server on a free port of 127.0.0.1 that misbehaves in one way:

    misbehaving_server.py MODE PORT_FILE LOG_FILE [CERT KEY]

It writes the port it listens on to PORT_FILE once it accepts connections, appends every line a
client sends to LOG_FILE (one connection's lines after a line "CONNECT n"), runs until it is
stopped and stops by itself after ten minutes. MODE is one of:

  stls-refused       POP3 offering STLS in CAPA and refusing it
  starttls-refused   SMTP offering STARTTLS and AUTH after EHLO and refusing STARTTLS
  tls-then-plain     POP3 offering STLS on the first connection (CERT and KEY) and never again
  repeated-uidl      POP3 listing two different messages under one UIDL and one UIDL with a
                     blank; RETR, DELE and QUIT work, deletions last across connections
  stall-at-dele      the same messages; a DELE is never answered
  endless-listing    POP3 whose UIDL listing never ends
  long-line          POP3 whose UIDL listing has a line that never ends
  long-greeting      POP3 whose greeting line never ends
  trickle            POP3 whose UIDL listing comes one byte every 0.2 seconds
  never-accept       a listener whose queue is full, so a connection is never accepted
"""
import os
import socket
import ssl
import sys
import threading
import time

MESSAGES = [
    ("dup", b"From: a@example.com\r\nSubject: first under dup\r\n\r\nfirst\r\n"),
    ("dup", b"From: b@example.com\r\nSubject: second under dup\r\n\r\nsecond\r\n"),
    ("with blank", b"From: c@example.com\r\nSubject: uidl with a blank\r\n\r\nthird\r\n"),
]


class Server:
    def __init__(self, mode, log_path, cert, key):
        self.mode = mode
        self.log_path = log_path
        self.lock = threading.Lock()
        self.connections = 0
        self.deleted = set()  # indexes into MESSAGES
        self.tls = None
        if cert:
            self.tls = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
            self.tls.load_cert_chain(cert, key)

    def log(self, line):
        with self.lock, open(self.log_path, "a") as f:
            f.write(line + "\n")

    def serve(self, sock):
        with self.lock:
            self.connections += 1
            number = self.connections
        self.log("CONNECT %d" % number)
        try:
            if self.mode == "starttls-refused":
                self.smtp(sock)
            else:
                self.pop3(sock, number)
        except (OSError, ValueError):
            pass
        finally:
            sock.close()

    def lines(self, sock):
        buffer = b""
        while True:
            while b"\n" not in buffer:
                data = sock.recv(4096)
                if not data:
                    return
                buffer += data
            line, buffer = buffer.split(b"\n", 1)
            text = line.rstrip(b"\r").decode("latin-1")
            self.log(text)
            yield text

    def endless(self, sock, head, piece):
        sock.sendall(head)
        while True:
            sock.sendall(piece)

    def smtp(self, sock):
        sock.sendall(b"220 misbehaving ESMTP\r\n")
        for line in self.lines(sock):
            verb = line.split(" ")[0].upper()
            if verb in ("EHLO", "HELO"):
                sock.sendall(b"250-misbehaving\r\n250-STARTTLS\r\n250-AUTH PLAIN LOGIN\r\n250 8BITMIME\r\n")
            elif verb == "STARTTLS":
                sock.sendall(b"454 4.7.0 TLS not available\r\n")
            elif verb == "QUIT":
                sock.sendall(b"221 bye\r\n")
                return
            else:
                sock.sendall(b"250 ok\r\n")

    def pop3(self, sock, number):
        if self.mode == "long-greeting":
            self.endless(sock, b"+OK ", b"x" * 65536)
        offer_tls = self.mode == "stls-refused" or (self.mode == "tls-then-plain" and number == 1)
        sock.sendall(b"+OK misbehaving POP3\r\n")
        marked = set()
        for line in self.lines(sock):
            words = line.split(" ")
            verb = words[0].upper()
            if verb == "CAPA":
                sock.sendall(b"+OK\r\nUIDL\r\nUSER\r\n" + (b"STLS\r\n" if offer_tls else b"") + b".\r\n")
            elif verb == "STLS" and self.mode == "tls-then-plain" and offer_tls:
                sock.sendall(b"+OK begin TLS\r\n")
                sock = self.tls.wrap_socket(sock, server_side=True)
                offer_tls = False
                return self.pop3_session(sock, marked)
            elif verb == "STLS":
                sock.sendall(b"-ERR not now\r\n")
            elif verb == "UIDL" and self.mode == "endless-listing":
                self.endless(sock, b"+OK\r\n", b"".join(b"%d uid-%d\r\n" % (i, i) for i in range(1, 2000)))
            elif verb == "UIDL" and self.mode == "long-line":
                self.endless(sock, b"+OK\r\n1 ", b"z" * 65536)
            elif verb == "UIDL" and self.mode == "trickle":
                sock.sendall(b"+OK\r\n")
                while True:
                    sock.sendall(b"1")
                    time.sleep(0.2)
            else:
                if self.command(sock, verb, words, marked):
                    return

    def pop3_session(self, sock, marked):
        for line in self.lines(sock):
            words = line.split(" ")
            if self.command(sock, words[0].upper(), words, marked):
                return

    def listed(self):
        if self.mode not in ("repeated-uidl", "stall-at-dele"):
            return []
        return [(i + 1, uidl, body) for i, (uidl, body) in enumerate(MESSAGES) if i not in self.deleted]

    def command(self, sock, verb, words, marked):
        """Answers a POP3 command of a sound session; True after QUIT."""
        if verb == "CAPA":
            sock.sendall(b"+OK\r\nUIDL\r\nUSER\r\n.\r\n")
        elif verb in ("USER", "PASS", "NOOP"):
            sock.sendall(b"+OK\r\n")
        elif verb == "UIDL":
            sock.sendall(b"+OK\r\n" + b"".join(b"%d %s\r\n" % (n, u.encode()) for n, u, _ in self.listed()) + b".\r\n")
        elif verb == "LIST":
            sock.sendall(b"+OK\r\n" + b"".join(b"%d %d\r\n" % (n, len(b)) for n, _, b in self.listed()) + b".\r\n")
        elif verb == "STAT":
            sock.sendall(b"+OK %d 0\r\n" % len(self.listed()))
        elif verb == "RETR":
            body = dict((n, b) for n, _, b in self.listed()).get(int(words[1]))
            sock.sendall(b"+OK\r\n" + body + b".\r\n" if body else b"-ERR no such message\r\n")
        elif verb == "DELE" and self.mode == "stall-at-dele":
            threading.Event().wait()
        elif verb == "DELE":
            marked.add(int(words[1]) - 1)
            sock.sendall(b"+OK\r\n")
        elif verb == "QUIT":
            with self.lock:
                self.deleted |= marked
            sock.sendall(b"+OK bye\r\n")
            return True
        else:
            sock.sendall(b"-ERR unknown\r\n")
        return False


def main():
    mode, port_file, log_path = sys.argv[1], sys.argv[2], sys.argv[3]
    cert, key = (sys.argv[4], sys.argv[5]) if len(sys.argv) > 5 else (None, None)
    server = Server(mode, log_path, cert, key)
    listener = socket.socket()
    listener.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
    listener.bind(("127.0.0.1", 0))
    port = listener.getsockname()[1]
    if mode == "never-accept":
        # The queue of a listener that never accepts fills; further connections get no answer.
        listener.listen(0)
        fillers = []
        for _ in range(4):
            filler = socket.socket()
            filler.setblocking(False)
            try:
                filler.connect(("127.0.0.1", port))
            except BlockingIOError:
                pass
            fillers.append(filler)
        time.sleep(0.2)
    else:
        listener.listen(8)
    with open(port_file + ".tmp", "w") as f:
        f.write(str(port))
    os.rename(port_file + ".tmp", port_file)
    threading.Timer(600, lambda: os._exit(0)).start()
    if mode == "never-accept":
        threading.Event().wait()
    while True:
        client, _ = listener.accept()
        threading.Thread(target=server.serve, args=(client,), daemon=True).start()


if __name__ == "__main__":
    main()
