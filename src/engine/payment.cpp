#include "engine/payment.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "model/model.h"

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

namespace {

float WorkOutLevelPayment(float principal, float periodRate, int32_t periods) {
    float q = 1.0f + periodRate;
    float d = static_cast<float>(1.0 - 1.0 / static_cast<double>(PowerN(q, periods)));
    return static_cast<float>(static_cast<double>(principal) * periodRate / d);
}

}  // namespace

float LevelPayment(float principal, float periodRate, int32_t periods) {
    // Every Loan and Mortgage asks in its first year, twice (its monthly
    // payment, then the start of its schedule), plans hold many loans on the
    // same terms, and the power takes a multiplication per period: the last
    // few answers are kept with the terms they came from.
    struct Kept {
        bool known = false;
        float principal = 0, periodRate = 0, payment = 0;
        int32_t periods = 0;
    };
    static Kept kept[8];
    static int next = 0;
    const Kept* found = nullptr;
    for (const Kept& k : kept) {
        if (k.known && k.periods == periods && SameBits(k.principal, principal) && SameBits(k.periodRate, periodRate)) {
            found = &k;
            break;
        }
    }
    if (!found) {
        Kept& k = kept[next];
        next = (next + 1) % 8;
        k = Kept{true, principal, periodRate, WorkOutLevelPayment(principal, periodRate, periods), periods};
        found = &k;
    }
#ifndef NDEBUG
    if (!SameBits(found->payment, WorkOutLevelPayment(principal, periodRate, periods))) {
        std::fprintf(stderr, "LevelPayment: the kept payment differs from the one worked out again\n");
        std::abort();
    }
#endif
    return found->payment;
}

namespace {

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

// The loan repaid in period `period`, the balance left at `left` (0 or
// below); returns the window's principal `sum`.
float Repaid(AmortizationState& s, float left, int64_t period, float sum, int32_t count, float interest,
             int32_t* outCount, float* outInterest) {
    s.balance = left;
    s.repaid = 1;
    s.next = period + 1;
    Store(outCount, outInterest, count, interest);
    return sum;
}

// The window's principal when the balance fell to `balance` (0 or below).
float LastSum(float sum, float balance) {
    sum = sum + balance;
    return sum < 0 ? 0.0f : sum;
}

// The periods first..last, starting from the state at period first, the
// extra added in every one of them (WithExtra) or in none: the same
// operations in the same order as the loop of AmortizeWindow, without asking
// of each period where it lies.
template <bool WithExtra>
float AmortizeAhead(AmortizationState& s, float periodRate, int32_t first, int32_t last, float extra,
                    int32_t* outCount, float* outInterest) {
    const float pay = s.payment;
    const int64_t n = int64_t{last} - first + 1;
    float balance = s.balance;
    float sum = 0;
    float interest = 0;
    for (int64_t m = 0; m < n; ++m) {
        const float i = balance * periodRate;
        float pr = pay - i;
        if constexpr (WithExtra) pr = extra + pr;
        interest = interest + i;
        if (balance < pr)
            return Repaid(s, balance - pr, first + m, sum + balance, static_cast<int32_t>(m + 1), interest, outCount,
                          outInterest);
        sum = pr + sum;
        balance = balance - pr;
        if (!(balance > 0))
            return Repaid(s, balance, first + m, LastSum(sum, balance), static_cast<int32_t>(m + 1), interest, outCount,
                          outInterest);
    }
    s.balance = balance;
    s.next = first + n;
    Store(outCount, outInterest, static_cast<int32_t>(n), interest);
    return sum;
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
    // Repaid before the window (a window never starts before s.next).
    if (s.repaid) return LastSum(0.0f, s.balance);
    // The year-by-year case: the window starts where the state stands and the
    // extra is due in all of its periods or in none.
    // An extra of +0 leaves every principal as it was: pay - i is -0 only
    // when the payment is -0, and x + (+0) is x for every other x.
    if (first == s.next) {
        const bool noExtra = extraFrom > last || (SameBits(extra, 0.0f) && !SameBits(s.payment, -0.0f));
        if (noExtra) return AmortizeAhead<false>(s, periodRate, first, last, extra, outCount, outInterest);
        if (extraFrom <= first) return AmortizeAhead<true>(s, periodRate, first, last, extra, outCount, outInterest);
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
            // Paid off in this period; a later replay sees the balance go
            // below 0 here.
            if (balance < pr) return Repaid(s, balance - pr, k, sum + balance, count, interest, outCount, outInterest);
            sum = pr + sum;
        }
        balance = balance - pr;
        if (!(balance > 0)) return Repaid(s, balance, k, LastSum(sum, balance), count, interest, outCount, outInterest);
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

namespace {

bool NumberChar(char c) { return (c >= '0' && c <= '9') || c == '$' || c == '.' || c == '-'; }

}  // namespace

void FormatDollars(char* text, size_t size) {
    if (!text || size == 0) return;
    // Every schedule amount passes through here. The number is the text's
    // characters, blanks removed, up to the first that is not part of a
    // number; a first pass finds how long it is and where its point and its
    // first minus sign are, a second writes the result, short ones in a
    // buffer on the stack, longer ones in one on the heap.
    const size_t length = strnlen(text, size);
    size_t count = 0, end = 0, point = SIZE_MAX, minus = SIZE_MAX;
    for (size_t t = 0; t < length; ++t) {
        const char c = text[t];
        if (c == ' ') continue;
        if (!NumberChar(c)) break;
        if (c == '.' && point == SIZE_MAX) point = count;
        if (c == '-' && minus == SIZE_MAX) minus = count;
        ++count;
        end = t + 1;  // after the number's last character
    }
    // A number with a point gets a separator before every third digit left
    // of it, counted from the point, as many as the digits allow (a minus
    // sign before the point is not a digit); one without a point gets none.
    size_t separators = 0;
    if (point == SIZE_MAX) {
        point = count;
    } else {
        const long s = (static_cast<long>(point) - 1 - (minus < point ? 1 : 0)) / 3;
        separators = s < 0 ? 0 : static_cast<size_t>(s);
    }
    char small[512];
    std::vector<char> large;
    char* out = small;
    if (length > 200) {
        large.resize(2 * length + 4);
        out = large.data();
    }
    size_t n = 0, k = 0;
    size_t comma = separators > 0 ? point - 3 * separators : SIZE_MAX;  // the next digit with one before it
    out[n++] = '$';
    for (size_t t = 0; t < end; ++t) {
        const char c = text[t];
        if (c == ' ') continue;
        if (k == comma) {
            out[n++] = ',';
            comma = comma + 3 < point ? comma + 3 : SIZE_MAX;
        }
        out[n++] = c;
        ++k;
    }
    if (n > size - 1) n = size - 1;
    std::memcpy(text, out, n);
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
