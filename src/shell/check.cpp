// Field checks and the message strings.
#include "shell/check.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

#include "engine/payment.h"
#include "model/model.h"
#include "ui/ui.h"

namespace {

const char* const messageStrings[] = {
    nullptr,
    nullptr,
    "This amount must be greater than 0.00 and less than 99999999.00.",
    "This age must be between 1 and 120.0.",
    "This rate must be between 0.0% and 1000.0%.",
    "The number of years must be between 1 and 100.",
    "Loan/Mortgage rates must be greater than 0.0 and less than 1000.0.",
    "This age must be between 1.0 and 120.0.",
    "The Applied Rate must be between -20.0% and 20.0%",
    "The birth month value must between 1 and 12",
    "The birth day value must be between 1 and 31",
    "This rate must be between -99.0% and 99.0%",
    "This age must be less than 120.0",
};

void Refuse(const std::string& text, const char* caption) {
    ui::Message(text, caption, ui::Buttons::Ok, ui::Icon::Stop);
}

void RefuseById(int messageId, float low, float high, const char* caption) {
    if (messageId == FormattedRangeMessage) {
        char text[200];
        std::snprintf(text, sizeof text, "This rate must be greater than %f.2 and less than %f.2", low, high);
        Refuse(text, caption);
    } else {
        Refuse(MessageString(messageId), caption);
    }
}

std::string Unblanked(const char* format, double value) {
    std::string s = Format(format, value), out;
    for (char c : s)
        if (c != ' ') out += c;
    return out;
}

void RefuseByRange(const char* sentence, const char* format, float low, float high, const char* caption) {
    char text[200];
    std::snprintf(text, sizeof text, sentence, Unblanked(format, low).c_str(), Unblanked(format, high).c_str());
    Refuse(text, caption);
}

void RefuseAge(float value, int age, const char* caption) {
    char text[200];
    std::snprintf(text, sizeof text,
                  "The value %s for age %2d seems out of range. Please check your Life Expectancy Tables.",
                  Format("%4.1f", value).c_str(), age);
    Refuse(text, caption);
}

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// Thousands separators are taken only where they group whole digits by
// three ("1,234,567"); "1,5" is refused rather than guessed at.
bool Grouped(const std::string& w) {
    std::size_t first = w.find(',');
    if (first == std::string::npos) return true;
    if (first == 0 || first > 3 || (w.size() - first) % 4 != 0) return false;
    for (std::size_t i = first; i < w.size(); ++i)
        if ((w[i] == ',') != ((i - first) % 4 == 0)) return false;
    return true;
}

// The runtime's text-to-integer reading, with values beyond the int range
// held at its ends instead of left undefined.
int WholeNumber(const std::string& text) {
    long long v = std::strtoll(text.c_str(), nullptr, 10);
    if (v > 2147483647LL) return 2147483647;
    if (v < -2147483647LL) return -2147483647;
    return static_cast<int>(v);
}

}  // namespace

int CleanNumberText(const std::string& text, std::string& clean) {
    std::size_t b = 0, e = text.size();
    while (b < e && IsBlank(text[b])) ++b;
    while (e > b && IsBlank(text[e - 1])) --e;
    std::string body = text.substr(b, e - b);
    clean.clear();
    if (body.empty()) return 1;
    bool negative = false;
    if (body.size() >= 2 && body.front() == '(' && body.back() == ')') {
        negative = true;
        body = body.substr(1, body.size() - 2);
    }
    // "-$5", "$-5" and "$5" alike.
    std::size_t i = 0;
    bool dollar = false;
    for (int k = 0; k < 2 && i < body.size(); ++k) {
        if (body[i] == '$' && !dollar) {
            dollar = true;
            ++i;
        } else if (body[i] == '-' && !negative) {
            negative = true;
            ++i;
        }
    }
    body = body.substr(i);
    if (body.empty()) return 0;
    std::size_t intEnd = 0;
    while (intEnd < body.size() && (std::isdigit(static_cast<unsigned char>(body[intEnd])) || body[intEnd] == ','))
        ++intEnd;
    std::string whole = body.substr(0, intEnd);
    if (!Grouped(whole)) return 0;
    std::string number;
    for (char c : whole)
        if (c != ',') number += c;
    number += body.substr(intEnd);
    if (negative) {
        // A sign inside the parentheses or after "-" is one sign too many.
        if (number[0] == '-' || number[0] == '+') return 0;
        number = "-" + number;
    }
    const char* start = number.c_str();
    char* end = nullptr;
    std::strtod(start, &end);
    if (end == start || *end != '\0') return 0;
    clean = number;
    return 1;
}

float TypedNumber(const std::string& text, int maxChars) {
    std::string clean;
    if (!CleanNumberText(text, clean)) return std::numeric_limits<float>::quiet_NaN();
    if (maxChars > 0 && static_cast<int>(clean.size()) > maxChars - 1) clean.resize(maxChars - 1);
    return static_cast<float>(std::atof(clean.c_str()));
}

int TypedWhole(const std::string& text, int maxChars, int& value) {
    std::string clean;
    if (!CleanNumberText(text, clean)) return 0;
    if (maxChars > 0 && static_cast<int>(clean.size()) > maxChars - 1) clean.resize(maxChars - 1);
    value = WholeNumber(clean);
    return 1;
}

int CheckNumbers(ui::Dialog& dialog, std::initializer_list<int> controls) {
    std::string clean;
    // A number too large for a float ("1e39", forty digits) is no number
    // the Scenario can hold.
    for (int control : controls)
        if (!CleanNumberText(dialog.Text(control), clean) || !std::isfinite(static_cast<float>(std::atof(clean.c_str())))) {
            Refuse("This value must be a number, such as 1234.56 or $1,234.56.", "NUMBER ERROR");
            return 0;
        }
    return 1;
}

std::string MessageString(int id) {
    constexpr int count = sizeof messageStrings / sizeof messageStrings[0];
    if (id < 0 || id >= count || !messageStrings[id]) return "";
    return messageStrings[id];
}

std::string MoneyFieldText(float value) { return Dollars("%-11.2f", value); }

std::string FieldInput(ui::Dialog& dialog, int control, int maxChars) {
    std::string text = dialog.Text(control);
    if (maxChars > 0 && static_cast<int>(text.size()) > maxChars - 1) text.resize(maxChars - 1);
    return text;
}

int CheckField(ui::Dialog& dialog, int control, float& out, int maxChars, float low, float high, int messageId,
               const char* caption) {
    float value = TypedNumber(dialog.Text(control), maxChars);
    if (!(value >= low && value <= high)) {
        RefuseById(messageId, low, high, caption);
        return 0;
    }
    out = value;
    return 1;
}

int CheckField(ui::Dialog& dialog, int control, int16_t& out, int maxChars, float low, float high, int messageId,
               const char* caption) {
    int value = 0;
    const bool typed = TypedWhole(dialog.Text(control), maxChars, value);
    if (!typed || value < static_cast<int>(low) || value > static_cast<int>(high)) {
        RefuseById(messageId, low, high, caption);
        return 0;
    }
    out = static_cast<int16_t>(value);
    return 1;
}

int CheckText(const std::string& text, float& out, float low, float high, int ageOrCode, const char* caption) {
    float value = TypedNumber(text, 0);
    if (value >= low && value <= high) {
        out = value;
        return 1;
    }
    // A doubtful value is kept only when it is a number at all.
    if (ageOrCode >= 70 && std::isfinite(value)) {
        RefuseAge(value, ageOrCode, caption);
        out = value;
        return 0;
    }
    RefuseByRange("This amount must be greater than %s and less than %s.", "%13.2f", low, high, caption);
    return 0;
}

int CheckText(const std::string& text, int16_t& out, float low, float high, int ageOrCode, const char* caption) {
    int value = 0;
    const bool typed = TypedWhole(text, 0, value);
    if (typed && value >= static_cast<int>(low) && value <= static_cast<int>(high)) {
        out = static_cast<int16_t>(value);
        return 1;
    }
    if (ageOrCode >= 70 && typed) {
        RefuseAge(static_cast<float>(value), ageOrCode, caption);
        out = static_cast<int16_t>(value);
        return 0;
    }
    RefuseByRange("This rate must be greater than %s and less than %s.", "%9.3f", low, high, caption);
    return 0;
}
