#!/usr/bin/python3
"""Parses every mail of <program folder>/JUSINBOX with talvenor-mail, one process per mail, the way
the program's rebuild does (delete the request and the result, write the request, start the
component, wait, read the result), and reports mails per second, the cost of one process start
and the peak memory of one parse."""
import os
import resource
import subprocess
import sys
import time

END_LINE = b"ENDDAYOPPI_AKASATA_HONYOHOYNYO"


def main():
    if len(sys.argv) != 3:
        sys.exit("usage: run_parse.py <talvenor-mail> <program folder>")
    program, folder = os.path.abspath(sys.argv[1]), sys.argv[2]
    request = os.path.join(folder, "SYSTEM_F", "CHECK.txt")
    result = os.path.join(folder, "SYSTEM_F", "YOMITORI.txt")
    names = sorted(os.listdir(os.path.join(folder, "JUSINBOX")))

    # The cost of one process start: the component started with a command it refuses, which
    # loads it and its libraries and ends at once.
    starts = 200
    begin = time.perf_counter()
    for _ in range(starts):
        subprocess.run([program, "none"], cwd=folder, stderr=subprocess.DEVNULL)
    start_cost = (time.perf_counter() - begin) / starts

    times = []
    begin = time.perf_counter()
    for name in names:
        t = time.perf_counter()
        for path in (request, result):
            if os.path.exists(path):
                os.remove(path)
        with open(request, "wb") as out:
            out.write(b"JUSINBOX\\" + name.encode("cp932") + b"\r\n")
        subprocess.run([program, "parse"], cwd=folder)
        with open(result, "rb") as f:
            if END_LINE not in f.read():
                sys.exit("incomplete result for " + name)
        times.append(time.perf_counter() - t)
    total = time.perf_counter() - begin
    peak_kb = resource.getrusage(resource.RUSAGE_CHILDREN).ru_maxrss

    times.sort()
    n = len(times)
    print("mails:                 %d" % n)
    print("total:                 %.2f s" % total)
    print("mails per second:      %.1f" % (n / total))
    print("per mail: median %.1f ms, 90th %.1f ms, 99th %.1f ms, max %.1f ms" % (
        times[n // 2] * 1e3, times[n * 9 // 10] * 1e3, times[n * 99 // 100] * 1e3, times[-1] * 1e3))
    print("one process start:     %.2f ms" % (start_cost * 1e3))
    print("peak memory of a parse: %.1f MB (max RSS)" % (peak_kb / 1024))


main()
