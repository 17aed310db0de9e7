#!/usr/bin/python3
"""Times the parse of one large UTF-8 body per kind of text: Japanese, which CP932 holds whole, and
texts CP932 cannot hold (Korean, emoji among Japanese, emoji alone), whose characters each become
"?"; and Japanese bodies without a charset label in EUC-JP and CP932, whose readings are weighed. Each mail is parsed ROUNDS times, one process per parse as run_parse.py does; prints the
median and the spread of each kind and its ratio to the Japanese body of the same size.

usage: charset_speed.py <talvenor-mail>[,<another build's talvenor-mail>...] [ROUNDS] [KINDS]
  KINDS: comma-separated names from the table below (default: the 1 MB ones)
  Several programs take turns in every round, so that a change and the code before it are
  measured under the same load.
"""
import os
import shutil
import subprocess
import sys
import tempfile
import time

END_LINE = b"ENDDAYOPPI_AKASATA_HONYOHOYNYO"
MB = 1 << 20

JAPANESE = "会議の資料を添付いたしました。ご確認ください。"
KOREAN = "회의 자료를 첨부했습니다. 확인해 주세요."
EMOJI = "\U0001F600\U0001F389\U0001F4CE"


def lines(unit, size):
    """Lines of about 70 bytes made of `unit`, `size` bytes in all."""
    out, total = [], 0
    while total < size:
        line = ""
        while len(line.encode()) < 70:
            line += unit
        out.append(line)
        total += len(line.encode()) + 1
    return "\n".join(out) + "\n"


# Each kind: the text, its size, and the charset of a body without a label (None: UTF-8, labelled).
KINDS = {
    "japanese-1mb": (JAPANESE, MB, None),
    "korean-1mb": (KOREAN, MB, None),
    "emoji-in-japanese-1mb": ("今日の予定" + EMOJI + "です。", MB, None),
    "emoji-1mb": (EMOJI, MB, None),
    "unlabelled-euc-jp-1mb": (JAPANESE, MB, "euc_jp"),
    "unlabelled-cp932-1mb": (JAPANESE, MB, "cp932"),
    "japanese-20mb": (JAPANESE, 20 * MB, None),
    "emoji-20mb": (EMOJI, 20 * MB, None),
}
DEFAULT_KINDS = "japanese-1mb,korean-1mb,emoji-in-japanese-1mb,emoji-1mb,unlabelled-euc-jp-1mb,unlabelled-cp932-1mb"


def mail(unit, size, unlabelled):
    head = ("From: sender@example.jp\r\nTo: hanako@example.jp\r\nSubject: speed\r\n"
            "Date: Thu, 14 Mar 2024 09:00:00 +0900\r\nMIME-Version: 1.0\r\n"
            + ("" if unlabelled else "Content-Type: text/plain; charset=utf-8\r\n")
            + "Content-Transfer-Encoding: 8bit\r\n\r\n")
    return head.encode() + lines(unit, size).replace("\n", "\r\n").encode(unlabelled or "utf-8")


def parse_once(program, folder, name):
    request = os.path.join(folder, "SYSTEM_F", "CHECK.txt")
    result = os.path.join(folder, "SYSTEM_F", "YOMITORI.txt")
    for path in (request, result):
        if os.path.exists(path):
            os.remove(path)
    with open(request, "wb") as out:
        out.write(b"JUSINBOX\\" + name.encode() + b"\r\n")
    begin = time.perf_counter()
    subprocess.run([program, "parse"], cwd=folder, check=True)
    elapsed = time.perf_counter() - begin
    with open(result, "rb") as f:
        if END_LINE not in f.read():
            sys.exit("incomplete result for " + name)
    return elapsed


def main():
    if not 2 <= len(sys.argv) <= 4:
        sys.exit(__doc__)
    programs = [os.path.abspath(p) for p in sys.argv[1].split(",")]
    rounds = int(sys.argv[2]) if len(sys.argv) > 2 else 5
    kinds = (sys.argv[3] if len(sys.argv) > 3 else DEFAULT_KINDS).split(",")
    medians = {}
    folder = tempfile.mkdtemp(prefix="charset-speed-")
    try:
        for sub in ("SYSTEM_F", "JUSINBOX", "TENPFIL"):
            os.mkdir(os.path.join(folder, sub))
        for kind in kinds:
            unit, size, unlabelled = KINDS[kind]
            with open(os.path.join(folder, "JUSINBOX", kind + ".eml"), "wb") as out:
                out.write(mail(unit, size, unlabelled))
        for kind in kinds:
            times = {program: [] for program in programs}
            for _ in range(rounds):
                for program in programs:
                    times[program].append(parse_once(program, folder, kind + ".eml"))
            for program in programs:
                spread = sorted(times[program])
                median = spread[len(spread) // 2]
                medians[program, kind] = median
                base = medians.get((program, "japanese-" + kind.rsplit("-", 1)[1]))
                ratio = " (%.2f x Japanese)" % (median / base) if base and not kind.startswith("japanese") else ""
                print("%-24s median %9.1f ms, min %9.1f, max %9.1f%s  %s" % (
                    kind, median * 1e3, spread[0] * 1e3, spread[-1] * 1e3, ratio, program), flush=True)
    finally:
        shutil.rmtree(folder)


main()
