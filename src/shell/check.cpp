// Field checks and the message strings.
#include "shell/check.h"

#include <cstdio>
#include <cstdlib>

#include "engine/payment.h"
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

// The runtime's text-to-integer reading, with values beyond the int range
// held at its ends instead of left undefined.
int WholeNumber(const std::string& text) {
    long long v = std::strtoll(text.c_str(), nullptr, 10);
    if (v > 2147483647LL) return 2147483647;
    if (v < -2147483647LL) return -2147483647;
    return static_cast<int>(v);
}

}  // namespace

std::string MessageString(int id) {
    constexpr int count = sizeof messageStrings / sizeof messageStrings[0];
    if (id < 0 || id >= count || !messageStrings[id]) return "";
    return messageStrings[id];
}

std::string Format(const char* format, double value) {
    char text[128];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

std::string FormatInt(const char* format, int value) {
    char text[64];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

std::string MoneyFieldText(float value) { return Dollars("%-11.2f", value); }

std::string FieldInput(ui::Dialog& dialog, int control, int maxChars) {
    std::string text = dialog.Text(control);
    if (maxChars > 0 && static_cast<int>(text.size()) > maxChars - 1) text.resize(maxChars - 1);
    return text;
}

int CheckField(ui::Dialog& dialog, int control, float& out, int maxChars, float low, float high, int messageId,
               const char* caption) {
    float value = static_cast<float>(std::atof(FieldInput(dialog, control, maxChars).c_str()));
    if (!(value >= low && value <= high)) {
        RefuseById(messageId, low, high, caption);
        return 0;
    }
    out = value;
    return 1;
}

int CheckField(ui::Dialog& dialog, int control, int16_t& out, int maxChars, float low, float high, int messageId,
               const char* caption) {
    int value = WholeNumber(FieldInput(dialog, control, maxChars));
    if (value < static_cast<int>(low) || value > static_cast<int>(high)) {
        RefuseById(messageId, low, high, caption);
        return 0;
    }
    out = static_cast<int16_t>(value);
    return 1;
}

int CheckText(const std::string& text, float& out, float low, float high, int ageOrCode, const char* caption) {
    float value = static_cast<float>(std::atof(text.c_str()));
    if (value >= low && value <= high) {
        out = value;
        return 1;
    }
    if (ageOrCode >= 70) {
        RefuseAge(value, ageOrCode, caption);
        out = value;
        return 0;
    }
    RefuseByRange("This amount must be greater than %s and less than %s.", "%13.2f", low, high, caption);
    return 0;
}

int CheckText(const std::string& text, int16_t& out, float low, float high, int ageOrCode, const char* caption) {
    int value = WholeNumber(text);
    if (value >= static_cast<int>(low) && value <= static_cast<int>(high)) {
        out = static_cast<int16_t>(value);
        return 1;
    }
    if (ageOrCode >= 70) {
        RefuseAge(static_cast<float>(value), ageOrCode, caption);
        out = static_cast<int16_t>(value);
        return 0;
    }
    RefuseByRange("This rate must be greater than %s and less than %s.", "%9.3f", low, high, caption);
    return 0;
}
