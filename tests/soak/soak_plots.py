"""Plot files and settings for the soak runs: varied sizes and settings,
the same designs in every hundred jobs (so that the first and the last
hundred ask the same of the sender), each hundred's frame moved by one
unit (so that a lost, repeated or mixed job still shows in the bytes)."""
import random

# Points per plot file, by job number modulo 100: mostly small designs, a
# few of some thousand points and one of 40 000 (a job of some 300 KB).
SIZES = [3, 12, 40, 150, 600] * 18 + [2000, 2000, 5000, 5000, 8000, 8000, 12000, 12000, 20000, 40000]

BASE_SETTINGS = [
    "[COM]", "CurrentCom=1", "BaudRate=38400", "[AutoGET]", "WaitSecond=1",
    "ColExportFilename=tarnik.plt", "[CutConfig]", "PortType=0", "USBPort=1", "MAXdeg=150",
    "[XYInaccuracy]", "XDesignSize=100.000", "XTrueSize=100.000", "YDesignSize=100.000",
    "YTrueSize=100.000", "XSizeRedeem=1.000000", "YSizeRedeem=1.000000", "[ImageCut]",
    "FlagColor=0",
]

# (model, DashedMode, CutImageMode, transforms on, CanFeedPaper, marks): the
# marks A,B go with CutImageMode (B inner band limits).
VARIANTS = [
    (1, 0, 0, 0, 0, "0,0"),
    (2, 0, 0, 0, 0, "0,0"),
    (1, 0, 0, 1, 0, "0,0"),
    (2, 0, 0, 1, 0, "0,0"),
    (1, 1, 0, 1, 0, "0,0"),
    (1, 0, 1, 1, 1, "2,1"),
    (1, 1, 1, 0, 1, "3,2"),
    (2, 0, 0, 1, 1, "0,0"),
]


def settings_text(variant):
    model, dashed, marks, transforms, feed, _ = VARIANTS[variant]
    lines = list(BASE_SETTINGS)
    lines += ["[Model]", "Mode=%d" % model, "[CutConfig]",
              "DashedMode=%d" % dashed, "CutImageMode=%d" % marks,
              "CloseEnble=%d" % transforms, "SharpEnble=%d" % transforms,
              "ReducePointEnble=%d" % transforms, "CloseOffset=0.50", "SharpOffset=0.30",
              "ReducePoint=0.20", "SolidLineLen=3.00", "JumpLineLen=1.50",
              "[FeedPaper]", "CanFeedPaper=%d" % feed, "XSTEPS=40.0", "YSTEPS=0.0"]
    return "\r\n".join(lines) + "\r\n"


def marks_of(variant):
    return VARIANTS[variant][5]


def plot_text(job):
    """HPGL of job number `job`: closed and open polylines inside 300 x 200 mm
    (40 units per mm), at least 60 mm each way so that mark bands fit."""
    rng = random.Random((job % len(SIZES)) * 7919 + 17)
    points = SIZES[job % len(SIZES)]
    out = ["IN;SP1;"]
    # A frame first: every design is at least 60 x 60 mm.
    x0 = 400 + rng.randrange(400) + job // len(SIZES)
    y0 = 400 + rng.randrange(400)
    out.append("PU%d,%d;PD%d,%d,%d,%d,%d,%d,%d,%d;" % (
        x0, y0, x0 + 2400, y0, x0 + 2400, y0 + 2400, x0, y0 + 2400, x0, y0))
    left = points
    while left > 0:
        n = min(left, 1 + rng.randrange(300))
        left -= n
        x, y = rng.randrange(12000), rng.randrange(8000)
        coords = []
        for _ in range(n):
            x = min(12000, max(0, x + rng.randrange(-200, 201)))
            y = min(8000, max(0, y + rng.randrange(-200, 201)))
            coords.append("%d,%d" % (x, y))
        out.append("PU%s;PD%s;" % (coords[0], ",".join(coords[1:] or coords)))
    out.append("PU;SP0;")
    return "".join(out)
