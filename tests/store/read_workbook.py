"""Prints what a spreadsheet reader finds in a workbook, as JSON: its sheets in order, and for the first
sheet every written cell with its value, number format and font, and the widths of columns A to D."""
import json
import sys

import openpyxl

book = openpyxl.load_workbook(sys.argv[1])
sheet = book.worksheets[0]
cells = []
for row in sheet.iter_rows():
    for cell in row:
        if cell.value is None:
            continue
        cells.append({
            "ref": cell.coordinate,
            "value": cell.value,
            "format": cell.number_format,
            "font": [cell.font.name, bool(cell.font.bold), float(cell.font.sz)],
        })
widths = {c: sheet.column_dimensions[c].width for c in "ABCD"}
json.dump({"sheets": book.sheetnames, "cells": cells, "widths": widths}, sys.stdout, ensure_ascii=False)
