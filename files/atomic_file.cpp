#include "files/atomic_file.h"

#include "files/platform_files.h"

namespace tv {

namespace {

atomicFile::writeFaultHook& faultHook() {
    static atomicFile::writeFaultHook hook;
    return hook;
}

}  // namespace

void atomicFile::setWriteFaultHookForTesting(writeFaultHook hook) { faultHook() = std::move(hook); }

atomicFile::atomicFile(std::string target) : target_(std::move(target)), temporary_(target_ + ".tmp") {}

atomicFile::~atomicFile() {
    if (!committed_) abandon();
}

bool atomicFile::open() {
    file_ = std::fopen(temporary_.c_str(), "wb");
    failed_ = file_ == nullptr;
    return !failed_;
}

void atomicFile::write(const char* bytes, size_t length) {
    if (failed_ || !file_ || length == 0) return;
    if (faultHook() && !faultHook()(written_, length)) {
        failed_ = true;
        return;
    }
    if (std::fwrite(bytes, 1, length, file_) != length) failed_ = true;
    written_ += length;
}

bool atomicFile::commit() {
    if (!file_ || failed_) {
        abandon();
        return false;
    }
    bool flushed = flushToDisk(file_);
    bool closed = std::fclose(file_) == 0;
    file_ = nullptr;
    if (!flushed || !closed || !replaceFile(temporary_, target_)) {
        abandon();
        return false;
    }
    committed_ = true;
    return true;
}

void atomicFile::abandon() {
    if (file_) {
        std::fclose(file_);
        file_ = nullptr;
    }
    removeFile(temporary_);
    failed_ = true;
}

bool writeWholeFile(const std::string& target, const std::string& bytes) {
    atomicFile file(target);
    if (!file.open()) return false;
    file.write(bytes);
    return file.commit();
}

bool readWholeFile(const std::string& path, std::string& bytes) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) return false;
    bytes.clear();
    char buffer[65536];
    size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) bytes.append(buffer, got);
    bool ok = !std::ferror(file);
    std::fclose(file);
    return ok;
}

}  // namespace tv
