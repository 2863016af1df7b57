#include "engine/payment.h"

#include <cstdio>
#include <cstring>
#include <vector>

namespace {

// 1/12 is kept in extended precision so that the period rate is rounded to
// float only once, at the end.
constexpr long double OneTwelfth = 1.0L / 12.0L;

void Store(int32_t* outCount, float* outInterest, int32_t count, float interest) {
    if (outCount) *outCount = count;
    if (outInterest) *outInterest = interest;
}

}  // namespace

float MonthlyRate(float annualPercent) {
    // float x double, then x long double: the usual promotions, one final rounding.
    return static_cast<float>(static_cast<double>(annualPercent) * 0.01 * OneTwelfth);
}

float PowerN(float x, int32_t n) {
    float p = x;
    for (int32_t k = 1; k < n; ++k) p = x * p;
    return p;
}

float LevelPayment(float principal, float periodRate, int32_t periods) {
    float q = 1.0f + periodRate;
    float d = static_cast<float>(1.0 - 1.0 / static_cast<double>(PowerN(q, periods)));
    return static_cast<float>(static_cast<double>(principal) * periodRate / d);
}

namespace {

bool SameBits(float a, float b) { return std::memcmp(&a, &b, sizeof a) == 0; }

// Whether the periods before `state.next` went the same way under these
// arguments: the same loan, and the extra principal either the same or not
// yet due in any of them.
bool GoesOnFrom(const AmortizationState& s, float principal, float periodRate, int32_t periods, int32_t first,
                int32_t last, float extra, int32_t extraFrom) {
    if (!s.valid || first < s.next || first > last) return false;
    if (!SameBits(s.principal, principal) || !SameBits(s.periodRate, periodRate) || s.periods != periods) return false;
    const bool extraUnusedSoFar = s.extraFrom >= s.next && extraFrom >= s.next;
    return extraUnusedSoFar || (s.extraFrom == extraFrom && SameBits(s.extra, extra));
}

}  // namespace

float AmortizeWindow(AmortizationState& s, float principal, float periodRate, int32_t periods, int32_t first,
                     int32_t last, float extra, int32_t extraFrom, int32_t* outCount, float* outInterest) {
    Store(outCount, outInterest, 0, 0);
    if (last < 0) return 0;
    if (!GoesOnFrom(s, principal, periodRate, periods, first, last, extra, extraFrom)) {
        s = AmortizationState{};
        s.valid = 1;
        s.principal = principal;
        s.periodRate = periodRate;
        s.periods = periods;
        s.payment = LevelPayment(principal, periodRate, periods);
        s.balance = principal;
    }
    s.extra = extra;
    s.extraFrom = extraFrom;
    if (s.repaid) {
        // Repaid before the window (a window never starts before s.next).
        float sum = 0.0f + s.balance;
        if (sum < 0) sum = 0;
        return sum;
    }
    // From period s.next: each period's interest, then its principal (with
    // the extra from extraFrom on); the window's sums in single precision.
    // 64 bits so that a window ending at the largest int still terminates.
    const float pay = s.payment;
    float balance = s.balance;
    float sum = 0;
    float interest = 0;
    int32_t count = 0;
    for (int64_t k = s.next;; ++k) {
        float i = balance * periodRate;
        float pr = pay - i;
        if (k >= extraFrom) pr = extra + pr;
        if (k >= first) {
            interest = interest + i;
            ++count;
            if (balance < pr) {
                // Paid off in this period; a later replay sees the balance
                // go below 0 here.
                s.balance = balance - pr;
                s.repaid = 1;
                s.next = k + 1;
                Store(outCount, outInterest, count, interest);
                return sum + balance;
            }
            sum = pr + sum;
        }
        balance = balance - pr;
        if (!(balance > 0)) {
            s.balance = balance;
            s.repaid = 1;
            s.next = k + 1;
            sum = sum + balance;
            if (sum < 0) sum = 0;
            Store(outCount, outInterest, count, interest);
            return sum;
        }
        if (k + 1 > last) {
            s.balance = balance;
            s.next = k + 1;
            break;
        }
    }
    Store(outCount, outInterest, count, interest);
    return sum;
}

float AmortizeWindow(float principal, float periodRate, int32_t periods, int32_t first, int32_t last,
                     float extra, int32_t extraFrom, int32_t* outCount, float* outInterest) {
    AmortizationState replay;  // from period 0
    return AmortizeWindow(replay, principal, periodRate, periods, first, last, extra, extraFrom, outCount, outInterest);
}

void FormatDollars(char* text, size_t size) {
    if (!text || size == 0) return;
    // Every schedule amount passes through here: short texts are worked in a
    // buffer on the stack, longer ones in one on the heap.
    size_t length = 0;
    while (length < size && text[length] != '\0') ++length;
    char small[512];
    std::vector<char> large;
    char* number = small;
    if (length > 200) {
        large.resize(3 * length + 4);
        number = large.data();
    }
    // Keep the characters of a number, blanks removed, up to the first other one.
    size_t count = 0;
    for (size_t k = 0; k < length; ++k) {
        char c = text[k];
        if (c == ' ') continue;
        if ((c < '0' || c > '9') && c != '$' && c != '.' && c != '-') break;
        number[count++] = c;
    }
    size_t point = 0;
    while (point < count && number[point] != '.') ++point;
    // The result is built backwards from the end of the buffer, after the number.
    char* end = number + (number == small ? sizeof small : large.size());
    char* p = end;
    for (size_t k = count; k-- > point;) *--p = number[k];  // the point and what follows
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

std::string FormatDollars(const std::string& text) {
    // Room for the '$' and one separator per three characters.
    std::vector<char> buffer(text.size() + text.size() / 3 + 3, '\0');
    text.copy(buffer.data(), text.size());
    FormatDollars(buffer.data(), buffer.size());
    return buffer.data();
}

std::string Dollars(const char* format, double value) {
    int n = std::snprintf(nullptr, 0, format, value);
    if (n < 0) return "$";
    std::vector<char> buffer(static_cast<size_t>(n) + 1, '\0');
    std::snprintf(buffer.data(), buffer.size(), format, value);
    return FormatDollars(std::string(buffer.data()));
}
