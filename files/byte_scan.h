// Finding bytes in the short lines of a data file. A line has up to seven tabs
// and a few backslashes; looking at 16 bytes at a time finds them all in one pass
// instead of one library search per column.
#pragma once

#include <cstddef>
#include <string_view>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace tv {

// Calls visit(position) for each `target` byte in `text`, in order, until visit
// returns false.
template <class Visit>
void forEachByte(std::string_view text, char target, Visit&& visit) {
    size_t i = 0;
#if defined(__SSE2__)
    const __m128i wanted = _mm_set1_epi8(target);
    for (; i + 16 <= text.size(); i += 16) {
        __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text.data() + i));
        unsigned hits = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(block, wanted)));
        for (; hits != 0; hits &= hits - 1)
            if (!visit(i + static_cast<size_t>(__builtin_ctz(hits)))) return;
    }
#endif
    for (; i < text.size(); ++i)
        if (text[i] == target && !visit(i)) return;
}

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

// The first CR or LF at or after `from`, or text.size() when there is none.
inline size_t findLineEnd(std::string_view text, size_t from) {
    return findFirstOf4(text, from, '\r', '\n', '\r', '\n');
}

}  // namespace tv
