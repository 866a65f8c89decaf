// The serial terminal in the frame: opening and closing it, the board's
// output in both modes, the pop-up, typed keys by target, the mouse, and the
// text box keeping up with its screen.
#include <memory>
#include <random>

#include <QAction>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QTextCursor>
#include <QtTest/QTest>

#include "FrameHarness.h"
#include "frame/Placement.h"
#include "run/RunControl.h"
#include "target/ScriptedCommPort.h"
#include "views/frmSerial.h"

namespace quorvel::test {
namespace {

const QString kSerialView = QStringLiteral("mnuViewSerialTerminal");

class SerialTerminalTest : public FrameTest {
protected:
    void Start(bool simulator = false) {
        auto owned = std::make_unique<ScriptedCommPort>();
        port = owned.get();
        StartOptions options;
        options.SimEnabled = simulator;
        frame = std::make_unique<frmMain>(prompt, options, std::move(owned));
        frame->resize(1000, 800);
        frame->show();
        QCoreApplication::processEvents();
    }
    void TearDown() override {
        frame.reset();
        QCoreApplication::processEvents();
        FrameTest::TearDown();
    }
    frmSerial* Open() {
        if (!frame->Checked(kSerialView)) frame->Command(kSerialView)->trigger();
        return qobject_cast<frmSerial*>(frame->View(kSerialView));
    }
    // What the board sends while its program runs, delivered by tmrComm.
    void BoardSends(const QByteArray& bytes) {
        port->Arrive(bytes);
        frame->tmrComm_Timer();
        frame->tmrComm_Timer();
    }
    std::size_t Sent() const { return port->Written().size(); }
    QByteArray LastSent() const { return port->Written().empty() ? QByteArray() : port->Written().back(); }

    ScriptedPrompt prompt;
    ScriptedCommPort* port = nullptr;
    std::unique_ptr<frmMain> frame;
};

TEST_F(SerialTerminalTest, OpensInItsPlaceAndForgetsItsTextWhenClosed) {
    Start();
    frmSerial* terminal = Open();
    ASSERT_NE(terminal, nullptr);
    EXPECT_TRUE(frame->Checked(kSerialView));
    EXPECT_EQ(terminal->windowTitle(), "Serial Terminal");
    EXPECT_EQ(terminal->objectName(), "frmSerial");
    EXPECT_EQ(terminal->RichText->objectName(), "RichText");
    EXPECT_TRUE(terminal->RichText->toPlainText().isEmpty());

    // A tenth of the client area in, eight tenths of it in size.
    const QSize client = frame->mdiArea->viewport()->size();
    const QRect placed = frame->ViewWindow(kSerialView)->geometry();
    EXPECT_NEAR(placed.left(), client.width() / 10, 1);
    EXPECT_NEAR(placed.top(), client.height() / 10, 1);
    EXPECT_NEAR(placed.width(), client.width() * 8 / 10, 1);
    EXPECT_NEAR(placed.height(), client.height() * 8 / 10, 1);
    // The text box fills the window.
    EXPECT_EQ(terminal->RichText->geometry(), terminal->rect());

    frame->Running = true;
    BoardSends("kept?");
    EXPECT_EQ(terminal->RichText->toPlainText(), "kept?");
    frame->Command(kSerialView)->trigger();
    EXPECT_FALSE(frame->Checked(kSerialView));
    EXPECT_EQ(frame->View(kSerialView), nullptr);
    EXPECT_TRUE(Settings().Contains(Settings::kWindows, "SerialLeft"));
    // Output while it is closed is not shown later.
    BoardSends("lost");
    terminal = Open();
    ASSERT_NE(terminal, nullptr);
    EXPECT_TRUE(terminal->RichText->toPlainText().isEmpty());
}

TEST_F(SerialTerminalTest, ShowsTheBoardsOutputInTheModeOfThePopup) {
    Start();
    frmSerial* terminal = Open();
    ASSERT_NE(terminal, nullptr);
    frame->Running = true;
    ASSERT_TRUE(frame->Checked("mnuPopupSerialAscii")) << "character mode by default";
    BoardSends("Hi\r\nX");
    EXPECT_EQ(terminal->RichText->toPlainText(), "Hi\nX");
    EXPECT_EQ(terminal->RichText->textCursor().position(), 4);

    frame->Command("mnuPopupSerialHex")->trigger();
    EXPECT_TRUE(frame->Checked("mnuPopupSerialHex"));
    EXPECT_FALSE(frame->Checked("mnuPopupSerialAscii"));
    EXPECT_EQ(terminal->DisplayMode(), TerminalScreen::Mode::Hex);
    EXPECT_EQ(terminal->RichText->toPlainText(), "Hi\nX") << "switching keeps the text";
    BoardSends("\x41\x42\x0D");
    const QStringList lines = terminal->RichText->toPlainText().split('\n');
    ASSERT_EQ(lines.size(), 3);
    EXPECT_EQ(lines[1], "X");
    EXPECT_TRUE(lines[2].startsWith("41 42 0D "));
    EXPECT_EQ(lines[2].mid(48, 6), " | AB.");
    EXPECT_EQ(lines[2].size(), TerminalScreen::kHexLineLength);

    frame->Command("mnuPopupSerialAscii")->trigger();
    EXPECT_TRUE(frame->Checked("mnuPopupSerialAscii"));
    EXPECT_FALSE(frame->Checked("mnuPopupSerialHex"));
    BoardSends("ok");
    EXPECT_EQ(terminal->RichText->toPlainText(), QStringList({"Hi", "X", lines[2], "ok"}).join('\n'));

    frame->Command("mnuPopupSerialClear")->trigger();
    EXPECT_TRUE(terminal->RichText->toPlainText().isEmpty());
    BoardSends("\x0c"
               "a\x07");
    EXPECT_EQ(terminal->RichText->toPlainText(), "a");
    EXPECT_EQ(terminal->Bells(), 1);
}

TEST_F(SerialTerminalTest, TheHexModeOutlivesTheWindowAndTheProgram) {
    Start();
    frame->Command("mnuPopupSerialHex")->trigger();
    frmSerial* terminal = Open();
    ASSERT_NE(terminal, nullptr);
    EXPECT_EQ(terminal->DisplayMode(), TerminalScreen::Mode::Hex);
    ASSERT_TRUE(frame->close());
    frame.reset();
    EXPECT_TRUE(Settings().LoadFrame().HexTerminal);
    Start();
    EXPECT_TRUE(frame->Checked("mnuPopupSerialHex"));
    EXPECT_FALSE(frame->Checked("mnuPopupSerialAscii"));
}

TEST_F(SerialTerminalTest, RightClickShowsTheSerialPopup) {
    Start();
    frmSerial* terminal = Open();
    ASSERT_NE(terminal, nullptr);
    QWidget* viewport = terminal->RichText->viewport();
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5), viewport->mapToGlobal(QPoint(5, 5)));
    QCoreApplication::sendEvent(viewport, &event);
    QMenu* popup = frame->Menu("mnuPopupSerial");
    ASSERT_NE(popup, nullptr);
    EXPECT_TRUE(popup->isVisible());
    popup->hide();
}

TEST_F(SerialTerminalTest, KeysGoToARunningBoardAndAreNeverShown) {
    Start();
    frmSerial* terminal = Open();
    ASSERT_NE(terminal, nullptr);
    QWidget* text = terminal->RichText;

    // The board is idle: only Enter and Backspace go out.
    const std::size_t before = Sent();
    QTest::keyClick(text, Qt::Key_A);
    EXPECT_EQ(Sent(), before);
    QTest::keyClick(text, Qt::Key_Return);
    EXPECT_EQ(LastSent(), "\r\n");
    QTest::keyClick(text, Qt::Key_Backspace);
    EXPECT_EQ(LastSent(), "\b");

    frame->Running = true;
    QTest::keyClicks(text, "hi");
    ASSERT_GE(Sent(), 2U);
    EXPECT_EQ(port->Written()[Sent() - 2], "h");
    EXPECT_EQ(LastSent(), "i");
    QTest::keyClick(text, Qt::Key_Tab);
    EXPECT_EQ(LastSent(), "\t");
    const std::size_t typed = Sent();
    QTest::keyClick(text, Qt::Key_C, Qt::ControlModifier);
    QTest::keyClick(text, Qt::Key_Left);
    QTest::keyClick(text, Qt::Key_Delete);
    EXPECT_EQ(Sent(), typed);
    EXPECT_TRUE(terminal->RichText->toPlainText().isEmpty()) << "typing shows nothing";
}

TEST_F(SerialTerminalTest, TheSimulatorGetsNoKeys) {
    Start(true);
    frmSerial* terminal = Open();
    ASSERT_NE(terminal, nullptr);
    frame->Running = true;
    QTest::keyClick(terminal->RichText, Qt::Key_Return);
    QTest::keyClicks(terminal->RichText, "abc");
    QTest::keyClick(terminal->RichText, Qt::Key_Backspace);
    EXPECT_TRUE(port->Written().empty());
    EXPECT_TRUE(terminal->RichText->toPlainText().isEmpty());
}

TEST_F(SerialTerminalTest, ClickingDoesNotMoveTheWritePosition) {
    Start();
    frmSerial* terminal = Open();
    ASSERT_NE(terminal, nullptr);
    frame->Running = true;
    BoardSends("Hello\r\nWorld");
    const int end = terminal->RichText->textCursor().position();
    EXPECT_EQ(end, 11);
    QWidget* viewport = terminal->RichText->viewport();
    QTest::mousePress(viewport, Qt::LeftButton, Qt::NoModifier, QPoint(2, 2));
    EXPECT_EQ(terminal->RichText->ClickCaret(), end);
    QTest::mouseRelease(viewport, Qt::LeftButton, Qt::NoModifier, QPoint(2, 2));
    EXPECT_EQ(terminal->RichText->textCursor().position(), end);
    BoardSends("!");
    EXPECT_EQ(terminal->RichText->toPlainText(), "Hello\nWorld!");
}

// A drag selects text that stays selected, and Ctrl+C copies it instead of
// going to the board; without a selection Ctrl+C is a key like before.
TEST_F(SerialTerminalTest, ADraggedSelectionStaysAndCtrlCCopiesIt) {
    Start();
    frmSerial* terminal = Open();
    ASSERT_NE(terminal, nullptr);
    frame->Running = true;
    TerminalText* text = terminal->RichText;
    BoardSends("Hello\r\nWorld");
    QCoreApplication::processEvents();
    const auto at = [text](int position) {
        QTextCursor cursor(text->document());
        cursor.setPosition(position);
        return text->cursorRect(cursor).center();
    };
    QWidget* viewport = text->viewport();
    QGuiApplication::clipboard()->setText(QStringLiteral("before"));

    QTest::mousePress(viewport, Qt::LeftButton, Qt::NoModifier, at(0));
    QTest::mouseMove(viewport, at(3));
    QTest::mouseMove(viewport, at(5));
    QTest::mouseRelease(viewport, Qt::LeftButton, Qt::NoModifier, at(5));
    EXPECT_EQ(text->textCursor().selectedText(), "Hello") << "the selection stays after the release";

    const std::size_t sent = Sent();
    QTest::keyClick(text, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "Hello");
    EXPECT_EQ(Sent(), sent) << "a copy sends nothing to the board";

    BoardSends("!");
    EXPECT_EQ(text->toPlainText(), "Hello\nWorld!");
    EXPECT_EQ(text->textCursor().selectedText(), "Hello") << "output keeps the selection";

    // A plain click drops it and the caret is back where the output goes.
    QTest::mouseClick(viewport, Qt::LeftButton, Qt::NoModifier, at(2));
    EXPECT_FALSE(text->textCursor().hasSelection());
    EXPECT_EQ(text->textCursor().position(), 12);
    QGuiApplication::clipboard()->setText(QStringLiteral("kept"));
    QTest::keyClick(text, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "kept");
    EXPECT_EQ(Sent(), sent);
}

// Random output in both modes, with line feeds enough to reach the cap: the
// text box shows exactly the screen, caret included, after every block.
TEST_F(SerialTerminalTest, TheTextBoxFollowsItsScreen) {
    Start();
    frmSerial* terminal = Open();
    ASSERT_NE(terminal, nullptr);
    std::mt19937 random(11);
    const char alphabet[] = "abc \x07\x08\x09\x0a\x0a\x0a\x0d\x7f\xe6";
    int dropping = 0;
    for (int block = 0; block < 60; ++block) {
        QByteArray bytes;
        // Every tenth block fills the screen past its cap at once.
        const int length = block % 10 == 9 ? 45000 : static_cast<int>(random() % 200);
        for (int i = 0; i < length; ++i)
            bytes.append(alphabet[random() % (sizeof alphabet - 1)]);
        if (block == 33) bytes.append('\x0c');
        if (random() % 3 == 0)
            frame->Command("mnuPopupSerialHex")->trigger();
        else
            frame->Command("mnuPopupSerialAscii")->trigger();
        const int linesBefore = terminal->Screen().LineCount();
        terminal->Display(bytes);
        const TerminalScreen& screen = terminal->Screen();
        if (linesBefore == TerminalScreen::kMaxLines && bytes.count('\n') > 0) ++dropping;
        ASSERT_EQ(terminal->RichText->document()->blockCount(), screen.LineCount()) << "block " << block;
        ASSERT_EQ(terminal->RichText->toPlainText(), screen.Text()) << "block " << block;
        ASSERT_EQ(terminal->RichText->textCursor().position(), screen.Caret()) << "block " << block;
    }
    EXPECT_LE(terminal->Screen().LineCount(), TerminalScreen::kMaxLines);
    EXPECT_GT(dropping, 10) << "the oldest lines were dropped block by block";
}

} // namespace
} // namespace quorvel::test
