// Printing: the page layout on a recording device, and the print commands
// of the File menu writing PDF files.
#include <cmath>

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QRegularExpression>

#include "EditorHarness.h"
#include "RecordingPages.h"
#include "editor/PrintEditor.h"
#include "frame/Fonts.h"
#include "frame/NumberText.h"

namespace quorvel::test {
namespace {

using PrintEditorTest = EditorTest;

QFont PrintFont() {
    QFont font(QStringLiteral("DejaVu Sans Mono"));
    font.setPointSizeF(10);
    return font;
}

// Rows that fit on a page of the recording device.
struct Geometry {
    double line;
    double ascent;
    double blank;
    int rows;
};

Geometry Measure(RecordingPages& device, const QFont& font) {
    const QFontMetricsF metrics(font, &device);
    const double line = std::round(metrics.height());
    return {line, metrics.ascent(), metrics.horizontalAdvance(QLatin1Char(' ')),
            int(std::round(double(device.height())) / line)};
}

QString Lines(int count) {
    QStringList lines;
    for (int i = 1; i <= count; ++i)
        lines.append(QStringLiteral("\tldaa\t#%1").arg(i));
    return lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

TEST_F(PrintEditorTest, EveryPageHasItsHeaderRuleAndRows) {
    RecordingPages device(QSize(800, 600), 96);
    const QFont font = PrintFont();
    const Geometry g = Measure(device, font);
    ASSERT_GE(g.rows, 10);
    const int perPage = g.rows - 3;
    const int lines = 2 * perPage + 1; // three pages, one line on the last

    const int pages = PrintEditor(
        device, [&] { return device.NewPage(); }, font, "prog.asm", Lines(lines));
    EXPECT_EQ(pages, 3);
    ASSERT_EQ(device.Pages().size(), 3U);
    EXPECT_EQ(device.Begins(), 1);

    const QFontMetricsF metrics(font, &device);
    int printed = 0;
    for (int p = 0; p < 3; ++p) {
        const RecordedPage& page = device.Pages()[size_t(p)];
        ASSERT_FALSE(page.Texts.empty());
        // The header: the title, blanks, and "page/pages" ending at the right margin.
        const QString header = page.Texts[0].Text;
        const QString pageText = QStringLiteral("%1/3").arg(p + 1);
        EXPECT_TRUE(header.startsWith("prog.asm ")) << header.toStdString();
        EXPECT_TRUE(header.endsWith(" " + pageText)) << header.toStdString();
        const double width = metrics.horizontalAdvance(header);
        EXPECT_LE(std::abs(width - 800), g.blank / 2 + 0.5) << header.toStdString();
        EXPECT_DOUBLE_EQ(page.Texts[0].At.y(), g.ascent);
        EXPECT_DOUBLE_EQ(page.Texts[0].At.x(), 0);
        // A rule across the page at one and a half rows.
        ASSERT_EQ(page.Lines.size(), 1U);
        EXPECT_EQ(page.Lines[0], QLineF(0, 1.5 * g.line, 800, 1.5 * g.line));
        // Then the text, from the fourth row on, tabs expanded.
        const size_t rows = page.Texts.size() - 1;
        EXPECT_EQ(rows, size_t(p < 2 ? perPage : 1));
        for (size_t r = 0; r < rows; ++r) {
            ++printed;
            EXPECT_EQ(page.Texts[r + 1].Text, ExpandTabs(QStringLiteral("\tldaa\t#%1").arg(printed)));
            EXPECT_DOUBLE_EQ(page.Texts[r + 1].At.y(), double(3 + r) * g.line + g.ascent);
        }
    }
    EXPECT_EQ(printed, lines);
}

TEST_F(PrintEditorTest, AnEmptyTextPrintsOnePageWithItsHeader) {
    RecordingPages device(QSize(800, 600), 96);
    EXPECT_EQ(PrintEditor(
                  device, [&] { return device.NewPage(); }, PrintFont(), "Untitled1.asm", ""),
              1);
    ASSERT_EQ(device.Pages().size(), 1U);
    ASSERT_EQ(device.Pages()[0].Texts.size(), 1U); // the header; the empty row draws nothing
    EXPECT_TRUE(device.Pages()[0].Texts[0].Text.endsWith(" 1/1"));
}

TEST_F(PrintEditorTest, FewerThanFiveRowsOnAPagePrintNothing) {
    const QFont font = PrintFont();
    RecordingPages probe(QSize(800, 600), 96);
    const double line = Measure(probe, font).line;
    RecordingPages small(QSize(800, int(line * 4.4)), 96);
    ASSERT_EQ(Measure(small, font).rows, 4);
    EXPECT_EQ(PrintEditor(
                  small, [&] { return small.NewPage(); }, font, "prog.asm", Lines(3)),
              0);
    EXPECT_EQ(small.Begins(), 0);
    EXPECT_TRUE(small.Pages().empty());

    RecordingPages five(QSize(800, int(line * 5)), 96);
    ASSERT_EQ(Measure(five, font).rows, 5);
    EXPECT_EQ(PrintEditor(
                  five, [&] { return five.NewPage(); }, font, "prog.asm", Lines(5)),
              3);
}

TEST_F(PrintEditorTest, ALongTitleKeepsOneBlank) {
    RecordingPages device(QSize(200, 600), 96);
    const QString title(60, QLatin1Char('T'));
    ASSERT_EQ(PrintEditor(
                  device, [&] { return device.NewPage(); }, PrintFont(), title, "x\n"),
              1);
    EXPECT_EQ(device.Pages()[0].Texts[0].Text, title + " 1/1");
}

// ---- The File menu's print commands ----

int PdfPages(const QString& path) {
    static const QRegularExpression page(QStringLiteral("/Type\\s*/Page[^s]"));
    return int(QString::fromLatin1(ReadBytes(path)).count(page));
}

struct PrintFrame : EditorFrame {
    QString pdf;
    PrintFrame() : pdf(Path("out.pdf")) {
        Trigger("mnuFileNew");
        Active().Text->setPlainText(Lines(200));
        QPrinter& printer = e().Printer();
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
    }
    // Pages the text takes with this printer and the print font.
    int ExpectedPages() {
        QPrinter& printer = e().Printer();
        const QFontMetricsF metrics(ResolveFont(f().PrintFont), &printer);
        const int rows = int(std::round(double(printer.height())) / std::round(metrics.height()));
        return (200 - 1) / (rows - 3) + 1;
    }
};

TEST_F(PrintEditorTest, PrintAsksForThePrinterThenPrints) {
    PrintFrame t;
    t.prompt().AnswerPrint(true);
    t.Trigger("mnuFilePrint");
    ASSERT_EQ(t.prompt().Shown().size(), 1U);
    EXPECT_EQ(t.prompt().Shown()[0].What, ScriptedPrompt::Kind::Print);
    EXPECT_EQ(t.prompt().Shown()[0].Mode, PrintMode::Print);
    ASSERT_TRUE(QFile::exists(t.pdf));
    EXPECT_TRUE(ReadBytes(t.pdf).startsWith("%PDF"));
    EXPECT_GE(t.ExpectedPages(), 2);
    EXPECT_EQ(PdfPages(t.pdf), t.ExpectedPages());
    EXPECT_TRUE(t.prompt().Problems().isEmpty());
}

TEST_F(PrintEditorTest, CancelInThePrintDialogPrintsNothing) {
    PrintFrame t;
    t.prompt().AnswerPrint(false);
    t.Trigger("mnuFilePrint");
    EXPECT_FALSE(QFile::exists(t.pdf));
    EXPECT_TRUE(t.prompt().Messages().isEmpty());
}

TEST_F(PrintEditorTest, TheToolbarButtonPrintsAtOnce) {
    PrintFrame t;
    t.f().ToolButton("mnuFilePrint")->trigger();
    EXPECT_TRUE(t.prompt().Shown().empty());
    EXPECT_EQ(PdfPages(t.pdf), t.ExpectedPages());
}

TEST_F(PrintEditorTest, PrintSetupPrintsNothing) {
    PrintFrame t;
    t.prompt().AnswerPrint(true);
    t.Trigger("mnuFilePrintSetup");
    ASSERT_EQ(t.prompt().Shown().size(), 1U);
    EXPECT_EQ(t.prompt().Shown()[0].Mode, PrintMode::PrintSetup);
    EXPECT_FALSE(QFile::exists(t.pdf));
}

TEST_F(PrintEditorTest, PrintPreviewGoesThroughThePrompt) {
    PrintFrame t;
    t.prompt().AnswerDialog([&t](QDialog& dialog) {
        auto* preview = qobject_cast<QPrintPreviewDialog*>(&dialog);
        ASSERT_NE(preview, nullptr);
        // What the preview asks to have painted is the active editor's text.
        emit preview->paintRequested(&t.e().Printer());
        dialog.reject();
    });
    t.Trigger("mnuFilePrintPreview");
    ASSERT_EQ(t.prompt().Shown().size(), 1U);
    EXPECT_EQ(t.prompt().Shown()[0].DialogName, "PrintPreview");
    EXPECT_EQ(PdfPages(t.pdf), t.ExpectedPages());
}

TEST_F(PrintEditorTest, APrinterThatCannotStartIsReported) {
    PrintFrame t;
    t.e().Printer().setOutputFileName(t.Path("no such folder/out.pdf"));
    t.f().ToolButton("mnuFilePrint")->trigger();
    EXPECT_EQ(
        MessagesWithTitles(t.prompt()),
        QStringList{"Dravik - Print Error|Can't Print Untitled1.asm !\n(The printer could not be started)"});
}

} // namespace
} // namespace quorvel::test
