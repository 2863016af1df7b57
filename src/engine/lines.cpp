// Schedule lines: where each one goes, the fixed line tables, and the small
// text helpers every writer of the engine uses.
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "engine/fixed_text.h"
#include "engine/internal.h"
#include "engine/payment.h"

LineTable resultsList;
LineTable eventList;

void ClearLines(LineTable& table) {
    table.count = 0;
    table.used = 0;
    table.dropped = 0;
}

int AddLine(LineTable& table, const char* text) {
    int length = static_cast<int>(std::strlen(text));
    if (table.count >= LineTable::MaxLines || table.used + length + 1 > LineTable::TextBytes) {
        ++table.dropped;
        return -1;
    }
    table.start[table.count] = table.used;
    std::memcpy(table.text + table.used, text, static_cast<size_t>(length) + 1);
    table.used += length + 1;
    return table.count++;
}

const char* LineAt(const LineTable& table, int index) {
    if (index < 0 || index >= table.count) return "";
    return table.text + table.start[index];
}

void TrimNumber(char* text) {
    char* out = text;
    for (const char* in = text; *in; ++in)
        if (*in != ' ') *out++ = *in;
    *out = 0;
    for (char* p = text; *p; ++p) {
        if (!std::isdigit(static_cast<unsigned char>(*p)) && *p != '$' && *p != '.' && *p != '-') {
            *p = 0;
            break;
        }
    }
}

void RateText(char* out, int size, const char* format, float rate) {
    char number[64];
    std::snprintf(number, sizeof number, format, static_cast<double>(rate));
    TrimNumber(number);
    std::snprintf(out, static_cast<size_t>(size), "%s%%", number);
}

void RateLine(char* out, int size, const char* label, float rate) {
    char rateText[72];
    RateText(rateText, sizeof rateText, "%-7.2f", rate);
    std::snprintf(out, static_cast<size_t>(size), "%s%s", label, rateText);
}

void MoneyText(char* out, int size, const char* format, float value) {
    if (size <= 0) return;
    // Room for the largest float in every money format, its separators and '$'.
    char number[160];
    int n = FixedTextFormat(number, format, value);
    if (n >= 0) {
        number[n] = 0;
    } else {
        std::snprintf(number, sizeof number, format, static_cast<double>(value));
    }
    FormatDollars(number, sizeof number);
    // A figure that does not fit shows as an error, never as a shorter
    // number; neither does one that is no number at all.
    const char* text = !std::isfinite(value)                                     ? (std::isnan(value) ? "(NaN)" : "(overflow)")
                       : std::strlen(number) > static_cast<size_t>(size - 1) ? "(overflow)"
                                                                                 : number;
    size_t length = std::strlen(text);
    if (length > static_cast<size_t>(size - 1)) length = static_cast<size_t>(size - 1);
    std::memcpy(out, text, length);
    out[length] = 0;
}

void CopyField(char* out, int size, const char* field, int fieldSize) {
    if (size <= 0) return;
    int limit = fieldSize < size - 1 ? fieldSize : size - 1;
    size_t n = 0;
    if (limit > 0) {
        const void* end = std::memchr(field, 0, static_cast<size_t>(limit));
        n = end ? static_cast<size_t>(static_cast<const char*>(end) - field) : static_cast<size_t>(limit);
    }
    std::memcpy(out, field, n);
    out[n] = 0;
}

void AccountNameAt(int position, char* out, int size) {
    if (position < 0 || position >= LiveAccountCount()) {
        if (size > 0) out[0] = 0;
        return;
    }
    CopyField(out, size, scenario.accountTable.accounts[position].name);
}

namespace {

// A schedule row starts with its age ("65.0\t..."): the whole age, or -1.
int RowAge(const char* text) {
    if (!std::isdigit(static_cast<unsigned char>(text[0]))) return -1;
    const char* dot = nullptr;
    for (int i = 0; i < 4 && text[i]; ++i)
        if (text[i] == '.') {
            dot = text + i;
            break;
        }
    if (!dot) return -1;
    int age = 0;
    for (const char* p = text; p < dot; ++p) {
        if (!std::isdigit(static_cast<unsigned char>(*p))) return -1;
        age = age * 10 + (*p - '0');
    }
    return age < AgeSlots ? age : -1;
}

}  // namespace

void EmitLine(int outputMode, const char* text, int tag) {
    if (!LineKept(outputMode)) return;
    bool sectionMarker = text[0] == '?' && text[1] == '?';
    if (outputMode == OutputResultsList) {
        if (sectionMarker || std::strstr(text, "------")) return;
        if (run.projectionAge < run.startYear) return;
        int line = run.lineCounter;
        if (line == 0) ClearLines(resultsList);
        int age = RowAge(text);
        if (age >= 0) results.lineIndexByAge[age] = line;
        if (line < MaxTaggedLines) results.lineTag[line] = tag;
        ++run.lineCounter;
        AddLine(resultsList, text);
        return;
    }
    if (!run.resultsStream) return;
    if (sectionMarker) {
        std::fputs("\n\n", run.resultsStream);
        return;
    }
    if (run.projectionAge < run.startYear) return;
    std::fputs(text, run.resultsStream);
    std::fputc('\n', run.resultsStream);
}
