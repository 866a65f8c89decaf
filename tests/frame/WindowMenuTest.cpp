// Child windows: views toggled from the View menu with their placement, the
// Window menu's arrangements, and procedures called by name.
#include <QCoreApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>

#include "FrameHarness.h"
#include "frame/Window.h"

namespace quorvel::test {
namespace {

using WindowMenuTest = FrameTest;

// A view that counts the procedures the frame calls on it by name.
class CountingView : public QWidget {
    Q_OBJECT
public:
    int refreshes = 0;
    int enters = 0;
    int redraws = 0;

public slots:
    void mnuRefresh() { ++refreshes; }
    void mnuEnter() { ++enters; }
    void PageRedraw() { ++redraws; }
};

ViewInfo Info(const QString& menu, const QString& form, const QString& prefix, WindowPlacement placement) {
    return {menu, form, prefix, [placement](QSizeF) { return placement; }, [form] { return MakeForm(form); }};
}

struct ViewFrame {
    Harness h;
    ViewFrame() {
        h.frame->setWindowState(Qt::WindowNoState);
        h.frame->resize(760, 700);
        h.frame->show();
        QCoreApplication::processEvents();
    }
    frmMain& f() { return *h.frame; }
};

TEST_F(WindowMenuTest, AViewItemTogglesItsWindow) {
    ViewFrame v;
    v.f().RegisterView(Info("mnuViewWatch", "frmWatch", "Watch", {7800, 0, 2600, 2450, kStateNormal}));
    ASSERT_TRUE(v.f().CommandEnabled("mnuViewWatch"));
    v.f().Command("mnuViewWatch")->trigger();
    QWidget* form = v.f().View("mnuViewWatch");
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(form->objectName(), "frmWatch");
    EXPECT_TRUE(v.f().Checked("mnuViewWatch"));
    QMdiSubWindow* window = v.f().ViewWindow("mnuViewWatch");
    EXPECT_EQ(window->geometry(), QRect(520, 0, 173, 163));

    window->move(30, 40);
    v.f().Command("mnuViewWatch")->trigger();
    QCoreApplication::processEvents();
    EXPECT_EQ(v.f().View("mnuViewWatch"), nullptr);
    EXPECT_FALSE(v.f().Checked("mnuViewWatch"));
    EXPECT_EQ(ReadPlacement(Settings(), "Watch", {}), (WindowPlacement{450, 600, 2595, 2445, kStateNormal}));

    // Opened again, it comes back where it was.
    v.f().Command("mnuViewWatch")->trigger();
    EXPECT_EQ(v.f().ViewWindow("mnuViewWatch")->geometry(), QRect(30, 40, 173, 163));
}

TEST_F(WindowMenuTest, ClosingAViewWindowClearsItsMark) {
    ViewFrame v;
    v.f().RegisterView(Info("mnuViewStack", "frmStack", "Stack", {5200, 2450, 2600, 3000, kStateNormal}));
    ASSERT_TRUE(v.f().ShowView("mnuViewStack"));
    EXPECT_TRUE(v.f().Checked("mnuViewStack"));
    v.f().ViewWindow("mnuViewStack")->showMaximized();
    v.f().ViewWindow("mnuViewStack")->close();
    QCoreApplication::processEvents();
    EXPECT_FALSE(v.f().Checked("mnuViewStack"));
    EXPECT_EQ(v.f().View("mnuViewStack"), nullptr);
    // Closed maximised: only the state was written.
    EXPECT_EQ(Settings().GetText(Settings::kWindows, "StackState", ""), "2");
    EXPECT_FALSE(Settings().Contains(Settings::kWindows, "StackLeft"));
}

TEST_F(WindowMenuTest, AViewClosedMinimisedOpensNormalAtItsLastNormalPlacement) {
    {
        Settings store;
        SavePlacement(store, "Stack", {450, 600, 2595, 2445, kStateNormal});
        SavePlacement(store, "Stack", {0, 0, 0, 0, kStateMinimised});
    }
    ViewFrame v;
    v.f().RegisterView(Info("mnuViewStack", "frmStack", "Stack", {5200, 2450, 2600, 3000, kStateNormal}));
    ASSERT_TRUE(v.f().ShowView("mnuViewStack"));
    QMdiSubWindow* window = v.f().ViewWindow("mnuViewStack");
    EXPECT_FALSE(window->isMinimized());
    EXPECT_EQ(window->geometry(), QRect(30, 40, 173, 163));
}

TEST_F(WindowMenuTest, AStoredPlacementOutsideTheFrameFallsBackToTheDefault) {
    {
        Settings store;
        SavePlacement(store, "Memory", {90000, 90000, 3000, 3000, kStateNormal});
    }
    ViewFrame v;
    v.f().RegisterView(Info("mnuViewMemory", "frmMemory", "Memory", {150, 150, 3000, 3000, kStateNormal}));
    v.f().ShowView("mnuViewMemory");
    EXPECT_EQ(v.f().ViewWindow("mnuViewMemory")->geometry(), QRect(10, 10, 200, 200));
}

TEST_F(WindowMenuTest, ViewsSaveTheirPlacementWhenTheFrameCloses) {
    ViewFrame v;
    v.f().RegisterView(Info("mnuViewLabel", "frmLabel", "Label", {0, 0, 3000, 3000, kStateNormal}));
    v.f().ShowView("mnuViewLabel");
    v.f().ViewWindow("mnuViewLabel")->setGeometry(60, 75, 210, 225);
    ASSERT_TRUE(v.h.Close());
    EXPECT_EQ(ReadPlacement(Settings(), "Label", {}), (WindowPlacement{900, 1125, 3150, 3375, kStateNormal}));
}

TEST_F(WindowMenuTest, ArrangeDebuggerPlacesTheOpenViewsAndSavesThem) {
    ViewFrame v;
    const struct {
        const char* Menu;
        const char* Form;
        const char* Prefix;
    } views[] = {{"mnuViewDisassembler", "frmDisAsm", "DisAsm"}, {"mnuViewRegCPU", "frmRegCPU", "RegCPU"},
                 {"mnuViewWatch", "frmWatch", "Watch"},          {"mnuViewStack", "frmStack", "Stack"},
                 {"mnuViewLabel", "frmLabel", "Label"},          {"mnuViewMemory", "frmMemory", "Memory"}};
    for (const auto& view : views) {
        v.f().RegisterView(Info(view.Menu, view.Form, view.Prefix, {0, 0, 1500, 1500, kStateNormal}));
        v.f().ShowView(view.Menu);
    }
    v.f().ViewWindow("mnuViewStack")->showMinimized();
    v.f().ViewWindow("mnuViewMemory")->setGeometry(5, 5, 100, 100);
    v.f().Command("mnuWindowArrangeDebugger")->trigger();

    const int height = v.f().mdiArea->viewport()->height();
    const int lower = int(std::lround((height * 15.0 - 2450) / 15));
    EXPECT_EQ(v.f().ViewWindow("mnuViewDisassembler")->geometry(), QRect(0, 0, 347, height));
    EXPECT_EQ(v.f().ViewWindow("mnuViewRegCPU")->geometry(), QRect(347, 0, 173, 163));
    EXPECT_EQ(v.f().ViewWindow("mnuViewWatch")->geometry(), QRect(520, 0, 173, 163));
    EXPECT_EQ(v.f().ViewWindow("mnuViewStack")->geometry(), QRect(347, 163, 173, lower));
    EXPECT_EQ(v.f().ViewWindow("mnuViewLabel")->geometry(), QRect(520, 163, 173, lower));
    EXPECT_FALSE(v.f().ViewWindow("mnuViewStack")->isMinimized());
    // Views outside the arrangement stay where they are.
    EXPECT_EQ(v.f().ViewWindow("mnuViewMemory")->geometry(), QRect(5, 5, 100, 100));

    Settings store;
    EXPECT_EQ(ReadPlacement(store, "RegCPU", {}), (WindowPlacement{5205, 0, 2595, 2445, kStateNormal}));
    EXPECT_EQ(ReadPlacement(store, "Watch", {}), (WindowPlacement{7800, 0, 2595, 2445, kStateNormal}));
    EXPECT_EQ(ReadPlacement(store, "DisAsm", {}).Width, 5205);
}

TEST_F(WindowMenuTest, EditorCommandsNeedAnEditor) {
    ViewFrame v;
    QMenu* window = v.f().Menu("mnuWindow");
    emit window->aboutToShow();
    EXPECT_FALSE(v.f().CommandEnabled("mnuWindowCascade"));
    EXPECT_FALSE(v.f().CommandEnabled("mnuWindowTileHorizontal"));
    EXPECT_FALSE(v.f().CommandEnabled("mnuWindowTileVertical"));
    EXPECT_TRUE(v.f().CommandEnabled("mnuWindowArrangeDebugger"));

    QWidget* editor = MakeForm("a.asm");
    editor->setObjectName("frmEditor");
    QMdiSubWindow* child = v.f().AddChildForm(editor);
    emit window->aboutToShow();
    EXPECT_EQ(v.f().OpenEditorCount(), 1);
    EXPECT_TRUE(v.f().CommandEnabled("mnuWindowCascade"));
    EXPECT_TRUE(v.f().CommandEnabled("mnuWindowTileVertical"));

    child->close();
    QCoreApplication::processEvents();
    emit window->aboutToShow();
    EXPECT_EQ(v.f().OpenEditorCount(), 0);
    EXPECT_FALSE(v.f().CommandEnabled("mnuWindowTileHorizontal"));
}

QList<QMdiSubWindow*> AddEditors(frmMain& frame, int count) {
    QList<QMdiSubWindow*> editors;
    for (int i = 0; i < count; ++i) {
        QWidget* editor = MakeForm(QString("Untitled%1.asm").arg(i + 1));
        editor->setObjectName("frmEditor");
        editors.append(frame.AddChildForm(editor));
        editors.last()->show();
    }
    return editors;
}

TEST_F(WindowMenuTest, TileHorizontalStacksTheEditors) {
    ViewFrame v;
    QList<QMdiSubWindow*> editors = AddEditors(v.f(), 3);
    QWidget* other = MakeForm("a view");
    QMdiSubWindow* view = v.f().AddChildForm(other);
    view->show();
    view->setGeometry(11, 12, 130, 140);
    editors[1]->showMaximized();
    v.f().Command("mnuWindowTileHorizontal")->trigger();
    const QSize client = v.f().mdiArea->viewport()->size();
    const int share = client.height() / 3;
    for (int i = 0; i < 3; ++i) {
        EXPECT_FALSE(editors[i]->isMaximized());
        EXPECT_EQ(editors[i]->geometry(), QRect(0, i * share, client.width(), share)) << i;
    }
    EXPECT_EQ(view->geometry(), QRect(11, 12, 130, 140));
}

TEST_F(WindowMenuTest, TileVerticalPutsTheEditorsSideBySide) {
    ViewFrame v;
    QList<QMdiSubWindow*> editors = AddEditors(v.f(), 2);
    editors[0]->showMinimized();
    v.f().Command("mnuWindowTileVertical")->trigger();
    const QSize client = v.f().mdiArea->viewport()->size();
    for (int i = 0; i < 2; ++i) {
        EXPECT_FALSE(editors[i]->isMinimized());
        EXPECT_EQ(editors[i]->geometry(),
                  QRect(i * (client.width() / 2), 0, client.width() / 2, client.height()));
    }
}

TEST_F(WindowMenuTest, CascadeOffsetsEachEditor) {
    ViewFrame v;
    QList<QMdiSubWindow*> editors = AddEditors(v.f(), 3);
    v.f().Command("mnuWindowCascade")->trigger();
    const QPoint step = editors[1]->pos() - editors[0]->pos();
    EXPECT_EQ(editors[0]->pos(), QPoint(0, 0));
    EXPECT_GT(step.x(), 0);
    EXPECT_EQ(step.x(), step.y());
    EXPECT_EQ(editors[2]->pos(), editors[1]->pos() + step);
    EXPECT_EQ(editors[0]->size(), editors[2]->size());
}

TEST_F(WindowMenuTest, ProceduresAreCalledByName) {
    ViewFrame v;
    CountingView* disasm = nullptr;
    v.f().RegisterView({"mnuViewDisassembler", "frmDisAsm", "DisAsm", nullptr, [&disasm] {
                            disasm = new CountingView;
                            return disasm;
                        }});
    v.f().ShowView("mnuViewDisassembler");
    ASSERT_NE(disasm, nullptr);
    v.f().mdiArea->setActiveSubWindow(v.f().ViewWindow("mnuViewDisassembler"));
    v.f().Command("mnuPopupViewRefresh")->trigger();
    v.f().Command("mnuPopupViewEnter")->trigger();
    v.f().Command("mnuDebugIncludeSym")->trigger();
    v.f().tmrRefresh_Timer();
    EXPECT_EQ(disasm->refreshes, 2);
    EXPECT_EQ(disasm->enters, 1);
    EXPECT_EQ(disasm->redraws, 1);
    // A procedure the view lacks is skipped quietly.
    EXPECT_FALSE(v.f().CallActiveChild("mnuViewHex"));
    EXPECT_FALSE(v.f().CallView("mnuViewWatch", "mnuRefresh"));
}

} // namespace
} // namespace quorvel::test

#include "WindowMenuTest.moc"
