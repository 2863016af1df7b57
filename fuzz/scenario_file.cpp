// The scenario file's open, with every correction and the check of its
// values; what opens is then run, which must end, in bounded time, without
// undefined behaviour.
#include "engine/engine.h"
#include "fuzz_support.h"
#include "model/model.h"

TILLORY_FUZZ_INIT

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::WriteInput("plan.ret", data, size);
    Notice notice;
    if (ReadScenarioFile("plan.ret", 600, 600, notice) == 1) {
        runSwitches = RunSwitches{};
        runSwitches.noRunFiles = 1;
        runNotices.clear();
        RunProjection(OutputResultsList);
    }
    return 0;
}
