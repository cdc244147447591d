#!/bin/sh
# Scores the program on the shared corpus against LibreOffice's text of the same inputs.
#
#   scripts/fidelity.sh KIND FORMAT OUTDIR [fidelity.py options...]
#
# KIND is a corpus kind of fidelity.py (docx, w2003, xlsx, cwk); FORMAT is "rtf" or "txt": the program runs
# with a private home and XDG folders whose preferences convert word-processing documents to that format
# ("RTF" or "Text"), so the user's own preferences are neither read nor changed. The program is
# $CONVERTER, or build/bin/vostrandimeko of this tree.
set -eu

if [ $# -lt 3 ]; then
    echo "usage: $0 KIND rtf|txt OUTDIR [fidelity.py options...]" >&2
    exit 2
fi
kind=$1
format=$2
outdir=$3
shift 3

here=$(cd "$(dirname "$0")/.." && pwd)
program=${CONVERTER:-$here/build/bin/vostrandimeko}
case $program in /*) ;; *) program=$(pwd)/$program ;; esac
tools=${FIDELITY_TOOLS:-$here/../shared/tools}
[ -x "$program" ] || { echo "$0: no program at $program (build it first)" >&2; exit 1; }
case $format in
    rtf) exporter=RTF ;;
    txt) exporter=Text ;;
    *) echo "$0: FORMAT is rtf or txt, not '$format'" >&2; exit 2 ;;
esac

# fidelity.py makes OUTDIR itself; the program's private home lies beside it.
parent=$(dirname "$outdir")
mkdir -p "$parent"
outdir=$(cd "$parent" && pwd)/$(basename "$outdir")
home=$outdir.home
rm -rf "$home"
mkdir -p "$home/config" "$home/cache"

# A first conversion writes the default preferences; their word-processing "Convert to" field (the one
# holding "RTF") is then set to the exporter asked for.
seed=$home/seed
mkdir -p "$seed"
cp "$here/resources/Test Files/Tea 2007.docx" "$seed/seed.docx"
(cd "$seed" && env -i HOME="$home" XDG_CONFIG_HOME="$home/config" XDG_CACHE_HOME="$home/cache" PATH=/usr/bin:/bin \
    "$program" seed.docx >/dev/null 2>&1) || { echo "$0: the program could not convert its seed document" >&2; exit 1; }
python3 - "$home/config/Vostrandimeko (3).ini" "$exporter" <<'PY'
import sys
path, exporter = sys.argv[1], sys.argv[2].encode()
record = bytearray(open(path, 'rb').read())
field = 64
at = record.find(b'RTF\0')
if at < 0:
    sys.exit('no word-processing "Convert to" field in ' + path)
record[at:at + field] = exporter + bytes(field - len(exporter))
open(path, 'wb').write(record)
PY

wrapper=$home/convert
cat >"$wrapper" <<WRAP
#!/bin/sh
exec env -i HOME='$home' XDG_CONFIG_HOME='$home/config' XDG_CACHE_HOME='$home/cache' PATH=/usr/bin:/bin '$program' "\$@"
WRAP
chmod +x "$wrapper"
CONVERTER=$wrapper python3 "$tools/fidelity.py" "$kind" "$outdir" --run --ext "$format" "$@"
