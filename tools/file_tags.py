"""The game file's lines as the program is built from them.

Reads the table in gamefile/file_lines.h, so that the scripts write the lines
in the program's order with the program's tags and never spell one of their own.

    from file_tags import FILE_LINES
    FILE_LINES.settings   # [(tag, kind, field)], e.g. ("[G_NAME]", "text", "name")
    FILE_LINES.team       # [(tag, kind, field)], field "end" for the section's end
    FILE_LINES.member     # the same; field "vote" for the vote lines
    FILE_LINES.settings_end, FILE_LINES.file_end
"""

import pathlib
import re
from types import SimpleNamespace

HEADER = pathlib.Path(__file__).resolve().parent.parent / "gamefile" / "file_lines.h"


def _table(text, name):
    body = re.search(name + r" = \{\{(.*?)\}\};", text, re.S).group(1)
    return [(tag, kind, fields[-1] if fields else None)
            for tag, kind, rest in re.findall(r'\{"(\[[A-Z0-9_]+\])", LineKind::(\w+)([^}]*)\}', body)
            for fields in [re.findall(r"&\w+::(\w+)", rest)]]


def _enum(text, name):
    return [word.strip() for word in re.search(r"enum class " + name + r" \{([^}]*)\}", text).group(1).split(",")
            if word.strip()]


def _constant(text, name):
    return re.search(name + r' = "([^"]+)"', text).group(1)


def load():
    text = HEADER.read_text(encoding="utf-8")
    # A team or member line is named by its tag's enum, in table order.
    team = [(tag, kind, name) for (tag, kind, _), name in zip(_table(text, "kTeamLines"), _enum(text, "TeamTag"))]
    member = [(tag, kind, name)
              for (tag, kind, _), name in zip(_table(text, "kMemberLines"), _enum(text, "MemberTag"))]
    return SimpleNamespace(settings=_table(text, "kSettingsLines"), team=team, member=member,
                           settings_end=_constant(text, "kSettingsEnd"), file_end=_constant(text, "kFileEnd"))


FILE_LINES = load()
