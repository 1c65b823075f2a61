#!/usr/bin/python3
"""Reads the first sheet of an .xlsx file with openpyxl, an independent
reader, and prints A1:F15 as JSON: one object per cell with its text, bold,
font size and wrap. Exits 3 when openpyxl is missing."""
import json
import sys

try:
    import openpyxl
except ImportError:
    sys.exit(3)

book = openpyxl.load_workbook(sys.argv[1])
sheet = book.worksheets[0]
rows = []
for row in sheet.iter_rows(min_row=1, max_row=15, min_col=1, max_col=6):
    rows.append([
        {
            "text": cell.value,
            "bold": bool(cell.font.b),
            "size": float(cell.font.sz) if cell.font.sz is not None else None,
            "wrap": bool(cell.alignment.wrap_text),
        }
        for cell in row
    ])
json.dump({"sheets": len(book.worksheets), "cells": rows}, sys.stdout)
