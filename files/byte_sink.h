// Where the writers put their bytes: a file being saved, or a string in tests.
#pragma once

#include <cstddef>
#include <string>

namespace tv {

class byteSink {
public:
    virtual ~byteSink() = default;
    virtual void write(const char* bytes, size_t length) = 0;
    void write(const std::string& bytes) { write(bytes.data(), bytes.size()); }
};

class stringSink : public byteSink {
public:
    using byteSink::write;
    void write(const char* bytes, size_t length) override { text.append(bytes, length); }
    std::string text;
};

}  // namespace tv
