#!/usr/bin/python3
"""Writes N received mails of a realistic mix into <program folder>/JUSINBOX for the parse benchmark.

The mix (fixed seed, so every run parses the same mails):
  50 %  short plain text (ISO-2022-JP, UTF-8 or Shift_JIS), 1-6 KB
  20 %  multipart/alternative text and HTML, 5-40 KB
  15 %  text with 1-3 attachments of 20 KB - 1.5 MB
  10 %  HTML-only newsletters, 30-120 KB
   5 %  a large attachment of 4-8 MB
An optional third argument caps every attachment at that many KB (the speed benchmark's mails).
"""
import base64
import os
import random
import sys
from email.header import Header
from email.mime.application import MIMEApplication
from email.mime.multipart import MIMEMultipart
from email.mime.text import MIMEText
from email.utils import formataddr, formatdate

WORDS = ["お世話になっております。", "会議の件でご連絡します。", "資料を添付いたしました。", "よろしくお願いいたします。",
         "来週の予定について", "①確認事項", "納期は１０日～１５日です。", "株式会社サンプル", "Meeting notes", "The schedule",
         "ご検討ください。", "本日はありがとうございました。", "詳細は以下のとおりです。", "見積書", "請求書"]
NAMES = ["山田 太郎", "鈴木 花子", "佐藤 一郎", "田中 美咲", "Support Team", "高橋 健"]
CHARSETS = ["iso-2022-jp", "utf-8", "shift_jis"]


def text(rng, size):
    lines, total = [], 0
    while total < size:
        line = "".join(rng.choice(WORDS) for _ in range(rng.randint(1, 4)))
        lines.append(line)
        total += len(line.encode("utf-8")) + 1
    return "\n".join(lines) + "\n"


def html(rng, size):
    body = "".join("<p>%s</p>\n" % line for line in text(rng, size).splitlines())
    return "<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"></head><body>\n%s</body></html>\n" % body


def plain_jis(text, charset):
    """Python's JIS codecs lack the CP932 characters; the other mails carry them."""
    return text if charset == "utf-8" else text.replace("～", "~").replace("①", "(1)")


def text_part(rng, size, charset):
    return MIMEText(plain_jis(text(rng, size), charset), "plain", charset)


def headers(message, rng, index, charset):
    message["From"] = formataddr((str(Header(rng.choice(NAMES), "utf-8")), "sender%d@example.jp" % rng.randint(1, 50)))
    message["To"] = "hanako@example.jp"
    subject = plain_jis("%s %d" % (rng.choice(WORDS), index), charset)
    message["Subject"] = Header(subject, "iso-2022-jp" if charset == "iso-2022-jp" else "utf-8")
    message["Date"] = formatdate(1700000000 + index * 600, localtime=False)
    message["Message-ID"] = "<%d.bench@example.jp>" % index


MAX_ATTACHMENT = None


def attachment(rng, size, name):
    if MAX_ATTACHMENT is not None:
        size = min(size, MAX_ATTACHMENT)
    part = MIMEApplication(rng.randbytes(size), "octet-stream")
    part.add_header("Content-Disposition", "attachment", filename=("utf-8", "", name))
    return part


def mail(rng, index):
    charset = rng.choice(CHARSETS)
    kind = rng.random()
    if kind < 0.50:
        message = text_part(rng, rng.randint(1000, 6000), charset)
    elif kind < 0.70:
        message = MIMEMultipart("alternative")
        message.attach(text_part(rng, rng.randint(2000, 15000), charset))
        message.attach(MIMEText(html(rng, rng.randint(3000, 25000)), "html", "utf-8"))
    elif kind < 0.85:
        message = MIMEMultipart("mixed")
        message.attach(text_part(rng, rng.randint(1000, 4000), charset))
        for n in range(rng.randint(1, 3)):
            message.attach(attachment(rng, rng.randint(20000, 1500000), "資料%d.pdf" % n))
    elif kind < 0.95:
        message = MIMEText(html(rng, rng.randint(30000, 120000)), "html", "utf-8")
    else:
        message = MIMEMultipart("mixed")
        message.attach(text_part(rng, 2000, charset))
        message.attach(attachment(rng, rng.randint(4000000, 8000000), "動画.mp4"))
    headers(message, rng, index, charset)
    return message.as_bytes().replace(b"\r\n", b"\n").replace(b"\n", b"\r\n")


def main():
    global MAX_ATTACHMENT
    if len(sys.argv) not in (3, 4):
        sys.exit("usage: generate_mails.py <program folder> <count> [max attachment KB]")
    folder, count = sys.argv[1], int(sys.argv[2])
    if len(sys.argv) == 4:
        MAX_ATTACHMENT = int(sys.argv[3]) * 1024
    box = os.path.join(folder, "JUSINBOX")
    for sub in ("JUSINBOX", "SYSTEM_F", "TENPFIL"):
        os.makedirs(os.path.join(folder, sub), exist_ok=True)
    rng = random.Random(20240315)
    total = 0
    for index in range(count):
        data = mail(rng, index)
        total += len(data)
        name = "20240315_%06d_%04d.eml" % (index // 60 % 24 * 10000 + index % 60 * 100, index)
        with open(os.path.join(box, name), "wb") as out:
            out.write(data)
    print("%d mails, %.1f MB in %s" % (count, total / 1e6, box))


main()
