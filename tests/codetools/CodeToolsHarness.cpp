#include "CodeToolsHarness.h"

#include <QApplication>
#include <QCoreApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QWheelEvent>
#include <QtTest/qtestspontaneevent.h>

#include "ListingText.h"

namespace quorvel::test {

namespace {
StartOptions Target(bool simulator) {
    StartOptions options;
    options.SimEnabled = simulator;
    return options;
}
} // namespace

CodeFrame::CodeFrame(bool simulator) : h(Target(simulator)) {
    f().setWindowState(Qt::WindowNoState);
    f().resize(1100, 900);
    f().show();
    QCoreApplication::processEvents();
}

void CodeFrame::Put(int32_t address, const std::vector<uint8_t>& bytes) {
    for (size_t i = 0; i < bytes.size(); ++i)
        Memory()[(static_cast<size_t>(address) + i) & 0xFFFF] = bytes[i];
}

frmDisAsm* CodeFrame::DisAsm() {
    return qobject_cast<frmDisAsm*>(f().View("mnuViewDisassembler"));
}

frmDisAsm* CodeFrame::OpenDisAsm(int rows) {
    if (!f().ShowView("mnuViewDisassembler")) return nullptr;
    ActivateDisAsm();
    SetVisibleRows(rows);
    return DisAsm();
}

void CodeFrame::ActivateDisAsm() {
    f().mdiArea->setActiveSubWindow(f().ViewWindow("mnuViewDisassembler"));
    QCoreApplication::processEvents();
}

void CodeFrame::SetVisibleRows(int rows) {
    QMdiSubWindow* window = f().ViewWindow("mnuViewDisassembler");
    frmDisAsm* form = DisAsm();
    if (!window || !form) return;
    const int decoration = window->height() - form->height();
    window->resize(900, rows * form->Rows()->RowHeight() + decoration);
    QCoreApplication::processEvents();
}

QWidget* CodeFrame::OpenOther() {
    QWidget* other = MakeForm("Other");
    QMdiSubWindow* window = f().AddChildForm(other);
    window->show();
    f().mdiArea->setActiveSubWindow(window);
    QCoreApplication::processEvents();
    return other;
}

void CodeFrame::LoadSymbols(const QString& folder, const QStringList& lines) {
    const QString path = WriteFile(folder, "prog.lst", ListingFile(lines).toUtf8());
    h.prompt.AnswerFile(path);
    f().Command("mnuFileLoadSymbols")->trigger();
}

RowLook NormalLook(const QWidget& window, bool bold) {
    return {window.palette().color(QPalette::Base), window.palette().color(QPalette::Text), bold};
}
RowLook CursorLook(bool bold) {
    return {Qt::blue, Qt::white, bold};
}
RowLook BreakpointLook(bool bold) {
    return {Qt::red, Qt::black, bold};
}
RowLook CursorBreakpointLook(bool bold) {
    return {Qt::magenta, Qt::black, bold};
}

QPalette DarkPalette() {
    QPalette palette;
    palette.setColor(QPalette::Base, QColor(0x1E, 0x1E, 0x1E));
    palette.setColor(QPalette::Window, QColor(0x2D, 0x2D, 0x2D));
    palette.setColor(QPalette::Text, QColor(0xE8, 0xE8, 0xE8));
    palette.setColor(QPalette::WindowText, QColor(0xE8, 0xE8, 0xE8));
    return palette;
}

void SendWheel(QWidget* target, int angleDelta) {
    const QPointF at(target->width() / 2.0, target->height() / 2.0);
    QWheelEvent event(at, target->mapToGlobal(at), QPoint(), QPoint(0, angleDelta), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    // Only an event from the window system goes on to the parents when its receiver ignores it
    // (sendEvent would take that mark off again).
    QSpontaneKeyEvent::setSpontaneous(&event);
    qApp->notify(target, &event);
}

} // namespace quorvel::test
