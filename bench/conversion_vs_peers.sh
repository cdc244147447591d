#!/usr/bin/env bash
# Times the program against the tools people would use instead, in one run on the same inputs, and
# prints the medians, their ratios and the program's peak memory (GNU time's maximum resident size):
#   bench/conversion_vs_peers.sh [PROGRAM]
# - the 200-page document (corpus big/doc-200p.docx) to RTF, against pandoc to plain text and
#   LibreOffice to RTF;
# - the shared .docx documents (corpus docx/) in one call, against LibreOffice converting them in one batch;
# - the 20-page and the 200-page documents of one generator, to show the cost grows with the input.
# Every figure is the median of 5 runs, each on a fresh copy of its input. PROGRAM defaults to
# build-release/bin/vostrandimeko, built here in Release when missing. The machines are shared and noisy:
# only ratios from one run count. Run on demand; nothing here is a test.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
program=${1:-$root/build-release/bin/vostrandimeko}
corpus=${CORPUS:-/work/shared/corpus}
runs=${RUNS:-5}

for tool in pandoc soffice /usr/bin/time; do
  command -v "$tool" >/dev/null || { echo "conversion_vs_peers: $tool is missing (scripts/install-deps.sh)" >&2; exit 2; }
done
if [ ! -x "$program" ]; then
  cmake -S "$root" -B "$root/build-release" -G Ninja -DCMAKE_BUILD_TYPE=Release -DVOSTRANDIMEKO_TESTS=OFF \
    -DVOSTRANDIMEKO_BENCH=OFF >/dev/null
  cmake --build "$root/build-release" --target vostrandimeko >/dev/null
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

python3 - "$program" "$work" "$corpus" "$runs" <<'PY'
import glob, os, shutil, statistics, subprocess, sys, threading, time

program, work, corpus, runs = sys.argv[1], sys.argv[2], sys.argv[3], int(sys.argv[4])
# Default preferences, no logs and no desktop to open the results on.
settings = os.path.join(work, "settings")
ours_env = {k: v for k, v in os.environ.items() if k not in ("DISPLAY", "WAYLAND_DISPLAY")}
ours_env.update(HOME=settings, XDG_CONFIG_HOME=os.path.join(settings, "config"),
                XDG_DATA_HOME=os.path.join(settings, "data"))
profile = "file://" + os.path.join(work, "lo-profile")

def fresh(inputs):
    """A new folder holding fresh copies of the inputs; answers their paths there."""
    folder = os.path.join(work, f"run-{time.monotonic_ns()}")
    os.makedirs(folder)
    copies = []
    for path in inputs:
        copy = os.path.join(folder, os.path.basename(path))
        shutil.copyfile(path, copy)
        copies.append(copy)
    return folder, copies

def timed(command, env=None, cwd=None):
    """Seconds taken and peak resident size in MB, through GNU time."""
    report = os.path.join(work, "time.txt")
    start = time.perf_counter()
    process = subprocess.Popen(["/usr/bin/time", "-f", "%M", "-o", report] + command, env=env, cwd=cwd,
                               stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    # A wait with a timeout polls with sleeps of up to 50 ms, which rounded every time up to the next poll:
    # the wait blocks instead, and a timer stops a run that hangs.
    watchdog = threading.Timer(600, process.kill)
    watchdog.start()
    process.wait()
    seconds = time.perf_counter() - start
    watchdog.cancel()
    with open(report) as f:
        peak_kb = int(f.read().split()[-1])
    return seconds, peak_kb / 1024

def ours(inputs):
    folder, copies = fresh(inputs)
    result = timed([program] + copies, env=ours_env)
    shutil.rmtree(folder)
    return result

def pandoc_plain(inputs):
    folder, copies = fresh(inputs)
    result = timed(["pandoc", copies[0], "-t", "plain", "-o", os.path.join(folder, "out.txt")])
    shutil.rmtree(folder)
    return result

def libreoffice_rtf(inputs):
    folder, copies = fresh(inputs)
    result = timed(["soffice", f"-env:UserInstallation={profile}", "--headless", "--convert-to", "rtf",
                    "--outdir", os.path.join(folder, "out")] + copies)
    shutil.rmtree(folder)
    return result

def median(measure, inputs):
    results = [measure(inputs) for _ in range(runs)]
    return statistics.median(r[0] for r in results), max(r[1] for r in results)

# LibreOffice's first start sets its profile up: done once, outside the timings.
libreoffice_rtf([os.path.join(corpus, "big", "doc-20p.docx")])

big = [os.path.join(corpus, "big", "doc-200p.docx")]
small = [os.path.join(corpus, "big", "doc-20p.docx")]
shared = sorted(glob.glob(os.path.join(corpus, "docx", "*.docx")))

our_big, our_big_peak = median(ours, big)
pandoc_big, _ = median(pandoc_plain, big)
lo_big, _ = median(libreoffice_rtf, big)
our_small, _ = median(ours, small)
our_shared, our_shared_peak = median(ours, shared)
lo_shared, _ = median(libreoffice_rtf, shared)

def line(label, seconds):
    print(f"  {label:<44} {seconds * 1000:8.0f} ms")

def aim(label, value, bound, holds):
    print(f"  {label:<60} {value:7.2f}  (aim {bound}: {'met' if holds else 'NOT met'})")

print(f"medians of {runs} runs, fresh copies each time")
print("doc-200p.docx:")
line("vostrandimeko to RTF", our_big)
line("pandoc to plain text", pandoc_big)
line("LibreOffice to RTF", lo_big)
print(f"  our peak memory: {our_big_peak:.1f} MB")
print(f"{len(shared)} shared .docx in one call:")
line("vostrandimeko to RTF", our_shared)
line("LibreOffice to RTF, one batch", lo_shared)
print(f"  our peak memory: {our_shared_peak:.1f} MB")
print("growth:")
line("vostrandimeko doc-20p.docx to RTF", our_small)
line("vostrandimeko doc-200p.docx to RTF", our_big)
print("ratios:")
aim("pandoc plain / ours, doc-200p", pandoc_big / our_big, ">= 4", pandoc_big / our_big >= 4)
aim("LibreOffice / ours, doc-200p", lo_big / our_big, ">= 10", lo_big / our_big >= 10)
aim("our peak memory (MB), doc-200p", our_big_peak, "< 100", our_big_peak < 100)
aim(f"LibreOffice batch / ours, {len(shared)} documents", lo_shared / our_shared, ">= 10", lo_shared / our_shared >= 10)
aim("ours doc-200p / doc-20p (10.8 x the XML)", our_big / our_small, "<= 11.5", our_big / our_small <= 11.5)
PY
