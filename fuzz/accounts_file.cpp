// The accounts file's read.
#include "fuzz_support.h"
#include "model/model.h"

TILLORY_FUZZ_INIT

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::WriteInput("plan.acc", data, size);
    Notice notice;
    ReadAccountsFile("plan.acc", notice);
    return 0;
}
