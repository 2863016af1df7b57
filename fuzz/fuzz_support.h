// What every fuzz target shares: a private working folder (the readers of
// fixed-name files read from the current one), a quiet console, and the
// input written to a file.
#pragma once

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>

#include "ui/ui.h"

namespace fuzz {

// Messages are expected from damaged input; only crashes and undefined
// behaviour matter here.
class QuietUi : public ui::ConsoleUi {
public:
    ui::Answer Message(const std::string&, const std::string&, ui::Buttons, ui::Icon) override {
        return ui::Answer::No;
    }
};

inline void EnterPrivateFolder() {
    static QuietUi quiet;
    ui::Install(&quiet);
    auto dir = std::filesystem::temp_directory_path() / ("tillory-fuzz-" + std::to_string(getpid()));
    std::filesystem::create_directories(dir);
    std::filesystem::current_path(dir);
}

inline void WriteInput(const char* path, const uint8_t* data, size_t size) {
    std::FILE* f = std::fopen(path, "wb");
    if (!f) std::abort();
    if (size) std::fwrite(data, 1, size, f);
    std::fclose(f);
}

}  // namespace fuzz

#define TILLORY_FUZZ_INIT                                       \
    extern "C" int LLVMFuzzerInitialize(int*, char***) {        \
        fuzz::EnterPrivateFolder();                              \
        return 0;                                                \
    }
