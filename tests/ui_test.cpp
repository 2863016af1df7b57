#include <gtest/gtest.h>

#include "ui/ui.h"
#include "scripted_ui.h"

TEST(ScriptedUi, RecordsMessagesAndAnswersFromQueue) {
    ui::ScriptedUi s;
    ui::ScopedUi scope(&s);
    s.answers = {ui::Answer::Yes};
    EXPECT_EQ(ui::Message("Save?", "CAP", ui::Buttons::YesNoCancel, ui::Icon::Question), ui::Answer::Yes);
    // The queue is empty now: a question takes its default, No.
    EXPECT_EQ(ui::Message("Again?", "CAP", ui::Buttons::YesNo, ui::Icon::Question), ui::Answer::No);
    EXPECT_EQ(ui::Message("Done", "INFO"), ui::Answer::Ok);
    ASSERT_EQ(s.messages.size(), 3u);
    EXPECT_EQ(s.messages[0].text, "Save?");
    EXPECT_EQ(s.messages[2].caption, "INFO");
    EXPECT_EQ(s.messages[2].icon, ui::Icon::Stop);
}

TEST(ScriptedUi, ScopeRestoresPreviousImplementation) {
    ui::Ui* before = &ui::Current();
    {
        ui::ScriptedUi s;
        ui::ScopedUi scope(&s);
        EXPECT_EQ(&ui::Current(), &s);
    }
    EXPECT_EQ(&ui::Current(), before);
}
