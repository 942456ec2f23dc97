#include "ui/dialogs/member_import_texts.h"

#include <QStringList>
#include <algorithm>

#include "ui/qt_text.h"

namespace scorvale::ui {

namespace {

using imports::MemberProblem;
using Kind = MemberProblem::Kind;
using text::Encoding;
using text::EncodingChoice;

constexpr std::size_t kNotesShown = 3;

QString encodingName(const EncodingChoice& choice) {
    switch (choice.encoding) {
        case Encoding::cp932: return QStringLiteral("Shift-JIS (CP932)");
        case Encoding::utf16: return choice.bigEndian ? QStringLiteral("UTF-16 (BE)") : QStringLiteral("UTF-16");
        default: return QStringLiteral("UTF-8");
    }
}

QString reasonText(const EncodingChoice& c) {
    using Reason = EncodingChoice::Reason;
    switch (c.reason) {
        case Reason::forced: return QStringLiteral("指定どおり");
        case Reason::byteOrderMark: return QStringLiteral("BOMがあるため");
        case Reason::utf16Zeros: return QStringLiteral("BOMはないが、英数字ごとに0のバイトがあるため");
        case Reason::allUtf8:
            return c.utf8Characters == 0 ? QStringLiteral("英数字だけのため") : QStringLiteral("すべてUTF-8として読めるため");
        case Reason::mostlyUtf8:
            return QStringLiteral("UTF-8の文字が%1字、UTF-8でないバイトは%2バイトだけのため").arg(c.utf8Characters).arg(c.otherBytes);
        case Reason::noUtf8: return QStringLiteral("UTF-8として読める文字がないため");
        case Reason::mostlyCp932:
            return QStringLiteral("UTF-8でないバイトが%1バイトあり、UTF-8として読める文字は%2字だけのため")
                .arg(c.otherBytes)
                .arg(c.utf8Characters);
    }
    return {};
}

QString notesText(const imports::MembersFile& file, imports::CellNote::Kind kind, const QString& what) {
    QStringList places;
    std::size_t count = 0;
    for (const imports::CellNote& note : file.notes) {
        if (note.kind != kind) continue;
        if (count++ < kNotesShown) places << QStringLiteral("%1行目%2列目").arg(note.line).arg(note.column);
    }
    if (count == 0) return {};
    QString text = QStringLiteral("。%1個の欄は%2: ").arg(count).arg(what) + places.join(QStringLiteral("、"));
    if (count > kNotesShown) text += QStringLiteral(" ほか");
    return text;
}

}  // namespace

QString problemText(const MemberProblem& p) {
    const QString text = fromUtf8Text(p.text);
    const QString other = QString::number(p.other);
    switch (p.kind) {
        case Kind::noName: return QStringLiteral("参加者名がありません。この行は取り込みません。");
        case Kind::undecodable:
            return QStringLiteral("UTF-8でもShift-JISでも読めないバイトがあります。この行は取り込みません。");
        case Kind::notShiftJis:
            return QStringLiteral("「%1」はShift-JISで書けない文字です。この行は取り込みません。").arg(text);
        case Kind::controlCharacter:
            return QStringLiteral("改行などの制御文字があります。この行は取り込みません。");
        case Kind::fileTag:
            return QStringLiteral("ゲームファイルの目印 %1 を含むので保存できません。この行は取り込みません。").arg(text);
        case Kind::nameInGame: return QStringLiteral("「%1」はすでに参加者です。この行は飛ばします。").arg(text);
        case Kind::nameRepeated:
            return QStringLiteral("「%1」は%2行目にもあります。この行は飛ばします。").arg(text, other);
        case Kind::nameRepeatedLater:
            return QStringLiteral("「%1」は%2行目にもあります。この行は飛ばし、%2行目を取り込みます。").arg(text, other);
        case Kind::otherEncoding:
            return QStringLiteral("ファイルの文字コードと違うので、%1として読みました。").arg(text == QStringLiteral("CP932") ? QStringLiteral("Shift-JIS") : text);
        case Kind::nameCut:
            return QStringLiteral("参加者名が127バイトを超えるので、%1バイトに切り詰めます。").arg(other);
        case Kind::voteCut:
            return QStringLiteral("「%1」は127バイトを超えるので、%2バイトに切り詰めます。").arg(text, other);
        case Kind::emptyVote: return QStringLiteral("空の投票欄です。後の投票を前に詰めます。");
        case Kind::repeatedVote: return QStringLiteral("「%1」は投票済みです。この投票は除きます。").arg(text);
        case Kind::tooManyVotes:
            return QStringLiteral("投票は64チームまでです。ここからの%1票は除きます。").arg(other);
        case Kind::unmatchedVote:
            return QStringLiteral("「%1」に当たるチームがありません。書かれたまま取り込みます。").arg(text);
        case Kind::badDate:
            return (p.text.empty() ? QStringLiteral("日時がありません。")
                                   : QStringLiteral("「%1」は日時として読めません。").arg(text)) +
                   QStringLiteral("今日の日付にします。");
    }
    return {};
}

QString encodingText(const imports::MembersFile& file) {
    const QString other = file.otherEncoding() == Encoding::cp932 ? QStringLiteral("Shift-JISとして読みました")
                                                                 : QStringLiteral("UTF-8として読みました");
    return encodingName(file.encoding) + QStringLiteral("（") + reasonText(file.encoding) + QStringLiteral("）") +
           notesText(file, imports::CellNote::Kind::otherEncoding, other) +
           notesText(file, imports::CellNote::Kind::undecodable, QStringLiteral("どちらでも読めません"));
}

QString separatorText(const imports::MembersFile& file) {
    const QString name = file.separator == text::Separator::semicolon ? QStringLiteral("セミコロン")
                         : file.separator == text::Separator::tab     ? QStringLiteral("タブ")
                                                                      : QStringLiteral("カンマ");
    return file.separatorDetected ? name + QStringLiteral("（ファイルから判定）") : name;
}

QString columnKindText(imports::ColumnKind kind) {
    using imports::ColumnKind;
    switch (kind) {
        case ColumnKind::timestamp: return QStringLiteral("日時");
        case ColumnKind::email: return QStringLiteral("メールアドレス");
        case ColumnKind::number: return QStringLiteral("番号");
        case ColumnKind::team: return QStringLiteral("チーム名");
        case ColumnKind::text: return QStringLiteral("短い文");
        case ColumnKind::freeText: return QStringLiteral("コメント");
        case ColumnKind::empty: break;
    }
    return QStringLiteral("空");
}

QString optionsErrorText(imports::MemberOptionsError::Kind kind) {
    using K = imports::MemberOptionsError::Kind;
    switch (kind) {
        case K::dateIsName: return QStringLiteral("日時の列が参加者名の列と同じです。");
        case K::badVoteRange: return QStringLiteral("投票の列の終わりが始まりより前です。");
        case K::votesHoldName: return QStringLiteral("投票の列に参加者名の列が入っています。");
        case K::votesHoldDate: return QStringLiteral("投票の列に日時の列が入っています。");
    }
    return {};
}

}  // namespace scorvale::ui
