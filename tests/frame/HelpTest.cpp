// The help pages: they are shipped, every topic number is an anchor on its
// page, and the help window opens at a topic.
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <QToolButton>

#include "FrameHarness.h"
#include "frame/HelpTopics.h"
#include "frame/HelpWindow.h"

namespace quorvel::test {
namespace {

using HelpTest = FrameTest;

const QString kHelpDir = QStringLiteral(QUORVEL_TEST_HELP_DIR);

QStringList AnchorsOf(const QTextDocument& document) {
    QStringList anchors;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
        for (auto it = block.begin(); !it.atEnd(); ++it)
            anchors += it.fragment().charFormat().anchorNames();
    return anchors;
}

QString Read(const QString& page) {
    QFile file(QDir(kHelpDir).filePath(page));
    if (!file.open(QIODevice::ReadOnly)) return QString();
    return QString::fromUtf8(file.readAll());
}

TEST_F(HelpTest, EveryPageIsShipped) {
    for (const QString& page : HelpPages())
        EXPECT_TRUE(QFileInfo(QDir(kHelpDir).filePath(page)).isFile()) << page.toStdString();
}

TEST_F(HelpTest, EveryTopicIsAnAnchorOnItsPage) {
    for (int topic : HelpTopicNumbers()) {
        const QString page = HelpTopicPage(topic);
        QTextDocument document;
        document.setHtml(Read(page));
        EXPECT_TRUE(AnchorsOf(document).contains(QString::number(topic)))
            << "topic " << topic << " on " << page.toStdString();
    }
}

TEST_F(HelpTest, LinksBetweenPagesResolve) {
    for (const QString& page : HelpPages()) {
        QTextDocument document;
        document.setHtml(Read(page));
        for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
            for (auto it = block.begin(); !it.atEnd(); ++it) {
                const QString href = it.fragment().charFormat().anchorHref();
                if (href.isEmpty()) continue;
                const QString target = href.section('#', 0, 0);
                const QString anchor = href.section('#', 1);
                const QString targetPage = target.isEmpty() ? page : target;
                EXPECT_TRUE(HelpPages().contains(targetPage))
                    << page.toStdString() << " -> " << href.toStdString();
                if (!anchor.isEmpty()) {
                    QTextDocument linked;
                    linked.setHtml(Read(targetPage));
                    EXPECT_TRUE(AnchorsOf(linked).contains(anchor))
                        << page.toStdString() << " -> " << href.toStdString();
                }
            }
    }
}

TEST_F(HelpTest, TheRegisterSummaryNamesTheOnChipRegisters) {
    const QString text = Read("hc11symbols.html");
    const struct {
        const char* Address;
        const char* Name;
    } registers[] = {
        {"$1000", "PORTA"}, {"$1002", "PIOC"},  {"$1003", "PORTC"},  {"$1004", "PORTB"},  {"$1005", "PORTCL"},
        {"$1007", "DDRC"},  {"$1008", "PORTD"}, {"$1009", "DDRD"},   {"$100A", "PORTE"},  {"$100B", "CFORC"},
        {"$100C", "OC1M"},  {"$100D", "OC1D"},  {"$100E", "TCNT"},   {"$1010", "TIC1"},   {"$1012", "TIC2"},
        {"$1014", "TIC3"},  {"$1016", "TOC1"},  {"$1018", "TOC2"},   {"$101A", "TOC3"},   {"$101C", "TOC4"},
        {"$101E", "TOC5"},  {"$1020", "TCTL1"}, {"$1021", "TCTL2"},  {"$1022", "TMSK1"},  {"$1023", "TFLG1"},
        {"$1024", "TMSK2"}, {"$1025", "TFLG2"}, {"$1026", "PACTL"},  {"$1027", "PACNT"},  {"$1028", "SPCR"},
        {"$1029", "SPSR"},  {"$102A", "SPDR"},  {"$102B", "BAUD"},   {"$102C", "SCCR1"},  {"$102D", "SCCR2"},
        {"$102E", "SCSR"},  {"$102F", "SCDR"},  {"$1030", "ADCTL"},  {"$1031", "ADR1"},   {"$1032", "ADR2"},
        {"$1033", "ADR3"},  {"$1034", "ADR4"},  {"$1039", "OPTION"}, {"$103A", "COPRST"}, {"$103B", "PPROG"},
        {"$103C", "HPRIO"}, {"$103D", "INIT"},  {"$103E", "TEST1"},  {"$103F", "CONFIG"},
    };
    for (const auto& r : registers) {
        const QString row = QString("<td class=\"addr\">%1").arg(r.Address);
        const qsizetype at = text.indexOf(row);
        ASSERT_GE(at, 0) << r.Address;
        const qsizetype next = text.indexOf("</tr>", at);
        EXPECT_TRUE(text.mid(at, next - at).contains(QString(">%1<").arg(r.Name)))
            << r.Address << " " << r.Name;
    }
}

TEST_F(HelpTest, HelpMenuOpensTheWindowAtTheTopic) {
    Harness h;
    h.frame->SetHelpFolder(kHelpDir);
    h.frame->Command("mnuHelpHC11Symbols")->trigger();
    HelpWindow* help = h.frame->Help();
    ASSERT_NE(help, nullptr);
    EXPECT_TRUE(help->isVisible());
    EXPECT_EQ(help->txtHelp->source().fileName(), "hc11symbols.html");
    EXPECT_EQ(help->txtHelp->source().fragment(), "999");
    EXPECT_EQ(help->windowTitle(), "Quorvel Help - HC11 Symbols");

    h.frame->Command("mnuHelpTopics")->trigger();
    EXPECT_EQ(help->txtHelp->source().fileName(), "index.html");
    EXPECT_EQ(help->txtHelp->documentTitle(), "Quorvel Help Topics");
    h.frame->Command("mnuHelpUsingHelp")->trigger();
    EXPECT_EQ(help->txtHelp->source().fileName(), "usinghelp.html");
    EXPECT_TRUE(help->cmdBack->isEnabled());
    EXPECT_TRUE(h.frame->ShowHelpTopic(350));
    EXPECT_EQ(help->txtHelp->source().fileName(), "views.html");
    EXPECT_TRUE(h.prompt.Shown().empty());
}

TEST_F(HelpTest, MissingHelpIsReported) {
    Harness h;
    h.frame->SetHelpFolder("/nonexistent/help");
    h.frame->Command("mnuHelpTopics")->trigger();
    ASSERT_EQ(h.prompt.Shown().size(), 1U);
    EXPECT_EQ(h.prompt.Shown()[0].Title, "Dravik - Help");
    EXPECT_EQ(h.prompt.Shown()[0].Text, "Can't Find help/index.html !");
}

TEST_F(HelpTest, TheProgramLooksBesideItself) {
    Harness h;
    EXPECT_EQ(h.frame->HelpFolder(), QDir(QCoreApplication::applicationDirPath()).filePath("help"));
    EXPECT_EQ(QDir::currentPath(), QCoreApplication::applicationDirPath());
}

} // namespace
} // namespace quorvel::test
