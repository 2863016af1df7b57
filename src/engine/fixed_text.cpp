#include "engine/fixed_text.h"

#include <cstdint>
#include <cstdio>
#include <cstring>

namespace {

constexpr uint64_t Scale[5] = {1, 10, 100, 1000, 10000};

// "00" "01" ... "99": two digits at a time.
constexpr char Pairs[] =
    "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
    "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
    "8081828384858687888990919293949596979899";

int Fallback(char* out, float value, int width, int precision, int left) {
    return std::snprintf(out, 48 + static_cast<size_t>(width), left ? "%-*.*f" : "%*.*f", width, precision,
                         static_cast<double>(value));
}

}  // namespace

int FixedText(char* out, float value, int width, int precision, int left) {
    if (precision < 0 || precision > 4 || width < 0 || width > 255) return Fallback(out, value, width, precision, left);
    uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    const bool negative = bits >> 31;
    const int biased = static_cast<int>((bits >> 23) & 0xFF);
    if (biased == 0xFF) return Fallback(out, value, width, precision, left);  // infinity, NaN
    uint64_t mantissa = bits & 0x7FFFFF;
    int exponent;  // value = mantissa x 2^exponent
    if (biased == 0) {
        exponent = -149;
    } else {
        mantissa |= 0x800000;
        exponent = biased - 150;
    }
    // The value x 10^precision, rounded to the nearest whole number, ties to
    // even: printf rounds the exact binary value the same way.
    const uint64_t scaled = mantissa * Scale[precision];  // below 2^38
    uint64_t q;
    if (exponent >= 0) {
        if (exponent > 24) return Fallback(out, value, width, precision, left);
        q = scaled << exponent;
    } else if (exponent <= -63) {
        q = 0;  // far below half a unit of the last digit
    } else {
        const int k = -exponent;
        q = scaled >> k;
        const uint64_t rest = scaled & ((uint64_t{1} << k) - 1);
        const uint64_t half = uint64_t{1} << (k - 1);
        if (rest > half || (rest == half && (q & 1))) ++q;
    }

    // The text is built backwards from `end`, in the middle of a run of
    // blanks: the padded text of the usual widths is then one fixed-size copy,
    // whichever side the blanks go.
    char digits[96];
    std::memset(digits, ' ', sizeof digits);
    char* const end = digits + 48;
    char* p = end;
    uint64_t whole = q;
    switch (precision) {  // constant divisors: no division instruction
        case 1: whole = q / 10; break;
        case 2: whole = q / 100; break;
        case 3: whole = q / 1000; break;
        case 4: whole = q / 10000; break;
        default: break;
    }
    if (precision > 0) {
        uint32_t fraction = static_cast<uint32_t>(q - whole * Scale[precision]);
        for (int d = precision; d >= 2; d -= 2) {
            p -= 2;
            std::memcpy(p, Pairs + 2 * (fraction % 100), 2);
            fraction /= 100;
        }
        if (precision & 1) *--p = static_cast<char>('0' + fraction);
        *--p = '.';
    }
    if (whole <= 0xFFFFFFFFu) {
        uint32_t w = static_cast<uint32_t>(whole);
        while (w >= 100) {
            p -= 2;
            std::memcpy(p, Pairs + 2 * (w % 100), 2);
            w /= 100;
        }
        if (w >= 10) {
            p -= 2;
            std::memcpy(p, Pairs + 2 * w, 2);
        } else {
            *--p = static_cast<char>('0' + w);
        }
    } else {
        do {
            *--p = static_cast<char>('0' + whole % 10);
            whole /= 10;
        } while (whole);
    }
    if (negative) *--p = '-';

    const int n = static_cast<int>(end - p);  // at most 22 here
    const int pad = width > n ? width - n : 0;
    if (n + pad <= 32) {
        std::memcpy(out, left ? p : end - (n + pad), 32);
        out[n + pad] = 0;
        return n + pad;
    }
    if (left) {
        std::memcpy(out, p, static_cast<size_t>(n));
        std::memset(out + n, ' ', static_cast<size_t>(pad));
    } else {
        std::memset(out, ' ', static_cast<size_t>(pad));
        std::memcpy(out + pad, p, static_cast<size_t>(n));
    }
    out[n + pad] = 0;
    return n + pad;
}

int FixedTextFormat(char* out, const char* format, float value) {
    const char* p = format;
    if (*p++ != '%') return -1;
    int left = 0, width = 0;
    if (*p == '-') {
        left = 1;
        ++p;
    }
    for (int digits = 0; *p >= '0' && *p <= '9'; ++p) {
        if (++digits > 2 || (digits == 1 && *p == '0')) return -1;  // a leading 0 would be a flag
        width = width * 10 + (*p - '0');
    }
    if (*p++ != '.' || *p < '0' || *p > '4') return -1;
    int precision = *p++ - '0';
    if (*p++ != 'f' || *p) return -1;
    return FixedText(out, value, width, precision, left);
}
