#!/usr/bin/env python3
"""Whole-process `lumovander-batch filter` against the closest ImageMagick operation, on
the same 3000 x 2000 24-bit BMP, in one run. Prints wall-clock and processor times (best
of several runs each, run in turns) and their ratios: ImageMagick's time divided by ours,
so above 1 means the batch command is faster.

Needs Debian's imagemagick (only for this comparison):  apt-get install imagemagick
Usage: bench/compare_imagemagick.py [path/to/lumovander-batch] [runs]
"""
import os
import resource
import shutil
import subprocess
import sys
import tempfile
import time

# (name, our code and parameter, ImageMagick's operation); targets: not slower on any
# pair, at least 5 x faster on aquarel and scattered.
PAIRS = [
    ("negate", ["2", "0"], ["-negate"]),
    ("grayscale", ["12", "0"], ["-colorspace", "Gray"]),
    ("blur / 3x3 convolve", ["3", "0"], ["-convolve", "1,1,1,1,0,1,1,1,1"]),
    ("relief / emboss", ["13", "0"], ["-emboss", "1"]),
    ("edge", ["6", "1"], ["-edge", "1"]),
    ("sharpen", ["1", "10"], ["-sharpen", "0x1"]),
    ("aquarel / kuwahara", ["24", "0"], ["-kuwahara", "1"]),
    ("defuse / spread", ["4", "6"], ["-spread", "3"]),
    ("add noise / uniform", ["29", "50"], ["-attenuate", "0.4", "+noise", "Uniform"]),
    ("scattered / FS mono", ["23", "15"], ["-dither", "FloydSteinberg", "-monochrome"]),
    ("fliph / flop", ["fliph", "0"], ["-flop"]),
]


def find_convert():
    # Debian's own binary, not a wrapper that may stand first on the PATH.
    for candidate in ("/usr/bin/convert-im6.q16", "/usr/bin/convert-im6", "/usr/bin/convert"):
        if os.path.exists(candidate):
            return candidate
    sys.exit("ImageMagick is not installed: apt-get install imagemagick")


def timed(command, env):
    """Wall-clock and processor (user + system) seconds of one child process."""
    before = resource.getrusage(resource.RUSAGE_CHILDREN)
    start = time.perf_counter()
    subprocess.run(command, check=True, env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    wall = time.perf_counter() - start
    after = resource.getrusage(resource.RUSAGE_CHILDREN)
    cpu = (after.ru_utime - before.ru_utime) + (after.ru_stime - before.ru_stime)
    return wall, cpu


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    batch = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "build", "src", "app", "lumovander-batch")
    runs = int(sys.argv[2]) if len(sys.argv) > 2 else 5
    if not os.access(batch, os.X_OK):
        sys.exit(f"lumovander-batch not found at {batch}; pass its path")
    convert = find_convert()
    env = dict(os.environ, QT_QPA_PLATFORM="offscreen")
    work = tempfile.mkdtemp(prefix="lumo-compare-")
    env.setdefault("XDG_RUNTIME_DIR", work)
    try:
        photo = os.path.join(work, "photo.bmp")
        subprocess.run([convert, "-size", "3000x2000", "gradient:orange-navy", "-attenuate", "0.5", "+noise",
                        "Gaussian", "-type", "TrueColor", "BMP3:" + photo], check=True, env=env)
        ours_out = os.path.join(work, "ours.bmp")
        theirs_out = os.path.join(work, "theirs.bmp")
        print(f"picture: 3000 x 2000, 24-bit BMP; best of {runs} runs; ImageMagick: {convert} "
              f"(its default threads), ours: one thread")
        print(f"{'pair':22} {'ours ms':>9} {'IM ms':>9} {'wall ratio':>11} {'ours cpu':>9} {'IM cpu':>9} {'cpu ratio':>10}")
        for name, ours, theirs in PAIRS:
            best = {"ours": [1e9, 1e9], "theirs": [1e9, 1e9]}
            for _ in range(runs):
                for who, command in (("ours", [batch, "filter", *ours, photo, ours_out]),
                                     ("theirs", [convert, photo, *theirs, theirs_out])):
                    wall, cpu = timed(command, env)
                    best[who] = [min(best[who][0], wall), min(best[who][1], cpu)]
            (ow, oc), (tw, tc) = best["ours"], best["theirs"]
            print(f"{name:22} {ow * 1000:9.0f} {tw * 1000:9.0f} {tw / ow:10.2f}x {oc * 1000:9.0f} {tc * 1000:9.0f} "
                  f"{tc / oc:9.2f}x")
        print("targets: ratio >= 1 on every pair, >= 5 on aquarel / kuwahara and scattered / FS mono")
    finally:
        shutil.rmtree(work)


if __name__ == "__main__":
    main()
