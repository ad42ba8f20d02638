// Code page 932 as Unicode, generated into cp932_table.cpp by
// tools/make_cp932_table.py. files/code_page.h is the interface to use.
#pragma once

#include <cstddef>
#include <cstdint>

namespace tv {

// Lead bytes 0x81-0x9F and 0xE0-0xFC; trail bytes 0x40-0xFC.
constexpr size_t cp932LeadCount = 60;
constexpr size_t cp932TrailCount = 189;

// The code point of each single byte; 0 for lead bytes.
extern const uint16_t cp932SingleBytes[256];
// The code point of each byte pair, row by lead byte; 0 where the pair is unassigned.
extern const uint16_t cp932DoubleBytes[cp932LeadCount * cp932TrailCount];

}  // namespace tv
