// Readers of the files the main program leaves for its companion programs:
// the plot file and saved graphs (*.KVP), the trade-off and refinance graph
// files, and the Monte Carlo statistics. Each returns plain data, or 0 with
// an error text naming the file and line. Nothing here trusts the bytes: a
// missing, truncated or damaged file gives an error, never a crash, a read
// past a field or an endless loop. Free of any toolkit and of program state.
#pragma once

#include <string>
#include <vector>

namespace companions {

// Limits a sound file never comes near; past them a file is damaged.
constexpr long MaxFileBytes = 16L * 1024 * 1024;
constexpr int MaxLineLength = 1024;
constexpr int MaxPlotYears = 100;  // Save Graphs refuses 100 and more
constexpr int MaxPlotAccounts = 50;
constexpr int PlotGroups = 10;
constexpr int RecordValues = 20;  // age, six balances, thirteen flows
constexpr int MaxCurves = 12;
constexpr int MaxCurvePoints = 10000;
constexpr int StatisticsBins = 12;  // below, ten bins, above

// ---- Plot file and saved graphs ------------------------------------------------
struct PlotYear {
    // The year record: 0 age, 1 investment, 2 tax-free, 3 retirement,
    // 4 Asset accounts, 5 equity, 6 net worth, 7..19 the flows (total
    // incoming ... depreciation and closing costs).
    float record[RecordValues] = {};
    std::vector<float> balances;  // one per account, start of year
};
struct PlotFile {
    int folderCode = 1;
    std::string fileLine, dateLine, timeLine;
    int yearCount = 0;  // as the header gives it
    std::vector<std::string> accounts;
    std::vector<PlotYear> years;  // fewer than yearCount when the file ends early with "Done"
    std::vector<std::string> groups;  // PlotGroups names, or none when the file ended early
    std::vector<int> groupOf;         // per account, -1 when unknown
};
int ReadPlotFile(const std::string& path, PlotFile& out, std::string& error);
int ParsePlotFile(const std::string& bytes, const std::string& name, PlotFile& out, std::string& error);

// ---- Trade-off and refinance graph files -----------------------------------------
struct CurveFile {
    float extent = 0;  // periods + 2, or the months of the refinance graph
    std::vector<std::string> names;
    std::vector<float> x;                  // one per point
    std::vector<std::vector<float>> y;     // per curve, one per point
};
int ReadCurveFile(const std::string& path, CurveFile& out, std::string& error);
int ParseCurveFile(const std::string& bytes, const std::string& name, CurveFile& out, std::string& error);

// ---- Monte Carlo statistics ---------------------------------------------------------
struct RateHistogram {
    std::string account;
    // edge[0] is the "Below" limit, edge[k] the lower edge of bin k (1..10),
    // edge[11] the "Above" limit.
    float edge[StatisticsBins] = {};
    int count[StatisticsBins] = {};  // below, bins 0..9, above
    int hasSummary = 0;
    int total = 0;
    float minimum = 0, maximum = 0, average = 0, deviation = 0;
};
struct StatisticsFile {
    std::string title;
    int hasFactor = 0;
    int factor = 0;
    std::vector<RateHistogram> accounts;
};
int ReadStatisticsFile(const std::string& path, StatisticsFile& out, std::string& error);
int ParseStatisticsFile(const std::string& bytes, const std::string& name, StatisticsFile& out, std::string& error);

// The whole of a file of at most MaxFileBytes; 0 with an error otherwise.
int ReadWholeFile(const std::string& path, std::string& bytes, std::string& error);

}  // namespace companions
