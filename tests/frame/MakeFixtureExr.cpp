// Build-time fixture: writes a width x height RGBA EXR with r = x, g = y, b = 0.5, a = 1.
//   eb_make_fixture_exr <out.exr> <width> <height>

#include <cstdio>
#include <cstdlib>
#include <vector>

#include <tinyexr.h>

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: %s <out.exr> <width> <height>\n", argv[0]);
    return 2;
  }
  const int width = std::atoi(argv[2]);
  const int height = std::atoi(argv[3]);
  if (width <= 0 || height <= 0) return 2;
  std::vector<float> rgba(static_cast<size_t>(width) * static_cast<size_t>(height) * 4);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      float* p = &rgba[(static_cast<size_t>(y) * width + x) * 4];
      p[0] = static_cast<float>(x);
      p[1] = static_cast<float>(y);
      p[2] = 0.5f;
      p[3] = 1.0f;
    }
  const char* error = nullptr;
  if (SaveEXR(rgba.data(), width, height, 4, 0, argv[1], &error) != TINYEXR_SUCCESS) {
    std::fprintf(stderr, "eb_make_fixture_exr: %s\n", error != nullptr ? error : "cannot write");
    if (error != nullptr) FreeEXRErrorMessage(error);
    return 1;
  }
  return 0;
}
