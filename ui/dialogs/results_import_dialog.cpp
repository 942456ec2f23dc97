#include "ui/dialogs/results_import_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QStringListModel>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>

#include "ui/dialog_buttons.h"
#include "ui/dialogs/dialog_parts.h"
#include "ui/dialogs/import_error_text.h"
#include "ui/interaction.h"
#include "ui/line_field.h"
#include "ui/qt_text.h"

namespace scorvale::ui {

namespace {

using imports::ImportPlan;

// The team a row goes to looks like the box it opens; the new name is typed
// in a field of the program's kind. Only the cell being edited has a widget.
class PlanDelegate : public QStyledItemDelegate {
public:
    PlanDelegate(QStringListModel* choices, QObject* parent) : QStyledItemDelegate(parent), choices_(choices) {}

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override {
        if (index.column() == ResultsPlanModel::NewName) {
            QLineEdit* name = makeLineField("newName", kTextFieldBytes, parent);
            name->setFrame(false);
            return name;
        }
        if (index.column() != ResultsPlanModel::Target) return QStyledItemDelegate::createEditor(parent, option, index);
        auto* box = new QComboBox(parent);
        box->setObjectName(QStringLiteral("target"));
        box->setModel(choices_);
        box->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        // A choice from the list is the edit: it applies at once.
        connect(box, &QComboBox::activated, this, [this, box] {
            auto* self = const_cast<PlanDelegate*>(this);
            emit self->commitData(box);
            emit self->closeEditor(box);
        });
        return box;
    }

    void setEditorData(QWidget* editor, const QModelIndex& index) const override {
        if (auto* box = qobject_cast<QComboBox*>(editor))
            box->setCurrentIndex(index.data(Qt::EditRole).toInt());
        else
            QStyledItemDelegate::setEditorData(editor, index);
    }

    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override {
        if (auto* box = qobject_cast<QComboBox*>(editor))
            model->setData(index, box->currentIndex());
        else
            QStyledItemDelegate::setModelData(editor, model, index);
    }

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        const QWidget* widget = option.widget;
        QStyle* style = widget ? widget->style() : nullptr;
        const bool editable = index.flags() & Qt::ItemIsEditable;
        if (!style || !editable) return QStyledItemDelegate::paint(painter, option, index);
        QStyleOptionViewItem cell = option;
        initStyleOption(&cell, index);
        const QString text = cell.text;
        cell.text.clear();
        style->drawControl(QStyle::CE_ItemViewItem, &cell, painter, widget);

        if (index.column() == ResultsPlanModel::NewName) {
            QStyleOptionFrame field;
            field.initFrom(widget);
            field.rect = option.rect.adjusted(1, 1, -1, -1);
            field.state = QStyle::State_Enabled | QStyle::State_Sunken;
            field.lineWidth = style->pixelMetric(QStyle::PM_DefaultFrameWidth, &field, widget);
            style->drawPrimitive(QStyle::PE_PanelLineEdit, &field, painter, widget);
            const int margin = field.lineWidth + 2;
            const QRect inside = field.rect.adjusted(margin, 0, -margin, 0);
            painter->setPen(field.palette.color(QPalette::Text));
            painter->drawText(inside, Qt::AlignLeft | Qt::AlignVCenter,
                              option.fontMetrics.elidedText(text, Qt::ElideRight, inside.width()));
            return;
        }

        QStyleOptionComboBox box;
        box.initFrom(widget);
        box.rect = option.rect.adjusted(1, 1, -1, -1);
        box.state = QStyle::State_Enabled | (option.state & QStyle::State_MouseOver);
        box.frame = true;
        const QRect field = style->subControlRect(QStyle::CC_ComboBox, &box, QStyle::SC_ComboBoxEditField, widget);
        box.currentText = option.fontMetrics.elidedText(index.data().toString(), Qt::ElideRight, field.width());
        style->drawComplexControl(QStyle::CC_ComboBox, &box, painter, widget);
        style->drawControl(QStyle::CE_ComboBoxLabel, &box, painter, widget);
    }

private:
    QStringListModel* choices_;
};

// A click on a team opens its list of choices straight away.
class PlanView : public QTableView {
public:
    using QTableView::QTableView;

protected:
    void mousePressEvent(QMouseEvent* event) override {
        clicking_ = true;
        QTableView::mousePressEvent(event);
        clicking_ = false;
    }

    // A click edits through the current cell's change (no event) or, on the
    // current cell, through its release.
    bool edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) override {
        if (!QTableView::edit(index, trigger, event)) return false;
        const bool click = clicking_ || (event && event->type() == QEvent::MouseButtonRelease);
        if (click && index.column() == ResultsPlanModel::Target)
            if (auto* box = qobject_cast<QComboBox*>(indexWidget(index)))
                QTimer::singleShot(0, box, &QComboBox::showPopup);
        return true;
    }

private:
    bool clicking_ = false;
};

}  // namespace

ResultsImportDialog::ResultsImportDialog(const Game& game, imports::PreparedImport prepared,
                                         imports::ResultOptions options, const QString& source,
                                         Interaction& interaction, QWidget* parent)
    : QDialog(parent),
      game_(game),
      list_(std::move(prepared.list)),
      results_(std::move(prepared.results)),
      plan_(std::move(prepared.plan)),
      interaction_(interaction),
      model_(game, this) {
    setWindowTitle(QStringLiteral("試合結果の取り込み"));
    model_.setPlan(&results_, &plan_);

    auto* sourceLabel = new QLabel(this);
    sourceLabel->setObjectName(QStringLiteral("source"));
    const QString listName = fromUtf8Text(list_.name);
    sourceLabel->setText(listName.isEmpty() ? source : QStringLiteral("%1（%2）").arg(source, listName));
    auto* matches = new QLabel(QStringLiteral("試合: 消化 %1、未消化 %2")
                                   .arg(results_.playedMatches)
                                   .arg(results_.unplayedMatches),
                               this);
    matches->setObjectName(QStringLiteral("matches"));
    teamsSummary_ = new QLabel(this);
    teamsSummary_->setObjectName(QStringLiteral("teamsSummary"));

    // Where the reading guessed: the import goes ahead, the user checks.
    auto* problemsTitle = new QLabel(
        QStringLiteral("確かめてください（リストから推し量って読んだ所があります。違っていればリストを直してください）:"),
        this);
    problemsTitle->setStyleSheet(QStringLiteral("color: #b00000"));
    problemsTitle->setWordWrap(true);
    problems_ = new QListWidget(this);
    problems_->setObjectName(QStringLiteral("problems"));
    for (const imports::ImportError& problem : list_.problems) problems_->addItem(importErrorText(problem));
    problems_->setWordWrap(true);
    problems_->setMaximumHeight(5 * problems_->fontMetrics().height() + 4 * problems_->frameWidth());
    problemsTitle->setVisible(!list_.problems.empty());
    problems_->setVisible(!list_.problems.empty());

    auto* choices = new QStringListModel(model_.choices(), this);
    rows_ = new PlanView(this);
    rows_->setObjectName(QStringLiteral("rows"));
    rows_->setModel(&model_);
    rows_->setItemDelegate(new PlanDelegate(choices, rows_));
    rows_->setSelectionMode(QAbstractItemView::SingleSelection);
    rows_->setSelectionBehavior(QAbstractItemView::SelectRows);
    rows_->setEditTriggers(QAbstractItemView::AllEditTriggers);
    rows_->setAlternatingRowColors(true);
    rows_->setWordWrap(false);
    rows_->setShowGrid(false);
    rows_->verticalHeader()->hide();
    rows_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    rows_->horizontalHeader()->setSectionsClickable(false);
    rows_->horizontalHeader()->setHighlightSections(false);
    rows_->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    connect(&model_, &QAbstractItemModel::dataChanged, this, &ResultsImportDialog::refreshTeamsSummary);

    knockoutGoals_ = new QCheckBox(QStringLiteral("決勝トーナメントの得点も得失点差に数える（延長戦を含む）"), this);
    knockoutGoals_->setObjectName(QStringLiteral("knockoutGoals"));
    knockoutGoals_->setChecked(options.knockoutGoals);
    connect(knockoutGoals_, &QCheckBox::toggled, this, &ResultsImportDialog::recompute);

    auto* hint = new QLabel(QStringLiteral("変わる値は「今 → 取り込み後」で示します。"
                                           "リストにないチームと参加者は変わりません。"),
                            this);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(sourceLabel);
    layout->addWidget(matches);
    layout->addWidget(teamsSummary_);
    layout->addWidget(problemsTitle);
    layout->addWidget(problems_);
    layout->addWidget(rows_, 1);
    layout->addWidget(hint);
    layout->addWidget(knockoutGoals_);
    QDialogButtonBox* buttons = okCancelButtons(this);
    layout->addWidget(buttons);
    buttons->findChild<QPushButton*>(QStringLiteral("ok"))->setFocus();

    refreshTeamsSummary();
    sizeColumns();
}

int ResultsImportDialog::maxNameWidth() const { return 20 * fontMetrics().horizontalAdvance(u'あ'); }

// Each name column as wide as its widest name, up to a sensible width (a
// list may bring any name); the value columns as their widest cell. The
// table shows all columns and a dozen rows without scrolling sideways.
void ResultsImportDialog::sizeColumns() {
    const QFontMetrics metrics = rows_->fontMetrics();
    const int padding = 2 * rows_->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, rows_) +
                        metrics.horizontalAdvance(u'　');
    QComboBox probe;
    QStyleOptionComboBox box;
    box.initFrom(&probe);
    const int comboHeight =
        rows_->style()->sizeFromContents(QStyle::CT_ComboBox, &box, QSize(0, metrics.height()), &probe).height();
    rows_->verticalHeader()->setDefaultSectionSize(comboHeight + 2);

    const auto header = [&](int column) {
        return rows_->horizontalHeader()->fontMetrics().horizontalAdvance(
                   model_.headerData(column, Qt::Horizontal, Qt::DisplayRole).toString()) +
               padding;
    };
    int listName = header(ResultsPlanModel::ListName), newName = header(ResultsPlanModel::NewName), choice = 0;
    for (const imports::TeamResult& team : results_.teams)
        listName = std::max(listName, metrics.horizontalAdvance(fromUtf8Text(team.name)) + padding);
    for (std::size_t row = 0; row < plan_.newNames.size(); ++row)
        if (plan_.targets[row] == ImportPlan::kAdd)
            newName = std::max(newName, metrics.horizontalAdvance(fromUtf8Text(plan_.newNames[row])) + 2 * padding);
    for (const QString& text : model_.choices()) choice = std::max(choice, metrics.horizontalAdvance(text));
    box.currentText.clear();
    choice =
        rows_->style()->sizeFromContents(QStyle::CT_ComboBox, &box, QSize(choice, metrics.height()), &probe).width();
    rows_->setColumnWidth(ResultsPlanModel::ListName, std::min(listName, maxNameWidth()));
    rows_->setColumnWidth(ResultsPlanModel::Target,
                          std::min(std::max(choice + padding, header(ResultsPlanModel::Target)), maxNameWidth()));
    rows_->setColumnWidth(ResultsPlanModel::NewName, std::min(newName, maxNameWidth()));
    for (int c = ResultsPlanModel::Group; c < model_.columnCount(); ++c) {
        rows_->resizeColumnToContents(c);
        rows_->setColumnWidth(c, std::min(rows_->columnWidth(c) + padding, maxNameWidth()));
    }

    int width = 2 * rows_->frameWidth() + rows_->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    for (int c = 0; c < model_.columnCount(); ++c) width += rows_->columnWidth(c);
    rows_->setMinimumSize(width, rows_->horizontalHeader()->sizeHint().height() +
                                     12 * rows_->verticalHeader()->defaultSectionSize() + 2 * rows_->frameWidth());
}

imports::ResultOptions ResultsImportDialog::options() const {
    return imports::ResultOptions{knockoutGoals_->isChecked()};
}

void ResultsImportDialog::recompute() {
    results_ = imports::computeResults(list_, options());
    model_.resultsChanged();
}

void ResultsImportDialog::refreshTeamsSummary() {
    std::vector<bool> named(static_cast<std::size_t>(game_.teamCount()), false);
    int added = 0;
    for (const int target : plan_.targets) {
        if (target == ImportPlan::kAdd)
            ++added;
        else
            named[static_cast<std::size_t>(target)] = true;
    }
    const auto unnamed = std::count(named.begin(), named.end(), false);
    teamsSummary_->setText(QStringLiteral("チーム: リストに %1（うち新しく追加 %2）、リストにないゲームのチーム %3（そのまま）")
                               .arg(plan_.targets.size())
                               .arg(added)
                               .arg(unnamed));
}

void ResultsImportDialog::commitEdit() {
    const QModelIndex current = rows_->currentIndex();
    if (QWidget* editor = current.isValid() ? rows_->indexWidget(current) : nullptr)
        rows_->itemDelegate()->setModelData(editor, &model_, current);
}

void ResultsImportDialog::accept() {
    commitEdit();
    try {
        imports::checkPlan(game_, results_, plan_);
    } catch (const imports::ImportError& error) {
        interaction_.tell(Interaction::Icon::Warning, windowTitle(),
                          QStringLiteral("「%1」は取り込めません。\n%2")
                              .arg(fromUtf8Text(imports::visibleText(error.name())), importErrorReason(error)));
        for (int row = 0; row < model_.rowCount(); ++row) {
            if (results_.teams[static_cast<std::size_t>(row)].name != error.name()) continue;
            const int column = plan_.targets[static_cast<std::size_t>(row)] == ImportPlan::kAdd
                                   ? ResultsPlanModel::NewName
                                   : ResultsPlanModel::Target;
            const QModelIndex cell = model_.index(row, column);
            rows_->setFocus();
            rows_->setCurrentIndex(cell);  // opens its editor
            rows_->scrollTo(cell);
            if (!rows_->indexWidget(cell)) rows_->edit(cell);
            break;
        }
        return;
    }
    QDialog::accept();
}

}  // namespace scorvale::ui
