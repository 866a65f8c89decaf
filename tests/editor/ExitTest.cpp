// Exit with changed editors: every changed editor is asked about before any
// closes, so a Cancel at any question leaves every editor and its edits.
#include <vector>

#include "EditorHarness.h"
#include "editor/frmReplace.h"

namespace quorvel::test {
namespace {

using ExitTest = EditorTest;

using Answers = std::vector<PromptAnswer>;

// a.asm and c.asm changed, b.asm not.
struct ThreeEditors : EditorFrame {
    ThreeEditors() {
        for (const char* name : {"a.asm", "b.asm", "c.asm"}) {
            WriteBytes(Path(name), "old\n");
            e().OpenFile(Path(name));
            if (name[0] != 'b') Type(Active(), "new ");
        }
        Settle();
    }
};

TEST_F(ExitTest, EveryChangedEditorIsAskedAboutBeforeAnyCloses) {
    const struct {
        Answers answers;
        bool exits;
        const char* a; // on disk afterwards
        const char* c;
    } rows[] = {
        {{PromptAnswer::Cancel}, false, "old\n", "old\n"},
        {{PromptAnswer::No, PromptAnswer::Cancel}, false, "old\n", "old\n"},
        {{PromptAnswer::Yes, PromptAnswer::Cancel}, false, "new old\n", "old\n"},
        {{PromptAnswer::No, PromptAnswer::Yes}, true, "old\n", "new old\n"},
        {{PromptAnswer::Yes, PromptAnswer::No}, true, "new old\n", "old\n"},
    };
    for (const auto& row : rows) {
        const int trace = int(&row - rows);
        SCOPED_TRACE(trace);
        ThreeEditors t;
        for (PromptAnswer answer : row.answers)
            t.prompt().AnswerMessage(answer);
        EXPECT_EQ(t.h.Close(), row.exits);
        Settle();

        QStringList asked;
        for (std::size_t i = 0; i < row.answers.size(); ++i)
            asked.append(i == 0 ? "Dravik - Warning|Save changes to a.asm ?"
                                : "Dravik - Warning|Save changes to c.asm ?");
        EXPECT_EQ(MessagesWithTitles(t.prompt()), asked);
        EXPECT_EQ(t.prompt().Shown()[0].Buttons, PromptButtons::YesNoCancel);
        EXPECT_EQ(t.prompt().Shown()[0].Icon, PromptIcon::Exclamation);
        EXPECT_EQ(ReadBytes(t.Path("a.asm")), row.a);
        EXPECT_EQ(ReadBytes(t.Path("c.asm")), row.c);
        EXPECT_EQ(t.f().Unloaded(), row.exits);
        EXPECT_TRUE(t.prompt().Problems().isEmpty());
        if (row.exits) {
            EXPECT_EQ(t.f().OpenEditorCount(), 0);
            EXPECT_FALSE(t.e().ReplaceDialog().isVisible());
            continue;
        }
        // Nothing closed; an editor answered No keeps its edits.
        const QList<frmEditor*> editors = t.e().AllEditors();
        ASSERT_EQ(editors.size(), 3);
        EXPECT_EQ(editors[0]->PlainText(), "new old\n");
        EXPECT_EQ(editors[0]->TextChanged(), row.a == QByteArray("old\n"));
        EXPECT_TRUE(editors[2]->TextChanged());
    }
}

TEST_F(ExitTest, AnUnsavedNewEditorWhoseSaveAsIsCancelledStopsTheExit) {
    EditorFrame t;
    t.Trigger("mnuFileNew");
    Type(t.Active(), "keep me");
    t.prompt().AnswerMessage(PromptAnswer::Yes);
    t.prompt().CancelFile();
    EXPECT_FALSE(t.h.Close());
    EXPECT_EQ(t.f().OpenEditorCount(), 1);
    EXPECT_EQ(t.Active().PlainText(), "keep me");

    // Asked again next time; No lets the frame go.
    t.prompt().AnswerMessage(PromptAnswer::No);
    EXPECT_TRUE(t.h.Close());
    EXPECT_EQ(t.prompt().Messages(),
              (QStringList{"Save changes to Untitled1.asm ?", "Save changes to Untitled1.asm ?"}));
    EXPECT_TRUE(t.prompt().Problems().isEmpty());
}

} // namespace
} // namespace quorvel::test
