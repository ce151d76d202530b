#pragma once
// An independent model of what Edge Bleed renders, for comparing frames made through the host
// with what the effect is meant to do. The nearest boundary point is found by brute force
// over every seed (no jump flooding); seeds, the blur, the extend sampling and the blend
// follow the effect's documented rules, in double precision, with bilinear texture reads
// (clamp to edge) modelled directly.
//
// Pictures are float RGBA, indexed by memory row (row 0 is the first row in memory, the
// bottom row of an OpenFX picture), exactly as the kernels index them.

#include <vector>

#include "host/Image.h"

namespace render_test {

struct EdgeBleedSettings {
  int mode = 0;  // 0 Stretch, else Mirror
  double threshold = 0.5;
  double maxDistance = 0.0;  // fraction of the diagonal, 0 = unlimited
  bool preserveInside = true;
  double blurRadius = 1.0;
  int outputMode = 0;  // 0 Result, 1 Distance Field, 2 Seed UV
  double blend = 1.0;
};

// The jump flood finds a nearest boundary point only approximately: it may settle on a point a
// fraction of a pixel farther than the true nearest one, possibly some pixels along the
// boundary. The model therefore accepts, for each pixel, every seed point at most
// kNearestSlack pixels farther than the nearest, and gives the range of outputs those seeds
// produce (with the field blurred as the effect blurs it, and unblurred). Pixels beyond the
// maximum distance keep whichever seed the flood met first: any seed is accepted there.
inline constexpr double kNearestSlack = 0.35;

struct ReferenceFrame {
  int width = 0;
  int height = 0;
  std::vector<double> low, high;  // width * height * 4 each, memory-row order
  int seedCount = 0;

  const double* lowAt(int x, int y) const { return &low[(static_cast<size_t>(y) * width + x) * 4]; }
  const double* highAt(int x, int y) const { return &high[(static_cast<size_t>(y) * width + x) * 4]; }
};

ReferenceFrame renderReference(const ofxhost::Image& source, const ofxhost::Image& matte,
                               const EdgeBleedSettings& settings);

}  // namespace render_test
