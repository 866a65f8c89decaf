#include "EditorHarness.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTest>

#include "editor/EditorText.h"

namespace quorvel::test {

EditorFrame::EditorFrame(StartOptions options) : h(std::move(options)) {
    h.frame->setWindowState(Qt::WindowNoState);
    h.frame->resize(900, 700);
    h.frame->show();
    Settle();
}

QString EditorFrame::Path(const QString& name) const {
    return QDir(dir.path()).filePath(name);
}

frmEditor& EditorFrame::Active() {
    frmEditor* editor = e().ActiveEditor();
    if (!editor) ADD_FAILURE() << "no active editor";
    return *editor;
}

void EditorFrame::Trigger(const char* command) {
    QAction* action = f().Command(QLatin1String(command));
    if (!action) {
        ADD_FAILURE() << "no command " << command;
        return;
    }
    action->trigger();
}

void Settle() {
    for (int i = 0; i < 3; ++i) {
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

void WriteBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
    ASSERT_EQ(file.write(bytes), bytes.size());
}

QByteArray ReadBytes(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    return file.readAll();
}

void Type(frmEditor& editor, const QString& text) {
    QTest::keyClicks(editor.Text, text);
}

void Press(frmEditor& editor, Qt::Key key, Qt::KeyboardModifiers modifiers) {
    QTest::keyClick(editor.Text, key, modifiers);
}

QStringList MessagesWithTitles(const ScriptedPrompt& prompt) {
    QStringList texts;
    for (const auto& item : prompt.Shown())
        if (item.What == ScriptedPrompt::Kind::Message)
            texts.append(item.Title + QLatin1Char('|') + item.Text);
    return texts;
}

} // namespace quorvel::test
