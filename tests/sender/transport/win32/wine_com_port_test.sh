#!/usr/bin/env bash
# Runs the Win32RealPort tests against a real COM port: a pseudo-terminal
# pair made here (a program under Wine cannot make one), its terminal end
# mapped to COM9 in the Wine prefix, its controlling end read into a file
# by a small recorder.
#   wine_com_port_test.sh TARNIK_TESTS_EXE
set -euo pipefail
exe=$1
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/../../../.." && pwd)
source "$top/scripts/wine-env.sh"
tarnik_wine_prepare

com=9
work=$(mktemp -d)
link="$WINEPREFIX/dosdevices/com$com"
cleanup() {
    touch "$work/stop"
    wait 2>/dev/null || true
    rm -f "$link"
    rm -rf "$work"
}
trap cleanup EXIT

python3 - "$work" <<'PY' &
import os, select, sys, time, tty
work = sys.argv[1]
master, slave = os.openpty()
tty.setraw(master)
tty.setraw(slave)  # the far end stays open: no hang-up between opens
with open(os.path.join(work, "device.tmp"), "w") as f:
    f.write(os.ttyname(slave))
os.rename(os.path.join(work, "device.tmp"), os.path.join(work, "device"))
deadline = time.time() + 60
pull = os.path.join(work, "pull")
after_pull = 0
with open(os.path.join(work, "received.bin"), "wb") as out:
    while time.time() < deadline and not os.path.exists(os.path.join(work, "stop")):
        ready, _, _ = select.select([master], [], [], 0.05)
        if ready:
            data = os.read(master, 65536)
            out.write(data)
            out.flush()
            if os.path.exists(pull):
                # The cable is pulled a few blocks into the job: both ends close.
                after_pull += len(data)
                if after_pull >= 5000:
                    os.close(master)
                    os.close(slave)
                    break
PY

for _ in $(seq 100); do [ -f "$work/device" ] && break; sleep 0.05; done
ln -sfn "$(cat "$work/device")" "$link"

# The server opens the terminal end for the program: when the recorder
# closes the controlling end, the server gets a hang-up and dumps its
# objects on stderr. Start it here (if none runs) with stderr discarded.
wineserver >/dev/null 2>&1 </dev/null || true

export TARNIK_WINE_COM=$com
export TARNIK_WINE_RECEIVED="Z:${work//\//\\}\\received.bin"
timeout 60 wine "$exe" --gtest_filter='Win32RealPort*' --gtest_brief=1

# Last, as it ends the recorder: the far end goes away in the middle of a job.
export TARNIK_WINE_PULL="Z:${work//\//\\}\\pull"
timeout 60 wine "$exe" --gtest_filter='Win32PulledCable*' --gtest_brief=1
