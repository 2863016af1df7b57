// "prefinf.dat" and "finance.dat", read at every start: the first bytes of
// the input go to the one, the rest to the other.
#include "fuzz_support.h"
#include "model/model.h"

TILLORY_FUZZ_INIT

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const size_t split = size < sizeof(PageSettings) ? size : sizeof(PageSettings);
    fuzz::WriteInput("prefinf.dat", data, split);
    fuzz::WriteInput("finance.dat", data + split, size - split);
    state = ScenarioState{};
    ReadPreferences();
    ReadProgramSettings();
    PushRecentFile("another.ret");
    return 0;
}
