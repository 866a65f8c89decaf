#include "MemoryHarness.h"

#include <QCoreApplication>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>

#include "views/frmMemAdr.h"

namespace quorvel::test {

frmMemory* MemoryWindow(frmMain& frame) {
    return qobject_cast<frmMemory*>(frame.View(kMemoryView));
}

frmMemory* OpenMemory(frmMain& frame, int rows) {
    if (!frame.ShowView(kMemoryView)) return nullptr;
    frame.mdiArea->setActiveSubWindow(frame.ViewWindow(kMemoryView));
    QCoreApplication::processEvents();
    SetMemoryRows(frame, rows);
    return MemoryWindow(frame);
}

void SetMemoryRows(frmMain& frame, int rows) {
    QMdiSubWindow* window = frame.ViewWindow(kMemoryView);
    frmMemory* form = MemoryWindow(frame);
    if (!window || !form) return;
    const int decoration = window->height() - form->height();
    window->resize(900, decoration + (rows + kMemoryHeaderRows) * form->gridMemory->RowHeight());
    QCoreApplication::processEvents();
}

void AnswerAddress(ScriptedPrompt& prompt, const QString& text) {
    prompt.AnswerDialog([text](QDialog& dialog) {
        auto& entry = static_cast<frmMemAdr&>(dialog);
        entry.txtAdr->setText(text);
        entry.cmdOK->click();
    });
}

void CancelAddress(ScriptedPrompt& prompt) {
    prompt.AnswerDialog([](QDialog& dialog) { static_cast<frmMemAdr&>(dialog).cmdCancel->click(); });
}

void ShowAddress(frmMain& frame, ScriptedPrompt& prompt, const QString& text) {
    AnswerAddress(prompt, text);
    if (frmMemory* window = MemoryWindow(frame)) window->mnuMemoryAddress();
}

QPoint CellCentre(frmMemory& window, int row, int column) {
    return window.gridMemory->CellRect({row, column}).center();
}

} // namespace quorvel::test
