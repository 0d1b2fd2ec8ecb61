# A plotter for the Wine tests: the far end of a pseudo-terminal whose
# terminal end a COM port of the Wine prefix leads to (a program under Wine
# cannot make one). Everything it reads goes to WORK/received.bin. Files in
# WORK steer it while it runs:
#   hold    output suspended, as by a plotter holding CTS: writes to the
#           port stay pending (a pty does no pacing of its own)
#   vanish  after VANISH_AFTER more bytes both ends close, like a pulled
#           cable; once the file is removed a new pty takes the link
#   stop    ends it
#   python3 pty_plotter.py WORK LINK [VANISH_AFTER [SECONDS]]
# LINK (the prefix's dosdevices/comN) is made to point at the terminal end,
# and WORK/ready appears once it does.
import os
import select
import sys
import termios
import time
import tty

work, link = sys.argv[1], sys.argv[2]
vanish_after = int(sys.argv[3]) if len(sys.argv) > 3 else 1
deadline = time.time() + (float(sys.argv[4]) if len(sys.argv) > 4 else 150)


def flag(name):
    return os.path.exists(os.path.join(work, name))


def open_line():
    master, slave = os.openpty()
    tty.setraw(master)
    tty.setraw(slave)  # the far end stays open: no hang-up between jobs
    os.symlink(os.ttyname(slave), link + ".new")
    os.rename(link + ".new", link)
    return master, slave


line = open_line()
open(os.path.join(work, "ready"), "w").close()
held = False
taken_since_vanish = 0
with open(os.path.join(work, "received.bin"), "wb") as out:
    while time.time() < deadline and not flag("stop"):
        if line is None:
            if not flag("vanish"):
                line = open_line()
                held = False
            time.sleep(0.05)
            continue
        if flag("hold") != held:
            held = not held
            termios.tcflow(line[1], termios.TCOOFF if held else termios.TCOON)
        ready, _, _ = select.select([line[0]], [], [], 0.05)
        if not ready:
            continue
        data = os.read(line[0], 65536)
        out.write(data)
        out.flush()
        if flag("vanish"):
            taken_since_vanish += len(data)
            if taken_since_vanish >= vanish_after:
                os.close(line[0])
                os.close(line[1])
                line = None
                taken_since_vanish = 0
