// The two field checks: bounds, conversion, messages, what is stored.
#include "dialogs_fixture.h"
#include "ui/fields_dialog.h"

namespace {

// A one-control dialog to read from: control 0's text.
struct OneField : ui::FieldsDialog {
    std::string& text = texts[0];
};

using CheckTest = DialogsTest;

TEST_F(CheckTest, FieldBoundsAreInclusiveAndRefusalStoresNothing) {
    OneField d;
    float v = -7;
    d.text = "50";
    EXPECT_EQ(CheckField(d, 0, v, 16, -10, 50, 4, "INFLATION RATE ERROR"), 1);
    EXPECT_EQ(v, 50.0f);
    d.text = "-10";
    EXPECT_EQ(CheckField(d, 0, v, 16, -10, 50, 4, "INFLATION RATE ERROR"), 1);
    EXPECT_TRUE(screen.messages.empty());
    d.text = "50.01";
    EXPECT_EQ(CheckField(d, 0, v, 16, -10, 50, 4, "INFLATION RATE ERROR"), 0);
    EXPECT_EQ(v, -10.0f);
    ASSERT_EQ(screen.messages.size(), 1u);
    EXPECT_EQ(LastText(), "This rate must be between 0.0% and 1000.0%.");
    EXPECT_EQ(LastCaption(), "INFLATION RATE ERROR");
    EXPECT_EQ(screen.messages[0].icon, ui::Icon::Stop);
}

TEST_F(CheckTest, BlankTextReadsAsZeroAndRoomCutsTheText) {
    OneField d;
    float v = 5;
    d.text = "  ";
    EXPECT_EQ(CheckField(d, 0, v, 16, 0, 10, 2, "AMOUNT ERROR"), 1);
    EXPECT_EQ(v, 0.0f);
    d.text = "";
    EXPECT_EQ(CheckField(d, 0, v, 16, 1, 10, 2, "AMOUNT ERROR"), 0);
    EXPECT_EQ(LastText(), "This amount must be greater than 0.00 and less than 99999999.00.");
    // Room 3 reads two characters: "123" is 12.
    int16_t n = 0;
    d.text = "123";
    EXPECT_EQ(CheckField(d, 0, n, 3, 1, 12, 9, "BIRTH MONTH ERROR"), 1);
    EXPECT_EQ(n, 12);
    d.text = "nan";
    EXPECT_EQ(CheckField(d, 0, v, 16, 0, 10, 2, "AMOUNT ERROR"), 0);
}

// "400,000" was read as 400 and "25k" as 25: a house of $400 projected
// without a word.
TEST_F(CheckTest, MoneyIsReadAsTypedAndTextAfterTheNumberIsRefused) {
    OneField d;
    const std::pair<const char*, float> read[] = {
        {"400,000", 400000.0f},  {" $1,234,567.50 ", 1234567.5f}, {"-$2,500", -2500.0f}, {"$-2,500", -2500.0f},
        {"(1,000.25)", -1000.25f}, {"($75)", -75.0f},              {"12.5", 12.5f},       {"-3", -3.0f},
        {"+7", 7.0f},            {"1e3", 1000.0f},                {".5", 0.5f},
    };
    for (const auto& [text, value] : read) {
        float v = 0;
        d.text = text;
        EXPECT_EQ(CheckField(d, 0, v, 16, -100000000, 100000000, 2, "AMOUNT ERROR"), 1) << text;
        EXPECT_EQ(v, value) << text;
        v = 0;
        EXPECT_EQ(CheckText(text, v, -100000000, 100000000, 0, "AMOUNT ERROR"), 1) << text;
        EXPECT_EQ(v, value) << text;
    }
    EXPECT_TRUE(screen.messages.empty());
    for (const char* text : {"25k", "400 000", "1,5", "12,34,567", ",100", "1,000,00", "$", "-", "(-5)", "--5",
                             "5%", "abc", "12abc", "$$5"}) {
        float v = 9;
        screen.Clear();
        d.text = text;
        EXPECT_EQ(CheckField(d, 0, v, 16, -100000000, 100000000, 2, "AMOUNT ERROR"), 0) << text;
        EXPECT_EQ(v, 9.0f) << text;
        EXPECT_EQ(LastText(), "This amount must be greater than 0.00 and less than 99999999.00.") << text;
        EXPECT_EQ(LastCaption(), "AMOUNT ERROR");
        EXPECT_EQ(CheckText(text, v, -200, 200, 0, "RATE ERROR"), 0) << text;
        EXPECT_EQ(LastText(), "This amount must be greater than -200.00 and less than 200.00.") << text;
        EXPECT_EQ(v, 9.0f);
    }
    // Whole-number fields read the same forms and keep their whole part.
    int16_t n = 0;
    d.text = " 1,000 ";
    EXPECT_EQ(CheckField(d, 0, n, 16, 0, 5000, 5, "NO OF YEARS ERROR"), 1);
    EXPECT_EQ(n, 1000);
    d.text = "30 years";
    EXPECT_EQ(CheckField(d, 0, n, 16, 0, 100, 5, "NO OF YEARS ERROR"), 0);
    EXPECT_EQ(LastText(), "The number of years must be between 1 and 100.");
    EXPECT_EQ(n, 1000);
    EXPECT_EQ(CheckText("2,5", n, 0, 120, 73, "Value Error"), 0);
    EXPECT_EQ(n, 1000);  // not a value to keep, even under an age code
}

TEST_F(CheckTest, IntegerBoundsAreTruncatedAndTheFormattedMessage) {
    OneField d;
    int16_t n = 0;
    d.text = "3";
    EXPECT_EQ(CheckField(d, 0, n, 16, 2.9f, 3.9f, 5, "NO OF YEARS ERROR"), 1);
    d.text = "99999999999";
    EXPECT_EQ(CheckField(d, 0, n, 16, 0, 100, 5, "NO OF YEARS ERROR"), 0);
    EXPECT_EQ(n, 3);
    EXPECT_EQ(LastText(), "The number of years must be between 1 and 100.");
    float v = 0;
    d.text = "30";
    EXPECT_EQ(CheckField(d, 0, v, 16, 0, 20, FormattedRangeMessage, "RATE ERROR"), 0);
    EXPECT_EQ(LastText(), "This rate must be greater than 0.000000.2 and less than 20.000000.2");
}

TEST_F(CheckTest, CheckTextMessagesAndTheLifeExpectancyCase) {
    float v = 1;
    EXPECT_EQ(CheckText("250", v, -200, 200, 0, "RATE ERROR"), 0);
    EXPECT_EQ(LastText(), "This amount must be greater than -200.00 and less than 200.00.");
    EXPECT_EQ(v, 1.0f);
    int16_t n = 1;
    EXPECT_EQ(CheckText("130", n, 0, 120, 0, "PENALTY AGE ERROR"), 0);
    EXPECT_EQ(LastText(), "This rate must be greater than 0.000 and less than 120.000.");
    // An age code stores the value although the check fails.
    EXPECT_EQ(CheckText("25.8", v, 0, 25.6f, 73, "Value Error"), 0);
    EXPECT_EQ(v, 25.8f);
    EXPECT_EQ(LastText(),
              "The value 25.8 for age 73 seems out of range. Please check your Life Expectancy Tables.");
    EXPECT_EQ(CheckText("12.5", v, 0, 200, 0, "RATE ERROR"), 1);
    EXPECT_EQ(v, 12.5f);
}

TEST_F(CheckTest, MessageStringsAndMoneyText) {
    EXPECT_EQ(MessageString(3), "This age must be between 1 and 120.0.");
    EXPECT_EQ(MessageString(12), "This age must be less than 120.0");
    EXPECT_EQ(MessageString(13), "");
    EXPECT_EQ(MessageString(1), "");
    EXPECT_EQ(MoneyFieldText(1234567.5f), "$1,234,567.50");
}

}  // namespace
