#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace qarto {

// No array that the import reads holds more values than this (a 1024 x 1024
// map has a quarter of it), so larger declarations are refused before any
// memory is taken for them.
inline constexpr std::size_t kMaxSourceArrayValues = std::size_t{1} << 22;

// One array with its values, as a C source defines it.
struct SourceArray {
  std::string name;
  std::string typeName;  // the element type as written, e.g. "unsigned short"
  int elementBytes = 2;  // 1, 2 or 4
  int line = 0;          // where the name stands
  // As many values as the array has: a declared size longer than the list
  // is filled up with zeros, as the compiler does.
  std::vector<std::uint32_t> values;

  // The values as the GBA holds them in memory: each element little-endian.
  std::vector<std::uint8_t> bytes() const;
};

// Reads the array `name` (with an empty name: the first array that has
// values) from a C or C++ source text, the way exporters write them:
//
//   [static] [const] TYPE NAME [SIZE] [ATTRIBUTES] = { VALUE, VALUE, ... };
//
// TYPE is u8, u16, u32, uint8_t, uint16_t, uint32_t, unsigned char,
// unsigned short (int) or unsigned int, in any order with the qualifiers.
// ATTRIBUTES, before the type or after "]", are words in capitals with or
// without an argument list (ALIGN4, ALIGN(4), EWRAM_DATA),
// __attribute__((...)) and alignas(...). SIZE may be left out. VALUEs are
// decimal, hexadecimal (0x), octal (leading 0) or binary (0b) numbers with
// an optional u/l suffix, each within the element type; a comma may follow
// the last one. Comments, preprocessor lines and line breaks anywhere are
// fine. Declarations without values (no "=", as extern ones) are passed over;
// braces of extern "C" and namespaces are looked into, other braces not.
//
// On failure `message` names the file, the line and what was expected:
// File <path>, line 7: expected a number, found "x".
bool readSourceArray(std::string_view text, const std::string& path, const std::string& name, SourceArray& out,
                     std::string& message);

// Reads the file first; a missing, empty or huge file is refused with its
// message.
bool readSourceArrayFile(const std::string& path, const std::string& name, SourceArray& out, std::string& message);

}  // namespace qarto
