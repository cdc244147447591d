#!/usr/bin/env bash
# Converts one .docx with the program (to RTF) and with pandoc (to plain text), five times each, and
# prints the median times, their ratio and the program's peak memory:
#   bench/docx_vs_pandoc.sh DOCUMENT.docx [PROGRAM]
# PROGRAM defaults to build-release/bin/vostrandimeko, built here in Release when missing. pandoc is
# installed from Debian when it is missing. Run on demand; nothing here is a test.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
document=${1:?usage: bench/docx_vs_pandoc.sh DOCUMENT.docx [PROGRAM]}
program=${2:-$root/build-release/bin/vostrandimeko}

if ! command -v pandoc >/dev/null; then
  sudo_cmd=""
  [ "$(id -u)" -ne 0 ] && sudo_cmd=sudo
  $sudo_cmd apt-get update -qq && $sudo_cmd apt-get install -y -qq pandoc >/dev/null
fi
if [ ! -x "$program" ]; then
  cmake -S "$root" -B "$root/build-release" -G Ninja -DCMAKE_BUILD_TYPE=Release -DVOSTRANDIMEKO_TESTS=OFF \
    -DVOSTRANDIMEKO_BENCH=OFF >/dev/null
  cmake --build "$root/build-release" --target vostrandimeko >/dev/null
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$document" "$work/input.docx"

python3 - "$program" "$work" <<'PY'
import os, resource, statistics, subprocess, sys, time, zipfile

program, work = sys.argv[1], sys.argv[2]
source = os.path.join(work, "input.docx")
with zipfile.ZipFile(source) as archive:
    xml_bytes = sum(i.file_size for i in archive.infolist() if i.filename.endswith((".xml", ".rels")))

def timed(command):
    start = time.perf_counter()
    subprocess.run(command, check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    return time.perf_counter() - start

def ours():
    output = os.path.join(work, "input.rtf")
    if os.path.exists(output):
        os.remove(output)
    return timed([program, source])

def theirs():
    return timed(["pandoc", source, "-t", "plain", "-o", os.path.join(work, "pandoc.txt")])

our_times = [ours() for _ in range(5)]
peak_kib = resource.getrusage(resource.RUSAGE_CHILDREN).ru_maxrss  # the largest child so far: ours
pandoc_times = [theirs() for _ in range(5)]
our_median = statistics.median(our_times)
pandoc_median = statistics.median(pandoc_times)
print(f"document          {source}: {xml_bytes / 1e6:.2f} MB of unpacked XML")
print(f"vostrandimeko RTF median of 5: {our_median * 1000:.0f} ms")
print(f"pandoc plain      median of 5: {pandoc_median * 1000:.0f} ms")
print(f"ratio (pandoc / ours): {pandoc_median / our_median:.1f}")
print(f"our peak memory: {peak_kib / 1024:.1f} MB ({peak_kib * 1024 / xml_bytes:.1f} x the unpacked XML)")
PY
