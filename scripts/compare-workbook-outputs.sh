#!/usr/bin/env bash
# The workbook side of compare-outputs.sh: converts the shared corpus's workbooks (xlsx/ and the large ones
# in big/) and the program's own spreadsheet test data to CSV and to plain text with a given program, so a
# change meant to leave every result alone can be checked against a build without it:
#   scripts/compare-workbook-outputs.sh convert PROGRAM OUTPUT-FOLDER
#   scripts/compare-workbook-outputs.sh compare FOLDER-A FOLDER-B
# "convert" writes one subfolder per source and target ("xlsx-csv", "xlsx-text", ...) and keeps only the
# outputs; "compare" is compare-outputs.sh's, byte for byte.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
corpus=${CORPUS:-/work/shared/corpus}

# Where the preferences record keeps the spreadsheet family's "Convert to" text.
spreadsheet_target_offset=4190

convert() {
  local program=$1 out=$2
  [ -x "$program" ] || { echo "compare-workbook-outputs: no program at $program" >&2; exit 2; }
  rm -rf "$out"
  mkdir -p "$out"
  local settings
  settings=$(mktemp -d)
  local -a groups=(
    "xlsx:$corpus/xlsx/*.xlsx"
    "big:$corpus/big/*.xlsx"
    "sheet-data:$root/tests/data/import/spreadsheet/*.xlsx"
  )
  local target entry
  for target in CSV Text; do
    if [ "$target" != CSV ]; then
      # The first pass left the default preferences behind; the family's target is changed in place.
      local preferences="$settings/config/Vostrandimeko (3).ini"
      [ -f "$preferences" ] || { echo "compare-workbook-outputs: no preferences file written" >&2; exit 2; }
      printf '%s\0' "$target" | dd of="$preferences" bs=1 seek=$spreadsheet_target_offset conv=notrunc status=none
    fi
    for entry in "${groups[@]}"; do
      "$root/scripts/compare-outputs.sh" convert-group "$program" "$out" "${entry%%:*}-${target,,}" "${entry#*:}" \
        "$settings"
    done
  done
  rm -rf "$settings"
  echo "converted into $out: $(find "$out" -type f ! -name '*.log' | wc -l) outputs"
}

case ${1:-} in
  convert) convert "${2:?program}" "${3:?output folder}" ;;
  compare) exec "$root/scripts/compare-outputs.sh" compare "${2:?folder}" "${3:?folder}" ;;
  *) echo "usage: $0 convert PROGRAM OUTPUT-FOLDER | compare FOLDER-A FOLDER-B" >&2; exit 2 ;;
esac
