"""A TCP relay on a free port of 127.0.0.1 that breaks every connection once the server has sent
a given number of bytes through it: a connection cut in the middle of a transfer. With "stall"
it keeps the connection open instead and passes nothing more: a server gone silent.

    cut_proxy.py TARGET_PORT CUT_AFTER_BYTES PORT_FILE [stall]

The port it listens on is written to PORT_FILE once it accepts connections. It runs until it is
stopped, and stops by itself after ten minutes.
"""
import os
import socket
import sys
import threading


def relay(source, target, limit, stall=False):
    sent = 0
    try:
        while limit is None or sent < limit:
            want = 65536 if limit is None else min(65536, limit - sent)
            data = source.recv(want)
            if not data:
                break
            target.sendall(data)
            sent += len(data)
    except OSError:
        pass
    if stall and limit is not None and sent >= limit:
        threading.Event().wait(600)
    for s in (source, target):
        try:
            s.shutdown(socket.SHUT_RDWR)
        except OSError:
            pass
        s.close()


def main():
    target_port, cut_after, port_file = int(sys.argv[1]), int(sys.argv[2]), sys.argv[3]
    stall = len(sys.argv) > 4 and sys.argv[4] == "stall"
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
        threading.Thread(target=relay, args=(server, client, cut_after, stall), daemon=True).start()
        threading.Thread(target=relay, args=(client, server, None), daemon=True).start()


if __name__ == "__main__":
    main()
