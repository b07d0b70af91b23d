#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
"""Start-up as a user sees it: the time from launching a program to its main
window being mapped on the X server, and its resident memory a moment later.

    xvfb-run -a python3 scripts/opstart_meting.py [-n 5] PROGRAM [--vs BASELINE]

Runs PROGRAM (and BASELINE, in turn) n times each, watching the root window
for the first MapNotify; prints the median of each figure and the ratios.
Each program is closed with SIGTERM once measured. Needs only libX11.
"""
import argparse
import ctypes
import ctypes.util
import os
import signal
import statistics
import subprocess
import sys
import time

MAP_NOTIFY = 19
SUBSTRUCTURE_NOTIFY_MASK = 1 << 19

x11 = ctypes.cdll.LoadLibrary(ctypes.util.find_library("X11") or "libX11.so.6")
x11.XOpenDisplay.restype = ctypes.c_void_p
x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
x11.XDefaultRootWindow.restype = ctypes.c_ulong
x11.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
x11.XSelectInput.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_long]
x11.XNextEvent.argtypes = [ctypes.c_void_p, ctypes.c_void_p]
x11.XPending.argtypes = [ctypes.c_void_p]
x11.XConnectionNumber.argtypes = [ctypes.c_void_p]
x11.XFlush.argtypes = [ctypes.c_void_p]


def rss_kib(pid):
    with open(f"/proc/{pid}/status") as f:
        for regel in f:
            if regel.startswith("VmRSS:"):
                return int(regel.split()[1])
    return 0


def een_run(dpy, cmd, wacht_ms):
    import select
    # Drop what earlier runs left in the queue.
    ev = ctypes.create_string_buffer(192)
    while x11.XPending(dpy):
        x11.XNextEvent(dpy, ev)
    begin = time.monotonic()
    proc = subprocess.Popen(cmd, stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                            stderr=subprocess.DEVNULL)
    fd = x11.XConnectionNumber(dpy)
    eind = begin + 30
    gemapt = None
    while gemapt is None and time.monotonic() < eind:
        if not x11.XPending(dpy):
            select.select([fd], [], [], 0.05)
            if proc.poll() is not None:
                break
            continue
        x11.XNextEvent(dpy, ev)
        if int.from_bytes(ev.raw[0:4], "little") == MAP_NOTIFY:
            gemapt = time.monotonic()
    if gemapt is None:
        proc.kill()
        proc.wait()
        raise RuntimeError(f"{cmd[0]}: no window mapped")
    time.sleep(wacht_ms / 1000)
    rss = rss_kib(proc.pid)
    proc.send_signal(signal.SIGTERM)
    try:
        proc.wait(10)
    except subprocess.TimeoutExpired:
        proc.kill()
        proc.wait()
    return (gemapt - begin) * 1000, rss / 1024


def main():
    p = argparse.ArgumentParser()
    p.add_argument("-n", type=int, default=5)
    p.add_argument("--wacht-ms", type=int, default=1000,
                   help="how long after mapping the memory is read")
    p.add_argument("--vs", help="the baseline command (one word)")
    p.add_argument("programma", nargs=argparse.REMAINDER)
    a = p.parse_args()
    dpy = x11.XOpenDisplay(None)
    if not dpy:
        sys.exit("no X display (run under xvfb-run -a)")
    root = x11.XDefaultRootWindow(dpy)
    x11.XSelectInput(dpy, root, SUBSTRUCTURE_NOTIFY_MASK)
    x11.XFlush(dpy)
    cmds = {"programma": a.programma}
    if a.vs:
        cmds["basis"] = a.vs.split()
    uit = {k: ([], []) for k in cmds}
    for _ in range(a.n):
        for naam, cmd in cmds.items():
            t, m = een_run(dpy, cmd, a.wacht_ms)
            uit[naam][0].append(t)
            uit[naam][1].append(m)
    for naam, (ts, ms) in uit.items():
        print(f"{naam}: mapped after {statistics.median(ts):.1f} ms "
              f"(min {min(ts):.1f}, max {max(ts):.1f}); "
              f"resident {statistics.median(ms):.1f} MiB")
    if a.vs:
        t = statistics.median(uit["programma"][0]) / statistics.median(uit["basis"][0])
        m = statistics.median(uit["programma"][1]) / statistics.median(uit["basis"][1])
        print(f"ratio: time {t:.2f}x, memory {m:.2f}x")


if __name__ == "__main__":
    main()
