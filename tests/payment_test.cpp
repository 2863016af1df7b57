#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>

#include "engine/payment.h"

namespace {

// Expected figures below were worked out separately with a short python3
// script that rounds every step to float through struct.pack('f').

TEST(PaymentTest, ThirtyYearMortgagePayment) {
    float rate = MonthlyRate(8);
    EXPECT_EQ(rate, 0.006666666828095913f);
    float pay = LevelPayment(100000, rate, 360);
    EXPECT_EQ(pay, 733.7647094726562f);
    char text[32];
    std::snprintf(text, sizeof text, "%-9.2f", pay);
    EXPECT_STREQ(text, "733.76   ");
}

TEST(PaymentTest, PowerNOfZeroOrOnePeriodIsTheBase) {
    EXPECT_EQ(PowerN(1.5f, 0), 1.5f);
    EXPECT_EQ(PowerN(1.5f, 1), 1.5f);
    EXPECT_EQ(PowerN(1.5f, -3), 1.5f);
    EXPECT_EQ(PowerN(1.5f, 3), 3.375f);
    float rate = MonthlyRate(8);
    EXPECT_EQ(LevelPayment(100000, rate, 0), LevelPayment(100000, rate, 1));
    EXPECT_EQ(LevelPayment(100000, rate, 1), 100666.7578125f);
}

TEST(PaymentTest, SinglePeriodWindowsAndPayoff) {
    // 1000 at 1% a period over 3 periods: payment 340.0224.
    EXPECT_EQ(LevelPayment(1000, 0.01f, 3), 340.02239990234375f);
    const float principal[] = {330.02239990234375f, 333.3226318359375f, 336.65496826171875f};
    const float interest[] = {10.0f, 6.699775695800781f, 3.366549491882324f};
    for (int k = 0; k < 3; ++k) {
        int32_t count = -1;
        float paid = -1;
        EXPECT_EQ(AmortizeWindow(1000, 0.01f, 3, k, k, 0, 999, &count, &paid), principal[k]) << k;
        EXPECT_EQ(count, 1);
        EXPECT_EQ(paid, interest[k]);
    }
    // After payoff the window is empty.
    int32_t count = -1;
    float paid = -1;
    EXPECT_EQ(AmortizeWindow(1000, 0.01f, 3, 3, 3, 0, 999, &count, &paid), 0.0f);
    EXPECT_EQ(count, 0);
    EXPECT_EQ(paid, 0.0f);
    // The whole loan, and a window running past its end.
    EXPECT_EQ(AmortizeWindow(1000, 0.01f, 3, 0, 10, 0, 999, &count, &paid), 1000.0f);
    EXPECT_EQ(count, 3);
    EXPECT_EQ(paid, 20.066326141357422f);
    EXPECT_EQ(AmortizeWindow(1000, 0.01f, 3, 0, 1, 0, 999, &count, &paid), 663.3450317382812f);
    EXPECT_EQ(count, 2);
    EXPECT_EQ(paid, 16.69977569580078f);
}

TEST(PaymentTest, NegativeLastGivesEmptyWindow) {
    int32_t count = -1;
    float paid = -1;
    EXPECT_EQ(AmortizeWindow(1000, 0.01f, 3, 0, -1, 0, 999, &count, &paid), 0.0f);
    EXPECT_EQ(count, 0);
    EXPECT_EQ(paid, 0.0f);
    // Null outputs are allowed.
    EXPECT_EQ(AmortizeWindow(1000, 0.01f, 3, 0, 0, 0, 999, nullptr, nullptr), 330.02239990234375f);
}

TEST(PaymentTest, ExtraPaymentsShortenTheLoan) {
    // 1200 at 1% over 12 periods, 50 extra from period 3 on.
    float rate = 0.01f;
    EXPECT_EQ(LevelPayment(1200, rate, 12), 106.61859130859375f);
    int32_t count = 0;
    float paid = 0;
    EXPECT_EQ(AmortizeWindow(1200, rate, 12, 0, 100, 0, 999, &count, &paid), 1200.0f);
    EXPECT_EQ(count, 12);
    EXPECT_EQ(paid, 79.42251586914062f);
    EXPECT_EQ(AmortizeWindow(1200, rate, 12, 0, 100, 50, 3, &count, &paid), 1200.0f);
    EXPECT_EQ(count, 10);
    EXPECT_EQ(paid, 65.5893325805664f);
    // Before the extra payments start the schedule is unchanged.
    EXPECT_EQ(AmortizeWindow(1200, rate, 12, 2, 2, 50, 3, &count, &paid), 96.52042388916016f);
    EXPECT_EQ(AmortizeWindow(1200, rate, 12, 3, 3, 50, 3, &count, &paid), 147.48562622070312f);
    // The payoff period returns what was left, not the scheduled principal.
    EXPECT_EQ(AmortizeWindow(1200, rate, 12, 9, 9, 50, 3, &count, &paid), 5.9624176025390625f);
    EXPECT_EQ(count, 1);
    EXPECT_EQ(paid, 0.05962417647242546f);
    EXPECT_EQ(AmortizeWindow(1200, rate, 12, 10, 11, 50, 3, &count, &paid), 0.0f);
    EXPECT_EQ(count, 0);
}

TEST(PaymentTest, WindowEndingAtLargestIntTerminates) {
    int32_t count = 0;
    EXPECT_EQ(AmortizeWindow(1000, 0.01f, 3, 0, INT32_MAX, 0, 999, &count, nullptr), 1000.0f);
    EXPECT_EQ(count, 3);
}

TEST(PaymentTest, DollarText) {
    EXPECT_EQ(Dollars("%-13.2f", 1234567.891), "$1,234,567.89");
    EXPECT_EQ(Dollars("%-11.2f", -1500), "$-1,500.00");
    EXPECT_EQ(Dollars("%13.2f", -123.45), "$-123.45");
    EXPECT_EQ(Dollars("%-9.2f", 0), "$0.00");
    EXPECT_EQ(Dollars("%-12.2f", -100000), "$-100,000.00");
    EXPECT_EQ(FormatDollars("1500"), "$1500");
    EXPECT_EQ(FormatDollars("999.00"), "$999.00");
    EXPECT_EQ(FormatDollars("1000.00"), "$1,000.00");
    EXPECT_EQ(FormatDollars("100000.00"), "$100,000.00");
    EXPECT_EQ(FormatDollars("1000000.00"), "$1,000,000.00");
    // Blanks go; the text ends at the first character that is not part of a number.
    EXPECT_EQ(FormatDollars(" 2 500.5 x 12"), "$2,500.5");
    EXPECT_EQ(FormatDollars(""), "$");
}

TEST(PaymentTest, FormatDollarsStaysInsideItsBuffer) {
    struct {
        char text[8];
        char guard[4];
    } b;
    std::memcpy(b.text, "1500.00", 8);
    std::memcpy(b.guard, "GGG", 4);
    FormatDollars(b.text, sizeof b.text);
    EXPECT_STREQ(b.text, "$1,500.");
    EXPECT_STREQ(b.guard, "GGG");

    // A text filling its buffer without a NUL is read only up to the size.
    std::memcpy(b.text, "12345678", 8);
    FormatDollars(b.text, 4);
    EXPECT_STREQ(b.text, "$12");
    EXPECT_STREQ(b.guard, "GGG");

    char one[1] = {'7'};
    FormatDollars(one, 1);
    EXPECT_EQ(one[0], '\0');
    FormatDollars(one, 0);  // nothing to write into
}

}  // namespace
