#include "ui/file_messages.h"

#include "gamefile/save_target.h"

namespace scorvale::ui {

namespace {

QString kindName(FileKind kind) {
    switch (kind) {
        case FileKind::fifo: return QStringLiteral("FIFO");
        case FileKind::characterDevice:
        case FileKind::blockDevice: return QStringLiteral("デバイス");
        case FileKind::socket: return QStringLiteral("ソケット");
        default: return QStringLiteral("特殊なファイル");
    }
}

QString refusalText(const SaveRefusal& refusal) {
    switch (refusal.why) {
        case SaveRefusal::Why::folder: return QStringLiteral("フォルダーのため、保存できません。");
        case SaveRefusal::Why::notRegular:
            return QStringLiteral("通常のファイルではない（%1）ため、保存できません。").arg(kindName(refusal.target.kind));
        case SaveRefusal::Why::readOnly: return QStringLiteral("読み取り専用のため、上書きできません。");
        case SaveRefusal::Why::severalNames: break;
    }
    return QStringLiteral("%1個の名前（ハードリンク）を持つファイルのため、上書きできません。"
                          "上書きすると、ほかの名前には古い内容が残ります。")
        .arg(refusal.target.names);
}

}  // namespace

QString fileErrorReason(const FileError& error) {
    if (const auto* refused = dynamic_cast<const SaveRefusedError*>(&error)) return refusalText(refused->refusal());
    return QString::fromLocal8Bit(error.reason().c_str());
}

}  // namespace scorvale::ui
