#pragma once
// Reading and writing the pictures of the command-line renderer: OpenEXR (tinyexr, 32-bit
// float RGBA) and PNG (libpng, 8-bit RGBA), chosen by the file extension.
//
// Files store their top row first, OpenFX pictures their bottom row first (y grows upwards);
// both directions flip rows so that a picture looks the same in a viewer and in the host.
// PNG code values map to 0..1 as they are (no colour-space conversion, the same rule both
// ways, so a PNG read and written again is unchanged); values outside 0..1 are clamped when
// written. EXR keeps full float precision.
//
// Writing is atomic: the picture goes to a temporary file next to the target, which is
// renamed over the target only when complete, so a failure never leaves a half-written file.

#include <memory>
#include <string>

#include "host/Image.h"

namespace ofxhost {

enum class ImageFileFormat { Unknown, Exr, Png };

// By extension, case-insensitive: ".exr" or ".png".
ImageFileFormat imageFileFormat(const std::string &path);

// Reads a picture as float RGBA with bounds (0, 0, width, height). Throws HostError with a
// message naming the file ("cannot read image ...: <reason>").
std::unique_ptr<Image> readImageFile(const std::string &path);

// Writes a float RGBA picture (any bounds; padded rows are fine). Throws HostError.
void writeImageFile(const std::string &path, const Image &image);

}  // namespace ofxhost
