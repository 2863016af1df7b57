// build and dump, and the loading of a SCENARIO argument the commands share.
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <random>
#include <system_error>

#include "commands.h"
#include "engine/engine.h"
#include "model/model.h"
#include "scenario_json.h"
#include "ui/ui.h"

namespace {

// Far more than the JSON form of the largest Scenario takes.
constexpr long MaxJsonBytes = 64L * 1024 * 1024;

void Report(const std::string& text) { std::fprintf(stderr, "tillory-cli: %s\n", text.c_str()); }

void Show(const Notice& notice) {
    if (!notice.Empty()) ui::Message(notice.text, notice.caption);
}

// The program's own open, with its message on the console. 1 = opened.
int OpenScenario(const std::string& path) {
    int dpiX = 0, dpiY = 0;
    ui::Current().PrinterDotsPerInch(dpiX, dpiY);
    Notice notice;
    int read = ReadScenarioFile(path, dpiX, dpiY, notice);
    Show(notice);
    return read == 1 ? 1 : 0;
}

// The JSON form starts with '{' and, being text, holds no NUL byte; every
// scenario file holds some in its first two bytes (an event count of at most
// 150), so one whose count happens to be 123 ('{') is still no JSON.
bool LooksLikeJson(const std::string& bytes) {
    if (bytes.find('\0') != std::string::npos) return false;
    size_t i = bytes.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0;
    while (i < bytes.size() && (bytes[i] == ' ' || bytes[i] == '\t' || bytes[i] == '\r' || bytes[i] == '\n')) ++i;
    return i < bytes.size() && bytes[i] == '{';
}

// The first `limit` bytes of `path` (all of a shorter file).
int ReadStart(const std::string& path, long limit, std::string& bytes) {
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec)) {
        Report(path + " is a folder, not a scenario file");
        return 0;
    }
    errno = 0;
    if (ReadFileStart(path, limit, bytes)) return 1;
    Report("cannot read " + path + (errno ? std::string(": ") + std::strerror(errno) : ""));
    return 0;
}

int ReadWhole(const std::string& path, std::string& bytes) {
    if (!ReadStart(path, MaxJsonBytes + 1, bytes)) return 0;
    if (static_cast<long>(bytes.size()) > MaxJsonBytes) {
        Report(path + ": larger than a Scenario's JSON form can be");
        return 0;
    }
    return 1;
}

// The JSON form into memory exactly as written, without the corrections of
// an open.
int LoadJsonExactly(const std::string& path, const std::string& text) {
    std::string error;
    if (!ScenarioFromJson(text, error)) {
        Report(path + ": " + error);
        return 0;
    }
    SetScenarioPath(path);
    return 1;
}

// The program's own open insists on a file it could write to. (A folder
// was already refused by ReadStart, which every caller passes first.)
int CheckReadWrite(const std::string& path) {
    std::FILE* f = std::fopen(path.c_str(), "r+b");
    if (!f) {
        Report("cannot open " + path + " for reading and writing: " + std::strerror(errno));
        return 0;
    }
    std::fclose(f);
    return 1;
}

int OpenScenarioFile(const std::string& path) {
    if (!CheckReadWrite(path)) return 0;
    SetScenarioPath(path);
    // An invalid file has been reported by the open itself.
    return OpenScenario(path);
}

// Writes the Scenario in memory to `path` with the program's own Save As. The
// values a save gathers from outside the blocks are first taken from the
// blocks, so that the file holds the blocks exactly as they are.
int SaveScenarioTo(const std::string& path) {
    // Whatever width a file holds (a dump shows negative ones too) is
    // written back as it was: nothing reads it but the next save.
    const int32_t width = scenario.pageSettings.windowWidth;
    int dpiX = 0, dpiY = 0;
    ui::Current().PrinterDotsPerInch(dpiX, dpiY);
    TakeOutsideValuesFrom(scenario, dpiX, dpiY);
    std::error_code ec;
    if (std::filesystem::exists(path, ec)) {
        Notice question = OverwriteScenarioQuestion(path);
        if (ui::Message(question.text, question.caption, ui::Buttons::YesNo, ui::Icon::Stop) != ui::Answer::Yes)
            return 0;
    }
    Notice notice;
    int ok = WriteScenarioFileAs(path, width, notice);
    Show(notice);
    return ok;
}

// A name in the temporary folder that no file has yet.
std::string FreeTemporaryName() {
    std::error_code ec;
    std::filesystem::path folder = std::filesystem::temp_directory_path(ec);
    if (ec) folder = ".";
    std::random_device random;
    for (int k = 0; k < 100; ++k) {
        std::filesystem::path p = folder / ("tillory-" + std::to_string(random()) + ".ret");
        if (!std::filesystem::exists(p, ec)) return p.string();
    }
    return "";
}

// The JSON form opened the way its scenario file would be: written to a
// temporary file and read back, so that every load-time correction applies.
int LoadJsonAsOpened(const std::string& path, const std::string& text) {
    if (!LoadJsonExactly(path, text)) return 0;
    // Refused here rather than by the open of the temporary file, so that the
    // message names the JSON text's own path.
    std::string problem = CheckLoadedScenario(scenario, scenario.initialValues.eventCount);
    if (!problem.empty()) {
        Report(path + ": " + problem);
        return 0;
    }
    std::string temporary = FreeTemporaryName();
    if (temporary.empty()) {
        Report("no room for a temporary scenario file");
        return 0;
    }
    int ok = SaveScenarioTo(temporary) && OpenScenario(temporary);
    std::remove(temporary.c_str());
    SetScenarioPath(path);
    state.modified = 0;
    return ok;
}

// A complete file's blocks exactly as stored, over what the open made of
// them: its corrections of out-of-range values would otherwise keep a dump
// from giving the same file back.
// 0 when the file lacks a block or counts more records than the tables hold.
int TakeStoredBlocks(const std::string& bytes) {
    if (bytes.size() < sizeof(InitialValues)) return 0;
    int16_t n = 0, accounts = 0;
    std::memcpy(&n, bytes.data(), sizeof n);
    if (n < 0 || n > MaxEvents || static_cast<long>(bytes.size()) < ScenarioFileSize(n)) return 0;
    std::memcpy(&accounts, bytes.data() + sizeof(InitialValues) + sizeof(Event) * static_cast<size_t>(n),
                sizeof accounts);
    if (accounts < 0 || accounts > MaxAccounts) return 0;
    size_t at = 0;
    auto take = [&](void* block, size_t size) {
        std::memcpy(block, bytes.data() + at, size);
        at += size;
    };
    take(&scenario.initialValues, sizeof scenario.initialValues);
    take(scenario.events, sizeof(Event) * static_cast<size_t>(n));
    take(&scenario.accountTable, sizeof scenario.accountTable);
    take(&scenario.settings, sizeof scenario.settings);
    take(&scenario.reportOptions, sizeof scenario.reportOptions);
    take(&scenario.accountOptions, sizeof scenario.accountOptions);
    take(scenario.folderFonts, sizeof scenario.folderFonts);
    take(&scenario.pageSettings, sizeof scenario.pageSettings);
    take(scenario.budgets, sizeof scenario.budgets);
    state.eventCount = n;
    return 1;
}

}  // namespace

void PrintRunNotices() {
    std::vector<Notice> notices;
    notices.swap(runNotices);
    for (const Notice& n : notices) Show(n);
}

int FinishStandardOutput() {
    errno = 0;
    // A full disk or a closed pipe shows only here: the output was buffered.
    if (std::fflush(stdout) == 0 && !std::ferror(stdout)) return 0;
    Report(std::string("cannot write the output") + (errno ? std::string(": ") + std::strerror(errno) : ""));
    return 1;
}

int CliUsageError(const std::string& text) {
    std::fprintf(stderr, "tillory-cli: %s\nTry 'tillory-cli --help'.\n", text.c_str());
    return 2;
}

int LoadScenarioArgument(const std::string& path) {
    std::string head;
    if (!ReadStart(path, 4096, head)) return 0;
    int ok = 0;
    if (!LooksLikeJson(head)) {
        ok = OpenScenarioFile(path);
    } else {
        std::string text;
        ok = ReadWhole(path, text) && LoadJsonAsOpened(path, text);
    }
    // Events are processed in list order, and a loaded list is put in order first.
    if (ok) SortEvents();
    return ok;
}

int CliBuild(const std::vector<std::string>& args) {
    if (args.size() != 2) return CliUsageError("build takes two arguments: IN.json OUT.ret");
    std::string text;
    if (!ReadWhole(args[0], text)) return 1;
    if (!LooksLikeJson(text)) {
        Report(args[0] + " is not a Scenario in JSON form (build reads the JSON that dump writes)");
        return 1;
    }
    if (!LoadJsonExactly(args[0], text)) return 1;
    if (!SaveScenarioTo(args[1])) {
        Report("nothing written to " + args[1]);
        return 1;
    }
    return 0;
}

int CliDump(const std::vector<std::string>& args) {
    if (args.size() != 1) return CliUsageError("dump takes one argument: SCENARIO");
    const std::string& path = args[0];
    std::string bytes;
    if (!ReadStart(path, ScenarioFileSize(MaxEvents), bytes)) return 1;
    if (LooksLikeJson(bytes)) {
        if (!ReadWhole(path, bytes) || !LoadJsonExactly(path, bytes)) return 1;
    } else {
        if (!CheckReadWrite(path)) return 1;
        SetScenarioPath(path);
        // A dump shows what is stored, even values an open refuses (its
        // message names them); a file without all its blocks shows nothing.
        const int opened = OpenScenario(path);
        if (!TakeStoredBlocks(bytes) && !opened) return 1;
    }
    std::string json = ScenarioToJson();
    std::fwrite(json.data(), 1, json.size(), stdout);
    return FinishStandardOutput();
}

int ScenarioArgument(const std::string& command, const std::string& a, std::string& path) {
    if (!a.empty() && a[0] == '-') return CliUsageError(command + ": unknown option '" + a + "'");
    if (!path.empty()) return CliUsageError(command + ": more than one SCENARIO");
    path = a;
    return 0;
}

void UseScenarioMonteCarloSettings() {
    state.mcTrials = scenario.settings.mcTrials;
    state.mcMinInflationRate = scenario.settings.mcMinInflationRate;
    state.mcMaxInflationRate = scenario.settings.mcMaxInflationRate;
    runSwitches = RunSwitches{};
}
