// tillory-cli refinance: the Refinance Analysis without its window. The
// options fill the dialog's fields, which are checked and run as the dialog
// does; the results and the year table are printed, and "refprt.tmp" and
// "ref.tmp" are left in the current directory.
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "commands.h"
#include "shell/refinance.h"
#include "ui/fields_dialog.h"

const char* const CliRefinanceHelp =
    "  refinance --start-age N --amount X --rate R --years N --refinance-age N --new-rate R --new-years N\n"
    "            [--cash-out X] [--cash-out-savings] [--closing-costs X] [--include-closing]\n"
    "            [--points P] [--include-points] [--tax-rate R] [--savings-rate R] [--refinanced X]\n"
    "  refinance    compare keeping an existing mortgage (start age, loan amount, rate %, years)\n"
    "  refinance    with refinancing it at --refinance-age into a new one (--new-rate %, --new-years);\n"
    "  refinance    print the payments, the total refinancing costs, the months to break even and\n"
    "  refinance    the year table, and write refprt.tmp and ref.tmp in the current directory.\n"
    "  refinance    --cash-out X         money taken out by the new loan (0)\n"
    "  refinance    --cash-out-savings   the cash out goes into savings\n"
    "  refinance    --closing-costs X    the new loan's closing costs (0); --include-closing adds them to it\n"
    "  refinance    --points P           points, % of the new loan (0); --include-points adds them to it\n"
    "  refinance    --tax-rate R         effective tax rate % (15)\n"
    "  refinance    --savings-rate R     yearly % earned on savings (5)\n"
    "  refinance    --refinanced X       the new loan before costs; without it, the existing loan\n"
    "  refinance                         less the principal paid before the refinancing age, plus\n"
    "  refinance                         the cash out\n";

namespace {

std::string Trimmed(const std::string& s) {
    const size_t first = s.find_first_not_of(' '), last = s.find_last_not_of(' ');
    return first == std::string::npos ? "" : s.substr(first, last - first + 1);
}

}  // namespace

int CliRefinance(const std::vector<std::string>& args) {
    const std::map<std::string, int> valued = {
        {"--start-age", FieldRefStartAge}, {"--amount", FieldRefAmount},         {"--rate", FieldRefRate},
        {"--years", FieldRefYears},        {"--refinance-age", FieldRefAge},     {"--refinanced", FieldRefRefinanced},
        {"--cash-out", FieldRefCashOut},   {"--new-rate", FieldRefNewRate},      {"--new-years", FieldRefNewYears},
        {"--closing-costs", FieldRefClosing}, {"--points", FieldRefPoints},      {"--tax-rate", FieldRefTaxRate},
        {"--savings-rate", FieldRefSavingsRate},
    };
    const std::map<std::string, int> flags = {
        {"--cash-out-savings", FieldRefCashOutSavings},
        {"--include-closing", FieldRefIncludeClosing},
        {"--include-points", FieldRefIncludePoints},
    };
    ui::FieldsDialog d;  // the dialog's fields, for the checks the window runs
    for (int id : {FieldRefStartAge, FieldRefAmount, FieldRefRate, FieldRefYears, FieldRefAge, FieldRefRefinanced,
                   FieldRefCashOut, FieldRefNewRate, FieldRefNewYears, FieldRefClosing, FieldRefPoints})
        d.texts[id] = "0";
    d.texts[FieldRefTaxRate] = "15";
    d.texts[FieldRefSavingsRate] = "5";
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (auto f = flags.find(a); f != flags.end()) {
            d.checked[f->second] = true;
        } else if (auto v = valued.find(a); v != valued.end()) {
            if (i + 1 >= args.size()) return CliUsageError("refinance: " + a + " needs a number");
            d.texts[v->second] = args[++i];
        } else {
            return CliUsageError("refinance: unknown argument '" + a + "'");
        }
    }
    RefinanceResult r;
    // The refusal or the file that could not be written has been reported already.
    if (RunRefinanceAnalysis(d, true, true, &r) != 0) return 1;
    std::printf("Existing Monthly Payment: %s\n", Trimmed(d.texts[FieldRefPayment]).c_str());
    std::printf("Refinanced Amount: %s\n", Trimmed(d.texts[FieldRefLoan]).c_str());
    std::printf("New Monthly Payment: %s\n", Trimmed(d.texts[FieldRefNewPayment]).c_str());
    std::printf("Total Mortgage Costs: %s\n", Trimmed(d.texts[FieldRefCosts]).c_str());
    std::printf("Months to Break Even: %s\n\n", Trimmed(d.texts[FieldRefBreakEven]).c_str());
    std::printf("%s\n", RefinanceColumnTitles);
    for (const RefinanceRow& row : r.rows) {
        std::string line;
        for (const std::string& cell : RefinanceCells(row)) line += (line.empty() ? "" : "\t") + cell;
        std::printf("%s\n", line.c_str());
    }
    return 0;
}
