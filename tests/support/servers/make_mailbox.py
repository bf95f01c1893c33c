#!/usr/bin/env python3
"""Writes the maildirs of the Dovecot test fixture and a manifest of what they hold.

Usage: make_mailbox.py [--mbox] [--shapes] <mail-root> <manifest.json>

Creates <mail-root>/<user>/{cur,new,tmp} for the users alice (varied headers and sizes), bob
(empty), bulk (1000 small messages), carol (ten messages that tests may delete), dave, erin and
frank (empty: tests write their messages themselves) and demo (a friendly mailbox for the demo). The manifest lists, per user and per message number: "size" (the
size a POP3 server reports, every line ending in CR LF), "header_lines" (the raw header lines),
and the first physical line of the first Subject, From, Date and Message-ID fields (names compared
without regard to case; "" when absent). Strings hold bytes as latin-1: one code point per byte.
The environment variable VELLION_BULK_MESSAGES changes the number of bulk's messages (for the
benchmarks); VELLION_BULK_SHAPE=messy gives them the headers of mail that crossed the internet
(relay chains, signatures, list fields, encoded words; about 1.5 KB each) instead of five lines. With --mbox each user's mail is one mbox file <mail-root>/<user> instead (no body line of
these mailboxes starts with "From ", so nothing needs quoting). Everything is deterministic, so
two runs give the same mailboxes. With --shapes the user grace also gets messages in the shapes
real mail takes (multipart/alternative, HTML only, quoted-printable, base64, Latin-1, a very long
line, an attachment), and their entries add "preview" (the text a reader shows of the first 20
body lines, as UTF-8 bytes) and "attachments" (the names of the attached files).
"""
import base64
import json
import os
import random
import sys

BASE_TIME = 1700000000


def message(header_lines, body_lines):
    """A message as LF-terminated bytes (the maildir form)."""
    return b"".join(line + b"\n" for line in header_lines) + b"\n" + b"".join(
        line + b"\n" for line in body_lines)


def first_line_of(header_lines, name):
    prefix = name.lower() + b":"
    for line in header_lines:
        if line.lower().startswith(prefix):
            return line
    return b""


def text(data):
    return data.decode("latin-1")


def write_maildir(root, user, messages):
    """Writes messages in order and returns their manifest entries."""
    for sub in ("cur", "new", "tmp"):
        os.makedirs(os.path.join(root, user, sub), exist_ok=True)
    entries = []
    for number, (header_lines, body_lines) in enumerate(messages, start=1):
        data = message(header_lines, body_lines)
        stamp = BASE_TIME + number
        # Names sort in message order, so the server numbers the messages as listed here.
        name = "%d.M%06dP1.vellion:2," % (stamp, number)
        path = os.path.join(root, user, "cur", name)
        with open(path, "wb") as out:
            out.write(data)
        os.utime(path, (stamp, stamp))
        entries.append(manifest_entry(number, header_lines, data))
    return entries


def write_mbox(root, user, messages):
    """Writes messages in order into one mbox file and returns their manifest entries."""
    os.makedirs(root, exist_ok=True)
    entries = []
    with open(os.path.join(root, user), "wb") as out:
        for number, (header_lines, body_lines) in enumerate(messages, start=1):
            data = message(header_lines, body_lines)
            out.write(b"From MAILER-DAEMON Mon Jan  1 00:00:%02d 2024\n" % (number % 60))
            out.write(data + b"\n")
            entries.append(manifest_entry(number, header_lines, data))
    return entries


def manifest_entry(number, header_lines, data):
    return {
        "number": number,
        "size": len(data.replace(b"\n", b"\r\n")),
        "header_lines": [text(line) for line in header_lines],
        "subject_line": text(first_line_of(header_lines, b"Subject")),
        "from_line": text(first_line_of(header_lines, b"From")),
        "date_line": text(first_line_of(header_lines, b"Date")),
        "message_id_line": text(first_line_of(header_lines, b"Message-ID")),
    }


def filler(rng, count, width=72):
    words = [b"mailbox", b"server", b"report", b"budget", b"meeting", b"draft", b"review",
             b"schedule", b"invoice", b"garden", b"coffee", b"window", b"harbour", b"ticket"]
    lines = []
    for _ in range(count):
        line = b""
        while len(line) < width - 10:
            line += rng.choice(words) + b" "
        lines.append(line.rstrip())
    return lines


def common(number, subject, sender=b"Alice Tester <alice@example.com>", date=True):
    lines = []
    if date:
        lines.append(b"Date: Mon, %d Jan 2024 09:%02d:00 +0100" % (1 + number % 28, number % 60))
    lines += [b"From: " + sender, b"To: alice@example.com", b"Subject: " + subject,
              b"Message-ID: <alice.%d@example.com>" % number]
    return lines


def alice_messages():
    rng = random.Random(1)
    m = []
    m.append((common(1, b"Plain and short"), [b"Hello Alice,", b"", b"a short note.", b"Bob"]))
    m.append(([b"From: No Date <nodate@example.org>", b"To: alice@example.com",
               b"Subject: Message without a date", b"Message-ID: <nodate.2@example.org>"],
              [b"This message carries no Date field."]))
    m.append(([b"date: Tue, 2 Jan 2024 10:00:00 +0000", b"from: lower@example.net",
               b"subject: Lower-case field names", b"Message-Id: <lower.3@example.net>"],
              [b"Every field name here is written in lower or mixed case."]))
    folded = common(4, b"A folded subject line that goes on")
    at = folded.index(b"Subject: A folded subject line that goes on") + 1
    folded[at:at] = [b"\tand continues on a second line", b" and a third"]
    m.append((folded, [b"The subject above is folded."]))
    m.append((common(5, b"=?UTF-8?B?R3LDvMOfZSBhdXMgS8O2bG4=?= and =?ISO-8859-1?Q?caf=E9?=",
                     b"=?UTF-8?Q?J=C3=BCrgen_M=C3=BCller?= <jm@example.de>"),
              [b"Encoded words in the subject and the sender."]))
    m.append((common(6, b"8-bit subject: Gr\xfc\xdfe aus K\xf6ln", b"Ren\xe9 <rene@example.fr>") +
              [b"Content-Type: text/plain; charset=ISO-8859-1",
               b"Content-Transfer-Encoding: 8bit"],
              [b"Caf\xe9 cr\xe8me br\xfbl\xe9e, 100 \xa7 and \xff."]))
    m.append((common(7, b"Body lines that start with a dot"),
              [b"The next lines start with a dot:", b".hidden", b".", b"..two dots", b"end"]))
    m.append((common(8, b"First subject") + [b"Subject: Second subject"],
              [b"This header holds two Subject fields."]))
    m.append(([b"Date: Wed, 3 Jan 2024 11:00:00 +0000", b"From:nospace@example.com",
               b"Subject:NoBlankAfterColon", b"Message-ID:<nospace.9@example.com>"],
              [b"No blank after the colons."]))
    m.append(([b"Date: Thu, 4 Jan 2024 12:00:00 +0000", b"From: empty@example.com",
               b"Subject:", b"To: alice@example.com"],
              [b"An empty subject and no Message-ID."]))
    m.append((common(11, b"A long References field") +
              [b"References: " + b" ".join(b"<ref.%03d@example.com>" % i for i in range(40))],
              [b"The header holds one long line."]))
    m.append((common(12, b"About 100 KB"), filler(rng, 1400)))
    m.append((common(13, b"About 3 MB of text"), filler(rng, 42000)))
    m.append((common(14, b"Tiny"), [b"x"]))
    return m


def carol_messages():
    return [(common(i, b"Scratch message %d" % i, b"Carol <carol@example.com>"),
             [b"Message %d, free to delete." % i]) for i in range(1, 11)]


RELAYS = [b"mx1.example.net", b"mx2.example.net", b"relay.mailer.example", b"smtp.out.example.org",
          b"filter.example.com", b"edge7.example.io"]
WORDS = [b"quarterly", b"invoice", b"meeting", b"newsletter", b"update", b"reminder", b"review",
         b"shipping", b"account", b"security", b"weekend", b"project", b"offer", b"notes"]


def folded(name, value, rng, width=76):
    """A header field folded where a mailer would fold it, continuation lines tab-indented."""
    lines, line = [], name + b":"
    for word in value.split(b" "):
        if len(line) + 1 + len(word) > width and line.strip(b"\t") != name + b":":
            lines.append(line)
            line = b"\t" + word
        else:
            line += b" " + word
    return lines + [line]


def token(rng, length):
    return base64.b64encode(bytes(rng.getrandbits(8) for _ in range(length * 3 // 4)))[:length]


def messy_header(i, rng):
    """The header of one message as it arrives after a few relays: sizes vary from about 600 bytes
    to 4 KB, as they do in a real mailbox."""
    stamp = b"%d %s 2024 %02d:%02d:%02d +0000" % (1 + i % 28, [b"Jan", b"Feb", b"Mar"][i % 3],
                                                   i % 24, i % 60, (i * 7) % 60)
    lines = [b"Return-Path: <bounce-%d@lists.example.org>" % i]
    for hop in range(rng.randint(1, 5)):
        lines += folded(b"Received", b"from %s (%s [192.0.2.%d]) by %s with ESMTPS id %s for "
                        b"<bulk@example.com>; Mon, %s" % (
                            rng.choice(RELAYS), rng.choice(RELAYS), rng.randint(1, 254),
                            rng.choice(RELAYS), token(rng, 12), stamp), rng)
    if rng.random() < 0.5:
        lines += folded(b"DKIM-Signature", b"v=1; a=rsa-sha256; c=relaxed/relaxed; d=example.org; "
                        b"s=sel%d; h=from:to:subject:date:message-id; bh=%s; b=%s" % (
                            i % 4, token(rng, 44), token(rng, rng.choice((172, 344)))), rng)
    if rng.random() < 0.6:
        lines += folded(b"Authentication-Results", b"mx1.example.net; dkim=pass header.d=example.org;"
                        b" spf=pass smtp.mailfrom=lists.example.org; dmarc=pass", rng)
    name = b" ".join(rng.choice(WORDS).capitalize() for _ in range(2))
    if rng.random() < 0.3:
        name = b"=?UTF-8?B?" + base64.b64encode(name + " été".encode()) + b"?="
    subject = b" ".join(rng.choice(WORDS) for _ in range(rng.randint(3, 14)))
    if rng.random() < 0.2:
        subject = b"=?ISO-8859-1?Q?" + subject.replace(b" ", b"_") + b"_=E9?="
    lines += [b"Date: Mon, " + stamp, b"From: %s <sender%d@example.org>" % (name, i % 97),
              b"To: Bulk <bulk@example.com>"]
    if rng.random() < 0.3:
        lines += folded(b"Cc", b", ".join(b"person%d@example.com" % rng.randint(1, 999)
                                          for _ in range(rng.randint(2, 8))), rng)
    lines += folded(b"Subject", b"Re: [list] %04d %s" % (i, subject), rng)
    lines += [b"Message-ID: <%s.%d@mail.example.org>" % (token(rng, 16), i), b"MIME-Version: 1.0",
              b'Content-Type: multipart/alternative; boundary="b%s"' % token(rng, 20)]
    if rng.random() < 0.5:
        lines += [b"List-Id: Project list <project.lists.example.org>",
                  b"List-Unsubscribe: <mailto:leave-%d@lists.example.org>," % i,
                  b"\t<https://lists.example.org/unsubscribe/%s>" % token(rng, 32),
                  b"List-Unsubscribe-Post: List-Unsubscribe=One-Click"]
    if rng.random() < 0.4:
        lines += [b"X-Mailer: Mailer 3.%d" % (i % 10), b"X-Spam-Score: %d.%d" % (i % 5, i % 10)]
    return lines


def bulk_messages(count):
    rng = random.Random(2)
    if os.environ.get("VELLION_BULK_SHAPE") == "messy":
        return [(messy_header(i, rng), filler(rng, 3)) for i in range(1, count + 1)]
    return [(common(i, b"Bulk message %04d" % i, b"Bulk <bulk@example.com>"), filler(rng, 3))
            for i in range(1, count + 1)]


DEMO = [
    ("Maya Lindqvist <maya.lindqvist@example.com>", "Lunch on Thursday?",
     "Mon, 4 Mar 2024 08:12:40 +0100", ["Hi!", "", "Are you free for lunch on Thursday? The new",
                                         "place by the river has a good soup of the day.", "",
                                         "Maya"]),
    ("Northwind Books <orders@northwind-books.example>", "Your order #48213 has shipped",
     "Mon, 4 Mar 2024 09:30:05 +0000", ["Your parcel is on its way and should arrive",
                                         "within three working days.", "",
                                         "Tracking number: NW48213-7"]),
    ("=?UTF-8?Q?Tomasz_Wierzbi=C5=84ski?= <tomasz@example.org>",
     ["Minutes of the project meeting:", "\tdates, tests and the next steps"],
     "Mon, 4 Mar 2024 11:47:19 +0100", ["Attached are the minutes, in short:", "",
                                         "- release moves to April 15", "- Ines takes the tests",
                                         "- next meeting on Monday"]),
    ("=?ISO-8859-1?Q?In=EAs_Carvalho?= <ines.carvalho@example.net>",
     "Re: Minutes of the project meeting",
     "Mon, 4 Mar 2024 13:02:55 +0000", ["Thanks Tomasz, the test plan follows this week."]),
    ("City Library <noreply@library.example>", "Reminder: 2 items due on 8 March",
     "Tue, 5 Mar 2024 07:00:00 +0100", ["The following items are due soon:",
                                         "  The Salt Road", "  Birds of the Coast"]),
    ("Oskar Brandt <oskar.brandt@example.de>", b"Photos from the weekend on the Gr\xfcnten",
     "Tue, 5 Mar 2024 19:21:33 +0100", ["Here is the link to the album from the hike.",
                                         "The view from the ridge came out well!"]),
    ("Harbour Energy <billing@harbour-energy.example>", "Your March statement is ready",
     "Wed, 6 Mar 2024 06:15:00 +0000", ["Your statement for March is now available.",
                                         "Amount due: 64.20", "Due date: 20 March 2024"]),
    ("Priya Raman <priya@example.com>",
     "=?UTF-8?B?UXVpY2sgcXVlc3Rpb24gYWJvdXQgdGhlIGJ1ZGdldCBzaGVldCDigJMgY29sdW1uIEY=?=",
     "Wed, 6 Mar 2024 10:44:08 +0530", ["Is column F the forecast or the actual figure?",
                                         "I'd like to fix the chart before Friday."]),
    ("=?KOI8-R?B?88zV1sLBINDPxMTF0tbLyQ==?= <support@cloudnest.example>",
     "Ticket 5521: password reset done",
     "Wed, 6 Mar 2024 16:58:41 +0000", ["Your request has been handled.",
                                         "If you did not ask for this, reply to this message."]),
    ("Lukas M\u00fcller <lukas.mueller@example.ch>", "Concert tickets \u266a Saturday",
     "Thu, 7 Mar 2024 12:30:00 +0100", ["I got two tickets for Saturday.",
                                         "Doors open at 19:30. Coming along?"]),
    ("Garden Club <news@gardenclub.example>", "Spring newsletter: seeds, swaps and a walk",
     "Thu, 7 Mar 2024 18:05:12 +0000", ["Spring is here! This month:", "",
                                         "* Seed swap on Sunday", "* Guided walk in the park",
                                         "* Tips for early tomatoes"]),
    ("=?UTF-8?Q?Elena_Ross=C3=AC?= <elena.rossi@example.it>", "Welcome to the team!",
     "Fri, 8 Mar 2024 08:00:27 +0100", ["Dear colleague,", "",
                                         "welcome aboard! Your desk is ready on the second floor.",
                                         "", "Elena"]),
]


def field(value):
    """Header bytes: text as UTF-8 (8-bit when not ASCII), bytes as they are (Latin-1 here)."""
    return value if isinstance(value, bytes) else value.encode()


def demo_messages():
    """The demo shows what real mail carries: encoded words in several charsets, 8-bit UTF-8
    and Latin-1 bytes, and a folded subject."""
    out = []
    for number, (sender, subject, date, body) in enumerate(DEMO, start=1):
        subject_lines = subject if isinstance(subject, list) else [subject]
        header = [b"Date: " + date.encode(), b"From: " + field(sender),
                  b"To: Demo User <demo@example.com>", b"Subject: " + field(subject_lines[0])]
        header += [field(line) for line in subject_lines[1:]]
        header += [b"Message-ID: <demo.%d.%s>" % (number, sender.split("@")[1].rstrip(">").encode()),
                   b"Content-Type: text/plain; charset=UTF-8"]
        out.append((header, [line.encode() for line in body]))
    return out


SHAPE_HEAD = [b"MIME-Version: 1.0"]


def shape(number, subject, header, body, preview, attachments=()):
    """One message of grace's: its lines, and what a reader's preview shows of it."""
    lines = common(number, subject, b"Shapes <shapes@example.com>") + SHAPE_HEAD + header
    return (lines, body), {"preview": text(preview.encode()), "attachments": list(attachments)}


def shape_messages():
    long_line = b" ".join(b"word%04d" % i for i in range(1200))
    pdf = base64.b64encode(bytes(range(256)) * 40)
    pdf_lines = [pdf[i:i + 76] for i in range(0, len(pdf), 76)]
    return [
        shape(1, b"Alternative", [b'Content-Type: multipart/alternative; boundary="alt-1"'],
              [b"This is a multi-part message in MIME format.", b"--alt-1",
               b"Content-Type: text/plain; charset=utf-8", b"Content-Transfer-Encoding: 8bit", b"",
               "Plain part, grüße.".encode(), b"--alt-1",
               b"Content-Type: text/html; charset=utf-8", b"", b"<p>HTML part</p>", b"--alt-1--"],
              "Plain part, grüße."),
        shape(2, b"HTML only", [b"Content-Type: text/html; charset=iso-8859-1",
                                b"Content-Transfer-Encoding: quoted-printable"],
              [b"<html><head><style>p {color: red}</style></head><body>",
               b"<h1>News</h1><p>Caf=E9 &amp; cake,<br>today only.</p>",
               b"<ul><li>one</li><li>two</li></ul></body></html>"],
              "News\n\nCaf\u00e9 & cake,\ntoday only.\n\n\u2022 one\n\u2022 two"),
        shape(3, b"Quoted-printable", [b"Content-Type: text/plain; charset=utf-8",
                                       b"Content-Transfer-Encoding: quoted-printable"],
              [b"A soft =", b"break and K=C3=B6ln =3D city."], "A soft break and Köln = city."),
        shape(4, b"Base64", [b"Content-Type: text/plain; charset=utf-8",
                             b"Content-Transfer-Encoding: base64"],
              [base64.b64encode("Base64 body: \u65e5\u672c\r\nsecond line".encode())],
              "Base64 body: \u65e5\u672c\nsecond line"),
        shape(5, b"Latin-1", [b"Content-Type: text/plain; charset=ISO-8859-1",
                              b"Content-Transfer-Encoding: 8bit"],
              [b"Cr\xe8me br\xfbl\xe9e"], "Crème brûlée"),
        shape(6, b"A very long line", [b"Content-Type: text/plain"], [long_line],
              long_line.decode()),
        shape(7, b"An attachment", [b'Content-Type: multipart/mixed; boundary="mix-7"'],
              [b"--mix-7", b"Content-Type: text/plain", b"", b"The report is attached.", b"--mix-7",
               b'Content-Type: application/pdf; name="report.pdf"',
               b'Content-Disposition: attachment; filename="report.pdf"',
               b"Content-Transfer-Encoding: base64", b""] + pdf_lines + [b"--mix-7--"],
              "The report is attached.", ["report.pdf"]),
    ]


def main():
    args = sys.argv[1:]
    write = write_maildir
    if args[:1] == ["--mbox"]:
        args, write = args[1:], write_mbox
    shapes = args[:1] == ["--shapes"]
    if shapes:
        args = args[1:]
    if len(args) != 2:
        sys.exit(__doc__)
    root, manifest_path = args
    bulk = int(os.environ.get("VELLION_BULK_MESSAGES", "1000"))
    manifest = {"encoding": "latin-1", "users": {}}
    for user, messages in (("alice", alice_messages()), ("bob", []), ("bulk", bulk_messages(bulk)),
                           ("carol", carol_messages()), ("dave", []), ("erin", []), ("frank", []),
                           ("demo", demo_messages())):
        manifest["users"][user] = write(root, user, messages)
    if shapes:
        messages = shape_messages()
        entries = write(root, "grace", [message for message, _ in messages])
        for entry, (_, expected) in zip(entries, messages):
            entry.update(expected)
        manifest["users"]["grace"] = entries
    with open(manifest_path, "w", encoding="ascii") as out:
        json.dump(manifest, out, indent=1, ensure_ascii=True)


if __name__ == "__main__":
    main()
