// Complete-then-replace writing: the one way every file of the program is
// written, so that a failure half-way never costs the file that stood there.
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <system_error>

#include <unistd.h>

#include "model/model.h"

namespace fs = std::filesystem;

namespace {

// Replace the file a link points to, not the link.
std::string ResolvedTarget(const std::string& path) {
    std::error_code ec;
    if (!fs::is_symlink(path, ec)) return path;
    fs::path real = fs::canonical(path, ec);
    return ec ? path : real.string();
}

}  // namespace

PartFile& PartFile::operator=(PartFile&& other) noexcept {
    if (this == &other) return *this;
    Abandon();
    file_ = std::exchange(other.file_, nullptr);
    target_ = std::move(other.target_);
    part_ = std::exchange(other.part_, std::string());
    why_ = std::move(other.why_);
    durable_ = other.durable_;
    existed_ = other.existed_;
    inPlace_ = other.inPlace_;
    return *this;
}

bool PartFile::Open(const std::string& path, bool durable) {
    Abandon();
    why_.clear();
    durable_ = durable;
    target_ = ResolvedTarget(path);
    std::error_code ec;
    existed_ = fs::exists(target_, ec);
    // Devices, pipes and the like are written as they are: there is no file
    // to keep, and no folder entry to replace.
    inPlace_ = existed_ && !fs::is_regular_file(target_, ec);
    if (inPlace_) {
        part_.clear();
        file_ = std::fopen(target_.c_str(), "wb");
        return file_ != nullptr;
    }
    // Only a name that is taken is worth another try.
    bool tooLong = false;
    for (int k = 0; k < 100 && !file_; ++k) {
        part_ = target_ + ".part" + std::to_string(k);
        file_ = std::fopen(part_.c_str(), "wbx");
        if (!file_ && errno != EEXIST) {
            tooLong = errno == ENAMETOOLONG;
            break;
        }
    }
    if (file_) return true;
    part_.clear();
    if (tooLong)
        why_ = "The name " + path + " is too long: the file is written beside it under a longer name first, and " +
               "that name exceeds what the system allows. Choose a shorter name; nothing was written.";
    else if (existed_)
        why_ = NoNewFileText(path);
    return false;
}

bool PartFile::Commit() {
    if (!file_) return false;
    std::FILE* f = file_;
    file_ = nullptr;
    bool ok = std::ferror(f) == 0;
    ok = std::fflush(f) == 0 && ok;
    // On the disk before it takes the old file's place.
    if (durable_ && !inPlace_) ok = fsync(fileno(f)) == 0 && ok;
    ok = std::fclose(f) == 0 && ok;
    if (inPlace_) return ok;
    std::error_code ec;
    if (ok && existed_) fs::permissions(part_, fs::status(target_, ec).permissions(), ec);
    if (!ok || std::rename(part_.c_str(), target_.c_str()) != 0) {
        std::remove(part_.c_str());
        part_.clear();
        return false;
    }
    part_.clear();
    return true;
}

void PartFile::Abandon() {
    if (file_) std::fclose(file_);
    file_ = nullptr;
    if (!part_.empty()) std::remove(part_.c_str());
    part_.clear();
}

int ReplaceFileContent(const std::string& path, const std::string& content, bool keepSurplus, std::string* why) {
    PartFile out;
    const bool opened = out.Open(path, true);
    if (why) *why = out.Why();
    if (!opened) return 0;
    std::fwrite(content.data(), 1, content.size(), out.File());
    if (keepSurplus && out.Replaces()) {
        std::string old;
        std::error_code ec;
        auto size = fs::file_size(out.Target(), ec);
        if (!ec && ReadFileStart(out.Target(), static_cast<long>(size), old) && old.size() > content.size())
            std::fwrite(old.data() + content.size(), 1, old.size() - content.size(), out.File());
    }
    return out.Commit() ? 1 : 0;
}

std::string NoNewFileText(const std::string& path) {
    return "The folder of " + path +
           " does not allow a new file, so it cannot be replaced safely; the file was left as it was.";
}
