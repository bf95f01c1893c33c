#!/usr/bin/env python3
"""The same full check as the component's, in Python: poplib_check.py <port> <user> <password>
[rounds] [--pipelined] [--tls=<authority.pem>] [--quickack]. Prints the best time of the rounds in
seconds.

With --tls it uses poplib.POP3_SSL, verifying the server against that authority and the address.
With --quickack it sets TCP_QUICKACK on the socket before each reply is read, as the component does
on each read, so a server that writes a reply in several segments is not held by delayed ACKs.

Without --pipelined it uses poplib and sends exactly the component's commands, one round trip
each. With --pipelined it sends every command in one batch over a plain socket and reads all
replies afterwards: the floor for this exchange on this machine."""
import poplib
import socket
import ssl
import sys
import time

AUTHORITY = None  # --tls=<authority.pem>
QUICKACK = False  # --quickack


def quick(box):
    """Replies are read through the socket's file; the option is set again after each one."""
    if not QUICKACK:
        return box
    read_reply = box._getresp
    sock = box.sock

    def get_reply():
        sock.setsockopt(socket.IPPROTO_TCP, socket.TCP_QUICKACK, 1)
        return read_reply()

    box._getresp = get_reply
    return box


def connect(port):
    if AUTHORITY is None:
        return quick(poplib.POP3("127.0.0.1", port))
    context = ssl.create_default_context(cafile=AUTHORITY)
    return quick(poplib.POP3_SSL("127.0.0.1", port, context=context))


def checked(port, user, password):
    box = connect(port)
    box.user(user)
    box.pass_(password)
    box.stat()
    _, listing, _ = box._longcmd("LIST ")
    for n in range(1, len(listing) + 1):
        box.top(n, 0)
        box._shortcmd("LIST %d" % n)
    box.quit()


def pipelined(port, user, password, count):
    commands = ["USER " + user, "PASS " + password, "STAT", "LIST "]
    for n in range(1, count + 1):
        commands += ["TOP %d 0" % n, "LIST %d" % n]
    commands.append("QUIT")
    with socket.create_connection(("127.0.0.1", port)) as s:
        s.sendall(("\r\n".join(commands) + "\r\n").encode())
        received = bytearray()
        while True:
            chunk = s.recv(1 << 16)
            if not chunk:
                break
            received += chunk


def message_count(port, user, password):
    box = connect(port)
    box.user(user)
    box.pass_(password)
    count = box.stat()[0]
    box.quit()
    return count


def main():
    global AUTHORITY, QUICKACK
    for a in sys.argv[1:]:
        if a.startswith("--tls="):
            AUTHORITY = a[len("--tls="):]
    QUICKACK = "--quickack" in sys.argv
    args = [a for a in sys.argv[1:] if not a.startswith("--")]
    port, user, password = int(args[0]), args[1], args[2]
    rounds = int(args[3]) if len(args) > 3 else 5
    count = message_count(port, user, password)
    best = float("inf")
    for _ in range(rounds):
        start = time.perf_counter()
        if "--pipelined" in sys.argv:
            pipelined(port, user, password, count)
        else:
            checked(port, user, password)
        best = min(best, time.perf_counter() - start)
    print("%.4f" % best)


if __name__ == "__main__":
    main()
