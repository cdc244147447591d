#!/usr/bin/env bash
# Converts a workbook to CSV with the program and with Debian's xlsx2csv, five times each, each run on a
# fresh copy in a folder of its own, and prints the median times, their ratio, the program's peak memory
# (GNU time) against the unpacked XML, and how the time grows from the small workbook to the large one:
#   bench/xlsx_vs_xlsx2csv.sh [LARGE.xlsx [SMALL.xlsx [PROGRAM]]]
# LARGE and SMALL default to the shared corpus's book-100k.xlsx and book-10k.xlsx (made by one generator,
# 10 times the rows apart). PROGRAM defaults to build-release/bin/vostrandimeko, built here in Release when
# missing. xlsx2csv and GNU time are installed from Debian when missing. Run on demand; nothing here is a
# test.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
large=${1:-$root/../shared/corpus/big/book-100k.xlsx}
small=${2:-$root/../shared/corpus/big/book-10k.xlsx}
program=${3:-$root/build-release/bin/vostrandimeko}

missing=()
command -v xlsx2csv >/dev/null || missing+=(xlsx2csv)
[ -x /usr/bin/time ] || missing+=(time)
if [ ${#missing[@]} -gt 0 ]; then
  sudo_cmd=""
  [ "$(id -u)" -ne 0 ] && sudo_cmd=sudo
  $sudo_cmd apt-get update -qq && $sudo_cmd apt-get install -y -qq "${missing[@]}" >/dev/null
fi
if [ ! -x "$program" ]; then
  cmake -S "$root" -B "$root/build-release" -G Ninja -DCMAKE_BUILD_TYPE=Release -DVOSTRANDIMEKO_TESTS=OFF \
    -DVOSTRANDIMEKO_BENCH=OFF >/dev/null
  cmake --build "$root/build-release" --target vostrandimeko >/dev/null
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

python3 - "$program" "$work" "$large" "$small" <<'PY'
import os, shutil, statistics, subprocess, sys, time, zipfile

program, work, large, small = sys.argv[1:5]
run_number = 0

def fresh_copy(workbook):
    """A folder of its own with a new copy of the workbook and a home without preferences (the defaults:
    workbooks to CSV)."""
    global run_number
    run_number += 1
    folder = os.path.join(work, f"run{run_number}")
    os.makedirs(os.path.join(folder, "home"))
    copy = os.path.join(folder, "book.xlsx")
    shutil.copyfile(workbook, copy)
    return folder, copy

def ours(workbook):
    folder, copy = fresh_copy(workbook)
    home = os.path.join(folder, "home")
    environment = dict(os.environ, HOME=home, XDG_CONFIG_HOME=os.path.join(home, "config"),
                       XDG_CACHE_HOME=os.path.join(home, "cache"))
    environment.pop("DISPLAY", None)
    report = os.path.join(folder, "time.txt")
    start = time.perf_counter()
    subprocess.run(["/usr/bin/time", "-f", "%M %U %S", "-o", report, program, copy], check=True, env=environment,
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    elapsed = time.perf_counter() - start
    if not os.path.exists(os.path.join(folder, "book.csv")):
        sys.exit(f"the program wrote no book.csv for {workbook}")
    peak_kib, cpu = read_time(report)
    return elapsed, peak_kib, cpu

def theirs(workbook):
    folder, copy = fresh_copy(workbook)
    report = os.path.join(folder, "time.txt")
    start = time.perf_counter()
    subprocess.run(["/usr/bin/time", "-f", "%M %U %S", "-o", report, "xlsx2csv", copy,
                    os.path.join(folder, "xlsx2csv.csv")], check=True,
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    return time.perf_counter() - start, read_time(report)[1]

def read_time(report):
    """GNU time's peak memory (KiB) and processor time (user + system seconds)."""
    with open(report) as lines:
        peak, user, system = lines.read().split()[-3:]
    return int(peak), float(user) + float(system)

def unpacked_xml(workbook):
    with zipfile.ZipFile(workbook) as archive:
        return sum(i.file_size for i in archive.infolist() if i.filename.endswith((".xml", ".rels")))

large_runs = [ours(large) for _ in range(5)]
small_runs = [ours(small) for _ in range(5)]
peer_runs = [theirs(large) for _ in range(5)]
ours_large = statistics.median(t for t, _, _ in large_runs)
ours_small = statistics.median(t for t, _, _ in small_runs)
peer_large = statistics.median(t for t, _ in peer_runs)
# On a shared machine the wall clock also counts the waits for a processor; the processor time does not.
ours_cpu = statistics.median(c for _, _, c in large_runs)
ours_small_cpu = statistics.median(c for _, _, c in small_runs)
peer_cpu = statistics.median(c for _, c in peer_runs)
peak_kib = max(p for _, p, _ in large_runs)
xml_bytes = unpacked_xml(large)
print(f"workbook          {large}: {xml_bytes / 1e6:.1f} MB of unpacked XML")
print(f"vostrandimeko CSV median of 5: {ours_large * 1000:.0f} ms")
print(f"xlsx2csv          median of 5: {peer_large * 1000:.0f} ms")
print(f"ratio (xlsx2csv / ours): {peer_large / ours_large:.1f}  (aim: 10 or more)")
print(f"processor time, median of 5: ours {ours_cpu:.2f} s, xlsx2csv {peer_cpu:.2f} s, ratio {peer_cpu / ours_cpu:.1f}")
print(f"our peak memory: {peak_kib / 1024:.1f} MB ({peak_kib * 1024 / xml_bytes:.2f} x the unpacked XML; aim: under 6)")
print(f"small workbook    {small}: median of 5 {ours_small * 1000:.0f} ms")
print(f"10 times the rows costs {ours_large / ours_small:.1f} times the time, {ours_cpu / ours_small_cpu:.1f} times the "
      "processor time  (aim: at most 11)")
PY
