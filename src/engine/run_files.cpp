#include "engine/run_files.h"

#include "model/model.h"

namespace {

// Large buffers keep the writes few; a run has at most four such files open.
struct RunFile {
    PartFile part;
    char bytes[1 << 16];
};
RunFile files[4];

RunFile* Find(std::FILE* f) {
    if (!f) return nullptr;
    for (RunFile& r : files)
        if (r.part.File() == f) return &r;
    return nullptr;
}

}  // namespace

std::FILE* OpenRunFile(const char* path) {
    for (RunFile& r : files) {
        if (r.part.File()) continue;
        if (!r.part.Open(path, false)) return nullptr;
        std::setvbuf(r.part.File(), r.bytes, _IOFBF, sizeof r.bytes);
        return r.part.File();
    }
    return nullptr;
}

bool CloseRunFile(std::FILE* f) {
    RunFile* r = Find(f);
    return r && r->part.Commit();
}

void DropRunFile(std::FILE* f) {
    if (RunFile* r = Find(f)) r->part.Abandon();
}
