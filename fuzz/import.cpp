// Account import: the first byte chooses tab- or comma-delimited text, the
// rest is the file.
#include "exchange/exchange.h"
#include "fuzz_support.h"

TILLORY_FUZZ_INIT

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    const int kind = data[0] & 1 ? ImportComma : ImportTab;
    fuzz::WriteInput("import.txt", data + 1, size - 1);
    ConvertDelimitedFile("import.txt", kind);
    return 0;
}
