// "budout.tmp", the Budget copy file that Paste All and Print Report read back.
#include "budgets/budgets.h"
#include "fuzz_support.h"

TILLORY_FUZZ_INIT

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::WriteInput("budout.tmp", data, size);
    Budget b{};
    BudgetPaste paste;
    PasteBudgetFile("budout.tmp", b, paste);
    BudgetReport report;
    BuildBudgetReport(std::string(reinterpret_cast<const char*>(data), size), report);
    return 0;
}
