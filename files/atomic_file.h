// Saving without ever destroying the previous file: the bytes go to a temporary
// file in the same folder, which replaces the target only once it is complete
// and on disk. A failed or abandoned save leaves the old file as it was.
#pragma once

#include <cstddef>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>

#include "files/byte_sink.h"

namespace tv {

class atomicFile : public byteSink {
public:
    explicit atomicFile(std::string target);
    ~atomicFile() override;  // an uncommitted save removes its temporary file
    atomicFile(const atomicFile&) = delete;
    atomicFile& operator=(const atomicFile&) = delete;

    bool open();
    using byteSink::write;
    void write(const char* bytes, size_t length) override;  // a failure is kept for commit()
    bool commit();

    const std::string& target() const { return target_; }
    const std::string& temporaryPath() const { return temporary_; }

    // Tests make a save fail partway: the hook sees the byte offset of each write
    // and returns false to fail it.
    using writeFaultHook = std::function<bool(size_t offset, size_t length)>;
    static void setWriteFaultHookForTesting(writeFaultHook hook);

private:
    void abandon();

    std::string target_;
    std::string temporary_;
    std::FILE* file_ = nullptr;
    // The file's buffer: large, so that a big menu goes out in few system calls.
    std::unique_ptr<char[]> buffer_;
    size_t written_ = 0;
    bool failed_ = false;
    bool committed_ = false;
};

// The temporary file of a save to `target`: in the same folder, "<name>.tmp", and
// never longer than a file name may be (a long name is cut to make room), so any
// name that can be saved can be saved through it. Always the same for one target,
// so a save finds what a killed one left.
std::string temporaryPathFor(const std::string& target);

// Writes `bytes` as the whole new content of `target`.
bool writeWholeFile(const std::string& target, const std::string& bytes);
// Reads a whole file; false when it cannot be opened or read.
bool readWholeFile(const std::string& path, std::string& bytes);

}  // namespace tv
