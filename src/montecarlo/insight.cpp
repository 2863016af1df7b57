// Percentiles, survival and the failure summary of a Monte Carlo analysis.
#include "montecarlo/insight.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "engine/engine.h"
#include "model/model.h"

MonteCarloInsight monteCarloInsight;

namespace {

// A balance below half a cent is an account that has run dry.
constexpr float DryBelow = 0.005f;

bool IsLiquid(const Account& a) {
    return a.accountType == AccountInvestmentSavings || a.accountType == AccountRetirementSavings ||
           a.accountType == AccountTaxFreeSavings;
}

int WholeAge(float age) { return WholeInt(age); }

int Percent(int part, int whole) {
    return whole > 0 ? static_cast<int>(std::lround(100.0 * part / whole)) : 0;
}

void BeginTrials(MonteCarloInsight& in, int rows) {
    in = MonteCarloInsight{};
    in.rows = rows;
    in.goal = scenario.settings.mcGoalAmount;
    in.rowAge.assign(monteCarlo.rowAge, monteCarlo.rowAge + rows);
    const size_t expected = static_cast<size_t>(std::max(monteCarlo.trials, 0));
    in.netWorth.reserve(expected);
    in.firstDryRow.reserve(expected);
    in.firstDryAccount.reserve(expected);
}

// The first liquid Account of this trial's run to fall to zero after having
// held money, from the balance table the run has just filled. Accounts that
// run dry in the same row are taken in list order, which during the trials is
// the order withdrawals draw on them.
void AddTrial(MonteCarloInsight& in, const float* netWorth, int rows) {
    in.netWorth.emplace_back(netWorth, netWorth + rows);
    const int n = std::min(LiveAccountCount(), BalanceCells);
    const int tableRows = std::min({rows, results.rowCount, MaxResultRows});
    bool held[BalanceCells] = {};
    int dryRow = NoRow, dryIndex = -1;
    for (int row = 0; row < tableRows && dryRow == NoRow; ++row) {
        for (int k = 0; k < n; ++k) {
            const Account& a = scenario.accountTable.accounts[k];
            if (!IsLiquid(a)) continue;
            const float balance = results.accountBalance[row][k];
            if (balance >= DryBelow) {
                held[k] = true;
            } else if (held[k]) {
                dryRow = row;
                dryIndex = k;
                break;
            }
        }
    }
    in.firstDryRow.push_back(dryRow);
    if (dryIndex < 0) {
        in.firstDryAccount.push_back(-1);
        return;
    }
    const Account& a = scenario.accountTable.accounts[dryIndex];
    auto same = [&](const DryAccount& d) { return d.accountId == a.accountId; };
    auto it = std::find_if(in.accounts.begin(), in.accounts.end(), same);
    if (it == in.accounts.end()) {
        in.accounts.push_back({a.accountId, FieldText(a.name), 0});
        it = in.accounts.end() - 1;
    }
    in.firstDryAccount.push_back(static_cast<int>(it - in.accounts.begin()));
}

}  // namespace

float Percentile(const std::vector<float>& sorted, float p) {
    if (sorted.empty()) return 0;
    const double position = (static_cast<double>(sorted.size()) - 1.0) * static_cast<double>(p) / 100.0;
    const size_t below = static_cast<size_t>(std::floor(position));
    if (below + 1 >= sorted.size()) return sorted.back();
    const double fraction = position - static_cast<double>(below);
    const double low = sorted[below], high = sorted[below + 1];
    return static_cast<float>(low + fraction * (high - low));
}

void ComputeInsight(MonteCarloInsight& in) {
    const int rows = in.rows;
    in.trials = static_cast<int>(in.netWorth.size());
    in.firstDryRow.resize(static_cast<size_t>(in.trials), NoRow);
    in.firstDryAccount.resize(static_cast<size_t>(in.trials), -1);

    in.failedTrials = 0;
    in.firstFailureRow.assign(static_cast<size_t>(in.trials), NoRow);
    std::vector<int> failingFrom(static_cast<size_t>(std::max(rows, 0)), 0);
    for (int t = 0; t < in.trials; ++t) {
        const std::vector<float>& curve = in.netWorth[static_cast<size_t>(t)];
        for (int row = 0; row < rows; ++row) {
            if (curve[static_cast<size_t>(row)] < in.goal) {
                in.firstFailureRow[static_cast<size_t>(t)] = row;
                ++failingFrom[static_cast<size_t>(row)];
                ++in.failedTrials;
                break;
            }
        }
    }

    in.percentiles.assign(static_cast<size_t>(rows), {});
    in.survivalPercent.assign(static_cast<size_t>(rows), 100.0f);
    std::vector<float> column(static_cast<size_t>(in.trials));
    int failedSoFar = 0;
    for (int row = 0; row < rows; ++row) {
        for (int t = 0; t < in.trials; ++t)
            column[static_cast<size_t>(t)] = in.netWorth[static_cast<size_t>(t)][static_cast<size_t>(row)];
        std::sort(column.begin(), column.end());
        for (int k = 0; k < PercentileCount; ++k)
            in.percentiles[static_cast<size_t>(row)][static_cast<size_t>(k)] =
                Percentile(column, static_cast<float>(PercentileLevels[static_cast<size_t>(k)]));
        // The same arithmetic as the success percentage, so the last row equals it.
        failedSoFar += failingFrom[static_cast<size_t>(row)];
        in.survivalPercent[static_cast<size_t>(row)] = SuccessPercent(failedSoFar, in.trials);
    }

    in.failureBins.clear();
    for (DryAccount& d : in.accounts) d.trials = 0;
    for (int t = 0; t < in.trials; ++t) {
        const int row = in.firstFailureRow[static_cast<size_t>(t)];
        if (row == NoRow) continue;
        const int from = WholeAge(in.rowAge[static_cast<size_t>(row)]) / FailureBinYears * FailureBinYears;
        auto bin = std::find_if(in.failureBins.begin(), in.failureBins.end(),
                                [&](const FailureBin& b) { return b.fromAge == from; });
        if (bin == in.failureBins.end()) {
            // The span ends with the plan: no failure lies past its last age.
            const int lastAge = WholeAge(in.rowAge.back());
            in.failureBins.push_back({from, std::max(from, std::min(from + FailureBinYears - 1, lastAge)), 0});
            bin = in.failureBins.end() - 1;
        }
        ++bin->trials;
        const int dry = in.firstDryAccount[static_cast<size_t>(t)];
        if (dry >= 0) ++in.accounts[static_cast<size_t>(dry)].trials;
    }
    std::sort(in.failureBins.begin(), in.failureBins.end(),
              [](const FailureBin& a, const FailureBin& b) { return a.fromAge < b.fromAge; });
    in.dryFirst.clear();
    for (const DryAccount& d : in.accounts)
        if (d.trials > 0) in.dryFirst.push_back(d);
    std::stable_sort(in.dryFirst.begin(), in.dryFirst.end(), [](const DryAccount& a, const DryAccount& b) {
        return a.trials != b.trials ? a.trials > b.trials : a.name < b.name;
    });
    in.failureText = FailureText(in);
}

std::string FailureText(const MonteCarloInsight& in) {
    if (in.failedTrials == 0) return "No trial falls below the goal.";
    const FailureBin* most = nullptr;
    for (const FailureBin& b : in.failureBins)
        if (!most || b.trials > most->trials) most = &b;
    char text[256];
    const int failed = in.failedTrials;
    char when[48];
    if (most->fromAge == most->toAge)
        std::snprintf(when, sizeof when, "at %d", most->fromAge);
    else
        std::snprintf(when, sizeof when, "between %d and %d", most->fromAge, most->toAge);
    if (failed == 1)
        std::snprintf(text, sizeof text, "The one failing trial first falls below the goal %s", when);
    else
        std::snprintf(text, sizeof text, "Of %d failing trials, %d%% first fall below the goal %s", failed,
                      Percent(most->trials, failed), when);
    std::string out = text;
    if (in.dryFirst.empty()) {
        out += failed == 1 ? "; no liquid account runs dry in it." : "; no liquid account runs dry in them.";
    } else if (failed == 1) {
        out += "; " + in.dryFirst.front().name + " runs dry first.";
    } else {
        std::snprintf(text, sizeof text, " runs dry first in %d%% of them.", Percent(in.dryFirst.front().trials, failed));
        out += "; " + in.dryFirst.front().name + text;
    }
    return out;
}

InsightRecorder::InsightRecorder(const MonteCarloObserver* next) : next_(next) {
    monteCarloInsight.complete = 0;  // an analysis refused before its first curve leaves nothing
    observer_.context = this;
    observer_.show = Show;
    observer_.stop = Stop;
}

// The wrapped observer decides, as it stands when asked: its stop may be set
// after the recorder was made.
int InsightRecorder::Stop(void* context) {
    const MonteCarloObserver* next = static_cast<InsightRecorder*>(context)->next_;
    return next && next->stop ? next->stop(next->context) : 0;
}

void InsightRecorder::Show(void* context, int phase, const float* netWorth, int rows) {
    auto* self = static_cast<InsightRecorder*>(context);
    MonteCarloInsight& in = monteCarloInsight;
    if (phase == PhaseSetUp) BeginTrials(in, rows);
    if (phase == PhaseTrials) AddTrial(in, netWorth, rows);
    if (phase == PhaseScenario) {
        ComputeInsight(in);
        in.complete = 1;
    }
    const MonteCarloObserver* next = self->next_;
    if (next && next->show) next->show(next->context, phase, netWorth, rows);
}
