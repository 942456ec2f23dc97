#!/usr/bin/env python3
"""Builds examples/worldcup2002.svl, the example game, from the 2002 results.

The teams come from tools/data/worldcup2002.tsv (group stage) and
tools/data/worldcup2002-knockout.tsv (knockout matches); the members are
invented. The game is written in the order the program keeps it after a load
(teams and members by rank), with every line scrambled as the program saves.

    python3 tools/make_worldcup2002.py [--data DIR] [--out FILE.svl] [--plain FILE]
"""

import argparse
import csv
import pathlib
import sys

from file_tags import FILE_LINES

ROOT = pathlib.Path(__file__).resolve().parent.parent

SETTINGS = {
    "name": "ワールドカップ2002 優勝予想",
    "date": "02/06/30",
    "winPoints": 3,
    "losePoints": 0,
    "drawPoints": 1,
    "tournamentWinPoints": 6,
    "maxBet": 10,
    "rate": 1,
    "bonus1": 20,
    "bonus2": 10,
    "bonus3": 0,
    "qualifyBonus": 30,
    "over": 1,  # the final is played: the ranking is fixed
    "password": 0,
}
EDITOR = "予想大会 幹事"
HEAD = "ワールドカップ2002 優勝予想の最終結果です。\r\nブラジルが5度目の優勝を果たしました。\r\nご参加ありがとうございました。"
FOOT = "次の大会でまたお会いしましょう。"

GROUP_STAGE_END = "02/06/14"
NOT_IN_GAME = "オランダ"  # did not play in 2002: the vote counts for nothing

# Invented members: (name, date of the last change, ten votes in order).
MEMBERS = [
    ("佐藤 健一", "02/05/28", ["ブラジル", "ドイツ", "アルゼンチン", "フランス", "イタリア",
                             "スペイン", "イングランド", "日本", "韓国", "ポルトガル"]),
    ("鈴木 美咲", "02/05/29", ["フランス", "アルゼンチン", "ブラジル", "イタリア", "スペイン",
                             "ドイツ", "ポルトガル", "イングランド", "日本", "オランダ"]),
    ("高橋 翔", "02/05/29", ["アルゼンチン", "フランス", "イタリア", "ブラジル", "スペイン",
                           "イングランド", "ドイツ", "ポルトガル", "日本", "メキシコ"]),
    ("田中 由美", "02/05/30", ["日本", "ブラジル", "韓国", "ドイツ", "トルコ",
                             "セネガル", "アメリカ", "スペイン", "イングランド", "ベルギー"]),
    ("伊藤 大輔", "02/05/30", ["アルゼンチン", "フランス", "イタリア", "ブラジル", "スペイン",
                             "イングランド", "ドイツ", "ポルトガル", "日本", "メキシコ"]),
    ("渡辺 さくら", "02/05/30", ["ブラジル", "イタリア", "スペイン", "ドイツ", "アルゼンチン",
                               "日本", "イングランド", "フランス", "ポルトガル", "アイルランド"]),
    ("山本 拓也", "02/05/31", ["ドイツ", "ブラジル", "トルコ", "韓国", "スペイン",
                             "アメリカ", "イングランド", "セネガル", "日本", "メキシコ"]),
    ("中村 愛", "02/05/31", ["イタリア", "スペイン", "ポルトガル", "フランス", "アルゼンチン",
                           "ブラジル", "ドイツ", "クロアチア", "日本", "ロシア"]),
    ("小林 誠", "02/05/31", ["ブラジル", "ドイツ", "アルゼンチン", "フランス", "イタリア",
                           "スペイン", "イングランド", "日本", "韓国", "ポルトガル"]),
    ("加藤 彩", "02/05/31", ["イングランド", "スウェーデン", "アルゼンチン", "ナイジェリア", "デンマーク",
                           "フランス", "ブラジル", "セネガル", "日本", "ウルグアイ"]),
    ("吉田 悠斗", "02/05/31", ["スペイン", "韓国", "日本", "ブラジル", "パラグアイ",
                             "アイルランド", "カメルーン", "ドイツ", "トルコ", "アメリカ"]),
    ("山口 真理", "02/05/31", ["ポルトガル", "ブラジル", "メキシコ", "イタリア", "ドイツ",
                             "スペイン", "日本", "韓国", "中国", "エクアドル"]),
]


def yymmdd(iso):
    year, month, day = iso.split("-")
    return f"{year[2:]}/{month}/{day}"


def read_tsv(path):
    with open(path, encoding="utf-8", newline="") as f:
        return list(csv.DictReader(f, delimiter="\t"))


def build_teams(data):
    groups = read_tsv(data / "worldcup2002.tsv")
    knockout = read_tsv(data / "worldcup2002-knockout.tsv")
    wins, last_match = {}, {}
    for match in knockout:
        wins[match["winner"]] = wins.get(match["winner"], 0) + 1
        for side in (match["team_a"], match["team_b"]):
            last_match[side] = yymmdd(match["date"])
    teams = []
    for row in groups:
        name = row["team_en"]
        qualify = int(row["reached_knockout"])
        t_wins = wins.get(name, 0)
        if t_wins != int(row["knockout_wins"]):
            sys.exit(f"{name}: {t_wins} knockout wins in the matches, {row['knockout_wins']} in the table")
        teams.append({
            "name": row["team_ja"],
            "group": row["group"],
            "wins": int(row["group_wins"]),
            "draws": int(row["group_draws"]),
            "losses": int(row["group_losses"]),
            "goalDiff": int(row["goal_diff"]),
            "tournamentWins": t_wins,
            "qualify": qualify,
            "out": 0 if row["final_place"] == "1" else 1,
            "date": last_match.get(name, GROUP_STAGE_END),
            "symbol": "",
        })
    if len(teams) != 32 or sum(t["out"] for t in teams) != 31 or sum(t["qualify"] for t in teams) != 16:
        sys.exit("expected 32 teams, 16 in the knockout stage and one champion")
    return teams


def score(teams, members, s):
    """The program's scoring pass, enough to put the records in rank order."""
    for t in teams:
        t["points"] = (t["wins"] * s["winPoints"] + t["losses"] * s["losePoints"]
                       + t["draws"] * s["drawPoints"] + t["tournamentWins"] * s["tournamentWinPoints"])
        t["bonus"] = s["qualifyBonus"] if t["qualify"] else 0
    for i, t in enumerate(teams):
        total = t["points"] + t["bonus"]
        t["rank"] = 1 + sum(1 for j, u in enumerate(teams) if j != i and (
            total < u["points"] + u["bonus"] or
            (total == u["points"] + u["bonus"] and t["goalDiff"] < u["goalDiff"])))
        if t["points"] != 0 and s["over"]:
            t["bonus"] += {1: s["bonus1"], 2: s["bonus2"], 3: s["bonus3"]}.get(t["rank"], 0)
    by_name = {}
    for t in teams:
        by_name.setdefault(t["name"], t)
    for m in members:
        m["score"] = 0
        for p, vote in enumerate(m["votes"][:s["maxBet"]]):
            t = by_name.get(vote)
            if t:
                m["score"] += (t["points"] + t["bonus"]) * (s["maxBet"] - p)
    for m in members:
        m["rank"] = 1 + sum(1 for o in members if o["score"] > m["score"])


def game_lines(teams, members, s):
    settings = {**s, "editor": EDITOR, "head": HEAD, "foot": FOOT,
                "backgroundImage": "", "topImage": "", "leftImage": "", "rightImage": ""}

    def line(tag, kind, value):
        # A multi-line text keeps to one line: each CR LF written "<CR>".
        return tag + (str(value).replace("\r\n", "<CR>") if kind == "multiLine" else str(value))

    lines = [line(tag, kind, settings[field]) for tag, kind, field in FILE_LINES.settings]
    lines.append(FILE_LINES.settings_end)
    for t in teams:
        lines += [tag if kind == "end" else line(tag, kind, t[field]) for tag, kind, field in FILE_LINES.team]
    for m in members:
        record = {**m, "symbol": m.get("symbol", "")}
        for tag, kind, field in FILE_LINES.member:
            if kind == "vote":
                lines += [tag + v for v in m["votes"]]
            else:
                lines.append(tag if kind == "end" else line(tag, kind, record[field]))
    lines.append(FILE_LINES.file_end)
    return [line.encode("cp932") for line in lines]


def scramble(line):
    # Each byte as two lowercase hex digits, shifted by 10 and 20.
    return bytes(b for byte in line for b in (ord(f"{byte:02x}"[0]) + 10, ord(f"{byte:02x}"[1]) + 20))


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--data", type=pathlib.Path, default=ROOT / "tools" / "data")
    parser.add_argument("--out", type=pathlib.Path, default=ROOT / "examples" / "worldcup2002.svl")
    parser.add_argument("--plain", type=pathlib.Path, help="also write the unscrambled file")
    args = parser.parse_args()

    teams = build_teams(args.data)
    members = [{"name": n, "date": d, "votes": v} for n, d, v in MEMBERS]
    score(teams, members, SETTINGS)
    # Stable, like the program's ordering by rank.
    teams.sort(key=lambda t: t["rank"])
    members.sort(key=lambda m: m["rank"])

    lines = game_lines(teams, members, SETTINGS)
    args.out.write_bytes(b"".join(scramble(line) + b"\r\n" for line in lines))
    if args.plain:
        args.plain.write_bytes(b"".join(line + b"\r\n" for line in lines))


if __name__ == "__main__":
    main()
