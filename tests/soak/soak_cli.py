"""Soak of tarnik-cli's serial road: N jobs of varied sizes and settings
through `tarnik-cli cut --port` into the plotter simulator at a fast line
rate. Every job must arrive byte-identical to what `tarnik-cli cut
--output` writes for the same file and settings (so none is lost,
repeated or mixed with another), the work folders must all be gone, and
the peak RSS and open descriptors of the last hundred senders must be no
higher than those of the first hundred.

    soak_cli.py BUILD_DIR [JOBS]

SOAK_FIGURES=FILE appends "job settings bytes peak-RSS-KB fds" per job."""
import os
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import soak_plots  # noqa: E402

# The simulator's line: 2 MB/s, some 500 times a real plotter's 38400 baud,
# so that a thousand jobs take minutes; the sender still meets a reader
# that takes the bytes in small pieces.
LINE_RATE = 2_000_000
WINDOW = 100  # jobs in the first and in the last figures
# The same job run twice here differs by some tens of KB of peak RSS (the
# shared libraries' pages resident or not): the windows are compared job
# by job, each job of the last hundred with the same design in the first,
# and the mean difference must stay under this.
RSS_SLACK_KB = 256


# The peak RSS of a child forked from this script starts at this script's
# own RSS (the kernel keeps the larger of the two across exec), so the
# sender is started by GNU time, a small process, which reports its child's.
GNU_TIME = "/usr/bin/time"


def run_sender(args, env):
    """Runs one tarnik-cli; returns (status, peak RSS in KB, most open fds)."""
    report = os.path.join(env["TMPDIR"], "..", "rss")
    process = subprocess.Popen([GNU_TIME, "-q", "-f", "%M", "-o", report] + args, env=env,
                               stdout=subprocess.DEVNULL, stderr=subprocess.PIPE)
    most_fds = 0
    while process.poll() is None:
        try:
            for child in open("/proc/%d/task/%d/children" % (process.pid, process.pid)).read().split():
                most_fds = max(most_fds, len(os.listdir("/proc/%s/fd" % child)))
        except (OSError, ValueError):
            pass
        time.sleep(0.002)
    process.stderr.read()
    process.stderr.close()
    with open(report) as f:
        peak_kb = int(f.read().split()[-1])
    return process.returncode, peak_kb, most_fds


def wait_for_size(path, size, seconds):
    deadline = time.time() + seconds
    while time.time() < deadline:
        if os.path.getsize(path) >= size:
            return True
        time.sleep(0.005)
    return os.path.getsize(path) >= size


def main():
    build = os.path.abspath(sys.argv[1])
    jobs = int(sys.argv[2]) if len(sys.argv) > 2 else 1000
    cli = os.path.join(build, "cli", "tarnik-cli")
    sim = os.path.join(build, "tools", "plotter_sim")
    work = tempfile.mkdtemp(prefix="tarnik-soak.")
    tmp = os.path.join(work, "tmp")
    os.mkdir(tmp)
    env = dict(os.environ, TMPDIR=tmp)
    for variant in range(len(soak_plots.VARIANTS)):
        with open(os.path.join(work, "s%d.ini" % variant), "w", newline="") as f:
            f.write(soak_plots.settings_text(variant))
    received = os.path.join(work, "received.bin")
    link = os.path.join(work, "plotter")
    simulator = subprocess.Popen([sim, "--out", received, "--link", link, "--rate",
                                  str(LINE_RATE)], stdout=subprocess.PIPE,
                                 stderr=subprocess.PIPE, text=True)
    simulator.stdout.readline()
    try:
        return soak(cli, work, env, tmp, received, link, jobs, simulator)
    finally:
        if simulator.poll() is None:
            simulator.terminate()
            simulator.wait()
        subprocess.run(["rm", "-rf", work])


def soak(cli, work, env, tmp, received, link, jobs, simulator):
    failures = []
    figures = []  # (peak RSS KB, most fds) per sent job
    sent_bytes = 0
    refused = 0
    started = time.time()
    for job in range(jobs):
        variant = job % len(soak_plots.VARIANTS)
        plot = os.path.join(work, "job.plt")
        with open(plot, "w") as f:
            f.write(soak_plots.plot_text(job))
        common = [cli, "cut", "--settings", os.path.join(work, "s%d.ini" % variant),
                  "--marks", soak_plots.marks_of(variant)]
        expected_path = os.path.join(work, "expected.job")
        if os.path.exists(expected_path):
            os.remove(expected_path)
        written = subprocess.run(common + ["--output", expected_path, plot], env=env,
                                 capture_output=True)
        status, rss, fds = run_sender(common + ["--port", link, plot], env)
        if written.returncode != 0:
            refused += 1
            if status == 0:
                failures.append("job %d: refused with --output, sent with --port" % job)
            continue
        with open(expected_path, "rb") as f:
            expected = f.read()
        figures.append((rss, fds))
        if os.environ.get("SOAK_FIGURES"):
            with open(os.environ["SOAK_FIGURES"], "a") as f:
                f.write("%d %d %d %d %d\n" % (job, variant, len(expected), rss, fds))
        if status != 0:
            failures.append("job %d: tarnik-cli --port ended with %d" % (job, status))
        if not wait_for_size(received, sent_bytes + len(expected), 30):
            failures.append("job %d: only %d of %d bytes arrived" % (
                job, os.path.getsize(received) - sent_bytes, len(expected)))
        with open(received, "rb") as f:
            f.seek(sent_bytes)
            got = f.read(len(expected))
        if got != expected:
            failures.append("job %d (settings %d, %d bytes): bytes differ" % (
                job, variant, len(expected)))
        sent_bytes += len(expected)
        if len(failures) > 10:
            break
    seconds = time.time() - started
    time.sleep(0.1)
    simulator.terminate()
    simulator.wait()
    total = os.path.getsize(received)
    if total != sent_bytes:
        failures.append("the plotter received %d bytes, the jobs hold %d" % (total, sent_bytes))
    left_over = os.listdir(tmp)
    if left_over:
        failures.append("%d work folders left in the temporary folder" % len(left_over))

    first, last = figures[:WINDOW], figures[-WINDOW:]
    rss_first, rss_last = max(r for r, _ in first), max(r for r, _ in last)
    fds_first, fds_last = max(f for _, f in first), max(f for _, f in last)
    pairs = min(len(first), len(last))
    rss_change = sum(b[0] - a[0] for a, b in zip(first[:pairs], last[-pairs:])) / max(pairs, 1)
    print("soak cli: %d jobs, %d sent and compared (%d bytes), %d refused alike by "
          "--output and --port, %.1f s" % (jobs, len(figures), sent_bytes, refused, seconds))
    print("soak cli: peak RSS first %d jobs %d KB, last %d jobs %d KB; same design last minus "
          "first %+.0f KB on average" % (len(first), rss_first, len(last), rss_last, rss_change))
    print("soak cli: open descriptors first %d jobs %d, last %d jobs %d" % (
        len(first), fds_first, len(last), fds_last))
    if rss_change > RSS_SLACK_KB:
        failures.append("peak RSS grew by %.0f KB per job" % rss_change)
    # Descriptors are sampled every 2 ms, so a window's most depends on what
    # a sample caught open together (streams, settings, plot, work file,
    # port: 4 to 6 in a run); one more than the first window's most is
    # allowed, a leak in the senders' surroundings would go on growing.
    if fds_last > fds_first + 1:
        failures.append("open descriptors grew from %d to %d" % (fds_first, fds_last))
    for failure in failures:
        print("FAIL " + failure)
    print("soak cli: %s" % ("passed" if not failures else "FAILED"))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
