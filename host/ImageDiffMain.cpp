// edge_bleed_image_diff: compares two pictures (EXR or PNG) channel by channel and prints the
// largest absolute difference, where it is, and how many pixels differ by more than a
// tolerance. Exit status 0 when the pictures have the same size, 1 otherwise or on errors.
//   edge_bleed_image_diff A B [tolerance, default 1e-3]
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include "host/HostError.h"
#include "host/ImageFile.h"

int main(int argc, char **argv) {
  if (argc < 3 || argc > 4) {
    std::fprintf(stderr, "usage: edge_bleed_image_diff A B [tolerance]\n");
    return 2;
  }
  const double tolerance = argc == 4 ? std::atof(argv[3]) : 1e-3;
  try {
    const std::unique_ptr<ofxhost::Image> a = ofxhost::readImageFile(argv[1]);
    const std::unique_ptr<ofxhost::Image> b = ofxhost::readImageFile(argv[2]);
    if (a->width() != b->width() || a->height() != b->height()) {
      std::printf("size differs: %dx%d against %dx%d\n", a->width(), a->height(), b->width(), b->height());
      return 1;
    }
    double largest = 0.0;
    int atX = 0, atY = 0, atC = 0;
    long long over = 0;
    for (int y = 0; y < a->height(); ++y) {
      for (int x = 0; x < a->width(); ++x) {
        const float *pa = a->pixel(x, y), *pb = b->pixel(x, y);
        bool pixelOver = false;
        for (int c = 0; c < 4; ++c) {
          const double d = std::fabs(static_cast<double>(pa[c]) - pb[c]);
          if (d > largest || std::isnan(d)) {
            largest = std::isnan(d) ? INFINITY : d;
            atX = x, atY = y, atC = c;
          }
          pixelOver = pixelOver || !(d <= tolerance);
        }
        if (pixelOver) ++over;
      }
    }
    std::printf("largest difference %.3g at (%d, %d) channel %d; %lld of %lld pixels differ by more than %g\n",
                largest, atX, atY, atC, over, static_cast<long long>(a->width()) * a->height(), tolerance);
    return 0;
  } catch (const ofxhost::HostError &e) {
    std::fprintf(stderr, "error: %s\n", e.what());
    return 1;
  }
}
