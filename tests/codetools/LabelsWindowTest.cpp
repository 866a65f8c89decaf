// The labels window: its list, the sort pop-up and the sort setting.
#include <QCoreApplication>
#include <QFont>
#include <QFontMetrics>
#include <QHeaderView>
#include <QMdiSubWindow>
#include <QMenu>
#include <QTemporaryDir>
#include <QTreeView>

#include "CodeToolsHarness.h"
#include "ListingText.h"
#include "codetools/frmLabels.h"
#include "frame/Arrange.h"
#include "frame/Fonts.h"
#include "frame/Settings.h"

namespace quorvel::test {
namespace {

using LabelsWindowTest = FrameTest;

const QStringList kListing = {
    ListingLineText(1, 0xE010, {0x01}, "beta     NOP"), ListingLineText(2, 0xE000, {0x01}, "Alpha    NOP"),
    ListingLineText(3, 0xE020, {0x01}, "         NOP"), ListingLineText(4, 0x0040, {}, "ZETA     EQU $40")};

frmLabels* Labels(frmMain& frame) {
    return qobject_cast<frmLabels*>(frame.View("mnuViewLabel"));
}

QStringList Rows(frmLabels& labels) {
    QStringList rows;
    for (int row = 0; row < labels.Items().rowCount(); ++row)
        rows << labels.Items().Label(row) + " " + labels.Items().Value(row);
    return rows;
}

TEST_F(LabelsWindowTest, ViewLabelsListsEveryLabelWithItsValue) {
    QTemporaryDir folder;
    CodeFrame c;
    c.LoadSymbols(folder.path(), kListing);
    ASSERT_TRUE(c.f().CommandEnabled("mnuViewLabel"));
    c.f().Command("mnuViewLabel")->trigger();
    frmLabels* labels = Labels(c.f());
    ASSERT_NE(labels, nullptr);
    EXPECT_TRUE(c.f().Checked("mnuViewLabel"));
    EXPECT_EQ(labels->windowTitle(), "Labels");
    EXPECT_EQ(labels->objectName(), "frmLabels");
    EXPECT_TRUE(IsMonospaced(labels->font()));
    EXPECT_EQ(Rows(*labels), QStringList({"beta $E010", "Alpha $E000", "ZETA $0040"}));
    const QAbstractItemModel* model = labels->ListView()->model();
    EXPECT_EQ(model->columnCount(), 2);
    EXPECT_EQ(model->data(model->index(1, 0)).toString(), "Alpha");
    EXPECT_EQ(model->data(model->index(1, 1)).toString(), "$E000");
    EXPECT_GE(labels->ListView()->columnWidth(0), 780 / 15) << "at least the label column's 780 twips";
}

TEST_F(LabelsWindowTest, TheSortPopupSortsAndIsChecked) {
    QTemporaryDir folder;
    CodeFrame c;
    c.LoadSymbols(folder.path(), kListing);
    ASSERT_TRUE(c.f().ShowView("mnuViewLabel"));
    frmLabels* labels = Labels(c.f());
    ASSERT_NE(labels, nullptr);
    QMenu* popup = c.f().Menu("mnuPopupSort");
    ASSERT_NE(popup, nullptr);

    labels->ShowSortPopup(labels->mapToGlobal(QPoint(10, 10)));
    EXPECT_TRUE(popup->isVisible());
    EXPECT_FALSE(c.f().Checked("mnuPopupSortName"));
    EXPECT_FALSE(c.f().Checked("mnuPopupSortValue"));
    EXPECT_TRUE(c.f().Checked("mnuPopupSortNone"));
    popup->hide();

    c.f().Command("mnuPopupSortName")->trigger();
    EXPECT_EQ(labels->Sort, "N");
    EXPECT_EQ(Rows(*labels), QStringList({"Alpha $E000", "beta $E010", "ZETA $0040"}));
    labels->ShowSortPopup(labels->mapToGlobal(QPoint(10, 10)));
    EXPECT_TRUE(c.f().Checked("mnuPopupSortName"));
    EXPECT_FALSE(c.f().Checked("mnuPopupSortValue"));
    EXPECT_FALSE(c.f().Checked("mnuPopupSortNone"));
    popup->hide();

    c.f().Command("mnuPopupSortValue")->trigger();
    EXPECT_EQ(labels->Sort, "V");
    EXPECT_EQ(Rows(*labels), QStringList({"ZETA $0040", "Alpha $E000", "beta $E010"}));
    labels->ShowSortPopup(labels->mapToGlobal(QPoint(10, 10)));
    EXPECT_TRUE(c.f().Checked("mnuPopupSortValue"));
    EXPECT_FALSE(c.f().Checked("mnuPopupSortNone"));
    popup->hide();

    c.f().Command("mnuPopupSortNone")->trigger();
    EXPECT_EQ(labels->Sort, "");
    EXPECT_EQ(Rows(*labels), QStringList({"beta $E010", "Alpha $E000", "ZETA $0040"}));
}

TEST_F(LabelsWindowTest, TheSortIsSavedOnClosingAndReadOnOpening) {
    QTemporaryDir folder;
    CodeFrame c;
    c.LoadSymbols(folder.path(), kListing);
    ASSERT_TRUE(c.f().ShowView("mnuViewLabel"));
    Labels(c.f())->SortByValue();
    EXPECT_EQ(Settings().LoadLabelSort(), "");
    c.f().ViewWindow("mnuViewLabel")->move(15, 30);
    c.f().Command("mnuViewLabel")->trigger();
    QCoreApplication::processEvents();
    EXPECT_EQ(Labels(c.f()), nullptr);
    EXPECT_FALSE(c.f().Checked("mnuViewLabel"));
    EXPECT_EQ(Settings().LoadLabelSort(), "V");
    EXPECT_EQ(Settings().GetText(Settings::kWindows, "LabelLeft", ""), "225");
    EXPECT_EQ(Settings().GetText(Settings::kWindows, "LabelTop", ""), "450");
    EXPECT_EQ(Settings().GetText(Settings::kWindows, "LabelState", ""), "0");

    c.f().Command("mnuViewLabel")->trigger();
    ASSERT_NE(Labels(c.f()), nullptr);
    EXPECT_EQ(Labels(c.f())->Sort, "V");
    EXPECT_EQ(Rows(*Labels(c.f())).first(), "ZETA $0040");
    EXPECT_EQ(c.f().ViewWindow("mnuViewLabel")->pos(), QPoint(15, 30));
}

TEST_F(LabelsWindowTest, ItOpensWhereArrangeDebuggerPutsIt) {
    CodeFrame c;
    ASSERT_TRUE(c.f().ShowView("mnuViewLabel"));
    for (const DebuggerSlot& slot : ArrangeDebugger(float(c.f().ClientTwips().height()))) {
        if (slot.Prefix != "Label") continue;
        EXPECT_EQ(c.f().ViewWindow("mnuViewLabel")->pos(),
                  QPoint(int(slot.Placement.Left / 15), int(slot.Placement.Top / 15)));
    }
    // Without symbols the list is empty.
    EXPECT_EQ(Labels(c.f())->Items().rowCount(), 0);
}

TEST_F(LabelsWindowTest, ALoadWhileOpenRefreshesTheList) {
    QTemporaryDir folder;
    CodeFrame c;
    ASSERT_TRUE(c.f().ShowView("mnuViewLabel"));
    c.LoadSymbols(folder.path(), kListing);
    EXPECT_EQ(Labels(c.f())->Items().rowCount(), 3);
    c.LoadSymbols(folder.path(), {ListingLineText(1, 0xE000, {0x01}, "ONLY     NOP")});
    EXPECT_EQ(Rows(*Labels(c.f())), QStringList({"ONLY $E000"}));
}

// The label column fits the longest label in the window's font, follows a
// font change and a reload, and the user can resize it.
TEST_F(LabelsWindowTest, TheLabelColumnFitsTheLongestLabel) {
    const QString longest = QStringLiteral("A_RATHER_LONG_LABEL_NAME_OF_32_CH");
    QTemporaryDir folder;
    CodeFrame c;
    c.LoadSymbols(folder.path(), {ListingLineText(1, 0xE000, {0x01}, "short    NOP"),
                                  ListingLineText(2, 0xE001, {0x01}, longest + " NOP")});
    ASSERT_TRUE(c.f().ShowView("mnuViewLabel"));
    frmLabels* labels = Labels(c.f());
    ASSERT_NE(labels, nullptr);
    QTreeView* list = labels->ListView();
    ASSERT_EQ(labels->Items().Label(1), longest);
    const auto fits = [&] { return list->fontMetrics().horizontalAdvance(longest); };
    EXPECT_GE(list->columnWidth(0), fits());

    QFont bigger = labels->font();
    bigger.setPointSizeF(bigger.pointSizeF() * 3);
    labels->setFont(bigger);
    ASSERT_GT(fits(), 0);
    EXPECT_GE(list->columnWidth(0), fits()) << "the column follows the font";

    const QString longer = longest + QStringLiteral("_AND_MORE");
    c.LoadSymbols(folder.path(), {ListingLineText(1, 0xE000, {0x01}, longer + " NOP")});
    EXPECT_GE(list->columnWidth(0), list->fontMetrics().horizontalAdvance(longer)) << "and the symbols";

    // The header offers the user the column's edge to drag.
    EXPECT_FALSE(list->header()->isHidden());
    EXPECT_EQ(list->header()->sectionResizeMode(0), QHeaderView::Interactive);
    list->header()->resizeSection(0, list->columnWidth(0) + 40);
    const int widened = list->columnWidth(0);
    labels->SortByName();
    EXPECT_EQ(list->columnWidth(0), widened) << "sorting keeps the user's width";
}

} // namespace
} // namespace quorvel::test
