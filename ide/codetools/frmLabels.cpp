#include "codetools/frmLabels.h"

#include <QAction>
#include <QCloseEvent>
#include <QHeaderView>
#include <QMenu>
#include <QTreeView>
#include <QVBoxLayout>

#include "frame/Fonts.h"
#include "frame/Placement.h"
#include "frame/Settings.h"

namespace quorvel {

namespace {

const FontSetting kWindowFont{QStringLiteral("Courier New"), 10, false, false};
// The label column's width.
constexpr int kLabelColumnTwips = 780;
// The value column holds "$" and four digits.
constexpr int kValueColumnBlanks = 5;

void CheckItem(QMenu* menu, const char* name, bool checked) {
    if (!menu) return;
    for (QAction* action : menu->actions())
        if (action->objectName() == QLatin1String(name)) action->setChecked(checked);
}

} // namespace

frmLabels::frmLabels(const SymbolTable& symbols, QMenu* popupSort, QWidget* parent)
    : QWidget(parent), symbols_(symbols), popupSort_(popupSort), model_(this) {
    setObjectName(QStringLiteral("frmLabels"));
    setWindowTitle(QStringLiteral("Labels"));
    setFont(ResolveFont(kWindowFont));

    listView_ = new QTreeView;
    listView_->setObjectName(QStringLiteral("ListView"));
    listView_->setRootIsDecorated(false);
    listView_->setUniformRowHeights(true);
    listView_->setItemsExpandable(false);
    listView_->setSelectionBehavior(QAbstractItemView::SelectRows);
    listView_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    listView_->setSortingEnabled(false);
    listView_->header()->hide();
    listView_->setModel(&model_);
    listView_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(listView_, &QWidget::customContextMenuRequested, this,
            [this](QPoint at) { ShowSortPopup(listView_->viewport()->mapToGlobal(at)); });

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(listView_);

    // Form_Load: the placement is the frame's; the sort mode is the setting's.
    Sort = Settings().LoadLabelSort();
    RefreshLabels();
}

void frmLabels::RefreshLabels() {
    model_.SetItems(LabelItems(symbols_, Sort));
    listView_->setColumnWidth(0, kLabelColumnTwips / kTwipsPerPixel);
    listView_->setColumnWidth(1, kValueColumnBlanks * fontMetrics().horizontalAdvance(QLatin1Char(' ')));
}

void frmLabels::SetSort(const QString& sort) {
    Sort = sort;
    RefreshLabels();
}

void frmLabels::SortByName() {
    SetSort(kSortByName);
}

void frmLabels::SortByValue() {
    SetSort(kSortByValue);
}

void frmLabels::Unsorted() {
    SetSort(kUnsorted);
}

void frmLabels::ShowSortPopup(QPoint globalPosition) {
    if (!popupSort_) return;
    CheckItem(popupSort_, "mnuPopupSortName", Sort == kSortByName);
    CheckItem(popupSort_, "mnuPopupSortValue", Sort == kSortByValue);
    CheckItem(popupSort_, "mnuPopupSortNone", Sort != kSortByName && Sort != kSortByValue);
    popupSort_->popup(globalPosition);
}

void frmLabels::closeEvent(QCloseEvent* event) {
    Settings store;
    store.SaveLabelSort(Sort);
    store.Sync();
    QWidget::closeEvent(event);
}

} // namespace quorvel
