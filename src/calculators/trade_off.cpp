#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "calculators/calculators.h"
#include "model/model.h"

namespace {

float Kept(float taxRate, float useTax) { return useTax == 1.0f ? static_cast<float>(1 - 0.01 * taxRate) : 1.0f; }

std::string Name(const TradeOff& t, int i) { return std::string(t.names[i], strnlen(t.names[i], sizeof t.names[i])); }

int Periods(const TradeOff& t) {
    // A count from a text field: anything out of range counts as none.
    return t.periods >= 0 && t.periods <= 100000 ? static_cast<int>(t.periods) : 0;
}

}  // namespace

void TradeOffEndAmounts(const TradeOff& t, float taxRate, float out[3]) {
    const float kept = Kept(taxRate, t.useTax);
    const int n = Periods(t);
    for (int i = 0; i < 3; ++i) {
        float e = kept * t.fixedAmount[i] - t.fixedCost[i];
        for (int p = 0; p < n; ++p) e = e + kept * (t.incomePerPeriod[i] - t.costPerPeriod[i]);
        out[i] = e;
    }
}

int WriteTradeOffFile(const char* path, const TradeOff& t) {
    // Written complete beside the old file, which it then replaces.
    std::string out;
    for (int i = 0; i < 3; ++i) out += Name(t, i) + "\n";
    const float* groups[] = {t.fixedCost, t.costPerPeriod, t.fixedAmount, t.incomePerPeriod};
    for (const float* g : groups)
        for (int i = 0; i < 3; ++i) out += Format("%f\n", static_cast<double>(g[i]));
    out += Format("%f\n%f\n%f\n", static_cast<double>(t.periods), static_cast<double>(t.useTax),
                  static_cast<double>(t.further));
    return ReplaceFileContent(path, out, false);
}

int ReadTradeOffFile(const char* path, TradeOff& t) {
    std::FILE* f = std::fopen(path, "r");
    if (!f) {
        t = TradeOff{};
        for (int i = 0; i < 3; ++i) std::snprintf(t.names[i], sizeof t.names[i], "Option %d", i + 1);
        return 0;
    }
    char line[256];
    for (int i = 0; i < 3; ++i) {
        std::memset(t.names[i], 0, sizeof t.names[i]);
        if (!std::fgets(line, sizeof line, f)) break;
        line[std::strcspn(line, "\r\n")] = '\0';
        std::memcpy(t.names[i], line, strnlen(line, sizeof t.names[i] - 1));
    }
    float* values[15];
    int k = 0;
    for (float* g : {t.fixedCost, t.costPerPeriod, t.fixedAmount, t.incomePerPeriod})
        for (int i = 0; i < 3; ++i) values[k++] = &g[i];
    values[k++] = &t.periods;
    values[k++] = &t.useTax;
    values[k++] = &t.further;
    for (float* v : values) *v = std::fgets(line, sizeof line, f) ? static_cast<float>(std::atof(line)) : 0.0f;
    std::fclose(f);
    return 1;
}

int WriteTradeOffGraph(const char* path, const TradeOff& t, float taxRate) {
    if (t.periods > 100) return -1;
    if (!(t.periods >= 3)) return -2;
    PartFile out;
    if (!out.Open(path, false)) return 0;
    std::FILE* f = out.File();
    // The graph uses the tax rate cut to a whole percent.
    const float kept = Kept(std::trunc(taxRate), t.useTax);
    int shown[3], count = 0;
    for (int i = 0; i < 3; ++i)
        if (t.names[i][0] != '\0') shown[count++] = i;
    std::fprintf(f, "1\nDummy\nDummy\nDummy\n%f\n%d\n", t.periods + 2, count);
    for (int s = 0; s < count; ++s) std::fprintf(f, "%s\n", Name(t, shown[s]).c_str());
    float running[3];
    for (int i = 0; i < 3; ++i) running[i] = kept * t.fixedAmount[i] - t.fixedCost[i];
    const int n = Periods(t);
    for (int p = 0; p <= n + 1; ++p) {
        for (int s = 0; s < count; ++s) std::fprintf(f, "0.0\n");
        std::fprintf(f, "%f ", static_cast<double>(p));
        for (int s = 0; s < count; ++s) std::fprintf(f, "%f ", running[shown[s]]);
        std::fprintf(f, "\n");
        for (int i = 0; i < 3; ++i) running[i] = running[i] + kept * (t.incomePerPeriod[i] - t.costPerPeriod[i]);
    }
    std::fprintf(f, "Done\nDone\n");
    return out.Commit() ? 1 : 0;
}
