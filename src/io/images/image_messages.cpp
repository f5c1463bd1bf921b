#include "io/images/image_messages.h"

namespace qarto {

std::string fileNotFoundMessage(const std::string& path) { return "File <" + path + "> not found!"; }

std::string fileEmptyMessage(const std::string& path) { return "File <" + path + "> is empty!"; }

std::string fileBufferFailedMessage(const std::string& path) {
  return "Memory allocation faile while trying to load the file <" + path + ">!";
}

std::string notValidBitmapMessage(const std::string& path) {
  return "The file <" + path + "> is not a valid bitmap file!";
}

std::string notValidPcxMessage(const std::string& path) { return "The file <" + path + "> is not a valid .pcx file!"; }

std::string notValidPngMessage(const std::string& path) { return "The file <" + path + "> is not a valid .png file!"; }

namespace {

std::string notIndexedPngMessage(const std::string& path, const char* kind) {
  return "File <" + path + "> is a " + kind +
         " .png file.\n\nOnly indexed .png files are supported.  Save the image with indexed (palette) colour, "
         "at most 256 colours, and load it again.";
}

}  // namespace

std::string pngGreyscaleMessage(const std::string& path) { return notIndexedPngMessage(path, "greyscale"); }

std::string pngTruecolourMessage(const std::string& path) { return notIndexedPngMessage(path, "truecolour"); }

std::string bitDepthMessage(const std::string& path, int bits) {
  return "File <" + path + "> is in " + std::to_string(bits) +
         "-bit format.\n\nOnly 4- and 8-bit .bmp files are supported.";
}

std::string tileMultipleMessage(const std::string& path, long long width, long long height) {
  return "All tilesets must be a multiples of 8, such as 64x48 or 128x128.  File <" + path + "> has dimensions of " +
         std::to_string(width) + "x" + std::to_string(height) + ".\n";
}

std::string pixelBufferFailedMessage(const std::string& path) {
  return "Memory allocation failed trying to load <" + path + ">!";
}

std::string displayImageFailedMessage(const std::string& path) {
  return "Memory allocation failure trying to load file <" + path + ">.";
}

std::string openForWritingFailedMessage(const std::string& path) {
  return "File <" + path + "> could not be opened for writing.";
}

bool readImageFile(const std::string& path, std::vector<std::uint8_t>& bytes, std::string& message) {
  switch (readFileBytes(path, bytes)) {
    case ReadStatus::Ok:
      return true;
    case ReadStatus::NotFound:
      message = fileNotFoundMessage(path);
      return false;
    case ReadStatus::Empty:
      message = fileEmptyMessage(path);
      return false;
    case ReadStatus::TooLarge:
      message = fileBufferFailedMessage(path);
      return false;
  }
  message = fileNotFoundMessage(path);
  return false;
}

}  // namespace qarto
