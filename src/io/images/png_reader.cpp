#include "io/images/png_reader.h"

#include <png.h>

#include <csetjmp>
#include <cstring>
#include <vector>

#include "io/images/bmp_codec.h"
#include "io/images/image_messages.h"
#include "model/allocation.h"

// libpng reports a damaged file by longjmp to the last setjmp. A jump over a
// C++ frame is only sound when that frame holds nothing with a destructor,
// so the work is split into two small functions that set the jump point,
// call libpng and hold plain values only; every buffer and the libpng
// structures themselves belong to the caller's frame, which no jump crosses.

namespace qarto {

namespace {

// Deflate never expands a byte of input to more than 1032 bytes of output.
constexpr std::uint64_t kMostInflation = 1032;

struct MemoryInput {
  const std::uint8_t* bytes;
  std::size_t size;
  std::size_t at;
};

void readFromMemory(png_structp png, png_bytep out, png_size_t length) {
  auto* input = static_cast<MemoryInput*>(png_get_io_ptr(png));
  if (length > input->size - input->at) png_error(png, "unexpected end of file");
  std::memcpy(out, input->bytes + input->at, length);
  input->at += length;
}

// libpng would print its errors and warnings on stderr; the user sees the
// reader's own message instead.
[[noreturn]] void stopDecoding(png_structp png, png_const_charp) { png_longjmp(png, 1); }
void ignoreWarning(png_structp, png_const_charp) {}

// The read and info structures of one decode, destroyed on every path.
class PngReadStructs {
 public:
  PngReadStructs() {
    png_ = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, stopDecoding, ignoreWarning);
    if (png_ != nullptr) info_ = png_create_info_struct(png_);
  }
  ~PngReadStructs() { png_destroy_read_struct(&png_, info_ != nullptr ? &info_ : nullptr, nullptr); }
  PngReadStructs(const PngReadStructs&) = delete;
  PngReadStructs& operator=(const PngReadStructs&) = delete;

  bool created() const { return png_ != nullptr && info_ != nullptr; }
  png_structp png() const { return png_; }
  png_infop info() const { return info_; }

 private:
  png_structp png_ = nullptr;
  png_infop info_ = nullptr;
};

struct PngHeader {
  png_uint_32 width = 0;
  png_uint_32 height = 0;
  int colourType = 0;
  std::uint64_t filteredBytes = 0;  // the decompressed rows with their filter bytes
  png_size_t rowBytes = 0;          // one byte per pixel once unpacked
};

// The header chunks and the image's size; called under the caller's setjmp.
void readImageInfo(png_structp png, png_infop info, PngHeader& header) {
  png_read_info(png, info);
  header.width = png_get_image_width(png, info);
  header.height = png_get_image_height(png, info);
  header.colourType = png_get_color_type(png, info);
  header.filteredBytes = (png_get_rowbytes(png, info) + 1) * std::uint64_t{header.height};
}

// Reads the chunks up to the image data and, for an indexed image, asks for
// one byte per pixel. False when libpng found the file damaged.
bool readHeader(png_structp png, png_infop info, PngHeader& header, std::uint8_t* palette) {
  if (setjmp(png_jmpbuf(png))) return false;
  readImageInfo(png, info, header);
  if (header.colourType != PNG_COLOR_TYPE_PALETTE) return true;

  png_colorp entries = nullptr;
  int count = 0;
  if (png_get_PLTE(png, info, &entries, &count) != 0) {
    for (int i = 0; i < count && i < 256; ++i) {
      palette[i * 3 + 0] = entries[i].red;
      palette[i * 3 + 1] = entries[i].green;
      palette[i * 3 + 2] = entries[i].blue;
    }
  }
  png_set_packing(png);
  png_set_interlace_handling(png);
  png_read_update_info(png, info);
  header.rowBytes = png_get_rowbytes(png, info);
  return true;
}

bool readRows(png_structp png, png_bytepp rows) {
  if (setjmp(png_jmpbuf(png))) return false;
  png_read_image(png, rows);
  return true;
}

// Asks libpng for 8-bit RGBA rows whatever the file holds: palettes and grey
// expanded, transparency chunks turned into alpha, 16-bit channels cut to 8.
bool readRgbaHeader(png_structp png, png_infop info, PngHeader& header) {
  if (setjmp(png_jmpbuf(png))) return false;
  readImageInfo(png, info, header);
  png_set_expand(png);
  png_set_strip_16(png);
  png_set_gray_to_rgb(png);
  png_set_add_alpha(png, 0xFF, PNG_FILLER_AFTER);
  png_set_interlace_handling(png);
  png_read_update_info(png, info);
  header.rowBytes = png_get_rowbytes(png, info);
  return true;
}

bool isPngSignature(const std::uint8_t* bytes, std::size_t size) {
  return bytes != nullptr && size >= 8 && png_sig_cmp(bytes, 0, 8) == 0;
}

// Checks the signature and points libpng at the bytes; false with the
// message when the bytes are no PNG or the structures could not be made.
bool startDecoding(PngReadStructs& structs, MemoryInput& input, const std::string& path, std::string& message) {
  message = notValidPngMessage(path);
  if (!isPngSignature(input.bytes, input.size)) return false;
  if (!structs.created()) {
    message = fileBufferFailedMessage(path);
    return false;
  }
  png_set_read_fn(structs.png(), &input, readFromMemory);
  return true;
}

}  // namespace

bool decodePngImage(const std::uint8_t* bytes, std::size_t size, const std::string& path, IndexedImage& image,
                    std::string& message) {
  PngReadStructs structs;
  MemoryInput input{bytes, size, 0};
  if (!startDecoding(structs, input, path, message)) return false;

  IndexedImage decoded;
  PngHeader header;
  if (!readHeader(structs.png(), structs.info(), header, decoded.palette.data())) return false;
  if (header.colourType != PNG_COLOR_TYPE_PALETTE) {
    const bool grey = (header.colourType & PNG_COLOR_MASK_COLOR) == 0;
    message = grey ? pngGreyscaleMessage(path) : pngTruecolourMessage(path);
    return false;
  }
  if (header.width % 8 != 0 || header.height % 8 != 0) {
    message = tileMultipleMessage(path, header.width, header.height);
    return false;
  }
  // A file too short to hold its rows is damaged; refusing it here also
  // keeps a small file from asking for a huge buffer.
  if (header.filteredBytes > kMostInflation * size || header.rowBytes != header.width) return false;

  const std::size_t width = header.width;
  const std::size_t height = header.height;
  std::vector<png_bytep> rows;
  if (!allocateZeroed(decoded.pixels, width * height) || !allocateZeroed(rows, height)) {
    message = pixelBufferFailedMessage(path);
    return false;
  }
  for (std::size_t y = 0; y < height; ++y) rows[y] = decoded.pixels.data() + y * width;
  if (!readRows(structs.png(), rows.data())) return false;

  decoded.imageWidth = static_cast<std::int32_t>(width);
  decoded.imageHeight = static_cast<std::int32_t>(height);
  image = std::move(decoded);
  message = kNoErrors;
  return true;
}

bool decodePngPicture(const std::uint8_t* bytes, std::size_t size, const std::string& path, DisplayImage& picture,
                      std::string& message) {
  PngReadStructs structs;
  MemoryInput input{bytes, size, 0};
  if (!startDecoding(structs, input, path, message)) return false;
  PngHeader header;
  if (!readRgbaHeader(structs.png(), structs.info(), header)) return false;
  if (header.filteredBytes > kMostInflation * size || header.rowBytes != std::uint64_t{header.width} * 4) return false;

  const std::size_t rowBytes = header.rowBytes;
  const std::size_t height = header.height;
  DisplayImage decoded;
  std::vector<png_bytep> rows;
  if (height != 0 && rowBytes > allocationLimit() / height) {
    message = pixelBufferFailedMessage(path);
    return false;
  }
  if (!allocateZeroed(decoded.rgba, rowBytes * height) || !allocateZeroed(rows, height)) {
    message = pixelBufferFailedMessage(path);
    return false;
  }
  for (std::size_t y = 0; y < height; ++y) rows[y] = decoded.rgba.data() + y * rowBytes;
  if (!readRows(structs.png(), rows.data())) return false;
  decoded.width = static_cast<std::int32_t>(header.width);
  decoded.height = static_cast<std::int32_t>(header.height);
  picture = std::move(decoded);
  message = kNoErrors;
  return true;
}

bool readPng(const std::string& path, IndexedImage& image, std::string& message) {
  std::vector<std::uint8_t> bytes;
  if (!readImageFile(path, bytes, message)) return false;
  return decodePngImage(bytes.data(), bytes.size(), path, image, message);
}

}  // namespace qarto
