// The companion programs' readers: plot file and saved graphs, the curve
// files of the trade-off and refinance graphs, and "stats.dat". The first
// byte chooses the reader.
#include <string>

#include "companions/files.h"
#include "fuzz_support.h"

TILLORY_FUZZ_INIT

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    const std::string bytes(reinterpret_cast<const char*>(data + 1), size - 1);
    std::string error;
    switch (data[0] % 3) {
        case 0: {
            companions::PlotFile plot;
            companions::ParsePlotFile(bytes, "plotinf01.tmp", plot, error);
            break;
        }
        case 1: {
            companions::CurveFile curves;
            companions::ParseCurveFile(bytes, "trade.tmp", curves, error);
            break;
        }
        default: {
            companions::StatisticsFile stats;
            companions::ParseStatisticsFile(bytes, "stats.dat", stats, error);
            break;
        }
    }
    return 0;
}
