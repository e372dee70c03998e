"""Prints what a word processor's reader (python-docx) finds in a .docx, as JSON: the paragraphs' texts, the
document's title and creation time, and as texts the parts, the parts no XML parser takes, the
relationships and overrides, the looks of the runs (with whether Word keeps their blanks) and of the
paragraphs, the document defaults and the page."""
import json
import sys
import xml.dom.minidom
import xml.etree.ElementTree as ElementTree
import zipfile

import docx

W = "{http://schemas.openxmlformats.org/wordprocessingml/2006/main}"
R = "{http://schemas.openxmlformats.org/package/2006/relationships}"
T = "{http://schemas.openxmlformats.org/package/2006/content-types}"
SPACE = "{http://www.w3.org/XML/1998/namespace}space"

path = sys.argv[1]
refused = []
with zipfile.ZipFile(path) as archive:
    parts = sorted(archive.namelist())
    for name in parts:
        try:
            xml.dom.minidom.parseString(archive.read(name))
        except Exception:  # any parser error refuses the part
            refused.append(name)
    styles = ElementTree.fromstring(archive.read("word/styles.xml"))
    types = ElementTree.fromstring(archive.read("[Content_Types].xml"))


def relationships(part):
    with zipfile.ZipFile(path) as archive:
        root = ElementTree.fromstring(archive.read(part))
    return ", ".join(sorted(f"{r.get('Type').rsplit('/', 1)[1]} {r.get('Target')}" for r in root.iter(R + "Relationship")))


def fonts(rpr):
    slots = rpr.find(W + "rFonts")
    return "/".join(str(slots.get(W + slot)) for slot in ("ascii", "hAnsi", "cs", "eastAsia"))


def size(rpr):
    return f"{rpr.find(W + 'sz').get(W + 'val')}/{rpr.find(W + 'szCs').get(W + 'val')} half-points"


def spacing(element):
    found = element.find(W + "spacing")
    return " ".join(f"{key} {found.get(W + key)}" for key in ("before", "after", "line", "lineRule"))


document = docx.Document(path)
run_looks = set()
paragraph_looks = set()
for paragraph in document.paragraphs:
    spaced = paragraph.paragraph_format
    paragraph_looks.add(f"{spaced.space_before.pt} pt before, {spaced.space_after.pt} pt after, "
                        f"line {spaced.line_spacing}")
    for run in paragraph.runs:
        run_looks.add(f"{run.font.name} {fonts(run._r.rPr)} {run.font.size.pt} pt {size(run._r.rPr)} "
                      f"bold {run.bold}, blanks {run._r.find(W + 't').get(SPACE)}")

defaults = styles.find(W + "docDefaults")
default_run = defaults.find(f"{W}rPrDefault/{W}rPr")
section = document.sections[0]
core = document.core_properties
json.dump({
    "paragraphs": [paragraph.text for paragraph in document.paragraphs],
    "title": core.title,
    "created": core.created.isoformat() if core.created else None,
    "looks": {
        "parts": ", ".join(parts),
        "refused": ", ".join(refused),
        "package relationships": relationships("_rels/.rels"),
        "document relationships": relationships("word/_rels/document.xml.rels"),
        "overrides": ", ".join(sorted(o.get("PartName") for o in types.iter(T + "Override"))),
        "runs": " | ".join(sorted(run_looks)),
        "paragraphs": " | ".join(sorted(paragraph_looks)),
        "default run": f"{fonts(default_run)} {size(default_run)}",
        "default paragraph": spacing(defaults.find(f"{W}pPrDefault/{W}pPr")),
        "page": f"{section.page_width.twips} x {section.page_height.twips}, margins {section.top_margin.twips} "
                f"{section.right_margin.twips} {section.bottom_margin.twips} {section.left_margin.twips}",
    },
}, sys.stdout, ensure_ascii=False)
