# Inkscape extension "Send to cutter (Tarnik)": Inkscape's own HPGL output
# writes the drawing at 800 units per inch (the unit of the plot files that
# tarnik-cli reads), and tarnik-cli cuts it with the user's settings file.
# The HPGL goes to tarnik-cli through a pipe, so nothing is written to disk
# here; tarnik-cli works in a private folder that it removes itself.
import os
import re
import shutil
import subprocess
import tempfile

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
JOB_BYTES = re.compile(r", (\d+) bytes")

# The line to the plotter: 38400 baud, ten bits a byte.
LINE_BYTES_PER_SECOND = 3840

# The first line of every report, so that Inkscape's message box (the same
# box for success and failure) says at once what happened.
FAILED = "Nothing was cut."


def line_time(job_bytes):
    """How long a job of job_bytes takes on the line, as a user reads it."""
    seconds = int(round(job_bytes / LINE_BYTES_PER_SECOND))
    if seconds < 60:
        return "%d s" % max(seconds, 1)
    return "%d min %02d s" % (seconds // 60, seconds % 60)


def element_name(element):
    """An element as the user finds it again: its id, and a text's words."""
    name = element.get_id()
    if isinstance(element, (inkex.TextElement, inkex.FlowRoot)):
        words = " ".join("".join(element.itertext()).split())
        if words:
            name += ' "%s"' % (words if len(words) <= 30 else words[:27] + "...")
    return name


def visible(svg, kinds):
    """The visible elements of the given kinds (hidden ones are not cut)."""
    return [el for el in svg.descendants() if isinstance(el, kinds) and el.is_visible()]


def find_cli():
    """tarnik-cli from TARNIK_CLI (for a build tree or an unpacked package), else PATH."""
    return os.environ.get("TARNIK_CLI") or shutil.which("tarnik-cli")


def media_args(options):
    """The Media page as tarnik-cli options; what is left at its default is not passed."""
    args = []
    if options.media_width > 0:
        args += ["--media-width", "%g" % options.media_width]
    if options.rotate != "0":
        args += ["--rotate", options.rotate]
    if options.mirror:
        args += ["--mirror"]
    if options.margin_left > 0 or options.margin_top > 0:
        args += ["--margin", "%g,%g" % (options.margin_left, options.margin_top)]
    if options.copies > 1:
        args += ["--copies", "%d" % options.copies, "--gap", "%g" % options.gap]
    if options.weed_border > 0:
        args += ["--weed-border", "%g" % options.weed_border]
    if options.weed_lines > 0:
        args += ["--weed-lines", "%g" % options.weed_lines]
    if options.tile > 0:
        args += ["--tile", "%g" % options.tile]
    return args


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
    args += media_args(options)
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
        pars.add_argument("--media_width", type=float, default=0.0)
        pars.add_argument("--rotate", default="0", choices=("0", "90", "auto"))
        pars.add_argument("--mirror", type=inkex.Boolean, default=False)
        pars.add_argument("--margin_left", type=float, default=0.0)
        pars.add_argument("--margin_top", type=float, default=0.0)
        pars.add_argument("--copies", type=int, default=1)
        pars.add_argument("--gap", type=float, default=5.0)
        pars.add_argument("--weed_border", type=float, default=0.0)
        pars.add_argument("--weed_lines", type=float, default=0.0)
        pars.add_argument("--tile", type=float, default=0.0)

    def text_as_paths(self):
        """Inkscape's HPGL output drops text: the drawing with every text
        turned into paths by Inkscape itself (its command line's
        --export-text-to-path), or None when it holds no text. The user's
        drawing stays as it is. Refuses, naming them, texts that stay text."""
        if not visible(self.svg, (inkex.TextElement, inkex.FlowRoot)):
            return None
        document = None
        with tempfile.TemporaryDirectory(prefix="tarnik-") as folder:
            drawing = os.path.join(folder, "drawing.svg")
            converted = os.path.join(folder, "paths.svg")
            self.document.write(drawing)
            try:
                subprocess.run([shutil.which("inkscape") or "inkscape", "--export-text-to-path",
                                "--export-plain-svg", "--export-type=svg",
                                "--export-filename=" + converted, drawing],
                               stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, check=False,
                               timeout=300)
            except (OSError, subprocess.TimeoutExpired):
                pass
            if os.path.isfile(converted):
                document = inkex.load_svg(converted)
        left = visible(document.getroot() if document is not None else self.svg,
                       (inkex.TextElement, inkex.FlowRoot))
        if left:
            raise inkex.AbortExtension(
                "%s The drawing holds text that could not be turned into paths: %s. "
                "Select it and use Path > Object to Path, then cut again."
                % (FAILED, ", ".join(element_name(el) for el in left)))
        return document

    def refuse_pictures(self):
        """A picture has no outline to cut; Inkscape's HPGL output would cut its frame."""
        pictures = visible(self.svg, (inkex.Image,))
        if pictures:
            raise inkex.AbortExtension(
                "%s The drawing holds pictures, which have no outlines to cut: %s. "
                "Trace them into paths (Path > Trace Bitmap) and delete or hide the pictures, "
                "then cut again." % (FAILED, ", ".join(element_name(el) for el in pictures)))

    def hpgl(self, document=None):
        """The drawing (or document, in its place) as Inkscape's HPGL output
        writes it."""
        saved = vars(self.options).copy()
        drawing = (self.document, self.svg)
        vars(self.options).update(HPGL_OPTIONS)
        if document is not None:
            self.document, self.svg = document, document.getroot()
        stream = _Bytes()
        try:
            hpgl_output.HpglOutput.save(self, stream)
        finally:
            vars(self.options).clear()
            vars(self.options).update(saved)
            self.document, self.svg = drawing
        return stream.data

    def effect(self):
        cli = find_cli()
        if not cli:
            raise inkex.AbortExtension("%s tarnik-cli was not found: install the tarnik package."
                                       % FAILED)
        settings = os.path.expanduser(self.options.settings or "")
        if settings and not os.path.isfile(settings):
            raise inkex.AbortExtension("%s Settings file %s does not exist." % (FAILED, settings))
        if self.options.target == "file" and not self.options.file:
            raise inkex.AbortExtension("%s Choose the file to save the job in." % FAILED)
        self.refuse_pictures()
        plot = self.hpgl(self.text_as_paths())
        args = command_line(cli, self.options)
        try:
            done = subprocess.run(args, input=plot, stdout=subprocess.PIPE, stderr=subprocess.PIPE,
                                  cwd=os.path.expanduser("~"), check=False)
        except OSError as error:
            raise inkex.AbortExtension("%s tarnik-cli could not be started: %s" % (FAILED, error))
        report = progress_report(done.stderr.decode("utf-8", "replace"))
        summary = done.stdout.decode("utf-8", "replace").strip()
        if done.returncode != 0:
            report.insert(0, "%s (tarnik-cli status %d)" % (FAILED, done.returncode))
            if summary:
                report.append(summary.replace("/dev/stdin: ", "Design: ", 1))
            raise inkex.AbortExtension("\n".join(report))
        outcome = ("Saved to %s." % args[-2] if self.options.target == "file"
                   else "Sent to the cutter.")
        job_bytes = JOB_BYTES.search(summary)
        if job_bytes:
            outcome += " The job takes about %s on the line (%s bytes at %d bytes a second)." % (
                line_time(int(job_bytes.group(1))), job_bytes.group(1), LINE_BYTES_PER_SECOND)
        report.insert(0, outcome)
        if summary:
            # The summary names the plot file by the pipe it came through.
            report.append(summary.replace("/dev/stdin: ", "Design: ", 1))
        self.msg("\n".join(report))


class _Bytes:
    """What HpglOutput.save writes, kept in memory."""

    def __init__(self):
        self.data = b""

    def write(self, chunk):
        self.data += chunk


if __name__ == "__main__":
    SendToCutter().run()
