#!/usr/bin/env python3
"""Writes the example print-mode project: a small river-dyke slope of three
soils on a base layer, with every record the host writes for the report and
the seven result files its "[AnalysisResult]" section names.

The files are written as the host writes them: CP932, CR LF line ends.
Run from anywhere: python3 examples/project/make_project.py
"""
import math
import os

HERE = os.path.dirname(os.path.abspath(__file__))


def write(name, lines):
    text = "\r\n".join(lines) + "\r\n"
    with open(os.path.join(HERE, name), "wb") as f:
        f.write(text.encode("cp932"))


def num(v, d=3):
    return f"{v:.{d}f}"


ITEMS = [
    "表紙", "目次", "入力データ", "解析種別", "地形モデル", "モデル図", "土質定数", "モデル節点", "地層形状",
    "水位線", "解析条件", "探索種類", "地形(地表)構成点", "円弧すべり探索条件", "損傷依存軟化", "損傷依存軟化表",
    "フィッティングパラメータ", "計算設定", "FEMデータ", "詳細設定", "ゼロクロス設定", "解析結果", "初期円弧すべり",
    "探索結果", "安定計算結果", "詳細結果(最小安全率円弧)", "詳細結果(最小降伏震度円弧)", "最大変位量の円弧すべり",
    "探索結果", "計算結果", "詳細結果(初期時)", "詳細結果", "スライス諸量", "結果図", "円弧すべり", "初期円弧すべり",
    "最小安全率円弧", "最小降伏震度円弧", "探索結果(初期探索)", "臨界円弧すべり", "最大変位円弧(t=0)",
    "最大変位円弧(t=tslip)", "最短すべり瞬間円弧(t=0)", "最短すべり瞬間円弧(t=tslip)", "探索結果(再探索後)",
    "土塊すべりの平均応答加速度", "コンター図", "損傷度コンター", "両振幅ひずみコンター", "見掛け摩擦角コンター",
    "抵抗せん断強度コンター", "変位量", "解析詳細", "初期円弧すべり", "最大変位量の円弧すべり", "探索明細",
    "変位量時刻歴", "スライス諸量の時刻歴",
]
# Items left out of the example report, to show unselected flags.
UNSELECTED = {31, 44}

# Terrain: base from x = 0 to 60 m, a 6 m dyke of two soils on a sand layer.
NODES = [
    (0.0, 0.0), (60.0, 0.0), (60.0, 4.0), (0.0, 4.0),            # 1-4 base layer
    (60.0, 8.0), (0.0, 8.0),                                     # 5-6 sand layer top
    (20.0, 8.0), (26.0, 14.0), (34.0, 14.0), (40.0, 8.0),        # 7-10 dyke outline
    (23.0, 11.0), (37.0, 11.0),                                  # 11-12 dyke core line
    (10.0, 8.0), (50.0, 8.0), (30.0, 14.0), (30.0, 11.0),        # 13-16 surface and core points
]
LAYERS = [
    (3, [1, 2, 3, 4]),                      # base (soil 3)
    (2, [4, 3, 5, 14, 10, 7, 13, 6]),       # sand (soil 2)
    (1, [7, 10, 12, 16, 11]),               # dyke lower part (soil 1)
    (1, [11, 16, 12, 9, 15, 8]),            # dyke crest (soil 1)
]
SOILS = [
    ("盛土(Bk)", [18.0, 19.0, 30.0, 10.0, 25.0, 2.0, 0.33, 40000.0], "True"),
    ("砂質土(As)", [18.5, 19.5, 35.0, 0.0, 28.0, 0.0, 0.30, 60000.0], "True"),
    ("基盤(Dg)", [20.0, 21.0, 40.0, 50.0, 40.0, 50.0, 0.25, 300000.0], "False"),
]
LAYER_COLOURS = [12632256, 10079487, 6737151, 16764057]


def print_record():
    out = [f"[Print] {len(ITEMS)}"]
    for k, name in enumerate(ITEMS):
        out.append(f"{name},{0 if k in UNSELECTED else 1}")
    out.append("[EndItems]")
    out += [
        "河川堤防の地震時安定性照査",          # title
        "レベル2地震動に対する検討",          # subtitle
        "○○川 右岸 12.4k 地点",              # site name
        "株式会社 地盤解析研究所",              # company name
        "地盤解析研究所",                      # company name, second form
        "TEL 03-1234-5678",
        "FAX 03-1234-5679",
        "2024年3月",                          # date information
        "",
        "",
    ]
    return out


def project_setting():
    return [
        "[ProjectSetting]",
        "プロジェクト名", "○○川堤防 地震時変形検討",
        "解析手法", "4",
        "排水条件", "2",
        "貯水の扱い", "1",
        "FEM応力の利用", "2",
        "すべり方向", "1",
    ]


def nodes():
    return [f"[NodeCol] {len(NODES)}"] + [f"{num(x)},{num(y)}" for x, y in NODES]


def layers():
    out = [f"[LayerCol] {len(LAYERS)}"]
    for soil, boundary in LAYERS:
        out += [f"[Layer] {soil}", ",".join(str(n) for n in boundary)]
    return out


def soils():
    out = [f"[SoilCol] {len(SOILS)}"]
    for name, constants, reduces in SOILS:
        out += ["[Soil]1", name, ",".join(num(c, 3) for c in constants), reduces]
    return out


def water():
    points = [(0.0, 7.0), (20.0, 7.0), (30.0, 10.5), (60.0, 7.5)]
    return [f"[WaterLevel] {len(points)}", "9.810"] + [f"{num(x)},{num(y)}" for x, y in points]


def surface():
    return [
        "[Surface]1",
        "自動探索する", "True",
        "地表面節点番号", "6 13 7 8 15 9 10 14 5",
        "探索範囲節点番号", "13 7 10 14",
        "中心格子分割数X", "10",
        "中心格子分割数Y", "8",
        "半径分割数", "12",
        "基盤層を通過しない", "True",
        "中心格子範囲(x1 y1 x2 y2)", "24.0 16.0 44.0 30.0",
        "半径範囲(最小 最大)", "6.0 24.0",
        "指定円弧(xc yc R)", "34.0 22.0 14.0",
        "スライス分割数", "30",
        "再探索回数", "2",
        "0.500",
        "[Never] 1",
        "[NodeCol] 4",
        "0.000,0.000", "60.000,0.000", "60.000,4.000", "0.000,4.000",
    ]


def table(rows):
    return [f"[Table] {len(rows)}"] + [",".join(num(v, 6) if isinstance(v, float) else str(v) for v in row) for row in rows]


def one_column_table(values):
    return [f"[Table] {len(values)}"] + [num(v, 6) for v in values]


def sd_parameter(layer):
    phi = SOILS[min(layer, 1)][1][2]
    points = [(0.1 * 2 ** i, phi - 1.2 * i * (layer + 1)) for i in range(6)]
    bounds = [(0.5, 0.0, 5.0), (1.0, 0.01, 10.0), (0.8, 0.1, 2.0), (20.0, 1.0, 100.0), (1.2, 0.1, 3.0)]
    # The fit of these points within the bounds (A2 = φpeak - A1), so the
    # report's curve runs through its points.
    results = [(2.8622, 0.376, 1.9068, 27.1378, 29.9485, 0.9275, 0.2344),
               (5.0, 0.3658, 2.0, 30.0, 14.664, 0.8532, 0.9457),
               (5.0, 0.3564, 2.0, 30.0, 6.3277, 0.7639, 3.2245)][layer]
    return (["[SdParameter]1", "rand_ok", "5", "1.0E-6"] + table(points) + table(bounds) +
            one_column_table(results) + [num(phi, 1), "0"])


def srn_data(layer, da, selected):
    a, b, c = 0.45 + 0.05 * layer - 0.01 * da, 0.18 + 0.01 * da, 0.10
    pts = [(n, a * n ** (-b) + c) for n in (2.0, 5.0, 10.0, 20.0, 50.0, 100.0)]
    return (["[SrnData]1", str(da),
             f"{num(a, 6)},{num(b, 6)},{num(c, 6)}",
             f"{num(a, 6)},{num(b, 6)},{num(c, 6)}",
             num(0.00042 * da, 6),
             "selected" if selected else "not_selected"] + table(pts) +
            ["0.000000,0.000000,0.000000", "2.000000,1.000000,1.000000"])


def srn_parameter(layer):
    levels = [1, 2, 5]
    out = [f"[SrnParameter]1 {len(levels)}"]
    for i, da in enumerate(levels):
        out += srn_data(layer, da, i != 1)
    return out + ["rand_ok", "5", "1.0E-6"]


def ds_parameter(layer):
    settings = [[0.1 * (r + 1) + 0.01 * c for c in range(8)] for r in range(9)]
    curves = [
        [0.00031, 0.52 + 0.04 * layer, -0.02, 0.80, 0.0, 0.0, 0.0, 0.0, 0.0],
        [0.00018, 0.17, 0.012, 1.10, 0.0, 0.0, 0.0, 0.0, 0.0],
        [0.00002, 0.10, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0],
    ]
    return (["[DsParameter]"] + table(settings) + ["1"] + table(curves) + ["rand_ng", "3", "1.0E-5"])


def damage_b():
    out = ["[DamageBCol] 3"]
    for layer in range(3):
        out += ["[DamageB]", f"{num(0.9 - 0.1 * layer)} {num(0.6 + 0.05 * layer)} {num(0.5)}", str(layer % 2)]
    out.append("[EndDamageB]")
    out.append("[SdParamCol] 3")
    for layer in range(3):
        out += sd_parameter(layer)
    return out


def damage_a():
    out = ["[DamageACol] 3"]
    for layer in range(3):
        strength = (0.25 + 0.03 * layer, 5.0, 20.0)
        constants = [(da, 0.5 - 0.02 * da, 0.17 + 0.01 * da, 0.1) for da in (1.0, 2.0, 5.0)]
        out += ["[DamageA]", ",".join(num(v, 6) for v in strength)] + table(constants) + ["0"]
    out.append("[SrnParamCol] 3")
    for layer in range(3):
        out += srn_parameter(layer) + ds_parameter(layer)
    return out


def dynpath():
    return [
        "[Dynpath]",
        "FEM応答を用いる", "True",
        "入力地震波", "wave_L2_spectrum2.csv",
        "時間間隔(s)", "0.01",
        "ステップ数", "2000",
        "節点数", "512",
        "要素数", "468",
        "境界条件", "1",
        "開始節点", "1",
        "開始要素", "1",
        "材料数", "3",
        "出力間隔", "10",
        "備考", "END",
    ]


def compute_setting():
    return ["[ComputeSetting]", "2", "0", "1.50", "0.10", "0.00", "20.00"]


def zero_cross():
    return [
        "[ZeroCross]",
        "ゼロクロス法を用いる", "True",
        "上限ひずみ(%)", "10.0",
        "下限ひずみ(%)", "0.001",
        "近似方法", "2",
        "下限損傷度", "0.0001",
        "最大繰返し回数", "100",
        "計算間隔", "5",
        "隣接平均点数", "3",
        "最小半波数", "2",
        "FFTフィルタ", "バンドパス",
        "4096",
        "0.10 0.20 -9e32 10.0 12.0",
        "[EndZeroCross]",
    ]


SLIPS = [
    # kind, (xc, yc, R), (Fs, Khy, Mr, Md), displacement
    (0, (34.0, 22.0, 14.0), (1.412, 0.182, 5230.4, 3704.2), 0.000),
    (1, (32.0, 20.5, 13.2), (1.108, 0.121, 4388.0, 3960.3), 0.215),
    (2, (31.0, 21.0, 13.9), (1.134, 0.114, 4512.7, 3979.5), 0.248),
    (3, (33.5, 19.0, 12.0), (1.220, 0.131, 3890.1, 3188.6), 0.301),
    (4, (33.0, 18.5, 11.6), (1.251, 0.129, 3702.4, 2959.5), 0.356),
    (5, (29.5, 23.0, 15.3), (1.305, 0.140, 5504.9, 4218.3), 0.122),
    (6, (30.0, 22.5, 15.0), (1.298, 0.138, 5410.0, 4167.9), 0.131),
]


def slips():
    out = [f"[SlipCol] {len(SLIPS)}", "総ケース数", "1248", "有効ケース数", "1116"]
    for kind, circle, values, delta in SLIPS:
        fs, khy, mr, md = values
        out += ["[Slip]", str(kind), " ".join(num(v) for v in circle), " ".join(num(v) for v in values),
                f"{num(fs * 1.05)} {num(fs * 0.96)} {num(fs)}",
                f"{num(khy * 1.1)} {num(khy * 0.95)} {num(khy)}",
                f"{num(mr * 0.4)} {num(mr * 0.6)} {num(mr)}",
                f"{num(md * 0.45)} {num(md * 0.55)} {num(md)}",
                num(delta)]
    return out


RESULT_FILES = ["result_summary.txt", "result_search.txt", "result_initial.txt", "result_slip.txt",
                "result_stability.txt", "result_displacement.txt", "result_slices.txt"]


def analysis_result():
    return ["[AnalysisResult]"] + RESULT_FILES + ["True", "5", "3"]


def wave(t, scale, period):
    return scale * math.sin(2 * math.pi * t / period) * math.exp(-((t - 6.0) / 4.0) ** 2)


def graph(title, axis, series):
    peak, peak_time = 0.0, 0.0
    for _, pts in series:
        for x, y in pts:
            if abs(y) > abs(peak):
                peak, peak_time = y, x
    out = ["[GraphData]", title, axis, num(peak, 4), num(peak_time, 2), str(len(series))]
    for name, pts in series:
        out += [name, str(len(pts))] + [f"{num(x, 2)},{num(y, 4)}" for x, y in pts]
    final = series[0][1][-1][1]
    return out + [num(final, 4)]


def graphs():
    times = [0.1 * i for i in range(121)]
    out = graph("入力加速度", "加速度(gal)", [("入力加速度", [(t, wave(t, 420.0, 0.8)) for t in times])])
    out += graph("平均応答加速度", "加速度(gal)", [("平均応答加速度", [(t, wave(t, 310.0, 1.1)) for t in times])])
    names = ["最小安全率円弧", "最小降伏震度円弧", "最大変位円弧", "最短すべり円弧", "臨界円弧"]
    for k, name in enumerate(names):
        delta = SLIPS[k + 1][3]
        series = [(name, [(t, delta * min(1.0, max(0.0, (t - 3.0) / 6.0))) for t in times])]
        if k == 2:  # the critical circle is drawn with its initial-state companion
            series.append((name + "(t=0)", [(t, 0.6 * delta * min(1.0, max(0.0, (t - 3.5) / 6.0))) for t in times]))
        out += graph("変位量", "変位量(m)", series)
    return out


def contours():
    mesh = [(x * 10.0, y * 2.0) for y in range(5) for x in range(7)]
    titles = ["損傷度コンター", "両振幅ひずみコンター", "見掛け摩擦角コンター", "抵抗せん断強度コンター"]
    ranges = [(0.0, 1.0), (0.0, 10.0), (20.0, 40.0), (0.0, 120.0)]
    out = [f"[ConterCol] {len(titles)} {len(mesh)}", f"[NodeCol] {len(mesh)}"] + [f"{num(x)},{num(y)}" for x, y in mesh]
    for title, (lo, hi) in zip(titles, ranges):
        values = [lo + (hi - lo) * ((i * 7) % len(mesh)) / (len(mesh) - 1) for i in range(len(mesh))]
        out += ["[Conter]", title, num(lo, 3), num(hi, 3), ",".join(num(v, 4) for v in values)]
    return out


def layer_colours():
    return [f"[LayerColor] {len(LAYER_COLOURS)}"] + [str(c) for c in LAYER_COLOURS]


def project():
    lines = ["ToPrint", "○○川堤防 地震時変形検討", "0"]
    for part in (print_record(), project_setting(), nodes(), layers(), soils(), water(), surface(), damage_b(),
                 damage_a(), dynpath(), compute_setting(), zero_cross(), slips(), analysis_result(), graphs(),
                 contours(), layer_colours()):
        lines += part
    return lines


def slice_file():
    steps, dt = 101, 0.2
    out = [f"[SliceQuantCol] 3 {steps} {dt}"]
    for s in range(1, 4):
        out += [f"[SliceQuant] {s}", "time(s),損傷度,ひずみ振幅DA(%),見掛け摩擦角φapp(deg),鉛直応力(kN/m{^2}),せん断応力(kN/m{^2})",
                f"[Table] {steps}"]
        for i in range(steps):
            t = i * dt
            ramp = min(1.0, t / 12.0)
            out.append(",".join(num(v, 6) for v in (
                t, 0.8 * ramp * s / 3, 5.0 * ramp * s / 3, 35.0 - 8.0 * ramp * s / 3,
                80.0 + 10.0 * s + 6.0 * math.sin(t), 20.0 + 4.0 * s + 9.0 * math.sin(1.3 * t))))
    return out


def result_files():
    write(RESULT_FILES[0], ["[ResultSummary]"] + table([(float(k), *circle, *values[:2], d) for k, circle, values, d in SLIPS]))
    write(RESULT_FILES[1], ["[SearchDetail]"] + table(
        [(30.0 + i % 5, 18.0 + i // 5, 12.0 + 0.5 * i, 1.1 + 0.02 * i, 0.12 + 0.003 * i) for i in range(20)]))
    for name, scale in ((RESULT_FILES[2], 1.0), (RESULT_FILES[3], 0.8)):
        write(name, ["[SliceTable]"] + table(
            [(float(i + 1), 20.0 + i, 1.0, 2.0 + 0.2 * i, 30.0 * scale, 15.0 - i) for i in range(12)]))
    write(RESULT_FILES[4], ["[Stability]"] + table([(float(k), values[0], values[1]) for k, _, values, _ in SLIPS]))
    write(RESULT_FILES[5], ["[Displacement]"] + table([(0.1 * i, 0.356 * min(1.0, i / 60.0)) for i in range(121)]))
    write(RESULT_FILES[6], slice_file())


if __name__ == "__main__":
    write("project.txt", project())
    result_files()
