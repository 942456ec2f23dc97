#include "ui/input_problem_text.h"

namespace scorvale::ui {

namespace {

QString placeOf(const text::InputProblem& p) {
    QString place;
    if (p.line > 0) place += QStringLiteral("%1行目").arg(p.line);
    if (p.column > 0) place += QStringLiteral("%1列目").arg(p.column);
    return place.isEmpty() ? place : place + QStringLiteral(": ");
}

QString japaneseReason(const text::InputProblem& p) {
    using Kind = text::InputProblem::Kind;
    switch (p.kind) {
        case Kind::unclosedQuote: return QStringLiteral("引用符（\"）で始まる欄が閉じていません。");
        case Kind::textAfterQuote: return QStringLiteral("欄を閉じる引用符（\"）の後に文字があります。");
        case Kind::fileTooLarge:
            return QStringLiteral("%1MBを超えるファイルは取り込めません。選んだファイルが正しいか確かめてください。")
                .arg(p.number / (1024 * 1024));
        case Kind::tooManyColumns:
            return QStringLiteral("列が%1を超えています。選んだファイルが正しいか確かめてください。").arg(p.number);
        case Kind::emptyFile: return QStringLiteral("ファイルが空です。");
        case Kind::onlyHeader: return QStringLiteral("見出しの行だけで、参加者の行がありません。");
        case Kind::noRows: return QStringLiteral("参加者の行がありません。");
        case Kind::columnBeyond: return QStringLiteral("この列はありません（ファイルは%1列です）。").arg(p.number);
        case Kind::noNameColumn:
            return QStringLiteral("参加者名の列が見つかりません。「参加者名の列」で選んでください。");
        case Kind::notTwoNames: return QStringLiteral("タブ1つで区切った2つの名前になっていません。");
        case Kind::emptyName: return QStringLiteral("名前が空です。");
    }
    return {};
}

}  // namespace

QString inputProblemText(const text::InputProblem& problem) { return placeOf(problem) + japaneseReason(problem); }

}  // namespace scorvale::ui
