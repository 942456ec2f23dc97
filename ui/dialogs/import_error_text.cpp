#include "ui/dialogs/import_error_text.h"

#include "ui/input_problem_text.h"
#include "ui/qt_text.h"

namespace scorvale::ui {

namespace {

using Place = imports::ImportError::Place;

QString placeOf(Place place, int number) {
    return place == Place::Line ? QStringLiteral("%1行目").arg(number) : QStringLiteral("%1試合目").arg(number);
}

QString fieldName(const QString& field) {
    return field == QStringLiteral("group") ? QStringLiteral("グループ") : QStringLiteral("名前");
}

}  // namespace

QString importErrorReason(const imports::ImportError& e) {
    using Kind = imports::ImportError::Kind;
    const bool csv = e.place() == Place::Line;
    const auto a = [&e](std::size_t i) {
        return i < e.args().size() ? fromUtf8Text(imports::visibleText(e.args()[i])) : QString();
    };
    switch (e.kind()) {
        case Kind::notAMatchList:
            return QStringLiteral("JSONの試合リストでも、1行目で team1, team2, score1, score2 の列を名付けたCSVでも"
                                  "ありません。");
        case Kind::emptyFile: return QStringLiteral("ファイルが空です。");
        case Kind::jsonInvalid: return QStringLiteral("JSONとして読めません。");
        case Kind::jsonNotAnObject:
            return QStringLiteral("JSONの中身が「matches」を持つオブジェクトではありません。");
        case Kind::jsonNoMatches: return QStringLiteral("JSONに試合の一覧「matches」がありません。");
        case Kind::columnTwice: return QStringLiteral("列「%1」が2つあります。").arg(a(0));
        case Kind::columnMissing: return QStringLiteral("列「%1」がありません。").arg(a(0));
        case Kind::csvInvalid: return QStringLiteral("CSVとして読めません。");
        case Kind::matchNotAnObject: return QStringLiteral("試合がオブジェクトではありません。");
        case Kind::scoreNotAnObject: return QStringLiteral("score がオブジェクトではありません。");
        case Kind::fieldMissing: return QStringLiteral("%1がありません。").arg(a(0));
        case Kind::fieldNotText: return QStringLiteral("%1が文字列ではありません。").arg(a(0));
        case Kind::fieldEmpty: return QStringLiteral("%1が空です。").arg(a(0));
        case Kind::badDate:
            return (csv ? QStringLiteral("日付「%1」が YYYY-MM-DD や YYYY/MM/DD の形ではありません。")
                        : QStringLiteral("日付「%1」が YYYY-MM-DD の形ではありません。"))
                .arg(a(0));
        case Kind::otherScoreEmpty:
            return QStringLiteral("%1が空なのに、もう一方の得点は書かれています。").arg(a(0));
        case Kind::goalsNegative:
            return csv ? QStringLiteral("%1の「%2」がマイナスです。").arg(a(0), a(1))
                       : QStringLiteral("score の %1 にマイナスの得点があります。").arg(a(0));
        case Kind::goalsNotNumber:
            return csv ? QStringLiteral("%1の「%2」が数ではありません。").arg(a(0), a(1))
                       : QStringLiteral("score の %1 が2つの整数ではありません。").arg(a(0));
        case Kind::goalsTooMany:
            return csv ? QStringLiteral("%1の「%2」が%3点を超えています。").arg(a(0), a(1), a(2))
                       : QStringLiteral("score の %1 に%2点を超える得点があります。").arg(a(0), a(2));
        case Kind::winnerUnknown:
            return QStringLiteral("勝者「%1」が 1、2、「%2」、「%3」のどれでもありません。").arg(a(0), a(1), a(2));
        case Kind::winnerLost: return QStringLiteral("勝者「%1」は %2 で負けています。").arg(a(0), a(1));
        case Kind::playsItself: return QStringLiteral("「%1」が自分自身と対戦しています。").arg(a(0));
        case Kind::slotWithScore:
            return QStringLiteral("「%1」はまだ決まっていないチームを表しますが、この試合には得点があります。").arg(a(0));
        case Kind::extraTimeLower:
            return QStringLiteral("延長後の得点（%1）が90分の得点（%2）より少なくなっています。").arg(a(0), a(1));
        case Kind::shootOutLevel: return QStringLiteral("PK戦が同点で終わっています。");
        case Kind::shootOutAfterDecisive:
            return QStringLiteral("勝敗の決まった得点（%2）の後にPK戦（%1）があります。").arg(a(0), a(1));
        case Kind::levelKnockout:
            return csv ? QStringLiteral("決勝トーナメントの試合が同点で、winner の列に勝者がありません"
                                        "（リーグやグループの試合にはグループを書いてください）。")
                       : QStringLiteral("決勝トーナメントの試合が同点で、PK戦がありません。");
        case Kind::loserPlaysOn:
            return QStringLiteral("「%1」は%2の決勝トーナメントの試合で負けたのに、まだ負けていないチームとまた"
                                  "対戦しています。2試合制の対戦は合計得点の1試合として、リーグやグループの試合は"
                                  "グループを書いて入れてください。")
                .arg(a(0), placeOf(e.place(), a(1).toInt()));
        case Kind::noGroupAmongGroups:
            return QStringLiteral("グループがありませんが、%1でその前にも後にもグループの試合があります。グループの"
                                  "試合として数えました。グループを書くか、決勝トーナメントの試合には別のラウンド名"
                                  "を付けてください。")
                .arg(a(0) == QStringLiteral("date") ? QStringLiteral("日付順") : QStringLiteral("リストの順"));
        case Kind::playOffFirst:
            return QStringLiteral("どのグループの試合よりも前にある決勝トーナメントの試合なので、グループリーグ前の"
                                  "プレーオフとしました。この試合のチームは決勝トーナメント進出になりません。決勝"
                                  "トーナメントの試合なら、グループの試合の後に並べるか、すべての試合に日付を"
                                  "書いてください。");
        case Kind::takenForSlot:
            return QStringLiteral("ゲームのチームにも各国代表にも名前ファイルにもない名前で、まだ行われていない決勝"
                                  "トーナメントの試合にだけ出てくるので、まだ決まっていないチームとして追加しません"
                                  "でした。追加するには、ゲームにチームを加えるか名前ファイルに書いてください。");
        case Kind::fieldControl:
            return QStringLiteral("%1「%2」に制御文字があります。").arg(fieldName(a(0)), a(1));
        case Kind::fieldNotShiftJis:
            return QStringLiteral("%1「%2」にShift-JISで表せない文字があります。").arg(fieldName(a(0)), a(1));
        case Kind::fieldTooLong:
            return QStringLiteral("%1「%2」がチームの欄に入る長さ（%3バイト）を超えています。")
                .arg(fieldName(a(0)), a(1), a(2));
        case Kind::fieldHoldsTag:
            return QStringLiteral("%1「%2」にゲームファイルのタグ %3 が含まれています。")
                .arg(fieldName(a(0)), a(1), a(2));
        case Kind::sameGameTeam:
            return QStringLiteral("ゲームの同じチーム「%1」に「%2」も割り当てられています。").arg(a(0), a(1));
        case Kind::newTeamNoName: return QStringLiteral("新しいチームの名前がありません。");
        case Kind::newNameInGame:
            return QStringLiteral("「%1」として追加されますが、ゲームにすでにあるチームです。そのチームを選んでください。")
                .arg(a(0));
        case Kind::newNameTwice:
            return QStringLiteral("「%2」と同じ「%1」として追加されることになります。").arg(a(0), a(1));
    }
    return {};
}

QString importErrorText(const imports::ImportError& e) {
    if (e.input()) return inputProblemText(*e.input());
    const QString reason = importErrorReason(e);
    switch (e.place()) {
        case Place::Line:
        case Place::Match: return placeOf(e.place(), e.number()) + QStringLiteral(": ") + reason;
        case Place::Team:
            return QStringLiteral("チーム「%1」: ").arg(fromUtf8Text(imports::visibleText(e.name()))) + reason;
        case Place::File: break;
    }
    return reason;
}

}  // namespace scorvale::ui
