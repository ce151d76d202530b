#include "host/ImageFile.h"

#include <png.h>
#include <tinyexr.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "host/HostError.h"

namespace ofxhost {
namespace {

std::string lowerCase(std::string text) {
  for (char &c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

bool endsWith(const std::string &text, const std::string &suffix) {
  return text.size() >= suffix.size() && text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0;
}

[[noreturn]] void readFailure(const std::string &path, const std::string &reason) {
  throw HostError("cannot read image " + path + ": " + reason);
}

[[noreturn]] void writeFailure(const std::string &path, const std::string &reason) {
  throw HostError("cannot write image " + path + ": " + reason);
}

// A picture of the file's size whose row r counted from the top is filled by `row(r, dst)`.
template <class RowFill>
std::unique_ptr<Image> pictureFromTopDownRows(int width, int height, RowFill row) {
  auto image = std::make_unique<Image>(OfxRectI{0, 0, width, height});
  for (int r = 0; r < height; ++r) row(r, image->pixel(0, height - 1 - r));
  return image;
}

// The picture's rows from the top, packed as 4 floats per pixel.
std::vector<float> topDownPixels(const Image &image) {
  const int width = image.width();
  const int height = image.height();
  std::vector<float> pixels(static_cast<size_t>(width) * static_cast<size_t>(height) * 4u);
  for (int r = 0; r < height; ++r) {
    const float *src = image.pixel(image.bounds().x1, image.bounds().y2 - 1 - r);
    std::memcpy(&pixels[static_cast<size_t>(r) * static_cast<size_t>(width) * 4u], src,
                static_cast<size_t>(width) * 16u);
  }
  return pixels;
}

std::unique_ptr<Image> readExr(const std::string &path) {
  float *rgba = nullptr;
  int width = 0;
  int height = 0;
  const char *error = nullptr;
  if (LoadEXR(&rgba, &width, &height, path.c_str(), &error) != TINYEXR_SUCCESS) {
    const std::string reason = error != nullptr ? error : "not a readable OpenEXR file";
    if (error != nullptr) FreeEXRErrorMessage(error);
    std::free(rgba);
    readFailure(path, reason);
  }
  std::unique_ptr<float, decltype(&std::free)> owned(rgba, &std::free);
  if (width <= 0 || height <= 0) readFailure(path, "empty image");
  return pictureFromTopDownRows(width, height, [&](int r, float *dst) {
    std::memcpy(dst, rgba + static_cast<size_t>(r) * static_cast<size_t>(width) * 4u,
                static_cast<size_t>(width) * 16u);
  });
}

std::unique_ptr<Image> readPng(const std::string &path) {
  png_image png;
  std::memset(&png, 0, sizeof(png));
  png.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&png, path.c_str())) {
    const std::string reason = png.message[0] != '\0' ? png.message : "not a readable PNG file";
    png_image_free(&png);
    readFailure(path, reason);
  }
  png.format = PNG_FORMAT_RGBA;
  const int width = static_cast<int>(png.width);
  const int height = static_cast<int>(png.height);
  std::vector<png_byte> bytes(PNG_IMAGE_SIZE(png));
  if (!png_image_finish_read(&png, nullptr, bytes.data(), 0, nullptr)) {
    const std::string reason = png.message[0] != '\0' ? png.message : "corrupt PNG data";
    png_image_free(&png);
    readFailure(path, reason);
  }
  if (width <= 0 || height <= 0) readFailure(path, "empty image");
  return pictureFromTopDownRows(width, height, [&](int r, float *dst) {
    const png_byte *src = &bytes[static_cast<size_t>(r) * static_cast<size_t>(width) * 4u];
    for (int i = 0; i < width * 4; ++i) dst[i] = static_cast<float>(src[i]) / 255.0f;
  });
}

// A temporary file in the target's folder, so that the final rename stays on one file system.
std::string makeTemporaryFile(const std::string &path) {
  std::string pattern = path + ".tmp-XXXXXX";
  std::vector<char> name(pattern.begin(), pattern.end());
  name.push_back('\0');
  const int fd = mkstemp(name.data());
  if (fd < 0) writeFailure(path, std::strerror(errno));
  // mkstemp makes the file private; the finished picture gets the usual permissions.
  const mode_t mask = umask(0);
  umask(mask);
  (void)fchmod(fd, 0666 & ~mask);
  close(fd);
  return std::string(name.data());
}

void commitTemporaryFile(const std::string &temporary, const std::string &path) {
  if (std::rename(temporary.c_str(), path.c_str()) != 0) {
    const std::string reason = std::strerror(errno);
    std::remove(temporary.c_str());
    writeFailure(path, reason);
  }
}

void writeExr(const std::string &temporary, const std::string &path, const Image &image) {
  const std::vector<float> pixels = topDownPixels(image);
  const char *error = nullptr;
  if (SaveEXR(pixels.data(), image.width(), image.height(), 4, 0, temporary.c_str(), &error) != TINYEXR_SUCCESS) {
    const std::string reason = error != nullptr ? error : "OpenEXR encoding failed";
    if (error != nullptr) FreeEXRErrorMessage(error);
    std::remove(temporary.c_str());
    writeFailure(path, reason);
  }
}

void writePng(const std::string &temporary, const std::string &path, const Image &image) {
  const std::vector<float> pixels = topDownPixels(image);
  std::vector<png_byte> bytes(pixels.size());
  for (size_t i = 0; i < pixels.size(); ++i) {
    const float v = std::isnan(pixels[i]) ? 0.0f : std::min(1.0f, std::max(0.0f, pixels[i]));
    bytes[i] = static_cast<png_byte>(std::lround(v * 255.0f));
  }
  png_image png;
  std::memset(&png, 0, sizeof(png));
  png.version = PNG_IMAGE_VERSION;
  png.width = static_cast<png_uint_32>(image.width());
  png.height = static_cast<png_uint_32>(image.height());
  png.format = PNG_FORMAT_RGBA;
  if (!png_image_write_to_file(&png, temporary.c_str(), 0, bytes.data(), 0, nullptr)) {
    const std::string reason = png.message[0] != '\0' ? png.message : "PNG encoding failed";
    png_image_free(&png);
    std::remove(temporary.c_str());
    writeFailure(path, reason);
  }
}

}  // namespace

ImageFileFormat imageFileFormat(const std::string &path) {
  const std::string lower = lowerCase(path);
  if (endsWith(lower, ".exr")) return ImageFileFormat::Exr;
  if (endsWith(lower, ".png")) return ImageFileFormat::Png;
  return ImageFileFormat::Unknown;
}

std::unique_ptr<Image> readImageFile(const std::string &path) {
  if (access(path.c_str(), R_OK) != 0) readFailure(path, std::strerror(errno));
  switch (imageFileFormat(path)) {
    case ImageFileFormat::Exr:
      return readExr(path);
    case ImageFileFormat::Png:
      return readPng(path);
    case ImageFileFormat::Unknown:
      break;
  }
  readFailure(path, "unknown image format (use .exr or .png)");
}

void writeImageFile(const std::string &path, const Image &image) {
  const ImageFileFormat format = imageFileFormat(path);
  if (format == ImageFileFormat::Unknown) writeFailure(path, "unknown image format (use .exr or .png)");
  if (image.bytesPerPixel() != 16 || image.width() <= 0 || image.height() <= 0) {
    writeFailure(path, "only non-empty float RGBA pictures can be written");
  }
  const std::string temporary = makeTemporaryFile(path);
  if (format == ImageFileFormat::Exr) {
    writeExr(temporary, path, image);
  } else {
    writePng(temporary, path, image);
  }
  commitTemporaryFile(temporary, path);
}

}  // namespace ofxhost
