#include "ui/dialogs/member_spelling_model.h"

#include <QComboBox>

#include "ui/qt_text.h"

namespace scorvale::ui {

namespace {

constexpr int kNotAsked = -2;

QString keptText() { return QStringLiteral("書かれたまま"); }

}  // namespace

MemberSpellingModel::MemberSpellingModel(QStringList teamNames, Choose choose, Nearest nearest, QObject* parent)
    : QAbstractTableModel(parent), teamNames_(std::move(teamNames)), choose_(std::move(choose)),
      nearest_(std::move(nearest)) {}

void MemberSpellingModel::setSpellings(const std::vector<imports::PickSpelling>* spellings) {
    std::vector<std::string> keys;
    if (spellings) {
        keys.reserve(spellings->size());
        for (const imports::PickSpelling& s : *spellings) keys.push_back(s.key);
    }
    if (spellings && keys == keys_) {
        // A choice changed where the spellings go, not which they are.
        spellings_ = spellings;
        if (!keys_.empty()) emit dataChanged(index(0, 0), index(rowCount() - 1, kColumnCount - 1));
        return;
    }
    beginResetModel();
    spellings_ = spellings;
    keys_ = std::move(keys);
    nearestCache_.assign(keys_.size(), kNotAsked);
    endResetModel();
}

int MemberSpellingModel::nearest(int row) const {
    int& cached = nearestCache_[static_cast<std::size_t>(row)];
    if (cached == kNotAsked) cached = nearest_((*spellings_)[static_cast<std::size_t>(row)]);
    return cached;
}

int MemberSpellingModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() || !spellings_ ? 0 : static_cast<int>(spellings_->size());
}

int MemberSpellingModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : kColumnCount; }

QVariant MemberSpellingModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
    switch (section) {
        case WrittenColumn: return QStringLiteral("書き方");
        case CountColumn: return QStringLiteral("票数");
        case TeamColumn: return QStringLiteral("取り込むチーム");
        case NearestColumn: return QStringLiteral("候補");
        default: return {};
    }
}

Qt::ItemFlags MemberSpellingModel::flags(const QModelIndex& index) const {
    Qt::ItemFlags f = QAbstractTableModel::flags(index);
    if (index.column() == TeamColumn) f |= Qt::ItemIsEditable;
    return f;
}

QVariant MemberSpellingModel::data(const QModelIndex& index, int role) const {
    if (!spellings_ || !index.isValid()) return {};
    const imports::PickSpelling& s = (*spellings_)[static_cast<std::size_t>(index.row())];
    if (role == Qt::EditRole && index.column() == TeamColumn) return s.team;
    if (role == Qt::TextAlignmentRole && index.column() == CountColumn)
        return QVariant(Qt::AlignRight | Qt::AlignVCenter);
    if (role != Qt::DisplayRole) return {};
    switch (index.column()) {
        case WrittenColumn: return fromUtf8Text(s.written);
        case CountColumn: return QString::number(s.count);
        case TeamColumn: return s.team < 0 ? keptText() : teamNames_.value(s.team);
        case NearestColumn: {
            const int team = nearest(index.row());
            return team < 0 ? QString() : teamNames_.value(team);
        }
        default: return {};
    }
}

bool MemberSpellingModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!spellings_ || role != Qt::EditRole || index.column() != TeamColumn) return false;
    const int team = value.toInt();
    if (team < -1 || team >= teamNames_.size()) return false;
    const imports::PickSpelling& s = (*spellings_)[static_cast<std::size_t>(index.row())];
    if (s.team == team) return true;
    choose_(s, team);
    return true;
}

QWidget* TeamChoiceDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&, const QModelIndex& index) const {
    const auto* model = static_cast<const MemberSpellingModel*>(index.model());
    auto* box = new QComboBox(parent);
    box->setObjectName(QStringLiteral("teamChoice"));
    box->addItem(keptText(), -1);
    if (const int nearest = model->nearest(index.row()); nearest >= 0)
        box->addItem(model->teamNames().value(nearest) + QStringLiteral("（候補）"), nearest);
    for (int team = 0; team < model->teamNames().size(); ++team) box->addItem(model->teamNames()[team], team);
    // A choice takes effect at once, as the other choices of the dialog do.
    auto* self = const_cast<TeamChoiceDelegate*>(this);
    connect(box, &QComboBox::activated, self, [self, box] {
        emit self->commitData(box);
        emit self->closeEditor(box);
    });
    return box;
}

void TeamChoiceDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const {
    auto* box = static_cast<QComboBox*>(editor);
    box->setCurrentIndex(std::max(0, box->findData(index.data(Qt::EditRole).toInt())));
}

void TeamChoiceDelegate::setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const {
    model->setData(index, static_cast<QComboBox*>(editor)->currentData(), Qt::EditRole);
}

}  // namespace scorvale::ui
