// A large source in the IDE's editor: opening, typing and saving a 1 MB file.
//
//     editor_bench [--keys N] [--bytes N]
//
// The main window is built and shown (offscreen unless QT_QPA_PLATFORM says
// otherwise), a generated assembly source of about 1 MB (default) is opened
// through File > Open's code, N keys (default 400) are typed at the start,
// the middle and the end of the text, each followed by a repaint of the text
// control and the events it caused, and the file is saved. Figures: the time
// to open and to save, and the median, 95th percentile and worst latency of
// one key press to the painted result, in milliseconds.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include <QApplication>
#include <QFile>
#include <QPlainTextEdit>
#include <QSettings>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QtTest/QTest>

#include "editor/EditorText.h"
#include "editor/Editors.h"
#include "editor/frmEditor.h"
#include "frame/MainWindow.h"
#include "frame/ScriptedPrompt.h"

namespace {

using Clock = std::chrono::steady_clock;

double Milliseconds(Clock::duration d) {
    return std::chrono::duration<double, std::milli>(d).count();
}

double Percentile(std::vector<double> values, double fraction) {
    std::sort(values.begin(), values.end());
    return values[static_cast<std::size_t>(fraction * static_cast<double>(values.size() - 1))];
}

// An assembly source of about `bytes` bytes: a long run of ordinary lines.
QByteArray Source(qsizetype bytes) {
    QByteArray text;
    text.reserve(bytes + 100);
    for (int line = 0; text.size() < bytes; ++line) {
        if (line % 25 == 0)
            text +=
                "* ---- block " + QByteArray::number(line / 25) + " ----------------------------------\r\n";
        else
            text += "L" + QByteArray::number(line) + "\tLDAA\t$" + QByteArray::number(line % 256, 16) +
                    ",X\t; load the next value from the table\r\n";
    }
    return text;
}

} // namespace

int main(int argc, char** argv) {
    int keys = 400;
    qsizetype bytes = 1 << 20;
    for (int i = 1; i + 1 < argc; i += 2) {
        if (std::strcmp(argv[i], "--keys") == 0) keys = std::max(3, std::atoi(argv[i + 1]));
        if (std::strcmp(argv[i], "--bytes") == 0) bytes = std::max(1000, std::atoi(argv[i + 1]));
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir work;
    qputenv("XDG_CONFIG_HOME", work.path().toLocal8Bit());
    QApplication app(argc, argv);
    QSettings::setDefaultFormat(QSettings::IniFormat);
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, work.path());

    const QString path = work.filePath(QStringLiteral("big.asm"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(Source(bytes)) < 0) return 2;
    file.close();

    quorvel::ScriptedPrompt prompt;
    quorvel::frmMain frame(prompt);
    frame.resize(1280, 800);
    frame.show();
    QApplication::processEvents();

    auto t0 = Clock::now();
    quorvel::frmEditor* editor = frame.editors().OpenFile(path);
    QApplication::processEvents();
    const double openMs = Milliseconds(Clock::now() - t0);
    if (!editor) {
        std::fprintf(stderr, "editor_bench: the file did not open\n");
        return 2;
    }
    quorvel::EditorText* text = editor->Text;
    text->setFocus();

    std::vector<double> latency;
    const int lines = text->document()->blockCount();
    for (int place = 0; place < 3; ++place) {
        const int line = place == 0 ? 0 : (place == 1 ? lines / 2 : lines - 1);
        QTextCursor cursor(text->document()->findBlockByNumber(line));
        text->setTextCursor(cursor);
        text->ensureCursorVisible();
        QApplication::processEvents();
        for (int k = 0; k < keys / 3; ++k) {
            t0 = Clock::now();
            QTest::keyClick(text, k % 10 == 9 ? Qt::Key_Return : Qt::Key_A);
            text->viewport()->repaint();
            QApplication::processEvents();
            latency.push_back(Milliseconds(Clock::now() - t0));
        }
    }

    t0 = Clock::now();
    const bool saved = editor->SaveEditor();
    const double saveMs = Milliseconds(Clock::now() - t0);

    std::printf("source: %lld bytes, %d lines\n", static_cast<long long>(bytes), lines);
    std::printf("open: %.1f ms\n", openMs);
    std::printf("typing (%zu keys): median %.2f ms, p95 %.2f ms, worst %.2f ms\n", latency.size(),
                Percentile(latency, 0.5), Percentile(latency, 0.95), Percentile(latency, 1.0));
    std::printf("save: %.1f ms%s\n", saveMs, saved ? "" : " (FAILED)");
    return saved && prompt.Problems().isEmpty() ? 0 : 1;
}
