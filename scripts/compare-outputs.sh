#!/usr/bin/env bash
# Converts a fixed set of documents with a given program and compares the outputs of two such runs, so a
# change meant to leave every result alone (speed work, clean-ups) can be checked against a build without it:
#   scripts/compare-outputs.sh convert PROGRAM OUTPUT-FOLDER
#   scripts/compare-outputs.sh compare FOLDER-A FOLDER-B
# "convert" copies the shared corpus (docx/, w2003/docx/, big/, hostile/) and the documents among the
# program's own test data and samples into OUTPUT-FOLDER, one subfolder per source, converts each
# subfolder's documents in one call with PROGRAM and keeps only the outputs. Use bin/seeded_vostrandimeko
# (the program with its random generator seeded) so random ids do not differ from run to run.
# "compare" lists every output that is missing on one side or differs, byte for byte except for the times
# the RTF carries of the conversion itself ({\creatim ...} and {\revtim ...}); the status is 1 when anything
# differs.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
corpus=${CORPUS:-/work/shared/corpus}

# Copies the documents PATTERN names into OUT/NAME, converts them there in one call with the preferences
# kept in SETTINGS (default ones, no log files, no desktop to open the results on) and keeps only the
# outputs; the program's messages go to OUT/NAME.log.
convert_group() {
  local program=$1 out=$2 name=$3 pattern=$4 settings=$5
  mkdir -p "$out/$name"
  local -a inputs=()
  local file
  for file in $pattern; do
    [ -f "$file" ] || continue
    cp "$file" "$out/$name/"
    inputs+=("$out/$name/$(basename "$file")")
  done
  [ ${#inputs[@]} -gt 0 ] || return 0
  # Refused documents are expected (the hostile ones may be); their absence shows in the comparison.
  env -u DISPLAY -u WAYLAND_DISPLAY XDG_CONFIG_HOME="$settings/config" XDG_DATA_HOME="$settings/data" \
    HOME="$settings" "$program" "${inputs[@]}" >/dev/null 2>"$out/$name.log" || true
  rm -f "${inputs[@]}"
}

convert() {
  local program=$1 out=$2
  [ -x "$program" ] || { echo "compare-outputs: no program at $program" >&2; exit 2; }
  rm -rf "$out"
  mkdir -p "$out"
  local settings
  settings=$(mktemp -d)
  local -a groups=(
    "docx:$corpus/docx/*.docx"
    "w2003:$corpus/w2003/docx/*.xml"
    "big:$corpus/big/*.docx"
    "hostile:$corpus/hostile/*"
    "samples:$root/resources/Test Files/*"
    "import-data:$root/tests/data/import/*.xml"
    "app-data:$root/tests/data/app/*.xml"
  )
  local entry
  for entry in "${groups[@]}"; do
    convert_group "$program" "$out" "${entry%%:*}" "${entry#*:}" "$settings"
  done
  rm -rf "$settings"
  echo "converted into $out: $(find "$out" -type f ! -name '*.log' | wc -l) outputs"
}

compare() {
  python3 - "$1" "$2" <<'PY'
import os, re, sys

a, b = sys.argv[1], sys.argv[2]
times = re.compile(rb"\{\\(?:creatim|revtim)[^}]*\}")

def outputs(top):
    found = set()
    for folder, _, files in os.walk(top):
        for name in files:
            if not name.endswith(".log"):
                found.add(os.path.relpath(os.path.join(folder, name), top))
    return found

left, right = outputs(a), outputs(b)
differ = sorted(left ^ right)
for path in differ:
    print(f"only in {a if path in left else b}: {path}")
same = 0
for path in sorted(left & right):
    with open(os.path.join(a, path), "rb") as f:
        x = times.sub(b"", f.read())
    with open(os.path.join(b, path), "rb") as f:
        y = times.sub(b"", f.read())
    if x == y:
        same += 1
    else:
        print(f"differs: {path}")
        differ.append(path)
print(f"{same} identical, {len(differ)} missing or different")
sys.exit(1 if differ else 0)
PY
}

case ${1:-} in
  convert) convert "${2:?program}" "${3:?output folder}" ;;
  # For a sibling script: one group, with the preferences in a folder of the caller's.
  convert-group) convert_group "${2:?program}" "${3:?output folder}" "${4:?name}" "${5:?pattern}" "${6:?settings}" ;;
  compare) compare "${2:?folder}" "${3:?folder}" ;;
  *) echo "usage: $0 convert PROGRAM OUTPUT-FOLDER | compare FOLDER-A FOLDER-B" >&2; exit 2 ;;
esac
