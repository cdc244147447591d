#!/usr/bin/env python3
"""Zips the parts of the shipped sample "Tea 2007.docx" from resources/Test Files/Tea 2007 parts/.

Run it after editing a part; the .docx it writes is committed beside the parts. Members are written in a
fixed order with a fixed time stamp, so the same parts always give the same bytes.
"""
import pathlib
import zipfile

ROOT = pathlib.Path(__file__).resolve().parent.parent / "resources" / "Test Files"
PARTS = ROOT / "Tea 2007 parts"
OUTPUT = ROOT / "Tea 2007.docx"
FIXED_TIME = (2026, 12, 1, 9, 0, 0)


def main():
    paths = sorted(p for p in PARTS.rglob("*") if p.is_file())
    # The content types come first, as packages usually carry them.
    paths.sort(key=lambda p: (p.name != "[Content_Types].xml", p.relative_to(PARTS).as_posix()))
    with zipfile.ZipFile(OUTPUT, "w", zipfile.ZIP_DEFLATED) as archive:
        for path in paths:
            member = zipfile.ZipInfo(path.relative_to(PARTS).as_posix(), FIXED_TIME)
            member.compress_type = zipfile.ZIP_DEFLATED
            archive.writestr(member, path.read_bytes())
    print(f"wrote {OUTPUT}")


if __name__ == "__main__":
    main()
