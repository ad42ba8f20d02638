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
