"""Prints what a spreadsheet reader finds in a workbook, as JSON: its sheets in order with their states and
the active one, for the data sheet every written cell with its value, number format and font and the
widths of columns A to D, the series of the chart part, and every XML part xmllint refuses."""
import json
import subprocess
import sys
import xml.etree.ElementTree as ElementTree
import zipfile

import openpyxl

path = sys.argv[1]
book = openpyxl.load_workbook(path)
data = next(sheet for sheet in book.worksheets if sheet.sheet_state == "visible")
cells = []
for row in data.iter_rows():
    for cell in row:
        if cell.value is None:
            continue
        cells.append({
            "ref": cell.coordinate,
            "value": cell.value,
            "format": cell.number_format,
            "font": [cell.font.name, bool(cell.font.bold), float(cell.font.sz)],
        })

C = "{http://schemas.openxmlformats.org/drawingml/2006/chart}"
A = "{http://schemas.openxmlformats.org/drawingml/2006/main}"
chart = None
refused = []
with zipfile.ZipFile(path) as archive:
    for name in archive.namelist():
        if name.endswith(".xml") or name.endswith(".rels"):
            check = subprocess.run(["xmllint", "--noout", "-"], input=archive.read(name), capture_output=True)
            if check.returncode != 0:
                refused.append(name)
    charts = [name for name in archive.namelist() if name.startswith("xl/charts/chart")]
    if charts:
        root = ElementTree.fromstring(archive.read(charts[0]))
        series = []
        for ser in root.iter(C + "ser"):
            colour = ser.find(f"{C}spPr/{A}ln/{A}solidFill/{A}srgbClr")
            dash = ser.find(f"{C}spPr/{A}ln/{A}prstDash")
            line = ser.find(f"{C}spPr/{A}ln")
            series.append({
                "name": ser.findtext(f"{C}tx/{C}v"),
                "colour": colour.get("val") if colour is not None else None,
                "dash": dash.get("val") if dash is not None else None,
                "width": line.get("w") if line is not None else None,
                "marker": ser.find(f"{C}marker/{C}symbol").get("val"),
                "x": ser.findtext(f"{C}xVal/{C}numRef/{C}f"),
                "y": ser.findtext(f"{C}yVal/{C}numRef/{C}f"),
            })
        chart = {
            "title": "".join(t.text or "" for t in root.find(f"{C}chart/{C}title").iter(A + "t")),
            "legend": root.find(f"{C}chart/{C}legend/{C}legendPos").get("val"),
            "series": series,
        }

widths = {c: data.column_dimensions[c].width for c in "ABCD"}
lines = [[row[0], row[1]] for row in book.worksheets[-1].iter_rows(values_only=True)] if len(book.sheetnames) > 2 else []
json.dump({
    "sheets": book.sheetnames,
    "states": [sheet.sheet_state for sheet in book.worksheets],
    "active": book.active.title,
    "cells": cells,
    "widths": widths,
    "chart": chart,
    "lines": lines,
    "refused": refused,
}, sys.stdout, ensure_ascii=False)
