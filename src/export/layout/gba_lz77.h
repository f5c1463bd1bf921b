#pragma once

#include <cstdint>
#include <vector>

namespace qarto {

// The LZ77 stream the GBA BIOS decompresses (SWI 0x11 to work RAM, 0x12 to
// video RAM): a word of 0x10 and the decompressed size in bytes << 8, then
// blocks of one flag byte (highest bit first, 1 = reference) and eight
// items, each a literal byte or a reference of 3-18 bytes back 1-4096
// bytes (two bytes: length - 3 in the high nibble, distance - 1 in the
// remaining 12 bits, high part first).
//
// No reference reaches back only one byte: the 0x12 call writes halfwords
// to video RAM, where the byte just decompressed is not yet stored. The
// stream is padded with zeros to a multiple of 4 bytes so that it can be
// held in an aligned u16 or u32 array.
std::vector<std::uint8_t> compressLz77(const std::vector<std::uint8_t>& data);

// The same, for an array of halfwords stored little-endian; the result is
// again halfwords (the padded stream read little-endian).
std::vector<std::uint16_t> compressLz77Halfwords(const std::vector<std::uint16_t>& values);

}  // namespace qarto
