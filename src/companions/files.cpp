// The companion files, read line by line out of memory. Every line is taken
// through one reader that knows the line number, refuses over-long lines
// and NUL bytes, and reports the end of the text as a truncated file.
#include "companions/files.h"

#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string_view>

namespace companions {

namespace {

class Lines {
public:
    Lines(const std::string& bytes, const std::string& name) : text_(bytes), name_(name) {}

    // The next line without its end; 0 at the end of the text or on a line
    // that no file of ours holds (the error says which).
    int Next(std::string_view& line, std::string& error, const char* expected) {
        if (pos_ >= text_.size()) return Fail(error, std::string("the file ends where ") + expected + " should follow");
        ++number_;
        size_t end = text_.find('\n', pos_);
        if (end == std::string_view::npos) end = text_.size();
        line = text_.substr(pos_, end - pos_);
        pos_ = end + 1;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (line.size() > static_cast<size_t>(MaxLineLength)) return Fail(error, "the line is too long");
        if (line.find('\0') != std::string_view::npos) return Fail(error, "the line holds a NUL byte");
        return 1;
    }
    bool AtEnd() const { return pos_ >= text_.size(); }
    int Fail(std::string& error, const std::string& why) const {
        error = name_ + ": line " + std::to_string(number_ > 0 ? number_ : 1) + ": " + why;
        return 0;
    }

private:
    std::string_view text_;
    std::string name_;
    size_t pos_ = 0;
    int number_ = 0;
};

bool Blank(char c) { return c == ' ' || c == '\t'; }

std::string_view Trimmed(std::string_view t) {
    while (!t.empty() && Blank(t.front())) t.remove_prefix(1);
    while (!t.empty() && Blank(t.back())) t.remove_suffix(1);
    return t;
}

bool StartsWith(std::string_view t, std::string_view prefix) { return t.substr(0, prefix.size()) == prefix; }

// Blank- or tab-separated words.
std::vector<std::string_view> Words(std::string_view t) {
    std::vector<std::string_view> words;
    size_t i = 0;
    while (i < t.size()) {
        while (i < t.size() && Blank(t[i])) ++i;
        size_t start = i;
        while (i < t.size() && !Blank(t[i])) ++i;
        if (i > start) words.push_back(t.substr(start, i - start));
    }
    return words;
}

// A finite single-precision figure, the whole word and nothing else: "nan",
// "inf" and figures beyond the float range are refused.
bool Number(std::string_view word, float& value) {
    word = Trimmed(word);
    if (word.empty()) return false;
    const char* first = word.data();
    const char* last = word.data() + word.size();
    float v = 0;
    auto [end, ec] = std::from_chars(first, last, v, std::chars_format::general);
    if (ec != std::errc() || end != last || !std::isfinite(v)) return false;
    value = v;
    return true;
}

bool Whole(std::string_view word, int& value) {
    word = Trimmed(word);
    if (word.empty()) return false;
    const char* last = word.data() + word.size();
    int v = 0;
    auto [end, ec] = std::from_chars(word.data(), last, v);
    if (ec != std::errc() || end != last) return false;
    value = v;
    return true;
}

std::string Shown(std::string_view t) {
    std::string s(t.substr(0, 40));
    return "\"" + s + (t.size() > 40 ? "...\"" : "\"");
}

int NumberLine(Lines& in, float& value, std::string& error, const char* what) {
    std::string_view line;
    if (!in.Next(line, error, what)) return 0;
    if (!Number(line, value)) return in.Fail(error, std::string(what) + " is not a number: " + Shown(line));
    return 1;
}

int WholeLine(Lines& in, int& value, std::string& error, const char* what) {
    std::string_view line;
    if (!in.Next(line, error, what)) return 0;
    if (!Whole(line, value)) return in.Fail(error, std::string(what) + " is not a whole number: " + Shown(line));
    return 1;
}

int TextLine(Lines& in, std::string& value, std::string& error, const char* what) {
    std::string_view line;
    if (!in.Next(line, error, what)) return 0;
    value.assign(line);
    return 1;
}

// All the words of a line as figures; `count` of them exactly.
int Figures(Lines& in, std::string_view line, size_t count, float* out, std::string& error, const char* what) {
    std::vector<std::string_view> words = Words(line);
    if (words.size() != count)
        return in.Fail(error, std::string(what) + " holds " + std::to_string(words.size()) + " figures, not " +
                                  std::to_string(count));
    for (size_t i = 0; i < count; ++i)
        if (!Number(words[i], out[i])) return in.Fail(error, std::string(what) + ": not a number: " + Shown(words[i]));
    return 1;
}

}  // namespace

int ReadWholeFile(const std::string& path, std::string& bytes, std::string& error) {
    bytes.clear();
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) {
        error = "Cannot open " + path + ": " + std::strerror(errno);
        return 0;
    }
    char buffer[65536];
    size_t n = 0;
    bool tooLarge = false;
    while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) {
        if (static_cast<long>(bytes.size() + n) > MaxFileBytes) {
            tooLarge = true;
            break;
        }
        bytes.append(buffer, n);
    }
    bool failed = std::ferror(f) != 0;
    std::fclose(f);
    if (tooLarge) error = path + ": the file is too large";
    if (failed) error = "Cannot read " + path;
    return tooLarge || failed ? 0 : 1;
}

// ---- Plot file ------------------------------------------------------------------

int ParsePlotFile(const std::string& bytes, const std::string& name, PlotFile& out, std::string& error) {
    out = PlotFile{};
    Lines in(bytes, name);
    std::string_view line;
    if (!WholeLine(in, out.folderCode, error, "the graph code")) return 0;
    if (!TextLine(in, out.fileLine, error, "the file line") || !TextLine(in, out.dateLine, error, "the date line") ||
        !TextLine(in, out.timeLine, error, "the time line"))
        return 0;
    float years = 0;
    if (!NumberLine(in, years, error, "the year count")) return 0;
    if (years < 0 || years >= MaxPlotYears) return in.Fail(error, "the year count is out of range");
    out.yearCount = static_cast<int>(years);
    int accounts = 0;
    if (!WholeLine(in, accounts, error, "the account count")) return 0;
    if (accounts < 0 || accounts > MaxPlotAccounts) return in.Fail(error, "the account count is out of range");
    out.accounts.resize(static_cast<size_t>(accounts));
    for (std::string& a : out.accounts)
        if (!TextLine(in, a, error, "an account name")) return 0;
    out.groupOf.assign(static_cast<size_t>(accounts), -1);

    // A "Done" among the years ends the file there (a saved graph of a run
    // that stopped early); what came before is kept.
    for (int y = 0; y < out.yearCount; ++y) {
        PlotYear year;
        year.balances.resize(static_cast<size_t>(accounts));
        for (float& b : year.balances) {
            if (!in.Next(line, error, "an account balance")) return 0;
            if (StartsWith(line, "Done")) return 1;
            if (!Number(line, b)) return in.Fail(error, "an account balance is not a number: " + Shown(line));
        }
        if (!in.Next(line, error, "a year line")) return 0;
        if (StartsWith(line, "Done")) return 1;
        if (!Figures(in, line, RecordValues, year.record, error, "the year line")) return 0;
        out.years.push_back(std::move(year));
    }
    out.groups.resize(PlotGroups);
    for (std::string& g : out.groups)
        if (!TextLine(in, g, error, "a group name")) return 0;
    for (int& g : out.groupOf) {
        int index = 0;
        if (!WholeLine(in, index, error, "an account's group")) return 0;
        g = index >= 0 && index < PlotGroups ? index : -1;
    }
    if (!in.Next(line, error, "the closing \"Done\"")) return 0;
    if (!StartsWith(line, "Done")) return in.Fail(error, "the closing \"Done\" is missing");
    return 1;
}

int ReadPlotFile(const std::string& path, PlotFile& out, std::string& error) {
    std::string bytes;
    return ReadWholeFile(path, bytes, error) && ParsePlotFile(bytes, path, out, error);
}

// ---- Curve files ----------------------------------------------------------------

int ParseCurveFile(const std::string& bytes, const std::string& name, CurveFile& out, std::string& error) {
    out = CurveFile{};
    Lines in(bytes, name);
    std::string_view line;
    float kind = 0;
    if (!NumberLine(in, kind, error, "the first line")) return 0;
    std::string ignored;
    for (int i = 0; i < 3; ++i)
        if (!TextLine(in, ignored, error, "a title line")) return 0;
    if (!NumberLine(in, out.extent, error, "the extent")) return 0;
    int curves = 0;
    if (!WholeLine(in, curves, error, "the curve count")) return 0;
    if (curves < 0 || curves > MaxCurves) return in.Fail(error, "the curve count is out of range");
    out.names.resize(static_cast<size_t>(curves));
    for (std::string& n : out.names)
        if (!TextLine(in, n, error, "a curve name")) return 0;
    out.y.resize(static_cast<size_t>(curves));

    // Each point: one place-holder figure per curve, then "x y1 y2 ...".
    float values[MaxCurves + 1];
    for (;;) {
        if (!in.Next(line, error, "a point or \"Done\"")) return 0;
        if (StartsWith(line, "Done")) break;
        if (static_cast<int>(out.x.size()) >= MaxCurvePoints) return in.Fail(error, "too many points");
        for (int k = 0; k < curves; ++k) {
            if (k > 0 && !in.Next(line, error, "a point")) return 0;
            float placeholder = 0;
            if (!Number(line, placeholder)) return in.Fail(error, "a point line is not a number: " + Shown(line));
        }
        if (curves > 0 && !in.Next(line, error, "a point")) return 0;
        if (!Figures(in, line, static_cast<size_t>(curves) + 1, values, error, "the point")) return 0;
        out.x.push_back(values[0]);
        for (int k = 0; k < curves; ++k) out.y[static_cast<size_t>(k)].push_back(values[k + 1]);
    }
    return 1;
}

int ReadCurveFile(const std::string& path, CurveFile& out, std::string& error) {
    std::string bytes;
    return ReadWholeFile(path, bytes, error) && ParseCurveFile(bytes, path, out, error);
}

// ---- Monte Carlo statistics -------------------------------------------------------

namespace {

// "Label\t= figure".
int SummaryLine(Lines& in, const char* label, float& value, std::string& error) {
    std::string_view line;
    if (!in.Next(line, error, label)) return 0;
    size_t eq = line.find('=');
    if (!StartsWith(line, label) || eq == std::string_view::npos || !Number(line.substr(eq + 1), value))
        return in.Fail(error, std::string("expected \"") + label + " = figure\": " + Shown(line));
    return 1;
}

// "Below L\t\t    n\t...", "L\tto\tH\tn\t...", "Above H\t\t    n\t...".
int BinLine(Lines& in, int bin, RateHistogram& h, std::string& error) {
    std::string_view line;
    if (!in.Next(line, error, "a bin line")) return 0;
    const char* prefix = bin == 0 ? "Below " : bin == StatisticsBins - 1 ? "Above " : "";
    bool ok = StartsWith(line, prefix);
    std::vector<std::string_view> words = ok ? Words(line.substr(std::strlen(prefix))) : std::vector<std::string_view>{};
    size_t countAt = bin == 0 || bin == StatisticsBins - 1 ? 1 : 3;
    ok = ok && words.size() > countAt && Number(words[0], h.edge[bin]) && Whole(words[countAt], h.count[bin]) &&
         h.count[bin] >= 0;
    if (ok && countAt == 3) ok = words[1] == "to";
    if (!ok) return in.Fail(error, "not a bin line: " + Shown(line));
    return 1;
}

int AccountBlock(Lines& in, std::string_view name, RateHistogram& h, std::string& error) {
    h.account.assign(name);
    std::string_view line;
    if (!in.Next(line, error, "the column headings")) return 0;
    if (Trimmed(line) != "No.") return in.Fail(error, "expected the column headings: " + Shown(line));
    if (!in.Next(line, error, "the column headings")) return 0;
    if (!StartsWith(Trimmed(line), "Range")) return in.Fail(error, "expected the column headings: " + Shown(line));
    for (int bin = 0; bin < StatisticsBins; ++bin)
        if (!BinLine(in, bin, h, error)) return 0;
    if (!in.Next(line, error, "the summary or an empty line")) return 0;
    if (Trimmed(line).empty()) return 1;
    std::vector<std::string_view> words = Words(line);
    if (!StartsWith(line, "Count -- ") || words.size() < 3 || !Whole(words[2], h.total) || h.total < 0)
        return in.Fail(error, "expected \"Count -- n yearly rates generated.\": " + Shown(line));
    h.hasSummary = 1;
    if (!SummaryLine(in, "Minimum Rate", h.minimum, error) || !SummaryLine(in, "Maximum Rate", h.maximum, error) ||
        !SummaryLine(in, "Average Rate", h.average, error) ||
        !SummaryLine(in, "Standard Deviation", h.deviation, error))
        return 0;
    if (!in.Next(line, error, "the empty line after the summary")) return 0;
    if (!Trimmed(line).empty()) return in.Fail(error, "expected an empty line: " + Shown(line));
    return 1;
}

}  // namespace

int ParseStatisticsFile(const std::string& bytes, const std::string& name, StatisticsFile& out, std::string& error) {
    out = StatisticsFile{};
    Lines in(bytes, name);
    std::string_view line;
    if (!in.Next(line, error, "the title")) return 0;
    if (!StartsWith(line, "Monte Carlo Statistics")) return in.Fail(error, "not a Monte Carlo statistics file");
    out.title.assign(line);
    if (!in.Next(line, error, "an empty line")) return 0;
    if (StartsWith(line, "Distribution Factor = ")) {
        if (!Whole(line.substr(22), out.factor)) return in.Fail(error, "the distribution factor is not a whole number");
        out.hasFactor = 1;
        if (!in.Next(line, error, "an empty line")) return 0;
    }
    if (!Trimmed(line).empty()) return in.Fail(error, "expected an empty line: " + Shown(line));
    while (!in.AtEnd()) {
        if (!in.Next(line, error, "an account")) return 0;
        if (Trimmed(line).empty()) continue;
        if (static_cast<int>(out.accounts.size()) >= MaxPlotAccounts) return in.Fail(error, "too many accounts");
        RateHistogram h;
        if (!AccountBlock(in, line, h, error)) return 0;
        out.accounts.push_back(std::move(h));
    }
    return 1;
}

int ReadStatisticsFile(const std::string& path, StatisticsFile& out, std::string& error) {
    std::string bytes;
    return ReadWholeFile(path, bytes, error) && ParseStatisticsFile(bytes, path, out, error);
}

}  // namespace companions
