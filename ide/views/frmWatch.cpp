#include "views/frmWatch.h"

#include <algorithm>

#include <QAction>
#include <QCloseEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPointer>
#include <QStyle>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "frame/Fonts.h"
#include "frame/MainWindow.h"
#include "frame/Placement.h"
#include "frame/SubWindowActivation.h"
#include "views/PopupHelp.h"
#include "views/WatchTable.h"
#include "views/frmEnterVal.h"

namespace quorvel {

namespace {

const FontSetting kWindowFont{QStringLiteral("Courier New"), 10, false, false};
constexpr int kLabelColumnTwips = 780;
// Column 2 before the first redraw sizes it.
constexpr int kValueColumnTwips = 1500;

const QString kEditWatch = QStringLiteral("mnuDebugEditWatch");
// Help topics of the pop-up's items while this window shows it (F1 on an item).
const struct {
    const char* Name;
    int Topic;
} kPopupHelp[] = {{"mnuPopupViewEnter", 82},
                  {"mnuPopupViewHex", 83},
                  {"mnuPopupViewBin", 84},
                  {"mnuPopupViewDec", 85},
                  {"mnuPopupViewAutoRefresh", 86}};
// The watch items of the shared view pop-up, shown only while this window shows it.
const char* const kWatchPopupItems[] = {"mnuPopupViewAddWatch", "mnuPopupViewEditWatch",
                                        "mnuPopupViewRemoveWatch", "mnuPopupViewBar1"};

} // namespace

frmWatch::frmWatch(frmMain& frame, WatchTable& watches, QWidget* parent)
    : QWidget(parent), frame_(&frame), watches_(&watches) {
    activation_ = new SubWindowActivation(
        this, [this] { Form_Activate(); }, [this] { Form_Deactivate(); });
    setObjectName(QStringLiteral("frmWatch"));
    setWindowTitle(QStringLiteral("Watch Window"));
    setFont(ResolveFont(kWindowFont));

    ListView = new QTreeWidget;
    ListView->setObjectName(QStringLiteral("ListView"));
    ListView->setColumnCount(2);
    ListView->setRootIsDecorated(false);
    ListView->setUniformRowHeights(true);
    ListView->setItemsExpandable(false);
    ListView->setSelectionMode(QAbstractItemView::SingleSelection);
    ListView->setSelectionBehavior(QAbstractItemView::SelectRows);
    ListView->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ListView->setTextElideMode(Qt::ElideNone);
    ListView->header()->hide();
    ListView->header()->setStretchLastSection(false);
    ListView->setColumnWidth(0, kLabelColumnTwips / kTwipsPerPixel);
    ListView->setColumnWidth(1, kValueColumnTwips / kTwipsPerPixel);
    ListView->setContextMenuPolicy(Qt::CustomContextMenu);
    ListView->installEventFilter(this);
    connect(ListView, &QWidget::customContextMenuRequested, this, &frmWatch::ShowPopup);
    connect(ListView, &QTreeWidget::itemDoubleClicked, this, [this] { mnuEnter(); });

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(ListView);

    // Form_Load: the placement is the frame's; one row per watch, then a first read.
    MatchRowCount();
    SelectWatch(0);
    mnuRefresh();
}

// ---- Rows ----

int frmWatch::SelectedWatch() const {
    QTreeWidgetItem* item = ListView->currentItem();
    if (!item || !watches_) return -1;
    const int index = ListView->indexOfTopLevelItem(item);
    return watches_->Valid(index) ? index : -1;
}

void frmWatch::SelectWatch(int index) {
    if (QTreeWidgetItem* item = ListView->topLevelItem(index)) ListView->setCurrentItem(item);
}

void frmWatch::AppendRow() {
    if (!watches_ || ListView->topLevelItemCount() >= watches_->WatchCount()) return;
    const int index = ListView->topLevelItemCount();
    ListView->addTopLevelItem(new QTreeWidgetItem(QStringList{watches_->LabelText(index), QString()}));
}

// The rows follow the table; a row for each watch, none beyond.
void frmWatch::MatchRowCount() {
    if (!watches_) return;
    while (ListView->topLevelItemCount() > watches_->WatchCount())
        delete ListView->takeTopLevelItem(ListView->topLevelItemCount() - 1);
    while (ListView->topLevelItemCount() < watches_->WatchCount())
        AppendRow();
}

void frmWatch::SetRowText(QTreeWidgetItem* item, int column, const QString& text) {
    if (item->text(column) != text) item->setText(column, text);
}

bool frmWatch::ShowingValues() const {
    return ListView->columnWidth(1) > 0;
}

void frmWatch::SetValueColumnWidth(int width) {
    ListView->setColumnWidth(1, width);
}

// ---- Showing values ----

void frmWatch::Redraw() {
    if (!watches_) return;
    MatchRowCount();
    const QFontMetrics metrics(ListView->font());
    int widest = 0;
    for (int i = 0; i < watches_->WatchCount(); ++i) {
        QTreeWidgetItem* item = ListView->topLevelItem(i);
        const QString value = watches_->ValueText(i);
        SetRowText(item, 0, watches_->LabelText(i));
        SetRowText(item, 1, value);
        widest = std::max(widest, metrics.horizontalAdvance(value));
    }
    // The list draws a margin either side of a cell's text; without it the
    // widest value would be cut short.
    const int margin =
        2 * (ListView->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, ListView) + 1);
    SetValueColumnWidth(widest > 0 ? widest + margin : 0);
}

void frmWatch::ClearScreen() {
    if (!watches_) return;
    MatchRowCount();
    for (int i = 0; i < watches_->WatchCount(); ++i) {
        QTreeWidgetItem* item = ListView->topLevelItem(i);
        SetRowText(item, 0, watches_->AddressText(i));
        SetRowText(item, 1, QString());
    }
    SetValueColumnWidth(0);
}

void frmWatch::mnuRefresh() {
    if (!frame_ || watches_->WatchCount() == 0) return;
    StopTimer();
    if (watches_->ReadValues(frame_->Targets())) {
        Redraw();
    } else {
        ClearScreen();
        AutoRefresh = false;
    }
    ResumeTimer();
}

void frmWatch::SymbolsReloaded() {
    if (ShowingValues())
        Redraw();
    else
        ClearScreen();
}

void frmWatch::mnuAutoRefresh() {
    if (!frame_) return;
    AutoRefresh = !AutoRefresh;
    if (AutoRefresh)
        frame_->StartRefreshTimer();
    else
        frame_->StopRefreshTimer();
}

// ---- Formats ----

void frmWatch::SetFormat(QStringView format) {
    const int index = SelectedWatch();
    if (index < 0) return;
    watches_->SetFormat(index, format);
    // Cleared values stay cleared until the next good read.
    if (ShowingValues()) Redraw();
}

void frmWatch::mnuViewDec() {
    SetFormat(u" ");
}

void frmWatch::mnuViewHex() {
    SetFormat(u"$");
}

void frmWatch::mnuViewBin() {
    SetFormat(u"%");
}

// ---- Value entry and removal ----

void frmWatch::mnuEnter() {
    if (!frame_ || watches_->WatchCount() == 0) return;
    const int index = SelectedWatch();
    if (index < 0) return;
    QTreeWidgetItem* item = ListView->topLevelItem(index);
    StopTimer();
    const bool wide = watches_->At(index).WatchWide;
    int32_t value = 0;
    const auto showHelp = [frame = frame_](int topic) {
        if (frame) frame->ShowHelpTopic(topic);
    };
    if (EnterValue(frame_->prompt(), this, item->text(0), item->text(1), wide, value, showHelp,
                   kTopicWatchEnterValue)) {
        watches_->WriteValue(frame_->Targets(), index, value);
        if (frame_->Target().BoardOK) {
            frame_->Refresh();
        } else {
            ClearScreen();
            AutoRefresh = false;
        }
    }
    ResumeTimer();
}

void frmWatch::mnuRemoveWatch() {
    if (!frame_) return;
    const int index = SelectedWatch();
    if (index < 0) return;
    watches_->Remove(index);
    if (watches_->WatchCount() == 0) {
        frame_->SetCommandEnabled(QStringLiteral("mnuPopupViewRemoveWatch"), false);
        // With no watch left there is nothing to edit.
        frame_->SetCommandEnabled(kEditWatch, false);
    }
    delete ListView->takeTopLevelItem(index);
    SelectWatch(std::min(index, watches_->WatchCount() - 1));
    mnuRefresh();
}

// ---- Pop-up ----

void frmWatch::CheckFormatItems(int index) {
    const QString format = watches_->Valid(index) ? watches_->At(index).WatchFormat : QString();
    frame_->SetChecked(QStringLiteral("mnuPopupViewHex"), format == QLatin1String("$"));
    frame_->SetChecked(QStringLiteral("mnuPopupViewBin"), format == QLatin1String("%"));
    frame_->SetChecked(QStringLiteral("mnuPopupViewDec"), format == QLatin1String(" "));
}

void frmWatch::ShowPopup(QPoint position) {
    if (!frame_) return;
    QMenu* menu = frame_->Menu(QStringLiteral("mnuPopupView"));
    if (!menu) return;
    const auto enable = [this](const char* name, bool enabled) {
        frame_->SetCommandEnabled(QLatin1String(name), enabled);
    };
    for (const auto& help : kPopupHelp)
        SetHelpTopic(frame_->Command(QLatin1String(help.Name)), help.Topic);
    QTreeWidgetItem* item = ListView->itemAt(position);
    const bool onRow = item && ShowingValues();
    if (onRow) ListView->setCurrentItem(item);
    const bool anyWatch = watches_->WatchCount() >= 1;
    for (const char* name : {"mnuPopupViewEnter", "mnuPopupViewHex", "mnuPopupViewBin", "mnuPopupViewDec"})
        enable(name, onRow);
    enable("mnuPopupViewEditWatch", anyWatch);
    enable("mnuPopupViewRemoveWatch", anyWatch);
    CheckFormatItems(SelectedWatch());

    for (const char* name : kWatchPopupItems)
        if (QAction* action = frame_->Command(QLatin1String(name))) action->setVisible(true);
    enable("mnuPopupViewRefresh", !AutoRefresh);
    frame_->SetChecked(QStringLiteral("mnuPopupViewAutoRefresh"), AutoRefresh);
    StopTimer();
    // Once the menu has closed (and its command has run), the watch items
    // hide again and the timer resumes.
    QPointer<frmWatch> self(this);
    QPointer<frmMain> frame(frame_);
    connect(
        menu, &QMenu::aboutToHide, menu,
        [self, frame] {
            if (!frame) return;
            for (const char* name : kWatchPopupItems)
                if (QAction* action = frame->Command(QLatin1String(name))) action->setVisible(false);
            if (self && self->frame_) self->ResumeTimer();
        },
        static_cast<Qt::ConnectionType>(Qt::QueuedConnection | Qt::SingleShotConnection));
    menu->popup(ListView->viewport()->mapToGlobal(position));
}

// ---- Timer ----

void frmWatch::StopTimer() {
    if (frame_) frame_->StopRefreshTimer();
}

// The timer refreshes the active child window: only this one, when it is active, asks for it.
void frmWatch::ResumeTimer() {
    if (frame_ && AutoRefresh && IsActiveChild()) frame_->StartRefreshTimer();
}

bool frmWatch::IsActiveChild() const {
    const QMdiSubWindow* window = SubWindow();
    return !window || (window->mdiArea() && window->mdiArea()->currentSubWindow() == window);
}

// ---- Window life ----

QMdiSubWindow* frmWatch::SubWindow() const {
    return qobject_cast<QMdiSubWindow*>(parentWidget());
}

void frmWatch::Form_Activate() {
    if (!frame_) return;
    frame_->SetCommandEnabled(kEditWatch, watches_->WatchCount() > 0);
    // The window losing the activation may hear of it only after this one
    // was activated (and stop the timer); start it once that is done.
    QTimer::singleShot(0, this, [this] {
        if (frame_ && SubWindow()) ResumeTimer();
    });
}

void frmWatch::Form_Deactivate() {
    if (!frame_) return;
    frame_->SetCommandEnabled(kEditWatch, false);
    StopTimer();
}

void frmWatch::Detach() {
    activation_->Stop();
    frame_ = nullptr;
    watches_ = nullptr;
}

// Enter in the list changes the selected value, as a double click does.
bool frmWatch::eventFilter(QObject* watched, QEvent* event) {
    if (watched == ListView && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            mnuEnter();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void frmWatch::closeEvent(QCloseEvent* event) {
    StopTimer();
    if (frame_) frame_->SetCommandEnabled(kEditWatch, false);
    QWidget::closeEvent(event);
}

} // namespace quorvel
