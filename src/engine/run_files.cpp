#include "engine/run_files.h"

#include <filesystem>
#include <system_error>

namespace {

// Large buffers keep the writes few; a run has at most four such files open.
struct RunFileBuffer {
    std::FILE* file;
    char bytes[1 << 16];
};
RunFileBuffer buffers[4];

}  // namespace

std::FILE* OpenRunFile(const char* path) {
    std::FILE* f = std::fopen(path, "r+");
    if (!f) f = std::fopen(path, "w");
    if (!f) return nullptr;
    for (RunFileBuffer& b : buffers) {
        if (b.file) continue;
        b.file = f;
        std::setvbuf(f, b.bytes, _IOFBF, sizeof b.bytes);
        break;
    }
    return f;
}

void CloseRunFile(std::FILE* f, const char* path) {
    if (!f) return;
    const long length = std::ftell(f);
    std::fclose(f);
    for (RunFileBuffer& b : buffers)
        if (b.file == f) b.file = nullptr;
    if (length < 0) return;
    std::error_code ec;
    const std::uintmax_t size = std::filesystem::file_size(path, ec);
    if (!ec && size != static_cast<std::uintmax_t>(length))
        std::filesystem::resize_file(path, static_cast<std::uintmax_t>(length), ec);
}
