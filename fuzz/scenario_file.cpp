// The scenario file's open, with every correction and the check of its values.
#include "fuzz_support.h"
#include "model/model.h"

TILLORY_FUZZ_INIT

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::WriteInput("plan.ret", data, size);
    Notice notice;
    ReadScenarioFile("plan.ret", 600, 600, notice);
    return 0;
}
