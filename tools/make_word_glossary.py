#!/usr/bin/env python3
"""Writes the building blocks of the Word template: the glossary part
resources/PrnFiles/Drevia.docm.d/word/glossary/document.xml, and the list of
block, field and column names in that folder's README.md (between the
"names" markers). The fixed blocks are the tables below; every other block a
form file names (word=) is made from that form block: its texts become the
block's fixed text, its named fields the content controls, so a form block and
its Word block never disagree. Change them and run

    python3 tools/make_word_glossary.py

The build packs the folder into PrnFiles/Drevia.docm and refuses a block that
holds a relationship id (no pictures or links inside blocks).
"""
import os
import uuid

HERE = os.path.dirname(os.path.abspath(__file__))
FOLDER = os.path.join(HERE, "..", "resources", "PrnFiles", "Drevia.docm.d")
BODY_WIDTH = 9638  # twips, as on the printed pages
W_NS = "http://schemas.openxmlformats.org/wordprocessingml/2006/main"


def full_width(text):
    """ASCII digits and letters as the template's names spell them: "1" -> "１"."""
    return "".join(chr(ord(c) + 0xFEE0) if c.isascii() and c.isalnum() else c for c in text)


# --- a small XML writer: (tag, [(attribute, value)], children or text) ---

def esc(text):
    return text.replace("&", "&amp;").replace("<", "&lt;").replace(">", "&gt;").replace('"', "&quot;")


def render(node, depth=0):
    tag, attrs, content = node
    pad = "  " * depth
    head = tag + "".join(f' {k}="{esc(v)}"' for k, v in attrs)
    if content is None or content == []:
        return f"{pad}<{head}/>\n"
    if isinstance(content, str):
        return f"{pad}<{head}>{esc(content)}</{tag}>\n"
    return f"{pad}<{head}>\n" + "".join(render(c, depth + 1) for c in content) + f"{pad}</{tag}>\n"


def el(tag, *children, **attrs):
    return (tag, [(k.replace("__", ":"), v) for k, v in attrs.items()], list(children))


def val(tag, value):
    return (tag, [("w:val", str(value))], None)


def text_node(text):
    attrs = [("xml:space", "preserve")] if text != text.strip(" ") or "  " in text else []
    return ("w:t", attrs, text)


def runs(text, rpr=None):
    """Runs for a fixed text; "{^…}"/"{_…}" raise or lower, "\n" breaks the line."""
    out, i, plain = [], 0, ""
    pieces = []
    while i < len(text):
        if text[i] == "{" and i + 1 < len(text) and text[i + 1] in "^_" and text.find("}", i + 2) >= 0:
            close = text.find("}", i + 2)
            if plain:
                pieces.append((plain, None))
            plain = ""
            pieces.append((text[i + 2:close], "superscript" if text[i + 1] == "^" else "subscript"))
            i = close + 1
        else:
            plain += text[i]
            i += 1
    if plain:
        pieces.append((plain, None))
    for piece, align in pieces:
        props = list(rpr or [])
        if align:
            props.append(val("w:vertAlign", align))
        children = [el("w:rPr", *props)] if props else []
        for k, line in enumerate(piece.split("\n")):
            if k:
                children.append(el("w:br"))
            if line:
                children.append(text_node(line))
        out.append(el("w:r", *children))
    return out


def control(tag, default="", rpr=None):
    """A content control the writer finds by its tag (a field, a column or a picture place)."""
    content = runs(default, rpr) if default else [el("w:r", *([el("w:rPr", *rpr)] if rpr else []))]
    return el("w:sdt", el("w:sdtPr", val("w:alias", tag), val("w:tag", tag)), el("w:sdtContent", *content))


def para(style, *inline, ppr=()):
    props = ([val("w:pStyle", style)] if style else []) + list(ppr)
    return el("w:p", *([el("w:pPr", *props)] if props else []), *inline)


def page_break():
    return el("w:p", el("w:r", (("w:br", [("w:type", "page")], None))))


def table(columns, caption=None):
    """A table of a header row and one template row that the writer clones per
    data row. columns: (column name, header text, relative width)."""
    total = sum(c[2] for c in columns)
    widths = [BODY_WIDTH * c[2] // total for c in columns]
    widths[-1] += BODY_WIDTH - sum(widths)

    def cell(width, paragraph, shaded=False):
        props = [el("w:tcW", w__w=str(width), w__type="dxa")]
        if shaded:
            props.append(el("w:shd", w__val="clear", w__color="auto", w__fill="D9D9D9"))
        props.append(val("w:vAlign", "center"))
        return el("w:tc", el("w:tcPr", *props), paragraph)

    header = el("w:tr", el("w:trPr", el("w:cantSplit"), el("w:tblHeader")),
                *[cell(w, para("TableHeading", *runs(c[1])), True) for c, w in zip(columns, widths)])
    row = el("w:tr", el("w:trPr", el("w:cantSplit")),
             *[cell(w, para("TableText", control(c[0]))) for c, w in zip(columns, widths)])
    tbl = el("w:tbl",
             el("w:tblPr", val("w:tblStyle", "TableGrid"), el("w:tblW", w__w=str(BODY_WIDTH), w__type="dxa"),
                val("w:jc", "center"), el("w:tblLayout", w__type="fixed"),
                el("w:tblLook", w__val="04A0", w__firstRow="1", w__lastRow="0", w__firstColumn="0",
                   w__lastColumn="0", w__noHBand="0", w__noVBand="1")),
             el("w:tblGrid", *[el("w:gridCol", w__w=str(w)) for w in widths]),
             header, row)
    return ([para("TableCaption", *runs(caption))] if caption else []) + [tbl]


def field_table(fields):
    """Label and value, one field a row (no header row, nothing cloned)."""
    label_width = 2800
    rows = []
    for name in fields:
        rows.append(el("w:tr",
                       el("w:tc", el("w:tcPr", el("w:tcW", w__w=str(label_width), w__type="dxa"),
                                     el("w:shd", w__val="clear", w__color="auto", w__fill="F2F2F2")),
                          para("TableHeading", *runs(name))),
                       el("w:tc", el("w:tcPr", el("w:tcW", w__w=str(BODY_WIDTH - label_width), w__type="dxa")),
                          para("TableText", control(name), ppr=[val("w:jc", "left")]))))
    return [el("w:tbl",
               el("w:tblPr", val("w:tblStyle", "TableGrid"), el("w:tblW", w__w=str(BODY_WIDTH), w__type="dxa"),
                  el("w:tblLayout", w__type="fixed")),
               el("w:tblGrid", el("w:gridCol", w__w=str(label_width)),
                  el("w:gridCol", w__w=str(BODY_WIDTH - label_width))),
               *rows)]


# --- the blocks ---

BLOCKS = []  # (name, description, [body nodes])


def block(name, description, body):
    BLOCKS.append((name, description, body))


block("Ｄｒｅｖｉａ＿Ｔｉｔｌｅ", "title page; ends with a page break", [
    para("Title", control("タイトル")),
    para("Subtitle", control("サブタイトル")),
    para("TitleInfo", control("現場名")),
    para("TitleInfo", control("日付情報")),
    para("TitleInfo", control("会社名日本語", rpr=[el("w:b")]), ppr=[el("w:spacing", w__before="2400", w__after="240")]),
    para("TitleInfo", control("電話番号")),
    para("TitleInfo", control("ファックス番号")),
    page_break(),
])

TOC_FIELD = [
    el("w:r", ("w:fldChar", [("w:fldCharType", "begin"), ("w:dirty", "true")], None)),
    el("w:r", ("w:instrText", [("xml:space", "preserve")], ' TOC \\o "1-3" \\h \\z \\u ')),
    el("w:r", ("w:fldChar", [("w:fldCharType", "separate")], None)),
    *runs("目次は文書を開いたときに更新されます。"),
    el("w:r", ("w:fldChar", [("w:fldCharType", "end")], None)),
]
block("Ｄｒｅｖｉａ＿Ｉｎｄｅｘ", "contents: a contents field over headings 1 to 3; ends with a page break", [
    para("TOCHeading", *runs("目次")),
    para("TOC1", *TOC_FIELD),
    page_break(),
])
block("Ｅｎｄ", "closing block: the document's last paragraph", [para(None)])
block("ＳｅｔＲｅｔｕｒｎ", "page break", [page_break()])
block("Ｇｙｏｋａｎ＿１", "blank line between tables", [para(None)])

# Sections: the report's headings, numbered as the contents nests them (1 input
# data, 2 analysis results, 3 result figures, 4 analysis details). A section
# block is one heading paragraph (heading 1 to 3 by depth, heading 4 for the
# unnumbered parts that stay out of the contents) holding the field "見出し",
# preset to the heading text.
SECTIONS = [
    ("1", "入力データ"), ("1_1", "解析種別"), ("1_2", "地形モデル"), ("1_2_1", "モデル図"), ("1_2_2", "土質定数"),
    ("1_2_3", "モデル節点"), ("1_2_4", "地層形状"), ("1_2_5", "水位線"),
    ("1_3", "解析条件"), ("1_3_1", "探索種類"), ("1_3_2", "地形(地表)構成点"), ("1_3_3", "円弧すべり探索条件"),
    ("1_3_4", "損傷依存軟化"), ("1_3_4_1", "(1) 強度低下"), ("1_3_4_2", "(2) 液状化強度"),
    ("1_3_4_3", "(3) 液状化強度－α(DA)"), ("1_3_4_4", "(4) 液状化強度－β(DA)"), ("1_3_4_5", "(5) 液状化強度－C(DA)"),
    ("1_3_4_6", "(6) フィッティングパラメータ"),
    ("1_4", "計算設定"), ("1_4_1", "FEMデータ"), ("1_4_2", "詳細設定"), ("1_4_3", "ゼロクロス設定"),
    ("2", "解析結果"), ("2_1", "初期円弧すべり"), ("2_1_1", "探索結果"), ("2_1_2", "安定計算結果"),
    ("2_1_3", "詳細結果(最小安全率円弧)"), ("2_1_4", "詳細結果(最小降伏震度円弧)"),
    ("2_2", "最大変位量の円弧すべり"), ("2_2_1", "探索結果"), ("2_2_2", "計算結果"), ("2_2_3", "詳細結果(初期時)"),
    ("2_2_4", "詳細結果"), ("2_2_5", "スライス諸量"),
    ("3", "結果図"), ("3_1", "円弧すべり"), ("3_1_1", "初期円弧すべり"), ("3_1_2", "最小安全率円弧"),
    ("3_1_3", "最小降伏震度円弧"), ("3_1_4", "探索結果(初期探索)"), ("3_1_5", "臨界円弧すべり"),
    ("3_1_6", "最大変位円弧(t=0)"), ("3_1_7", "最大変位円弧(t=tslip)"), ("3_1_8", "最短すべり瞬間円弧(t=0)"),
    ("3_1_9", "最短すべり瞬間円弧(t=tslip)"), ("3_1_10", "探索結果(再探索後)"),
    ("3_2", "土塊すべりの平均応答加速度"), ("3_3", "コンター図"), ("3_3_1", "損傷度コンター"),
    ("3_3_2", "両振幅ひずみコンター"), ("3_3_3", "見掛け摩擦角コンター"), ("3_3_4", "抵抗せん断強度コンター"),
    ("3_4", "変位量"),
    ("4", "解析詳細"), ("4_1", "初期円弧すべり"), ("4_2", "最大変位量の円弧すべり"), ("4_2_1", "探索明細"),
    ("4_2_2", "変位量時刻歴"), ("4_2_3", "スライス諸量の時刻歴"),
]
# The slip parts whose heading the analysis settings choose: each has a block
# per choice, "Ｄｒｅｖｉａ＿２＿１＿指定円弧" with its parts "…＿指定円弧＿１" and on.
SLIP_CHOICES = [("指定円弧", "指定円弧すべり"), ("臨界円弧", "臨界円弧すべり"), ("変位量計算", "変位量計算"),
                ("計算円弧", "計算円弧すべり")]
CHOSEN_SECTIONS = ["2_1", "2_2", "4_2"]


def section_name(number):
    return "Ｄｒｅｖｉａ＿" + "＿".join(full_width(n) for n in number.split("_"))


def heading(level, text):
    return [para(f"Heading{level}", control("見出し", text))]


for number, text in SECTIONS:
    block(section_name(number), f"heading {number.replace('_', '.')}", heading(len(number.split("_")), text))
for number in CHOSEN_SECTIONS:
    parts = [(n, t) for n, t in SECTIONS if n.startswith(number + "_") and n.count("_") == number.count("_") + 1]
    for short, text in SLIP_CHOICES:
        base = section_name(number) + "＿" + short
        block(base, f"heading {number.replace('_', '.')} as {text}", heading(len(number.split("_")), text))
        for n, t in parts:
            block(base + "＿" + full_width(n.split("_")[-1]), f"heading {n.replace('_', '.')} under {text}",
                  heading(len(n.split("_")), t))

# Content blocks: fields, figures and tables.
block("解析種別", "analysis type", field_table(["使用ソフト", "現場名", "計算方法", "解析方法", "FEM応力の利用"]))
block("探索種類", "analysis conditions", field_table(["排水条件", "探索種類", "貯水の扱い", "FEM応力の利用", "すべり方向"]))
block("モデル図", "the model figure (picture place)", [para("Figure", control("モデル図"))])
block("図＿１", "one figure (picture place \"図\") with its caption", [
    para("Figure", control("図")),
    para("TableCaption", control("図名"), ppr=[val("w:jc", "center")]),
])

block("図＿２", "two figures (picture places \"図\" and \"図２\"), side by side when they fit", [
    para("Figure", control("図"), el("w:r", ("w:t", [("xml:space", "preserve")], " ")), control("図２")),
])

COORDINATES = [("番号１", "番号", 2), ("Ｘ１", "X (m)", 3), ("Ｙ１", "Y (m)", 3),
               ("番号２", "番号", 2), ("Ｘ２", "X (m)", 3), ("Ｙ２", "Y (m)", 3)]
SOILS = [("番号", "番号", 2), ("地層名", "地層名", 6), ("γｔ", "γ{_t}\n(kN/m{^3})", 3),
         ("γｓａｔ", "γ{_sat}\n(kN/m{^3})", 3), ("φ", "φ\n(deg)", 3), ("ｃ", "c\n(kPa)", 3),
         ("強度低下する", "強度低下", 3), ("排水", "排水", 3)]
LAYERS = [("番号", "番号", 2), ("地層名", "地層名", 5), ("地層の節点番号", "地層の節点番号", 14)]
SLIPS = [("円弧名", "円弧", 4), ("ｘｃ", "x{_c} (m)", 2), ("ｙｃ", "y{_c} (m)", 2), ("ｒｃ", "R (m)", 2),
         ("Ｆｓ", "Fs", 2), ("Ｋｈｙ", "Khy", 2)]
MAX_SLIPS = [("円弧名", "円弧", 4), ("ｘｃ", "x{_c} (m)", 2), ("ｙｃ", "y{_c} (m)", 2), ("ｒｃ", "R (m)", 2),
             ("Ｋｈｙ", "Khy", 2), ("ｔｓｌｉｐ", "t{_slip} (s)", 2), ("すべり変位", "すべり変位 (m)", 3)]
DISPLACEMENT = [("時刻", "時刻 (s)", 1), ("すべり変位", "すべり変位 (m)", 1)]

TABLES = [
    ("座標の表＿１", "model nodes, two a row", COORDINATES),
    ("座標の表＿２", "water-level line points, two a row", COORDINATES),
    ("土質定数の表", "soil constants", SOILS),
    ("地層形状の表", "layer shapes", LAYERS),
    ("円弧の表", "slip circles", SLIPS),
    ("最大変位円弧の表", "maximum-displacement slips", MAX_SLIPS),
    ("変位量の表", "displacement time history", DISPLACEMENT),
]
for name, description, columns in TABLES:
    block(name, description, table(columns))
    # After a page break a table goes on in its continuation block.
    block(name + "＿１", description + ", continued", table(columns, caption="（続き）"))
block("フィッティング＿１＿０", "fitting parameters: the layer's name", [
    para("TableCaption", *runs("地層名："), control("地層名")),
])


# --- blocks made from the form files ---

FORMS = os.path.join(HERE, "..", "resources", "PrnFiles")

# Table blocks made from a form's header block: the row block whose named
# fields are the columns. A name ending in "＿１" whose base is a table here is
# that table's continuation after a page break.
TABLE_ROWS = {
    "地表構成点の表": 7, "地表構成点の表＿１": 7,
    "フィッティング＿１＿１": 2, "フィッティング＿１＿２": 12, "フィッティング＿１＿３": 14,
    "損傷依存軟化＿１": 1, "損傷依存軟化＿２": 3, "損傷依存軟化＿３": 6, "損傷依存軟化＿４": 8, "損傷依存軟化＿５": 10,
    "安定計算結果の表": 5, "スライスの表": 7, "安定計算の表": 9, "スライス諸量の表": 3,
}


def read_form(path):
    """The blocks of a form file: {number: {"title", "word", "elements"}}, each
    element a dict with kind, slot, x, y, text and the options."""
    blocks, current = {}, None
    for line in open(path, encoding="utf-8"):
        line = line.strip()
        if not line or line.startswith("#"):
            continue
        words = line.split()
        if words[0] == "block":
            options = dict(w.split("=", 1) for w in words if "=" in w)
            current = {"title": line.split('"')[1], "word": options.get("word", ""), "elements": []}
            blocks[int(words[1])] = current
        elif words[0] == "end":
            current = None
        elif current is not None and words[0] in ("text", "field"):
            head = line.split('"')[0].split() if words[0] == "text" else words
            element = {"kind": words[0], "x": int(head[1 if words[0] == "text" else 2]),
                       "y": int(head[2 if words[0] == "text" else 3])}
            element.update(w.split("=", 1) for w in head if "=" in w)
            element["bold"] = "bold" in head
            if words[0] == "text":
                element["text"] = line.split('"')[1]
            else:
                element["slot"] = int(words[1])
            current["elements"].append(element)
    return blocks


def run_props(element):
    props = [el("w:b")] if element["bold"] else []
    if "size" in element:
        props.append(val("w:sz", int(element["size"]) // 10))
    return props


def inline(element):
    if element["kind"] == "text":
        return runs(element["text"], run_props(element))
    return [control(element["name"], rpr=run_props(element) or None)]


def lines_of(elements):
    """Elements by line (same y), each line left to right."""
    lines = {}
    for element in elements:
        lines.setdefault(element["y"], []).append(element)
    return [sorted(line, key=lambda e: e["x"]) for _, line in sorted(lines.items())]


def form_block(elements):
    """Label and value lines as a ruled two-column table; any other layout as
    paragraphs with tab stops where the form places the elements."""
    lines = lines_of(elements)
    if all(len(line) == 2 for line in lines):
        label_width = 3800
        rows = []
        for label, value in lines:
            rows.append(el("w:tr",
                           el("w:tc", el("w:tcPr", el("w:tcW", w__w=str(label_width), w__type="dxa"),
                                         el("w:shd", w__val="clear", w__color="auto", w__fill="F2F2F2")),
                              para("TableText", *inline(label), ppr=[val("w:jc", "left")])),
                           el("w:tc", el("w:tcPr", el("w:tcW", w__w=str(BODY_WIDTH - label_width), w__type="dxa")),
                              para("TableText", *inline(value), ppr=[val("w:jc", "left")]))))
        return [el("w:tbl",
                   el("w:tblPr", val("w:tblStyle", "TableGrid"), el("w:tblW", w__w=str(BODY_WIDTH), w__type="dxa"),
                      el("w:tblLayout", w__type="fixed")),
                   el("w:tblGrid", el("w:gridCol", w__w=str(label_width)),
                      el("w:gridCol", w__w=str(BODY_WIDTH - label_width))),
                   *rows)]
    body = []
    for line in lines:
        stops, content = [], []
        for k, element in enumerate(line):
            if k:
                width = int(element.get("width", 0))
                align = element.get("align", "left")
                position = element["x"] + (width if align == "right" else width // 2 if align == "center" else 0)
                stops.append(el("w:tab", w__val=align if width else "left", w__pos=str(position)))
                content.append(el("w:r", el("w:tab")))
            content.extend(inline(element))
        ppr = [el("w:tabs", *stops)] if stops else []
        if line[0]["x"]:
            ppr.append(el("w:ind", w__left=str(line[0]["x"])))
        body.append(para(None, *content, ppr=ppr))
    return body


def table_block(name, header, row, continued):
    """The header block's texts over the row block's named fields: one column
    per field, its header the texts above it."""
    texts = [e for e in header["elements"] if e["kind"] == "text"]
    starts = sorted({e["x"] for e in texts})
    fields = sorted((e for e in row["elements"] if e["kind"] == "field"), key=lambda e: e["x"])
    if len(fields) != len(starts):
        raise SystemExit(f"{name}: {len(starts)} header columns over {len(fields)} row fields")
    columns = []
    for k, (start, field) in enumerate(zip(starts, fields)):
        end = starts[k + 1] if k + 1 < len(starts) else None
        if field["x"] < start or (end is not None and field["x"] >= end):
            raise SystemExit(f"{name}: field {field['slot']} is not under header column {k + 1}")
        above = sorted((e for e in texts if e["x"] == start), key=lambda e: e["y"])
        width = max(int(e.get("width", 0)) for e in above) or ((end or start + 1200) - start)
        columns.append((field["name"], "\n".join(e["text"] for e in above), width))
    caption = [para("TableCaption", *inline(e)) for e in header["elements"] if e["kind"] == "field"]
    return caption + table(columns, caption="（続き）" if continued else None)


# Tables whose form repeats the same header after a page break, but which
# keep a continuation block under the usual name.
CONTINUATIONS = {"フィッティング＿１＿２＿１": "フィッティング＿１＿２"}


def derived_blocks():
    defined = {b[0] for b in BLOCKS}
    sources = {}
    for path in sorted(os.listdir(FORMS)):
        if not path.endswith(".kvf"):
            continue
        form = read_form(os.path.join(FORMS, path))
        for number, blk in sorted(form.items()):
            name = blk["word"]
            if not name or name in defined or name.endswith("＿"):
                continue
            defined.add(name)
            where = f"from {path} block {number}"
            if name in TABLE_ROWS:
                continued = name.endswith("＿１") and name[:-2] in TABLE_ROWS
                body = table_block(name, blk, form[TABLE_ROWS[name]], continued)
                block(name, f"{blk['title']} ({where})", body)
                sources[name] = (blk, form[TABLE_ROWS[name]], where)
            else:
                block(name, f"{blk['title']} ({where})", form_block(blk["elements"]))
    for name, base in CONTINUATIONS.items():
        header, row, where = sources[base]
        block(name, f"{header['title']}, continued ({where})", table_block(name, header, row, True))


derived_blocks()


# --- output ---

def doc_part(name, description, body):
    guid = "{" + str(uuid.uuid5(uuid.NAMESPACE_URL, "drevia-template/" + name)).upper() + "}"
    return el("w:docPart",
              el("w:docPartPr", val("w:name", name),
                 el("w:category", val("w:name", "Drevia"), val("w:gallery", "docParts")),
                 el("w:behaviors", val("w:behavior", "content")),
                 ("w:description", [("w:val", description)], None),
                 val("w:guid", guid)),
              el("w:docPartBody", *body))


def tags(node, found):
    tag, attrs, content = node
    if tag == "w:tag":
        found.append(dict(attrs)["w:val"])
    if isinstance(content, list):
        for child in content:
            tags(child, found)
    return found


def main():
    root = ("w:glossaryDocument", [("xmlns:w", W_NS)],
            [el("w:docParts", *[doc_part(*b) for b in BLOCKS])])
    xml = ('<?xml version="1.0" encoding="UTF-8" standalone="yes"?>\n'
           "<!-- Written by tools/make_word_glossary.py: change the blocks there. -->\n" + render(root))
    with open(os.path.join(FOLDER, "word", "glossary", "document.xml"), "w", encoding="utf-8") as f:
        f.write(xml)

    lines = ["| Block | What | Fields and columns (content-control tags) |", "|---|---|---|"]
    for name, description, body in BLOCKS:
        found = []
        for node in body:
            tags(node, found)
        lines.append(f"| {name} | {description} | {', '.join(dict.fromkeys(found))} |")
    readme = os.path.join(FOLDER, "README.md")
    with open(readme, encoding="utf-8") as f:
        text = f.read()
    start, end = "<!-- names -->\n", "<!-- /names -->\n"
    head, rest = text.split(start)
    _, tail = rest.split(end)
    with open(readme, "w", encoding="utf-8") as f:
        f.write(head + start + "\n".join(lines) + "\n" + end + tail)


if __name__ == "__main__":
    main()
