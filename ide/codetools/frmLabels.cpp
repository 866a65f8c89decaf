#include "codetools/frmLabels.h"

#include <algorithm>

#include <QAction>
#include <QCloseEvent>
#include <QEvent>
#include <QFontMetrics>
#include <QHeaderView>
#include <QMenu>
#include <QStyle>
#include <QTreeView>
#include <QVBoxLayout>

#include "frame/Fonts.h"
#include "frame/Placement.h"
#include "frame/Settings.h"

namespace quorvel {

namespace {

const FontSetting kWindowFont{QStringLiteral("Courier New"), 10, false, false};
// The label column's least width; it grows to fit the longest label.
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
    // The header's edge lets the user widen or narrow the label column.
    listView_->header()->setSectionsMovable(false);
    listView_->header()->setSectionResizeMode(QHeaderView::Interactive);
    listView_->header()->setSectionsClickable(false);
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
    FitColumns();
}

// Sized anew only when the labels or the font call for another width, so a
// change of sort keeps the width the user dragged the column to.
void frmLabels::FitColumns() {
    const QFontMetrics metrics = listView_->fontMetrics();
    const int blank = metrics.horizontalAdvance(QLatin1Char(' '));
    // The item's text margins on both sides, and a blank between the columns.
    const int margins = 2 * (style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, listView_) + 1);
    int longest = 0;
    for (int row = 0; row < model_.rowCount(); ++row)
        longest = std::max(longest, metrics.horizontalAdvance(model_.Label(row)));
    const int labelWidth = std::max(kLabelColumnTwips / kTwipsPerPixel, longest + margins + blank);
    const int valueWidth = kValueColumnBlanks * blank + margins;
    if (labelWidth == fittedLabelWidth_ && valueWidth == fittedValueWidth_) return;
    fittedLabelWidth_ = labelWidth;
    fittedValueWidth_ = valueWidth;
    listView_->setColumnWidth(0, labelWidth);
    listView_->setColumnWidth(1, valueWidth);
}

void frmLabels::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange && listView_) FitColumns();
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
