// Finding line ends, and bytes in the short lines of a data file. A line has up to seven tabs
// and a few backslashes; looking at 16 bytes at a time finds them all in one pass
// instead of one library search per column.
#pragma once

#include <cstddef>
#include <string_view>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace tv {

// The first of the bytes b1..b4 at or after `from`, or text.size() when there is none.
inline size_t findFirstOf4(std::string_view text, size_t from, char b1, char b2, char b3, char b4) {
    size_t i = from;
#if defined(__SSE2__)
    const __m128i w1 = _mm_set1_epi8(b1), w2 = _mm_set1_epi8(b2), w3 = _mm_set1_epi8(b3), w4 = _mm_set1_epi8(b4);
    for (; i + 16 <= text.size(); i += 16) {
        __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text.data() + i));
        __m128i found = _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(block, w1), _mm_cmpeq_epi8(block, w2)),
                                     _mm_or_si128(_mm_cmpeq_epi8(block, w3), _mm_cmpeq_epi8(block, w4)));
        unsigned hits = static_cast<unsigned>(_mm_movemask_epi8(found));
        if (hits != 0) return i + static_cast<size_t>(__builtin_ctz(hits));
    }
#endif
    for (; i < text.size(); ++i)
        if (text[i] == b1 || text[i] == b2 || text[i] == b3 || text[i] == b4) return i;
    return text.size();
}

// The first `target` byte in [from, to), or `to` when there is none. Looks at
// 64 bytes at a time: the C library Windows programs use looks at one, and a
// long text searched for a rare byte is mostly this loop.
inline const char* findByte(const char* from, const char* to, char target) {
#if defined(__SSE2__)
    const __m128i wanted = _mm_set1_epi8(target);
    auto matches = [&](const char* at) {
        return _mm_cmpeq_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(at)), wanted);
    };
    for (; to - from >= 64; from += 64) {
        __m128i a = matches(from), b = matches(from + 16), c = matches(from + 32), d = matches(from + 48);
        if (_mm_movemask_epi8(_mm_or_si128(_mm_or_si128(a, b), _mm_or_si128(c, d))) == 0) continue;
        unsigned long long hits = static_cast<unsigned>(_mm_movemask_epi8(a)) |
                                  static_cast<unsigned long long>(_mm_movemask_epi8(b)) << 16 |
                                  static_cast<unsigned long long>(_mm_movemask_epi8(c)) << 32 |
                                  static_cast<unsigned long long>(_mm_movemask_epi8(d)) << 48;
        return from + __builtin_ctzll(hits);
    }
    for (; to - from >= 16; from += 16) {
        unsigned hits = static_cast<unsigned>(_mm_movemask_epi8(matches(from)));
        if (hits != 0) return from + __builtin_ctz(hits);
    }
#endif
    for (; from < to; ++from)
        if (*from == target) return from;
    return to;
}

// The first p in [from, to) with p[0] == first and p[distance] == second, or
// `to` when there is none; reads up to to[distance - 1]. Two bytes a word holds
// at once are far rarer than either alone, so few places need a closer look.
inline const char* findPair(const char* from, const char* to, char first, char second, size_t distance) {
#if defined(__SSE2__)
    const __m128i wantedFirst = _mm_set1_epi8(first), wantedSecond = _mm_set1_epi8(second);
    auto matches = [&](const char* at) {
        auto load = [](const char* p) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p)); };
        return _mm_and_si128(_mm_cmpeq_epi8(load(at), wantedFirst), _mm_cmpeq_epi8(load(at + distance), wantedSecond));
    };
    for (; to - from >= 32; from += 32) {
        __m128i a = matches(from), b = matches(from + 16);
        if (_mm_movemask_epi8(_mm_or_si128(a, b)) == 0) continue;
        unsigned hits = static_cast<unsigned>(_mm_movemask_epi8(a)) | static_cast<unsigned>(_mm_movemask_epi8(b)) << 16;
        return from + __builtin_ctz(hits);
    }
    for (; to - from >= 16; from += 16) {
        unsigned hits = static_cast<unsigned>(_mm_movemask_epi8(matches(from)));
        if (hits != 0) return from + __builtin_ctz(hits);
    }
#endif
    for (; from < to; ++from)
        if (from[0] == first && from[distance] == second) return from;
    return to;
}

// Calls visit(position) for each `target` byte in `text`, in order, until visit
// returns false.
template <class Visit>
void forEachByte(std::string_view text, char target, Visit&& visit) {
    for (size_t pos = 0; (pos = findFirstOf4(text, pos, target, target, target, target)) < text.size(); ++pos)
        if (!visit(pos)) return;
}

// The first CR or LF at or after `from`, or text.size() when there is none.
inline size_t findLineEnd(std::string_view text, size_t from) {
    return findFirstOf4(text, from, '\r', '\n', '\r', '\n');
}

// Length of the line end at `pos`: 2 for CR LF, 1 for CR or LF, 0 for none.
inline size_t lineEndLength(std::string_view text, size_t pos) {
    if (pos >= text.size()) return 0;
    if (text[pos] == '\r') return pos + 1 < text.size() && text[pos + 1] == '\n' ? 2 : 1;
    return text[pos] == '\n' ? 1 : 0;
}

}  // namespace tv
