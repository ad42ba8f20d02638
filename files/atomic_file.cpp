#include "files/atomic_file.h"

#include "files/cp932.h"
#include "files/platform_files.h"

namespace tv {

namespace {

atomicFile::writeFaultHook& faultHook() {
    static atomicFile::writeFaultHook hook;
    return hook;
}

}  // namespace

std::string temporaryPathFor(const std::string& target) {
    static const std::string suffix = ".tmp";
    const size_t nameStart = fileNameStart(target);
    const size_t nameLength = target.size() - nameStart;
    if (nameLength + suffix.size() <= fileNameLimit) return target + suffix;
    // A name near the limit is cut, whole characters only, to make room for the
    // suffix; the cut name must not come out as the target's own name.
    size_t room = fileNameLimit - suffix.size();
    for (;;) {
        size_t cut = 0;
        while (cut < nameLength) {
            size_t width = isLeadByte(static_cast<unsigned char>(target[nameStart + cut])) ? 2 : 1;
            if (cut + width > room) break;
            cut += width;
        }
        std::string temporary = target.substr(0, nameStart + cut) + suffix;
        if (temporary != target) return temporary;
        --room;
    }
}

void atomicFile::setWriteFaultHookForTesting(writeFaultHook hook) { faultHook() = std::move(hook); }

atomicFile::atomicFile(std::string target) : target_(std::move(target)), temporary_(temporaryPathFor(target_)) {}

atomicFile::~atomicFile() {
    if (!committed_) abandon();
}

bool atomicFile::open() {
    // What a killed save left behind goes first, whether or not this one succeeds.
    removeFile(temporary_);
    file_ = openFile(temporary_, "wb");
    failed_ = file_ == nullptr;
    if (file_) {
        // Without a buffer of our own a file has a few kilobytes, and a 10 MB menu
        // takes thousands of system calls (each a costly one under Wine).
        constexpr size_t bufferSize = 64 * 1024;
        buffer_.reset(new char[bufferSize]);
        std::setvbuf(file_, buffer_.get(), _IOFBF, bufferSize);
    }
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
    std::FILE* file = openFile(path, "rb");
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
