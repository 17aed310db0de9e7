"""A TCP relay on a free port of 127.0.0.1 between a client and a local server, that breaks the
connection in the middle of a session:

    cut_proxy.py TARGET_PORT CUT_AFTER_BYTES PORT_FILE [MODE]

MODE "cut" (the default) closes the connection once the server has sent CUT_AFTER_BYTES bytes
through it; "stall" keeps it open instead and passes nothing more, a server gone silent;
"at:WORD" removes "STLS" from the server's capabilities, so the session stays in plain text, and
closes the connection when the client sends a command that begins with WORD (before the server
sees it). The port it listens on is written to PORT_FILE once it accepts connections. It runs until
it is stopped, and stops by itself after ten minutes.
"""
import os
import socket
import sys
import threading


def close(*sockets):
    for s in sockets:
        try:
            s.shutdown(socket.SHUT_RDWR)
        except OSError:
            pass
        s.close()


def from_server(server, client, limit, mode):
    sent = 0
    try:
        while mode != "cut" or sent < limit:
            want = 65536 if mode != "cut" else min(65536, limit - sent)
            data = server.recv(want)
            if not data:
                break
            if mode.startswith("at:"):
                data = data.replace(b"STLS\r\n", b"")
            client.sendall(data)
            sent += len(data)
            if mode == "stall" and sent >= limit:
                threading.Event().wait(600)
    except OSError:
        pass
    close(server, client)


def from_client(client, server, mode):
    word = mode[3:].encode() if mode.startswith("at:") else None
    try:
        while True:
            data = client.recv(65536)
            if not data or (word and data.upper().startswith(word)):
                break
            server.sendall(data)
    except OSError:
        pass
    close(server, client)


def main():
    target_port, limit, port_file = int(sys.argv[1]), int(sys.argv[2]), sys.argv[3]
    mode = sys.argv[4] if len(sys.argv) > 4 else "cut"
    listener = socket.socket()
    listener.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
    listener.bind(("127.0.0.1", 0))
    listener.listen(8)
    with open(port_file + ".tmp", "w") as f:
        f.write(str(listener.getsockname()[1]))
    os.rename(port_file + ".tmp", port_file)
    threading.Timer(600, lambda: os._exit(0)).start()
    while True:
        client, _ = listener.accept()
        server = socket.create_connection(("127.0.0.1", target_port))
        threading.Thread(target=from_server, args=(server, client, limit, mode), daemon=True).start()
        threading.Thread(target=from_client, args=(client, server, mode), daemon=True).start()


if __name__ == "__main__":
    main()
