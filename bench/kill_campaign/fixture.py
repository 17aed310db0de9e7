"""The campaign's program folder: its mails, the expectations kept beside it, and the folder outside
it that one store of the program is linked into."""

import base64
import datetime
import hashlib
import os

# Where the program keeps each store's received and sent mail.
RECEIVED = {
    "receive box": "JUSINBOX",
    "trash": "GOMIBAKO/JUSIN_FO",
    "JOB": "SYSTEM_F/FORDA_FO/JOB/JUSIN_FO",
    "PRIVATE": "SYSTEM_F/FORDA_FO/PRIVATE/JUSIN_FO",
    "HOBBY": "SYSTEM_F/FORDA_FO/HOBBY/JUSIN_FO",
    "ANOTHER": "SYSTEM_F/FORDA_FO/ANOTHER/JUSIN_FO",
}
SENT = {
    "send box": "SOUSINBOX",
    "trash": "GOMIBAKO/SOUSIN_FO",
    "JOB": "SYSTEM_F/FORDA_FO/JOB/SOUSIN_FO",
    "PRIVATE": "SYSTEM_F/FORDA_FO/PRIVATE/SOUSIN_FO",
    "HOBBY": "SYSTEM_F/FORDA_FO/HOBBY/SOUSIN_FO",
    "ANOTHER": "SYSTEM_F/FORDA_FO/ANOTHER/SOUSIN_FO",
}

# The folder HOBBY is a symbolic link to a folder outside the program folder, as a user links a
# folder to another place: every move, return and delete on it writes there. The folders in it
# that the program writes (mail, records, sent mail); nothing else in it may change.
LINKED_STORE = "HOBBY"
LINKED_FOLDER = "SYSTEM_F/FORDA_FO/HOBBY"
LINKED_WRITES = ("JUSIN_FO", "JUSIN_FO/F_D_F", "SOUSIN_FO")

# How many mails each store starts with.
RECEIVED_START = {"receive box": 22, "trash": 6, "JOB": 3, "PRIVATE": 3, "HOBBY": 3, "ANOTHER": 3}
SENT_START = {"send box": 5, "trash": 2, "JOB": 1, "PRIVATE": 1, "HOBBY": 1, "ANOTHER": 1}
# Files the exit removes besides the trash: saved attachments and copies opened in the mail program.
EXIT_LEFTOVERS = ["TENPFIL/mitsumori-1.pdf", "TENPFIL/mitsumori-2.pdf", "SYSTEM_F/DUSEACT/copy-1.eml"]

SUBJECTS = [
    "会議資料の送付について", "来週の打ち合わせ日程", "見積書ご確認のお願い", "請求書の発行について",
    "新年会のお知らせ", "出張報告書", "システム更新のご案内", "納品日のご連絡", "議事録を共有します",
    "契約更新の件", "研修会参加のお願い", "夏季休暇の予定", "サーバ保守作業のお知らせ", "採用面接の日程調整",
    "社内報の原稿募集", "年末調整の書類提出", "ご注文ありがとうございます", "配送状況のお知らせ",
    "ポイント失効のご案内", "定例会の議題", "写真を送ります", "旅行の計画", "同窓会のご案内",
    "釣りの釣果報告", "山登りの持ち物", "図書館の返却期限", "料理教室の申込", "町内会の清掃活動",
    "自転車の点検", "カメラ講座の資料", "将棋大会の結果", "庭の手入れ", "健康診断の結果",
    "引っ越しのご挨拶", "お見積りの再送", "株主総会招集ご通知", "年賀状の準備", "パスワード変更のお願い",
    "アンケートご協力のお願い", "プロジェクト進捗報告",
]
SENDERS = [
    ("山田 太郎", "yamada"), ("佐藤 花子", "sato"), ("鈴木 一郎", "suzuki"), ("高橋 美咲", "takahashi"),
    ("田中 健", "tanaka"), ("伊藤 由美", "ito"), ("渡辺 翔", "watanabe"), ("中村 さくら", "nakamura"),
    ("小林 誠", "kobayashi"), ("加藤 愛", "kato"),
]
SENT_SUBJECTS = [
    "資料を拝受しました", "日程の件承知しました", "見積書をお送りします", "出席します", "御礼",
    "ご確認ください", "再送します", "返信が遅れました", "よろしくお願いします", "議事録の修正",
    "明日の件", "お疲れさまでした",
]
ATTACHMENT_NAME = "見積書.pdf"
# The answering mode: where it forwards to, and the reply text it answers with.
FORWARD_USER = "kcforward"
REPLY_TEXT_NAME = "不在のお知らせ.txt"
REPLY_TEXT = ["ただいま不在にしております。", "メールは戻り次第拝見いたします。"]
REPLY_LOG_FOLDER = "SYSTEM_F/TODAY_HENSIN"
# The subject marks of a forward and of a reply: the send box keeps a copy of each.
FORWARD_MARK = "<転>"
REPLY_MARK = "<返>Ｒｅ："
ANSWERING_LOG = "SYSTEM_F/TALVENOR.txt"
MARK_NAMES = ("unread", "answer")
MARKS = {"unread": "<未>", "answer": "<樽>"}


def log(text):
    print(text, flush=True)


# ---- the mails -------------------------------------------------------------------------------

def encoded_word(text, charset):
    codec = "iso2022_jp" if charset == "ISO-2022-JP" else "utf-8"
    return "=?%s?B?%s?=" % (charset, base64.b64encode(text.encode(codec)).decode())


def message(n, token, message_id, day, rng, sender=None):
    """A message with the subject and sender of number n (from 1; ISO-2022-JP or UTF-8; every fourth
    with an attachment), CR LF; `sender` (name, local part) in place of n's."""
    k = (n - 1) % len(SUBJECTS)
    subject = "%s %s" % (token, SUBJECTS[k])
    name, user = sender or SENDERS[(n - 1) % len(SENDERS)]
    charset = "ISO-2022-JP" if n % 2 else "UTF-8"
    date = "%s %02d Dec 2026 %02d:%02d:%02d +0900" % (
        datetime.date(2026, 12, day).strftime("%a,"), day, 8 + n % 10, n % 60, (7 * n) % 60)
    body = "%s様\r\n\r\nいつもお世話になっております。\r\n%sの件、よろしくお願いいたします。\r\n\r\n%s\r\n" % (
        "各位", SUBJECTS[k], name)
    headers = [
        "Return-Path: <%s@example.jp>" % user,
        "From: %s <%s@example.jp>" % (encoded_word(name, charset), user),
        "To: me@example.jp",
        "Subject: %s" % encoded_word(subject, charset),
        "Date: %s" % date,
        "Message-ID: %s" % message_id,
        "MIME-Version: 1.0",
    ]
    if charset == "ISO-2022-JP":
        text_headers = ["Content-Type: text/plain; charset=ISO-2022-JP", "Content-Transfer-Encoding: 7bit"]
        text_body = body.encode("iso2022_jp").decode("ascii")
    else:
        text_headers = ["Content-Type: text/plain; charset=UTF-8", "Content-Transfer-Encoding: base64"]
        text_body = "\r\n".join(base64.encodebytes(body.encode("utf-8")).decode().split("\n")).rstrip()
    with_attachment = n % 4 == 0
    if not with_attachment:
        lines = headers + text_headers + ["", text_body]
    else:
        boundary = "----=_kill_campaign_%02d" % n
        if charset == "ISO-2022-JP":
            disposition = 'attachment; filename="%s"' % encoded_word(ATTACHMENT_NAME, charset)
        else:
            disposition = "attachment; filename*=UTF-8''%s" % "".join(
                "%%%02X" % b for b in ATTACHMENT_NAME.encode("utf-8"))
        payload = bytes(rng.randrange(256) for _ in range(1500 + 97 * ((n - 1) % 40 + 1)))
        lines = headers + ['Content-Type: multipart/mixed; boundary="%s"' % boundary, "",
                           "--" + boundary] + text_headers + ["", text_body, "--" + boundary,
                           'Content-Type: application/pdf; name="%s"' % encoded_word(ATTACHMENT_NAME, charset),
                           "Content-Transfer-Encoding: base64", "Content-Disposition: " + disposition, "",
                           base64.encodebytes(payload).decode().replace("\n", "\r\n").rstrip(),
                           "--" + boundary + "--"]
    return ("\r\n".join(lines) + "\r\n").encode("ascii")


def received_mail(n, rng):
    """Mail n (1-40) as the receive stores it: its identity line, then the message, CR LF."""
    message_id = "<kc%02d.%s@kill-campaign.example.jp>" % (n, hashlib.sha1(str(n).encode()).hexdigest()[:8])
    identity = "X-Talvenor-Id: %s\r\n" % hashlib.sha1(("kill-campaign %d" % n).encode()).hexdigest()
    data = message(n, "K%02d" % n, message_id, 1 + (n - 1) // 10, rng)
    return message_id, "K%02d" % n, identity.encode("ascii") + data


def server_mail(serial, rng):
    """The campaign's new mail number `serial` as the server holds it (its own Message-ID)."""
    message_id = "<kcn%05d.%s@kill-campaign.example.jp>" % (serial, hashlib.sha1(b"n%d" % serial).hexdigest()[:8])
    token = "N%04d" % serial
    return message_id, token, message(serial, token, message_id, 14 + serial % 14, rng)


def answer_mail(serial, sender, rng):
    """Mail number `serial` for an answering check, from `sender` (name, local part): its own
    Message-ID and subject token."""
    message_id = "<kca%05d.%s@kill-campaign.example.jp>" % (serial, hashlib.sha1(b"a%d" % serial).hexdigest()[:8])
    token = "A%04d" % serial
    return message_id, token, message(serial, token, message_id, 14 + serial % 14, rng, sender)


def answer_senders(round_number, count):
    """Senders of their own for one answering round: (name, local part); no local part holds another."""
    return [("%s %d" % (SENDERS[i % len(SENDERS)][0], round_number), "kcr%05ds%d" % (round_number, i + 1))
            for i in range(count)]


def sent_mail(n):
    """Sent mail n (1-12) as the send box keeps it (CP932)."""
    name, user = SENDERS[n % len(SENDERS)]
    lines = ["DATE:2026/12/%02d 18:%02d:00" % (1 + n % 9, n), "FROM:me@example.jp",
             "TO:%s <%s@example.jp>" % (name, user), "SUBJECT:S%02d %s" % (n, SENT_SUBJECTS[n - 1]),
             "BODY:", "", "%s様" % name, "", "%sの件、承知いたしました。" % SENT_SUBJECTS[n - 1], "FILE:"]
    return "S%02d" % n, ("\r\n".join(lines) + "\r\n").encode("cp932")


# ---- files -----------------------------------------------------------------------------------

def write(path, data):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as f:
        f.write(data)


def listed(folder):
    try:
        return sorted(n for n in os.listdir(folder)
                      if not n.startswith(".") and os.path.isfile(os.path.join(folder, n)))
    except FileNotFoundError:
        return []


def message_id_of(path):
    with open(path, "rb") as f:
        for raw in f:
            line = raw.rstrip(b"\r\n")
            if not line:
                break
            if line.lower().startswith(b"message-id:"):
                return line[11:].strip().decode("ascii")
    return ""


# ---- the expectations ------------------------------------------------------------------------

class Expectations:
    """What the check expects, in a file outside the program folder that `check` reads:
    `R <Message-ID> <token> <mark>` per received mail, `S <token>` per sent mail."""

    def __init__(self, path):
        self.path = path
        self.marks, self.tokens, self.sent = {}, {}, []
        with open(path, encoding="utf-8") as f:
            for line in f:
                words = line.split()
                if words and words[0] == "R":
                    self.tokens[words[1]], self.marks[words[1]] = words[2], words[3]
                elif words and words[0] == "S":
                    self.sent.append(words[1])

    @staticmethod
    def write(path, marks, tokens, sent):
        with open(path + ".new", "w", encoding="utf-8") as f:
            for key in sorted(marks):
                f.write("R %s %s %s\n" % (key, tokens[key], marks[key]))
            for token in sorted(sent):
                f.write("S %s\n" % token)
        os.replace(path + ".new", path)

    def save(self):
        self.write(self.path, self.marks, self.tokens, self.sent)


# ---- the program folder ----------------------------------------------------------------------

def mark_rows(folder, marked):
    """Puts marks before the subject column of receive-list cache rows: {row index: mark name}."""
    cache = os.path.join(folder, "SYSTEM_F", "F_JU.txt")
    with open(cache, "rb") as f:
        rows = f.read().split(b"\r\n")
    for i, name in marked.items():
        row = rows[i]
        subject = row[56:116].decode("cp932").rstrip(" ")
        column = (MARKS[name] + subject).encode("cp932")
        assert len(column) <= 60, "a subject too long to mark without a cut"
        rows[i] = row[:56] + column.ljust(60) + row[116:]
    with open(cache, "wb") as f:
        f.write(b"\r\n".join(rows))


def flag_record(value):
    """A one-record option file as the program writes it: the value blank-padded to 20 bytes, then zero bytes."""
    return value.encode("ascii").ljust(20, b" ").ljust(256, b"\0")


def answering_settings(forward_address, reply_text_name):
    """SYSTEM_F\\SETTEI\\SETTEI_F.txt as the settings window writes it: checks every minute,
    forwarding and replying on, the reply text chosen (eleven blank-padded fields, then zero bytes)."""
    values = ["60", forward_address, "0", "0", "0", "0", reply_text_name, "0", "0", "0", "0"]
    widths = [10, 200, 10, 10, 10, 10, 500, 10, 10, 10, 10]
    record = b"".join(v.encode("cp932").ljust(w, b" ") for v, w in zip(values, widths))
    return record.ljust(2000, b"\0")


def set_up_answering(program):
    """The answering settings and the reply text, as a user leaves them before starting the mode."""
    write(os.path.join(program, "SYSTEM_F", "SETTEI", "SETTEI_F.txt"),
          answering_settings("%s@example.jp" % FORWARD_USER, REPLY_TEXT_NAME))
    write(os.path.join(program, "SYSTEM_F", "HENSINYOU", REPLY_TEXT_NAME),
          "".join(line + "\r\n" for line in REPLY_TEXT).encode("cp932"))


def link_store(program, outside):
    """Makes the linked store a link into `outside`, relative, so that a copy of the program folder
    beside a copy of `outside` (a failed round's) links into that copy."""
    target = os.path.join(outside, LINKED_STORE)
    os.makedirs(target, exist_ok=True)
    link = os.path.join(program, LINKED_FOLDER)
    os.makedirs(os.path.dirname(link), exist_ok=True)
    os.symlink(os.path.relpath(target, os.path.dirname(link)), link)


def make_outside(outside, rng):
    """Files beside the program folder that no action may touch; the linked store's target is made
    beside them by prepare()."""
    for n in (1, 2, 3):
        _, _, data = received_mail(n, rng)
        write(os.path.join(outside, "JUSINBOX", "saved-%d.eml" % n), data)
        write(os.path.join(outside, "notes", "メモ%d.txt" % n), ("覚え書き %d\r\n" % n).encode("cp932"))


def prepare(work, program, outside, rng, server, check, answering=False):
    """The program folder and its expectations, made by the program's own first start. `check`
    runs the check program: (program, expectations, inventory) -> (ok, output). With `answering`
    the answering mode is set up too."""
    log("preparing %s" % program)
    make_outside(outside, rng)
    link_store(program, outside)
    # The user ticked "empty the trash at exit" once.
    write(os.path.join(program, "SYSTEM_F", "GOMI_K"), flag_record("1"))
    if server:
        write(os.path.join(program, "SYSTEM_F", "MAIL_DATA.txt"), server.account_file())
    if answering:
        set_up_answering(program)
    tokens, marks, sent_tokens = {}, {}, []
    numbers = list(range(1, 41))
    stamp = 0
    for store, count in RECEIVED_START.items():
        for _ in range(count):
            n = numbers.pop(0)
            message_id, token, data = received_mail(n, rng)
            stamp += 1
            seconds = 9 * 3600 + stamp * 437
            name = "202612%02d_%02d%02d%02d_%06d.eml" % (
                1 + stamp // 20, seconds // 3600, seconds // 60 % 60, seconds % 60, stamp)
            write(os.path.join(program, RECEIVED[store], name), data)
            tokens[message_id], marks[message_id] = token, "none"
    n = 0
    for store, count in SENT_START.items():
        for _ in range(count):
            n += 1
            token, data = sent_mail(n)
            write(os.path.join(program, SENT[store], "20261202_18%04d_%06d.txt" % (n, n)), data)
            sent_tokens.append(token)
    expect = os.path.join(work, "expected-marks")
    inventory = os.path.join(work, "inventory")
    Expectations.write(expect, marks, tokens, sent_tokens)
    ok, output = check(program, expect, inventory)
    if not ok:
        raise SystemExit("the first start of the prepared folder failed its check:\n" + output)
    # Marks on some rows of the receive list, in its cache.
    box = listed(os.path.join(program, RECEIVED["receive box"]))
    chosen = rng.sample(range(len(box)), 12)
    marked = {i: MARK_NAMES[k % 2] for k, i in enumerate(chosen)}
    mark_rows(program, marked)
    for i, name in marked.items():
        marks[message_id_of(os.path.join(program, RECEIVED["receive box"], box[i]))] = name
    Expectations.write(expect, marks, tokens, sent_tokens)
    ok, output = check(program, expect, inventory)
    if not ok:
        raise SystemExit("the marked receive list failed its check:\n" + output)
    log("prepared: %d received mails (%d marked), %d sent mails; %s links to %s" % (
        len(tokens), len(marked), len(sent_tokens), LINKED_FOLDER, os.path.join(outside, LINKED_STORE)))
    return expect, inventory
