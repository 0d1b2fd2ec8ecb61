# Inkscape extension "Send to cutter (Tarnik)": Inkscape's own HPGL output
# writes the drawing at 800 units per inch (the unit of the plot files that
# tarnik-cli reads), and tarnik-cli cuts it with the user's settings file.
# The HPGL goes to tarnik-cli through a pipe, so nothing is written to disk
# here; tarnik-cli works in a private folder that it removes itself.
import os
import re
import shutil
import subprocess

import inkex

import hpgl_output

# Tarnik reworks the paths for the drag knife itself (closing overcut,
# knife offset, point reduction from the settings file), so Inkscape's own
# versions of those stay off: applying both would cut twice the overcut.
HPGL_OPTIONS = {
    "resolutionX": 800.0,
    "resolutionY": 800.0,
    "pen": 1,
    "force": 0,
    "speed": 0,
    "orientation": "0",
    "mirrorX": False,
    "mirrorY": False,
    "center": False,
    "overcut": 0.0,
    "precut": False,
    "flat": 1.2,
    "autoAlign": True,
    "toolOffset": 0.0,
}

PROGRESS = re.compile(r"\[[# ]*\]\s*(\d+)%\s+(\d+)/(\d+) bytes")


def find_cli():
    """tarnik-cli from TARNIK_CLI (for a build tree or an unpacked package), else PATH."""
    return os.environ.get("TARNIK_CLI") or shutil.which("tarnik-cli")


def command_line(cli, options):
    """tarnik-cli cut for the dialog's choices; the plot file comes on stdin.
    Without a settings file tarnik-cli takes ./tarnik.ini, so it runs in the
    home folder."""
    args = [cli, "cut"]
    settings = os.path.expanduser(options.settings or "")
    if settings:
        args += ["--settings", settings]
    args += ["--marks", "%d,%d" % (options.mark_a, options.mark_b)]
    args += ["--order", options.order, "--panel", "%g" % options.panel]
    if options.target == "usb":
        args += ["--usb", options.usb]
    elif options.target == "file":
        args += ["--output", os.path.expanduser(options.file)]
    else:
        args += ["--port", options.port]
    return args + ["/dev/stdin"]


def progress_report(stderr_text):
    """tarnik-cli redraws its bar with carriage returns; keep a line per quarter."""
    lines, next_step = [], 25
    for piece in re.split(r"[\r\n]", stderr_text):
        match = PROGRESS.search(piece)
        if match:
            percent = int(match.group(1))
            if percent >= next_step:
                lines.append("Sent %d%% (%s of %s bytes)" % (percent, match.group(2), match.group(3)))
                next_step = (percent // 25 + 1) * 25
        elif piece.strip():
            lines.append(piece.strip())
    return lines


class SendToCutter(inkex.EffectExtension):
    def add_arguments(self, pars):
        pars.add_argument("--tab")
        pars.add_argument("--settings", default="")
        pars.add_argument("--target", default="port", choices=("port", "usb", "file"))
        pars.add_argument("--port", default="/dev/ttyUSB0")
        pars.add_argument("--usb", default="/dev/usb/lp0")
        pars.add_argument("--file", default="")
        pars.add_argument("--mark_a", type=int, default=0)
        pars.add_argument("--mark_b", type=int, default=0)
        pars.add_argument("--order", default="shortest", choices=("drawn", "inside", "shortest"))
        pars.add_argument("--panel", type=float, default=0.0)

    def hpgl(self):
        """The drawing as Inkscape's HPGL output writes it."""
        saved = vars(self.options).copy()
        vars(self.options).update(HPGL_OPTIONS)
        stream = _Bytes()
        try:
            hpgl_output.HpglOutput.save(self, stream)
        finally:
            vars(self.options).clear()
            vars(self.options).update(saved)
        return stream.data

    def effect(self):
        cli = find_cli()
        if not cli:
            raise inkex.AbortExtension("tarnik-cli was not found: install the tarnik package.")
        settings = os.path.expanduser(self.options.settings or "")
        if settings and not os.path.isfile(settings):
            raise inkex.AbortExtension("Settings file %s does not exist." % settings)
        if self.options.target == "file" and not self.options.file:
            raise inkex.AbortExtension("Choose the file to save the job in.")
        plot = self.hpgl()
        args = command_line(cli, self.options)
        try:
            done = subprocess.run(args, input=plot, stdout=subprocess.PIPE, stderr=subprocess.PIPE,
                                  cwd=os.path.expanduser("~"), check=False)
        except OSError as error:
            raise inkex.AbortExtension("tarnik-cli could not be started: %s" % error)
        report = progress_report(done.stderr.decode("utf-8", "replace"))
        summary = done.stdout.decode("utf-8", "replace").strip()
        if done.returncode != 0:
            report.append("Nothing was cut (tarnik-cli status %d)." % done.returncode)
            raise inkex.AbortExtension("\n".join(report))
        if summary:
            # The summary names the plot file by the pipe it came through.
            report.append(summary.replace("/dev/stdin: ", "Design: ", 1))
        report.append("Saved to %s." % args[-2] if self.options.target == "file" else "Sent to the cutter.")
        self.msg("\n".join(report))


class _Bytes:
    """What HpglOutput.save writes, kept in memory."""

    def __init__(self):
        self.data = b""

    def write(self, chunk):
        self.data += chunk


if __name__ == "__main__":
    SendToCutter().run()
