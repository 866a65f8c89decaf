#include "RegisterHarness.h"

#include <QCoreApplication>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QTest>
#include <QTreeWidget>

namespace quorvel::test {

namespace {
StartOptions Target(bool simulator) {
    StartOptions options;
    options.SimEnabled = simulator;
    return options;
}
} // namespace

RegisterFrame::RegisterFrame(bool simulator) : h(Target(simulator)) {
    f().setWindowState(Qt::WindowNoState);
    f().resize(1100, 900);
    f().show();
    QCoreApplication::processEvents();
}

void RegisterFrame::Put(int32_t address, const std::vector<uint8_t>& bytes) {
    for (size_t i = 0; i < bytes.size(); ++i)
        Memory()[(static_cast<size_t>(address) + i) & 0xFFFF] = bytes[i];
}

frmRegisters* RegisterFrame::Window(const QString& menuName) {
    return qobject_cast<frmRegisters*>(f().View(menuName));
}

frmRegisters* RegisterFrame::Open(const QString& menuName) {
    if (!f().ShowView(menuName)) return nullptr;
    Activate(menuName);
    return Window(menuName);
}

void RegisterFrame::Activate(const QString& menuName) {
    f().mdiArea->setActiveSubWindow(f().ViewWindow(menuName));
    QCoreApplication::processEvents();
}

QPoint RegisterFrame::RowPoint(frmRegisters& window, int row) {
    QTreeWidgetItem* item = window.ListView->topLevelItem(row);
    if (!item) {
        // Below the last row.
        const QRect last = window.ListView->visualItemRect(
            window.ListView->topLevelItem(window.ListView->topLevelItemCount() - 1));
        return {10, last.bottom() + 2 * last.height()};
    }
    const QRect rect = window.ListView->visualItemRect(item);
    return {rect.left() + 10, rect.center().y()};
}

int RegisterFrame::RowNamed(frmRegisters& window, const QString& name) {
    for (int row = 0; row < window.ListView->topLevelItemCount(); ++row)
        if (window.ListView->topLevelItem(row)->text(0) == name) return row;
    ADD_FAILURE() << "no row " << name.toStdString();
    return -1;
}

void RegisterFrame::DoubleClick(frmRegisters& window, int row) {
    // As the window system delivers it: press, release, double click, release.
    QWidget* viewport = window.ListView->viewport();
    const QPoint at = RowPoint(window, row);
    QTest::mouseClick(viewport, Qt::LeftButton, {}, at);
    QTest::mouseDClick(viewport, Qt::LeftButton, {}, at);
    QTest::mouseRelease(viewport, Qt::LeftButton, {}, at);
    QCoreApplication::processEvents();
}

void RegisterFrame::PressEnter(frmRegisters& window) {
    QTest::keyClick(window.ListView, Qt::Key_Return);
    QCoreApplication::processEvents();
}

void RegisterFrame::RightClick(frmRegisters& window, int row) {
    QTest::mousePress(window.ListView->viewport(), Qt::RightButton, {}, RowPoint(window, row));
    QTest::mouseRelease(window.ListView->viewport(), Qt::RightButton, {}, RowPoint(window, row));
}

void RegisterFrame::ClosePopup() {
    if (QMenu* menu = f().Menu("mnuPopupView")) menu->hide();
    QCoreApplication::processEvents();
}

void RegisterFrame::AnswerEntry(const QString& typed, QString* shownText) {
    h.prompt.AnswerDialog([typed, shownText](QDialog& dialog) {
        auto* entry = qobject_cast<frmEnterVal*>(&dialog);
        ASSERT_NE(entry, nullptr);
        if (shownText) *shownText = entry->Text->text();
        entry->Text->setText(typed);
        entry->cmdOK_Click();
    });
}

void RegisterFrame::CancelEntry() {
    h.prompt.AnswerDialog([](QDialog& dialog) {
        auto* entry = qobject_cast<frmEnterVal*>(&dialog);
        ASSERT_NE(entry, nullptr);
        entry->cmdCancel_Click();
    });
}

int RegisterFrame::EntriesShown() const {
    int count = 0;
    for (const ScriptedPrompt::ShownItem& item : h.prompt.Shown())
        if (item.What == ScriptedPrompt::Kind::Dialog && item.DialogName == "frmEnterVal") ++count;
    return count;
}

} // namespace quorvel::test
