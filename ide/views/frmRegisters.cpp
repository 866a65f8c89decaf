#include "views/frmRegisters.h"

#include <algorithm>

#include <QAction>
#include <QCloseEvent>
#include <QFontMetrics>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QStyledItemDelegate>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "frame/Fonts.h"
#include "frame/Placement.h"
#include "frame/SubWindowActivation.h"
#include "views/RegisterHost.h"
#include "views/frmEnterVal.h"

namespace quorvel {

namespace {

const FontSetting kWindowFont{QStringLiteral("Courier New"), 9, false, false};

const QString kEnter = QStringLiteral("mnuPopupViewEnter");
const QString kHex = QStringLiteral("mnuPopupViewHex");
const QString kBin = QStringLiteral("mnuPopupViewBin");
const QString kDec = QStringLiteral("mnuPopupViewDec");
const QString kAutoRefresh = QStringLiteral("mnuPopupViewAutoRefresh");
const QString kRefresh = QStringLiteral("mnuPopupViewRefresh");

// Column 2 is sized to its text without any margin, so its text is drawn
// without one too; otherwise the widest value would be cut short.
class TightTextDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        QStyleOptionViewItem item = option;
        initStyleOption(&item, index);
        const QString text = item.text;
        item.text.clear();
        const QWidget* widget = item.widget;
        QStyle* style = widget ? widget->style() : nullptr;
        if (style) style->drawControl(QStyle::CE_ItemViewItem, &item, painter, widget);
        painter->save();
        const bool selected = item.state & QStyle::State_Selected;
        painter->setPen(item.palette.color(selected ? QPalette::HighlightedText : QPalette::Text));
        painter->setFont(item.font);
        painter->drawText(item.rect, Qt::AlignLeft | Qt::AlignVCenter, text);
        painter->restore();
    }
};

} // namespace

frmRegisters::frmRegisters(RegisterHost& host, const RegisterWindowInfo& info, QWidget* parent)
    : QWidget(parent), host_(host), list_(info), timer_(host.RefreshTimer()) {
    activation_ = new SubWindowActivation(
        this, [this] { Form_Activate(); }, [this] { Form_Deactivate(); });
    setObjectName(QLatin1String(info.FormName));
    setWindowTitle(QLatin1String(info.Caption));
    setFont(ResolveFont(kWindowFont));
    CreateWidgets();
    // Form_Load: the rows are in; the values come from the target once.
    mnuRefresh();
}

void frmRegisters::CreateWidgets() {
    ListView = new QTreeWidget;
    ListView->setObjectName(QStringLiteral("ListView"));
    ListView->setColumnCount(2);
    ListView->setHeaderHidden(true);
    ListView->setRootIsDecorated(false);
    ListView->setUniformRowHeights(true);
    ListView->setItemsExpandable(false);
    ListView->setSelectionMode(QAbstractItemView::SingleSelection);
    ListView->setSelectionBehavior(QAbstractItemView::SelectRows);
    ListView->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ListView->setTextElideMode(Qt::ElideNone);
    ListView->setItemDelegate(new TightTextDelegate(ListView));
    ListView->setContextMenuPolicy(Qt::PreventContextMenu);
    QHeaderView* header = ListView->header();
    header->setStretchLastSection(false);
    header->setMinimumSectionSize(0);
    header->setSectionResizeMode(QHeaderView::Fixed);
    // The designed width, or wider where this font needs it for the longest
    // name ("DataOut A" would be cut off in a larger font than the design's).
    int nameWidth = list_.Info().NameColumnTwips / kTwipsPerPixel;
    const QFontMetrics metrics = ListView->fontMetrics();
    for (int row = 0; row < list_.RowCount(); ++row) {
        auto* item = new QTreeWidgetItem(ListView);
        item->setText(0, QLatin1String(list_.Row(row).Name));
        nameWidth =
            std::max(nameWidth, metrics.horizontalAdvance(item->text(0)) + metrics.averageCharWidth());
    }
    ListView->setColumnWidth(0, nameWidth);
    SelectRow(0);
    ListView->installEventFilter(this);
    ListView->viewport()->installEventFilter(this);

    // Form_Resize: the list fills the window.
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(ListView);
}

// ---- Rows ----

int frmRegisters::ValueColumnWidth() const {
    return ListView->columnWidth(1);
}

void frmRegisters::SetValueColumnWidth(int width) {
    ListView->setColumnWidth(1, width);
}

QString frmRegisters::ValueText(int row) const {
    const QTreeWidgetItem* item = ListView->topLevelItem(row);
    return item ? item->text(1) : QString();
}

int frmRegisters::SelectedRow() const {
    const QList<QTreeWidgetItem*> selected = ListView->selectedItems();
    return selected.isEmpty() ? -1 : ListView->indexOfTopLevelItem(selected.first());
}

void frmRegisters::SelectRow(int row) {
    if (QTreeWidgetItem* item = ListView->topLevelItem(row)) ListView->setCurrentItem(item);
}

// ---- Showing values ----

void frmRegisters::ClearScreen() {
    for (int row = 0; row < ListView->topLevelItemCount(); ++row)
        ListView->topLevelItem(row)->setText(1, QString());
    SetValueColumnWidth(0);
}

// The CPU registers other than CCR are always rewritten; every other text
// only when it changed, so the lists do not flicker while a program animates.
void frmRegisters::Redraw() {
    const TargetState& state = host_.State();
    const QFontMetrics metrics(ListView->font());
    const bool cpu = list_.Info().Source == RegisterSource::CPU;
    int widest = 0;
    for (int row = 0; row < list_.RowCount(); ++row) {
        const QString text = list_.Text(row, state);
        QTreeWidgetItem* item = ListView->topLevelItem(row);
        if ((cpu && !list_.FormatFixed(row)) || item->text(1) != text) item->setText(1, text);
        widest = std::max(widest, metrics.horizontalAdvance(text));
    }
    // A shown value always leaves the cleared state.
    SetValueColumnWidth(std::max(widest, 1));
}

void frmRegisters::ClearAfterFailure() {
    ClearScreen();
    if (HasAutoRefresh()) AutoRefresh = false;
}

void frmRegisters::mnuRefresh() {
    QPointer<frmRegisters> alive(this);
    const bool wasRunning = HasAutoRefresh() && PauseTimer();
    TargetState& state = host_.State();
    list_.Read(host_.Target(), state);
    if (!alive) return;
    if (state.BoardOK)
        Redraw();
    else
        ClearAfterFailure();
    if (HasAutoRefresh()) ResumeTimer(wasRunning);
}

void frmRegisters::mnuAutoRefresh() {
    if (!HasAutoRefresh()) return;
    AutoRefresh = !AutoRefresh;
    if (!timer_) return;
    if (AutoRefresh)
        host_.StartRefreshTimer();
    else
        host_.StopRefreshTimer();
}

// ---- Formats ----

// Only while values are shown, and never for CCR, whose flag letters are fixed.
void frmRegisters::SetRowFormat(QChar format) {
    if (!ShowingValues()) return;
    if (list_.SetFormat(SelectedRow(), format)) Redraw();
}

void frmRegisters::mnuViewDec() {
    SetRowFormat(u' ');
}

void frmRegisters::mnuViewHex() {
    SetRowFormat(u'$');
}

void frmRegisters::mnuViewBin() {
    SetRowFormat(u'%');
}

// ---- Value entry ----

void frmRegisters::mnuEnter() {
    if (!ShowingValues()) return;
    const int row = SelectedRow();
    if (!list_.ValidRow(row) || list_.Row(row).ReadOnly) return;
    QPointer<frmRegisters> alive(this);
    const bool wasRunning = HasAutoRefresh() && PauseTimer();
    TargetState& state = host_.State();
    const RegisterRow& r = list_.Row(row);
    const QString text = list_.FormatFixed(row) ? list_.EntryText(row, state) : ValueText(row);
    int32_t value = 0;
    const bool confirmed = EnterValue(host_.Prompts(), this, QLatin1String(r.Name), text, r.Wide, value,
                                      [this](int topic) { host_.ShowHelpTopic(topic); });
    if (!alive) return;
    if (confirmed) {
        list_.Write(row, value, host_.Target(), state);
        if (!alive) return;
        if (state.BoardOK)
            host_.Refresh();
        else
            ClearAfterFailure();
        if (!alive) return;
    }
    if (HasAutoRefresh()) ResumeTimer(wasRunning);
}

// ---- tmrRefresh ----

bool frmRegisters::PauseTimer() {
    if (!timer_) return false;
    const bool running = timer_->isActive();
    host_.StopRefreshTimer();
    return running;
}

void frmRegisters::ResumeTimer(bool wasRunning) {
    if (!timer_) return;
    if (IsActiveChild() ? AutoRefresh : wasRunning) host_.StartRefreshTimer();
}

bool frmRegisters::IsActiveChild() const {
    const auto* window = qobject_cast<const QMdiSubWindow*>(parentWidget());
    if (!window) return true;
    const QMdiArea* area = window->mdiArea();
    return area && area->currentSubWindow() == window;
}

void frmRegisters::ActivateOwnWindow() {
    auto* window = qobject_cast<QMdiSubWindow*>(parentWidget());
    if (window && window->mdiArea() && window->mdiArea()->currentSubWindow() != window)
        window->mdiArea()->setActiveSubWindow(window);
    ListView->setFocus(Qt::MouseFocusReason);
}

// The window that loses the activation may hear of it only after this one
// was activated; the timer is started once all of that is done.
void frmRegisters::Form_Activate() {
    if (!HasAutoRefresh()) return;
    QTimer::singleShot(0, this, [this] {
        if (AutoRefresh && IsActiveChild() && timer_) host_.StartRefreshTimer();
    });
}

void frmRegisters::Form_Deactivate() {
    if (HasAutoRefresh() && timer_) host_.StopRefreshTimer();
}

// ---- Events ----

bool frmRegisters::eventFilter(QObject* watched, QEvent* event) {
    if (watched == ListView && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            mnuEnter();
            return true;
        }
    }
    if (watched == ListView->viewport()) {
        if (event->type() == QEvent::MouseButtonDblClick) {
            if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
                mnuEnter();
                return true;
            }
        }
        if (event->type() == QEvent::MouseButtonPress) {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            if (mouse->button() == Qt::RightButton) {
                ShowPopup(mouse->position().toPoint());
                return true;
            }
        }
    }
    return QWidget::eventFilter(watched, event);
}

void frmRegisters::closeEvent(QCloseEvent* event) {
    if (HasAutoRefresh() && IsActiveChild() && timer_) host_.StopRefreshTimer();
    QWidget::closeEvent(event);
}

// ---- Pop-up ----

void frmRegisters::PreparePopupItems(int row, bool itemUnderMouse) {
    if (!ShowingValues() || !itemUnderMouse) {
        for (const QString& name : {kEnter, kHex, kBin, kDec})
            host_.SetCommandEnabled(name, false);
    } else {
        const bool formats = !list_.FormatFixed(row);
        for (const QString& name : {kHex, kBin, kDec})
            host_.SetCommandEnabled(name, formats);
        host_.SetCommandEnabled(kEnter, !list_.Row(row).ReadOnly);
    }
    const QChar format = list_.Format(row);
    const bool known = list_.ValidRow(row);
    const struct {
        const QString& Name;
        QChar Code;
    } checks[] = {{kHex, u'$'}, {kBin, u'%'}, {kDec, u' '}};
    for (const auto& check : checks)
        if (QAction* action = host_.Command(check.Name)) action->setChecked(known && format == check.Code);
}

void frmRegisters::ShowPopup(QPoint viewportPosition) {
    QMenu* menu = host_.PopupView();
    if (!menu) return;
    // The pop-up's commands go to the active child window: this one.
    ActivateOwnWindow();
    host_.SetRegistersHelp();
    QTreeWidgetItem* item = ListView->itemAt(viewportPosition);
    const bool underMouse = item && ShowingValues();
    if (underMouse) ListView->setCurrentItem(item);
    PreparePopupItems(SelectedRow(), underMouse);

    QAction* autoRefresh = host_.Command(kAutoRefresh);
    QPointer<QAction> restoreAutoRefresh;
    bool wasRunning = false;
    if (!HasAutoRefresh()) {
        if (autoRefresh) autoRefresh->setVisible(false);
        restoreAutoRefresh = autoRefresh;
        // Another window's auto refresh may have left it disabled.
        host_.SetCommandEnabled(kRefresh, true);
    } else {
        if (autoRefresh) {
            autoRefresh->setVisible(true);
            autoRefresh->setChecked(AutoRefresh);
        }
        host_.SetCommandEnabled(kAutoRefresh, true);
        host_.SetCommandEnabled(kRefresh, !AutoRefresh);
        wasRunning = PauseTimer();
    }
    // Once the menu has closed and its command has run.
    const QPointer<frmRegisters> self(this);
    connect(
        menu, &QMenu::aboutToHide, menu,
        [self, restoreAutoRefresh, wasRunning] {
            if (restoreAutoRefresh) restoreAutoRefresh->setVisible(true);
            if (self && self->HasAutoRefresh()) self->ResumeTimer(wasRunning);
        },
        static_cast<Qt::ConnectionType>(Qt::QueuedConnection | Qt::SingleShotConnection));
    menu->popup(ListView->viewport()->mapToGlobal(viewportPosition));
}

} // namespace quorvel
