#!/usr/bin/env python3
"""Writes the workbook fixtures of the spreadsheet import tests (tests/data/import/spreadsheet/).

Each workbook is written part by part as XML, so that every oddity the tests need (a stale or missing
dimension, cells without references, a hidden sheet, a rich-text string, a malformed part) stands in the
file exactly as meant. Run it again after changing a fixture here; the golden CSV files are rewritten by
the tests on request (VDK_UPDATE_GOLDEN=1).
"""
import os
import sys
import zipfile

MAIN = "http://schemas.openxmlformats.org/spreadsheetml/2006/main"
REL = "http://schemas.openxmlformats.org/officeDocument/2006/relationships"
PKG = "http://schemas.openxmlformats.org/package/2006/relationships"
WORKSHEET = REL + "/worksheet"


def content_types(sheet_count):
    overrides = "".join(
        f'<Override PartName="/xl/worksheets/sheet{i}.xml" '
        f'ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml"/>'
        for i in range(1, sheet_count + 1))
    return ('<?xml version="1.0" encoding="UTF-8"?>'
            '<Types xmlns="http://schemas.openxmlformats.org/package/2006/content-types">'
            '<Default Extension="rels" ContentType="application/vnd.openxmlformats-package.relationships+xml"/>'
            '<Default Extension="xml" ContentType="application/xml"/>'
            '<Override PartName="/xl/workbook.xml" '
            'ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.sheet.main+xml"/>'
            + overrides + '</Types>')


ROOT_RELS = (f'<?xml version="1.0" encoding="UTF-8"?><Relationships xmlns="{PKG}">'
             f'<Relationship Id="rId1" Type="{REL}/officeDocument" Target="xl/workbook.xml"/>'
             f'<Relationship Id="rId2" Type="{REL}/metadata/core-properties" Target="docProps/core.xml"/>'
             '</Relationships>')

CORE = ('<?xml version="1.0" encoding="UTF-8"?>'
        '<cp:coreProperties xmlns:cp="http://schemas.openxmlformats.org/package/2006/metadata/core-properties" '
        'xmlns:dc="http://purl.org/dc/elements/1.1/"><dc:title>Fixture</dc:title><dc:creator>Tests</dc:creator>'
        '</cp:coreProperties>')

STYLES = f'''<?xml version="1.0" encoding="UTF-8"?>
<styleSheet xmlns="{MAIN}">
<numFmts count="2"><numFmt numFmtId="164" formatCode="yyyy-mm-dd"/><numFmt numFmtId="165" formatCode="0.0%"/></numFmts>
<fonts count="2"><font><sz val="11"/><name val="Calibri"/></font><font><b/><sz val="14"/><color rgb="FFFF0000"/><name val="Arial"/></font></fonts>
<fills count="1"><fill><patternFill patternType="none"/></fill></fills>
<borders count="1"><border><left/><right/><top/><bottom/><diagonal/></border></borders>
<cellStyleXfs count="1"><xf numFmtId="0" fontId="0" fillId="0" borderId="0"/></cellStyleXfs>
<cellXfs count="6">
<xf numFmtId="0" fontId="0" fillId="0" borderId="0" xfId="0"/>
<xf numFmtId="2" fontId="0" fillId="0" borderId="0" xfId="0" applyNumberFormat="1"/>
<xf numFmtId="3" fontId="1" fillId="0" borderId="0" xfId="0" applyNumberFormat="1" applyFont="1"/>
<xf numFmtId="164" fontId="0" fillId="0" borderId="0" xfId="0" applyNumberFormat="1"/>
<xf numFmtId="165" fontId="0" fillId="0" borderId="0" xfId="0" applyNumberFormat="1"/>
<xf numFmtId="9" fontId="0" fillId="0" borderId="0" xfId="0" applyNumberFormat="1"/>
</cellXfs>
</styleSheet>'''

# Shared strings: a plain one with blanks kept, an entity, a rich-text string of two runs and a phonetic
# run, Cyrillic text.
SHARED = f'''<?xml version="1.0" encoding="UTF-8"?>
<sst xmlns="{MAIN}" count="5" uniqueCount="5">
<si><t>plain</t></si>
<si><t xml:space="preserve"> two  blanks </t></si>
<si><t>Fish &amp; "Chips", 1</t></si>
<si><r><rPr><b/></rPr><t>bold</t></r><r><t xml:space="preserve"> and plain</t></r><rPh sb="0" eb="1"><t>PHONETIC</t></rPh></si>
<si><t>Привет</t></si>
</sst>'''


def workbook(sheets, date1904=None):
    properties = f'<workbookPr date1904="{date1904}"/>' if date1904 is not None else "<workbookPr/>"
    entries = "".join(
        f'<sheet name="{name}" sheetId="{i}" r:id="rId{i}"' + (f' state="{state}"' if state else "") + "/>"
        for i, (name, state, _) in enumerate(sheets, start=1))
    return (f'<?xml version="1.0" encoding="UTF-8"?><workbook xmlns="{MAIN}" xmlns:r="{REL}">'
            f'{properties}<sheets>{entries}</sheets></workbook>')


def workbook_rels(sheet_count, extra=()):
    rels = "".join(f'<Relationship Id="rId{i}" Type="{WORKSHEET}" Target="worksheets/sheet{i}.xml"/>'
                   for i in range(1, sheet_count + 1))
    rels += "".join(f'<Relationship Id="rIdX{i}" Type="{REL}/{kind}" Target="{target}"/>'
                    for i, (kind, target) in enumerate(extra))
    return f'<?xml version="1.0" encoding="UTF-8"?><Relationships xmlns="{PKG}">{rels}</Relationships>'


def worksheet(body, dimension=None):
    dim = f'<dimension ref="{dimension}"/>' if dimension else ""
    return (f'<?xml version="1.0" encoding="UTF-8"?><worksheet xmlns="{MAIN}">{dim}'
            f'<sheetData>{body}</sheetData></worksheet>')


def write_package(path, sheets, date1904=None, shared=SHARED, styles=STYLES):
    with zipfile.ZipFile(path, "w", zipfile.ZIP_DEFLATED) as package:
        package.writestr("[Content_Types].xml", content_types(len(sheets)))
        package.writestr("_rels/.rels", ROOT_RELS)
        package.writestr("docProps/core.xml", CORE)
        package.writestr("xl/workbook.xml", workbook(sheets, date1904))
        package.writestr("xl/_rels/workbook.xml.rels", workbook_rels(
            len(sheets), [("styles", "styles.xml"), ("sharedStrings", "sharedStrings.xml")]))
        if styles is not None:
            package.writestr("xl/styles.xml", styles)
        if shared is not None:
            package.writestr("xl/sharedStrings.xml", shared)
        for i, (_, _, body) in enumerate(sheets, start=1):
            package.writestr(f"xl/worksheets/sheet{i}.xml", body)


# Every kind of cell. The dimension says A1:B2, but cells reach E6: a stale dimension must not cut them.
# Row 3 is missing (an empty row); column D holds nothing in any row but the last.
KINDS = worksheet(
    '<row r="1"><c r="A1" t="s"><v>0</v></c><c r="B1" t="s"><v>1</v></c><c r="C1" t="s"><v>2</v></c>'
    '<c r="E1" t="s"><v>3</v></c></row>'
    '<row r="2"><c r="A2"><v>3.14159</v></c><c r="B2" s="1"><v>3.14159</v></c><c r="C2" s="2"><v>1234567</v></c>'
    '<c r="E2" s="5"><v>0.25</v></c></row>'
    '<row r="4"><c r="A4" t="b"><v>1</v></c><c r="B4" t="b"><v>0</v></c><c r="C4" t="e"><v>#DIV/0!</v></c>'
    '<c r="E4" t="inlineStr"><is><t>inline</t></is></c></row>'
    '<row r="5"><c r="A5"><f>A2*2</f><v>6.28318</v></c><c r="B5" t="str"><f>"x"&amp;"y"</f><v>xy</v></c>'
    '<c r="C5" s="3"><v>45000</v></c><c r="E5" s="4"><v>0.123</v></c></row>'
    '<row r="6"><c r="A6" t="s"><v>4</v></c><c r="B6"><v/></c><c r="C6" t="s"><v>99</v></c>'
    '<c r="D6" t="inlineStr"><is><r><t>rich</t></r><r><rPr><i/></rPr><t> inline</t></r></is></c>'
    '<c r="E6" t="d"><v>2024-02-29</v></c></row>',
    dimension="A1:B2")

# No dimension at all, and cells without references: each takes the next place of its row.
NO_REFS = worksheet(
    '<row r="1"><c t="inlineStr"><is><t>a</t></is></c><c t="inlineStr"><is><t>b</t></is></c>'
    '<c t="inlineStr"><is><t>c</t></is></c></row>'
    '<row><c><v>1</v></c><c r="C2"><v>3</v></c></row>')

HIDDEN = worksheet('<row r="2"><c r="B2" t="inlineStr"><is><t>hidden but converted</t></is></c></row>',
                   dimension="B2")

EMPTY = worksheet("")

DATES = worksheet('<row r="1"><c r="A1" s="3"><v>0</v></c><c r="B1" s="3"><v>45000</v></c></row>',
                  dimension="A1:B1")


def main(folder):
    os.makedirs(folder, exist_ok=True)
    write_package(os.path.join(folder, "cells.xlsx"), [
        ("Kinds", None, KINDS),
        ("Q1/Q2 Отчёт", None, NO_REFS),
        ("Secret", "hidden", HIDDEN),
        ("Empty", None, EMPTY),
    ])
    write_package(os.path.join(folder, "dates1900.xlsx"), [("Dates", None, DATES)])
    write_package(os.path.join(folder, "dates1904.xlsx"), [("Dates", None, DATES)], date1904="true")
    # A workbook without shared strings whose style part is missing: it fails with a reason.
    write_package(os.path.join(folder, "no-styles.xlsx"), [("Sheet1", None, DATES)], shared=None, styles=None)
    # A worksheet part cut off in the middle of a row.
    write_package(os.path.join(folder, "broken-sheet.xlsx"),
                  [("Sheet1", None, DATES[:DATES.index("</row>")])])


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else os.path.join(
        os.path.dirname(os.path.abspath(__file__)), "..", "tests", "data", "import", "spreadsheet"))
