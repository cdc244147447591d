#!/usr/bin/env python3
"""Compares the number-format engine with LibreOffice on a table of (format code, value) pairs.

The pairs are written into a workbook (openpyxl), LibreOffice saves it as CSV with each cell as shown,
and the engine's text for the same pairs comes from the format_cell_text program given as the first
argument. Rows where the two differ on purpose are listed in EXPECTED_DIFFERENCES with what our engine
writes and why; any other difference fails. Exits 77 (skipped) when openpyxl or LibreOffice is missing.
"""
import csv
import os
import shutil
import subprocess
import sys
import tempfile

# (format code, value)
CASES = [
    ("General", 5), ("General", 0.25), ("General", -1234.5678), ("General", 123456789012),
    ("General", 1e-11), ("General", 10000000000.1),
    ("0", 5), ("0", 2.5), ("0.00", 3.14159), ("0.00", -0.5), ("#,##0", 1234567), ("#,##0.00", 1234.5),
    ("0,000", 12), ("#,", 12345), ("0.0,,", 1234567), ("#.##", 5.5), ("#.00", 0.5), ("000", 7),
    ("0%", 0.256), ("0.00%", -0.0123),
    ("0.00E+00", 12345), ("0.00E+00", 0.00012), ("0.00E-00", 0.00012), ("##0.0E+0", 12344), ("##0.0E+0", 5),
    ("# ?/?", 2.75), ("# ?/?", 3), ("# ??/??", 0.333), ("# ??/??", 3.14159), ("# ?/8", 0.5), ("?/?", 2),
    ('0 "kg"', 5), ("\\x0", 5), ("0_)", 5), ("(0)", 5), ("@", 5),
    ("0;-0", -5), ("0;(0)", -5), ('0;0;"zero"', 0), ("#,##0.00_);[Red](#,##0.00)", -1234.5),
    ("[Red]0", 5), ("[>100]0;0", 5), ("[>100]0;0", 500),
    ("d/m/yy", 39961), ("dd-mmm-yy", 39961), ("yyyy-mm-dd", 39961), ("mmmm", 39961), ("mmmmm", 39961),
    ("dddd", 39961), ("ddd", 39961), ("h:mm AM/PM", 39961.75), ("h:mm AM/PM", 39961), ("hh:mm:ss", 0.5),
    ("[h]:mm:ss", 25569.5), ("[h]:mm", 1.5), ("mm:ss.0", 0.5 / 86400), ("m/d/yy", 59), ("m/d/yy", 60),
    ("m/d/yy", 61), ("yyyy-mm-dd", 2958465), ("yyyy-mm-dd hh:mm:ss", 39961 + 86399.9996 / 86400),
    ("DD/MM/YYYY", 39961),
]

EXPECTED_DIFFERENCES = {
    ("General", 10000000000.1):
        "General prints nine decimals of the binary value, so it shows 10000000000.100000381 where the "
        "office rounds to fifteen significant digits.",
    ("General", 123456789012):
        "General switches to the exponent form from 1e11 up with a lower-case 'e' and nine decimals "
        "trimmed (1.23456789e+11).",
    ("General", 1e-11):
        "General writes small values in the C exponent form, 1e-11.",
    ("##0.0E+0", 12344):
        "The exponent form keeps exactly the code's three integer digits (123.4E+2); the office uses "
        "engineering steps of three.",
    ("##0.0E+0", 5):
        "The exponent form keeps exactly the code's three integer digits (500.0E-2).",
    ("@", 5):
        "'@' on a number writes it with ten fixed decimals (5.0000000000).",
    ("# ?/?", 3):
        "A whole number hides the fraction without padding its place with spaces.",
    ("# ??/??", 0.333):
        "The denominator of a fraction is right-aligned in its placeholders like any other digits.",
    ("# ??/??", 3.14159):
        "The nearest fraction comes from continued fractions stopping below the denominator limit "
        "(22/7), and the denominator is right-aligned.",
    ("DD/MM/YYYY", 39961):
        "Date and time tokens are lower-case letters; upper-case D, M and Y are plain letters and write "
        "nothing.",
    ("0_)", 5):
        "'_x' leaves no space for the width of x: the text is for CSV, not for a column.",
}


def skip(reason):
    print("skipped: " + reason)
    sys.exit(77)


def main():
    if len(sys.argv) != 2:
        print("usage: number_format_oracle.py FORMAT_CELL_TEXT_PROGRAM", file=sys.stderr)
        return 2
    try:
        import openpyxl
    except ImportError:
        skip("python3-openpyxl is not installed")
    soffice = shutil.which("soffice")
    if soffice is None:
        skip("LibreOffice (soffice) is not installed")

    with tempfile.TemporaryDirectory() as folder:
        book = openpyxl.Workbook()
        sheet = book.active
        for row, (code, value) in enumerate(CASES, start=1):
            cell = sheet.cell(row=row, column=1, value=value)
            cell.number_format = code
        workbook = os.path.join(folder, "formats.xlsx")
        book.save(workbook)
        run = subprocess.run([soffice, "-env:UserInstallation=file://" + os.path.join(folder, "profile"),
                              "--headless", "--convert-to", "csv:Text - txt - csv (StarCalc):44,34,76,1",
                              "--outdir", folder, workbook],
                             capture_output=True, text=True, timeout=300)
        csv_path = os.path.join(folder, "formats.csv")
        if run.returncode != 0 or not os.path.exists(csv_path):
            print("LibreOffice did not convert the workbook:\n" + run.stdout + run.stderr, file=sys.stderr)
            return 1
        with open(csv_path, newline="", encoding="utf-8") as handle:
            office = [row[0] if row else "" for row in csv.reader(handle)]
        office += [""] * (len(CASES) - len(office))

        lines = "".join("%s\t%r\n" % (code, float(value)) for code, value in CASES)
        engine = subprocess.run([sys.argv[1]], input=lines, capture_output=True, text=True, timeout=60,
                                check=True).stdout.split("\n")

    unexpected = 0
    for index, (code, value) in enumerate(CASES):
        ours, theirs = engine[index], office[index]
        reason = EXPECTED_DIFFERENCES.get((code, value))
        if ours == theirs:
            continue
        if reason:
            print("expected difference %-28r %-14r ours %-22r office %-22r %s" % (code, value, ours, theirs, reason))
        else:
            unexpected += 1
            print("DIFFERENCE          %-28r %-14r ours %-22r office %r" % (code, value, ours, theirs))
    print("%d pairs compared, %d unexpected differences" % (len(CASES), unexpected))
    return 1 if unexpected else 0


if __name__ == "__main__":
    sys.exit(main())
