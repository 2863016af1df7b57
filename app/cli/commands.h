// The commands of tillory-cli, one routine each, with what they share.
#pragma once

#include <charconv>
#include <string>
#include <vector>

// Loads SCENARIO given on the command line: a scenario file (.ret) or the
// JSON text form (detected by content: the first non-blank byte is '{').
// Returns 1 when the Scenario in memory is ready, 0 after reporting why not.
int LoadScenarioArgument(const std::string& path);

// Each command takes the arguments after its own name and returns the exit
// code: 0 success, 1 the operation failed, 2 bad usage.
int CliBuild(const std::vector<std::string>& args);
int CliDump(const std::vector<std::string>& args);
int CliRun(const std::vector<std::string>& args);
int CliMonteCarlo(const std::vector<std::string>& args);
int CliRefinance(const std::vector<std::string>& args);
int CliReport(const std::vector<std::string>& args);
int CliSafeSpending(const std::vector<std::string>& args);

// The lines --help shows for a command, kept beside the command's routine:
// each line starts with two blanks and the command's name; "" while the
// command is not built.
extern const char* const CliRunHelp;
extern const char* const CliMonteCarloHelp;
extern const char* const CliRefinanceHelp;
extern const char* const CliReportHelp;
extern const char* const CliSafeSpendingHelp;

// Shows the messages the core left in `runNotices` the way the console shows
// every message ("CAPTION: text" on stderr), and empties the list.
void PrintRunNotices();

// Flushes standard output at the end of a command: 0 when everything written
// arrived, otherwise 1 after saying so on stderr.
int FinishStandardOutput();

// Reports bad usage on stderr and returns 2.
int CliUsageError(const std::string& text);

// A whole decimal number filling all of `text`.
template <typename T>
bool ParseWhole(const std::string& text, T& value) {
    const char* end = text.data() + text.size();
    auto [p, ec] = std::from_chars(text.data(), end, value);
    return ec == std::errc() && p == end && !text.empty();
}

// An argument of `command` that is none of its options: the SCENARIO, given
// once. Returns 0, or the exit code of the usage error it reported.
int ScenarioArgument(const std::string& command, const std::string& argument, std::string& path);

// The analysis works on the Monte Carlo copies kept beside the Scenario, as
// after an open, with plain run switches.
void UseScenarioMonteCarloSettings();
