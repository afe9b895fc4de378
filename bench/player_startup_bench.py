#!/usr/bin/env python3
"""The player's start-up under Wine: time from process launch to a fully
judged question panel, for a 96-question text quiz and a 96-question picture
quiz of 1600 x 1200 JPEGs (built with the pictures fitted and with
--keep-originals), against a one-question text quiz that shows what Wine and
the bare window cost by themselves. Also the sizes of the executables and the DLLs that
dist/zelto.exe imports. Figures only, except the import check, which fails
the script when the player needs a DLL that Windows does not ship.

"Fully judged" is the moment the main window is visible: start-up shows it
only after the question panel's initialisation, which judges every answer box,
has returned. The script checks afterwards that the last verdict label exists
and reads "?" (an empty box, judged).

Environment (all optional): ZELTO_DIST (default <repo>/dist), ZELTO_PROBE
(default <repo>/build/windows/tests/e2e/probe/probe.exe), ZELTO_E2E_PREFIX (a
Wine prefix to copy; made here when unset), ZELTO_BENCH_RUNS (default 5).
"""

import concurrent.futures
import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
sys.path.insert(0, os.path.join(ROOT, "tests", "e2e"))

import zelto_e2e as e2e  # noqa: E402

QUESTIONS = 96
VERDICT_LABELS = 5000  # + answer slot; one box per question here
PICTURE_SIZE = "1600x1200"
JPEG_QUALITY = 90
# Blur of the fractal: sets how much detail the JPEG keeps, hence its size
# (about 300 KB at this size and quality).
PLASMA_BLUR = "0x1.8"
PICTURE_BASES = 4
START_TIMEOUT = 300.0

# DLLs that every Windows installation carries; anything else would have to
# ship beside the player.
WINDOWS_DLLS = {
    "kernel32.dll", "user32.dll", "gdi32.dll", "shell32.dll", "ole32.dll", "oleaut32.dll",
    "olepro32.dll", "advapi32.dll", "comctl32.dll", "comdlg32.dll", "shlwapi.dll", "msvcrt.dll",
    "uuid.dll", "winmm.dll", "version.dll", "ws2_32.dll", "ntdll.dll", "msimg32.dll",
}


def text_quiz(count=QUESTIONS):
    lines = ['genre = "texte"', 'titre = "Banc de demarrage texte"',
             "codes = [%s]" % ", ".join('"CODE-%02d"' % q for q in range(1, count + 1))]
    for q in range(1, count + 1):
        lines += ["", "[[question]]", 'texte = "Question numero %d : quelle est la reponse ?"' % q,
                  'reponse = "REPONSE %d"' % q]
    return "\n".join(lines) + "\n"


def picture_quiz():
    lines = ['genre = "image"', 'titre = "Banc de demarrage images"',
             "codes = [%s]" % ", ".join('"CODE-%02d"' % q for q in range(1, QUESTIONS + 1))]
    for q in range(1, QUESTIONS + 1):
        lines += ["", "[[question]]", 'image = "p%02d.jpg"' % q, 'reponse = "R%d"' % q]
    return "\n".join(lines) + "\n"


def make_pictures(folder):
    """96 different JPEGs: a few fractal bases, each rolled by a different
    offset per question. Returns their total size in bytes."""
    def base(b):
        path = os.path.join(folder, "base%d.miff" % b)
        subprocess.run(["convert", "-size", PICTURE_SIZE, "-seed", str(b + 1), "plasma:fractal",
                        "-blur", PLASMA_BLUR, path], check=True)
        return path

    def picture(q):
        path = os.path.join(folder, "p%02d.jpg" % q)
        subprocess.run(["convert", bases[q % PICTURE_BASES], "-roll", "+%d+%d" % (q * 16, q * 11),
                        "-quality", str(JPEG_QUALITY), path], check=True)
        return os.path.getsize(path)

    workers = os.cpu_count() or 2
    with concurrent.futures.ThreadPoolExecutor(workers) as pool:
        bases = list(pool.map(base, range(PICTURE_BASES)))
        sizes = list(pool.map(picture, range(1, QUESTIONS + 1)))
    for path in bases:
        os.remove(path)
    return sum(sizes)


def build(builder, source_dir, text, exe, *options):
    source = os.path.join(source_dir, "quiz.toml")
    with open(source, "w", encoding="utf-8") as f:
        f.write(text)
    subprocess.run([builder, source, "-o", exe] + list(options), check=True, stdout=subprocess.DEVNULL)


def imported_dlls(exe):
    out = subprocess.run(["x86_64-w64-mingw32-objdump", "-p", exe], check=True, capture_output=True,
                         text=True).stdout
    return [line.split("DLL Name:", 1)[1].strip() for line in out.splitlines() if "DLL Name:" in line]


def timed_start(session, exe, last_label):
    """Seconds from launching the player to its fully judged panel."""
    probe = session.probe
    started = time.monotonic()
    player = session.start(exe, wait=False)
    main = probe.find(cls="WindowsApp", timeout=START_TIMEOUT)
    shown = time.monotonic()
    if main is None:
        raise RuntimeError("%s: no main window within %.0f s" % (exe, START_TIMEOUT))
    player.main = main
    _, panel = player.panels()
    label = player.control(panel, last_label)
    if label is None or probe.text(label.hwnd) != "?":
        raise RuntimeError("%s: window shown before the last verdict label was judged" % exe)
    code = player.close()
    if code != 0:
        raise RuntimeError("%s: exit code %d" % (exe, code))
    # The next start must find no saved answers either.
    os.remove(session.path(exe[:-3] + "txt"))
    return shown - started


def main():
    dist = os.environ.get("ZELTO_DIST", os.path.join(ROOT, "dist"))
    probe = os.environ.get("ZELTO_PROBE", os.path.join(ROOT, "build", "windows", "tests", "e2e", "probe",
                                                       "probe.exe"))
    runs = int(os.environ.get("ZELTO_BENCH_RUNS", "5"))
    player, builder = os.path.join(dist, "zelto.exe"), os.path.join(dist, "zelto-build")
    for path in (player, builder, probe):
        if not os.path.isfile(path):
            sys.exit("player_startup_bench: %s missing (run scripts/build.sh)" % path)

    work = tempfile.mkdtemp(prefix="zelto-startup-bench-")
    session = None
    try:
        os.environ["ZELTO_DIST"] = dist
        os.environ["ZELTO_PROBE"] = probe
        if not os.environ.get("ZELTO_E2E_PREFIX"):
            prefix = os.path.join(work, "prefix")
            e2e.make_prefix(prefix)
            os.environ["ZELTO_E2E_PREFIX"] = prefix

        pictures = os.path.join(work, "pictures")
        os.makedirs(pictures)
        picture_bytes = make_pictures(pictures)
        texts = os.path.join(work, "text")
        os.makedirs(texts)

        session = e2e.Session()
        exes = {"one": "one.exe", "text": "text.exe", "fitted": "fitted.exe", "kept": "kept.exe"}
        last_labels = {"one": VERDICT_LABELS + 1, "text": VERDICT_LABELS + QUESTIONS,
                       "fitted": VERDICT_LABELS + QUESTIONS, "kept": VERDICT_LABELS + QUESTIONS}
        build(builder, texts, text_quiz(1), session.path(exes["one"]))
        build(builder, texts, text_quiz(), session.path(exes["text"]))
        build(builder, pictures, picture_quiz(), session.path(exes["fitted"]))
        build(builder, pictures, picture_quiz(), session.path(exes["kept"]), "--keep-originals")
        exe_sizes = {"text quiz": os.path.getsize(session.path(exes["text"])),
                     "picture quiz, fitted": os.path.getsize(session.path(exes["fitted"])),
                     "picture quiz, kept": os.path.getsize(session.path(exes["kept"]))}

        # One start each to warm the caches, then the runs in turn so that a
        # busy moment of the machine falls on all alike. The one-question quiz
        # shows what Wine and the bare window cost by themselves.
        times = {name: [] for name in exes}
        for name, exe in exes.items():
            timed_start(session, exe, last_labels[name])
        for _ in range(runs):
            for name, exe in exes.items():
                times[name].append(timed_start(session, exe, last_labels[name]))
    finally:
        if session:
            session.close()
        shutil.rmtree(work, ignore_errors=True)

    median = {name: statistics.median(t) for name, t in times.items()}
    best = {name: min(t) for name, t in times.items()}
    print("player_startup_bench: launch to fully judged panel under Wine, %d runs each "
          "(median / best, seconds)" % runs)
    labels = {"one": "1-question text quiz (baseline)", "text": "96-question text quiz", "fitted": "96 pictures, fitted",
              "kept": "96 pictures, --keep-originals"}
    for name in exes:
        print("  %-32s %6.2f / %6.2f s   %s" % (labels[name], median[name], best[name],
                                               " ".join("%.2f" % t for t in times[name])))
    print("  ratios of medians: fitted/text %.2f, kept/text %.2f, kept/fitted %.2f"
          % (median["fitted"] / median["text"], median["kept"] / median["text"],
             median["kept"] / median["fitted"]))
    extra = {name: median[name] - median["one"] for name in ("text", "fitted", "kept")}
    print("  above the baseline: text %.2f s, fitted %.2f s, kept %.2f s (kept/fitted %.1f)"
          % (extra["text"], extra["fitted"], extra["kept"],
             extra["kept"] / extra["fitted"] if extra["fitted"] > 0 else float("nan")))
    print("  pictures: %d JPEGs of %s, %d KB in all (%d KB each on average)"
          % (QUESTIONS, PICTURE_SIZE, picture_bytes // 1024, picture_bytes // 1024 // QUESTIONS))
    for name, size in (("dist/zelto.exe", os.path.getsize(player)),) + tuple(exe_sizes.items()):
        print("  %-32s %10d bytes" % (name, size))

    dlls = imported_dlls(player)
    foreign = [d for d in dlls if d.lower() not in WINDOWS_DLLS]
    print("  dist/zelto.exe imports: %s" % ", ".join(dlls))
    if foreign:
        print("  FAIL: dist/zelto.exe needs DLLs that Windows does not ship: %s" % ", ".join(foreign))
        return 1
    print("  every imported DLL is part of Windows")
    return 0


if __name__ == "__main__":
    sys.exit(main())
