#include "WorkflowScreenshot.h"

#include <algorithm>

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPixmap>

#include "WorkflowFrame.h"

namespace quorvel::test {

namespace {

const char* const kArrangedViews[] = {"mnuViewDisassembler", "mnuViewRegCPU", "mnuViewWatch", "mnuViewStack",
                                      "mnuViewLabel"};

// The editor above the memory window, in the room right of `left`.
void PlaceEditorAndMemory(frmMain& f, int left) {
    const QSize client = f.mdiArea->viewport()->size();
    const int editorHeight = client.height() * 11 / 20;
    if (!f.EditorWindows().isEmpty())
        f.EditorWindows().constFirst()->setGeometry(left, 0, client.width() - left, editorHeight);
    if (QMdiSubWindow* memory = f.ViewWindow(QStringLiteral("mnuViewMemory")))
        memory->setGeometry(left, editorHeight, client.width() - left, client.height() - editorHeight);
    WorkflowFrame::Settle();
}

} // namespace

bool SaveWorkflowScreenshot(WorkflowFrame& w, const QString& path) {
    frmMain& f = w.f();
    f.resize(1280, 800);
    WorkflowFrame::Settle();
    w.Trigger("mnuWindowArrangeDebugger");

    // The arranged views take the left part of the client area.
    int right = 0;
    for (const char* view : kArrangedViews)
        if (QMdiSubWindow* window = f.ViewWindow(QLatin1String(view)))
            right = std::max(right, window->geometry().right() + 1);
    PlaceEditorAndMemory(f, right);

    // The memory window gets the width of its whole grid: the disassembly
    // window, whose rows end well before its right edge, gives it up.
    QMdiSubWindow* memoryWindow = f.ViewWindow(QStringLiteral("mnuViewMemory"));
    QMdiSubWindow* disAsmWindow = f.ViewWindow(QStringLiteral("mnuViewDisassembler"));
    if (frmMemory* memory = w.Memory(); memory && memoryWindow && disAsmWindow) {
        const int decoration = memoryWindow->width() - memory->gridMemory->width();
        const int margin = 8;
        const int missing = memory->gridMemory->ContentWidth() + decoration + margin - memoryWindow->width();
        if (missing > 0) {
            disAsmWindow->resize(disAsmWindow->width() - missing, disAsmWindow->height());
            for (const char* view : kArrangedViews)
                if (QMdiSubWindow* window = f.ViewWindow(QLatin1String(view));
                    window && window != disAsmWindow)
                    window->move(window->x() - missing, window->y());
            PlaceEditorAndMemory(f, right - missing);
        }
    }

    // The disassembly window active: its cursor row in colour.
    f.mdiArea->setActiveSubWindow(disAsmWindow);
    WorkflowFrame::Settle();
    return f.grab().save(path, "PNG");
}

} // namespace quorvel::test
