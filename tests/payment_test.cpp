#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

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

// Dollar text as the engine first wrote it: the blanks-free number copied
// out, then the result built backwards from the end of a buffer.
void ReferenceDollars(char* text, size_t size) {
    size_t length = 0;
    while (length < size && text[length] != '\0') ++length;
    std::vector<char> buffer(3 * length + 8);
    char* number = buffer.data();
    size_t count = 0;
    for (size_t k = 0; k < length; ++k) {
        char c = text[k];
        if (c == ' ') continue;
        if ((c < '0' || c > '9') && c != '$' && c != '.' && c != '-') break;
        number[count++] = c;
    }
    size_t point = 0;
    while (point < count && number[point] != '.') ++point;
    char* end = number + buffer.size();
    char* p = end;
    for (size_t k = count; k-- > point;) *--p = number[k];
    if (point == count) {
        for (size_t k = count; k-- > 0;) *--p = number[k];
    } else {
        size_t minus = 0;
        while (minus < point && number[minus] != '-') ++minus;
        long separators = (static_cast<long>(point) - 1 - (minus < point ? 1 : 0)) / 3;
        if (separators < 0) separators = 0;
        int copied = 0;
        for (size_t k = point; k-- > 0;) {
            *--p = number[k];
            if (++copied % 3 == 0 && separators > 0) {
                *--p = ',';
                --separators;
            }
        }
    }
    *--p = '$';
    size_t n = static_cast<size_t>(end - p);
    if (n > size - 1) n = size - 1;
    std::memcpy(text, p, n);
    text[n] = '\0';
}

// Texts of number characters, blanks and others, of every length up to past
// the stack buffer's, into buffers of every size: the same bytes as the
// reference, and nothing written past the size.
TEST(PaymentTest, FormatDollarsWritesWhatTheReferenceWrites) {
    uint32_t seed = 11;
    auto next = [&seed](uint32_t n) {
        seed = seed * 1664525u + 1013904223u;
        return (seed >> 8) % n;
    };
    static const char alphabet[] = "0123456789000000.--$  x,";
    for (int step = 0; step < 20000; ++step) {
        const size_t length = step % 50 == 0 ? 150 + next(200) : next(30);
        std::string text;
        for (size_t k = 0; k < length; ++k) text += alphabet[next(sizeof alphabet - 1)];
        const size_t size = 1 + next(static_cast<uint32_t>(length + 12));
        std::vector<char> mine(size + 8, 'G'), reference(size + 8, 'G');
        std::memcpy(mine.data(), text.data(), std::min(size, text.size()));
        if (text.size() < size) mine[text.size()] = '\0';
        reference = mine;
        FormatDollars(mine.data(), size);
        ReferenceDollars(reference.data(), size);
        ASSERT_EQ(mine, reference) << "step " << step << " text '" << text << "' size " << size;
    }
}

}  // namespace
