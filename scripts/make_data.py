#!/usr/bin/env python3
"""Writes the shipped data files data/General.csv, data/Capaorg.csv and data/Tokugiorg.csv.

The existing generals are invented: names are put together from kanji with their readings,
values are drawn from a fixed seed, so running the script again gives the same files.
The files are written the way the editor reads them: code page 932, CR LF line ends.
"""
import pathlib
import random

DATA = pathlib.Path(__file__).resolve().parent.parent / "data"

# Family names of one or two kanji, with their readings in katakana.
FAMILY_ONE = [
    ("林", "ハヤシ"), ("森", "モリ"), ("原", "ハラ"), ("辻", "ツジ"), ("堀", "ホリ"),
    ("関", "セキ"), ("岡", "オカ"), ("畑", "ハタ"), ("峰", "ミネ"), ("柴", "シバ"),
    ("桐", "キリ"), ("榊", "サカキ"), ("梶", "カジ"), ("滝", "タキ"), ("沢", "サワ"),
]
FAMILY_FIRST = [
    ("山", "ヤマ"), ("川", "カワ"), ("高", "タカ"), ("大", "オオ"), ("小", "コ"), ("石", "イシ"),
    ("松", "マツ"), ("竹", "タケ"), ("中", "ナカ"), ("北", "キタ"), ("西", "ニシ"),
    ("長", "ナガ"), ("黒", "クロ"), ("白", "シラ"), ("赤", "アカ"), ("青", "アオ"),
    ("菊", "キク"), ("藤", "フジ"), ("柳", "ヤナギ"), ("朝", "アサ"),
]
FAMILY_SECOND = [
    ("田", "ダ"), ("野", "ノ"), ("村", "ムラ"), ("本", "モト"), ("井", "イ"), ("沢", "ザワ"),
    ("原", "ハラ"), ("尾", "オ"), ("島", "シマ"), ("谷", "タニ"), ("崎", "サキ"),
    ("部", "ベ"), ("橋", "ハシ"), ("瀬", "セ"), ("倉", "クラ"),
]
# Given names: a first kanji and an ending, or a single kanji.
GIVEN_FIRST = [
    ("重", "シゲ"), ("信", "ノブ"), ("義", "ヨシ"), ("忠", "タダ"), ("正", "マサ"),
    ("勝", "カツ"), ("長", "ナガ"), ("光", "ミツ"), ("宗", "ムネ"), ("秀", "ヒデ"),
    ("景", "カゲ"), ("政", "マサ"), ("直", "ナオ"), ("高", "タカ"), ("元", "モト"),
    ("頼", "ヨリ"), ("清", "キヨ"), ("盛", "モリ"), ("貞", "サダ"), ("輝", "テル"),
]
GIVEN_SECOND = [
    ("信", "ノブ"), ("家", "イエ"), ("久", "ヒサ"), ("成", "ナリ"), ("綱", "ツナ"),
    ("昌", "マサ"), ("広", "ヒロ"), ("春", "ハル"), ("継", "ツグ"), ("房", "フサ"),
    ("次", "ツグ"), ("則", "ノリ"), ("胤", "タネ"), ("勝", "カツ"), ("純", "ズミ"),
]
GIVEN_ONE = [
    ("進", "ススム"), ("剛", "ツヨシ"), ("学", "マナブ"), ("誠", "マコト"), ("茂", "シゲル"),
    ("実", "ミノル"), ("仁", "ジン"), ("豊", "ユタカ"), ("守", "マモル"), ("薫", "カオル"),
]

GENERAL_COUNT = 320


def family(rng):
    if rng.random() < 0.3:
        return rng.choice(FAMILY_ONE)
    first, second = rng.choice(FAMILY_FIRST), rng.choice(FAMILY_SECOND)
    return first[0] + second[0], first[1] + second[1]


def given(rng):
    if rng.random() < 0.2:
        return rng.choice(GIVEN_ONE)
    first, second = rng.choice(GIVEN_FIRST), rng.choice(GIVEN_SECOND)
    if first[0] == second[0]:
        second = GIVEN_SECOND[(GIVEN_SECOND.index(second) + 1) % len(GIVEN_SECOND)]
    return first[0] + second[0], first[1] + second[1]


def ability(rng):
    return max(1, min(100, round(rng.triangular(10, 100, 55))))


def write(name, lines):
    text = "".join(line + "\r\n" for line in lines)
    (DATA / name).write_bytes(text.encode("cp932"))


def general_lines(rng):
    lines, seen = [], set()
    while len(lines) < GENERAL_COUNT:
        (fam, fam_read), (giv, giv_read) = family(rng), given(rng)
        name = fam + giv
        if name in seen or not 2 <= len(name) <= 4:
            continue
        seen.add(name)
        born = rng.randint(1500, 1580)
        died = born + rng.randint(25, 80)
        values = [ability(rng) for _ in range(5)]
        faction, personal = rng.randint(1, 149), rng.randint(1, 149)
        fields = [f'"{name}"', f'"{fam_read}{giv_read}"', str(born), str(died)]
        fields += [str(v) for v in values] + ["0", str(faction), str(personal)]
        lines.append(",".join(fields))
    return lines


def template_lines(entries, first_line, second_line):
    lines = [str(len(entries))]
    for entry in entries:
        lines.append(first_line(entry))
        lines.append(second_line(entry))
    return lines


# Ability order: 統率, 武力, 知力, 政治, 魅力. (low, high) per ability, None = unchanged.
ABILITY_TEMPLATES = [
    ("  -", [None] * 5, (0, 0)),
    ("猛将型", [(70, 95), (80, 100), (20, 60), (10, 50), (40, 80)], (0, 0)),
    ("知将型", [(60, 85), (30, 60), (80, 100), (50, 80), (50, 80)], (0, 0)),
    ("内政型", [(20, 50), (10, 40), (60, 85), (80, 100), (50, 85)], (0, 0)),
    ("万能型（合計制限）", [(50, 95)] * 5, (330, 380)),
    ("凡庸", [(20, 60)] * 5, (0, 0)),
]

SKILL_TEMPLATES = [
    ("  -", [], (0, 0)),
    ("内政", [0, 1, 2, 3, 4, 5, 6], (2, 4)),
    ("戦闘", [7, 8, 9, 10, 11, 12, 24, 25, 26, 27, 28], (2, 5)),
    ("計略", [13, 14, 15, 16, 17, 18, 19, 20, 21], (1, 3)),
    ("舌戦", [29, 30, 31, 32, 33, 34], (1, 3)),
    ("特殊", [35, 36, 37, 38, 39, 40, 41], (0, 2)),
]


def main():
    rng = random.Random(20240501)
    write("General.csv", general_lines(rng))
    write("Capaorg.csv", template_lines(
        ABILITY_TEMPLATES,
        lambda t: f'"{t[0]}",{t[2][0]},{t[2][1]}',
        lambda t: "".join(f"{r[0] if r else 0},{r[1] if r else 0}," for r in t[1]) + '""'))
    write("Tokugiorg.csv", template_lines(
        SKILL_TEMPLATES,
        lambda t: f'"{t[0]}",{t[2][0]},{t[2][1]}',
        lambda t: "".join("#TRUE#," if i in t[1] else "#FALSE#," for i in range(42)) + '""'))


if __name__ == "__main__":
    main()
