// "tradeinf.dat", the trade-off analysis read at start-up.
#include "calculators/calculators.h"
#include "fuzz_support.h"

TILLORY_FUZZ_INIT

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::WriteInput("tradeinf.dat", data, size);
    TradeOff t;
    if (ReadTradeOffFile("tradeinf.dat", t)) {
        float out[3];
        TradeOffEndAmounts(t, 25.0f, out);
    }
    return 0;
}
