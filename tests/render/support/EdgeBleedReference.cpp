#include "tests/render/support/EdgeBleedReference.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace render_test {
namespace {

using Texel = std::array<double, 4>;

// A W x H float RGBA texture in memory-row order.
struct Texture {
  int width = 0;
  int height = 0;
  std::vector<Texel> texels;

  const Texel& at(int x, int y) const {
    x = std::min(std::max(x, 0), width - 1);
    y = std::min(std::max(y, 0), height - 1);
    return texels[static_cast<size_t>(y) * width + x];
  }
  // Bilinear filtering with normalised coordinates and clamp-to-edge addressing.
  Texel sample(double u, double v) const {
    const double x = u * width - 0.5;
    const double y = v * height - 0.5;
    const double x0 = std::floor(x);
    const double y0 = std::floor(y);
    const double fx = x - x0;
    const double fy = y - y0;
    const int ix = static_cast<int>(x0);
    const int iy = static_cast<int>(y0);
    Texel out{};
    for (int c = 0; c < 4; ++c) {
      out[c] = (1 - fx) * (1 - fy) * at(ix, iy)[c] + fx * (1 - fy) * at(ix + 1, iy)[c] +
               (1 - fx) * fy * at(ix, iy + 1)[c] + fx * fy * at(ix + 1, iy + 1)[c];
    }
    return out;
  }
};

Texture textureOf(const ofxhost::Image& image) {
  Texture t;
  t.width = image.width();
  t.height = image.height();
  t.texels.resize(static_cast<size_t>(t.width) * t.height);
  for (int y = 0; y < t.height; ++y) {
    for (int x = 0; x < t.width; ++x) {
      const float* p = image.pixel(image.bounds().x1 + x, image.bounds().y1 + y);
      t.texels[static_cast<size_t>(y) * t.width + x] = {p[0], p[1], p[2], p[3]};
    }
  }
  return t;
}

double clamp01(double v) { return std::min(1.0, std::max(0.0, v)); }

const int kOffsets[8][2] = {{-1, -1}, {0, -1}, {1, -1}, {-1, 0}, {1, 0}, {-1, 1}, {0, 1}, {1, 1}};

struct Seed {
  bool isSeed = false;
  double u = -2.0, v = -2.0;
};

// The seed pass: the threshold crossing towards the first neighbour across the boundary.
Seed seedAt(const Texture& matte, int x, int y, double t) {
  const int w = matte.width, h = matte.height;
  const double u = (x + 0.5) / w, v = (y + 0.5) / h;
  const double ac = matte.sample(u, v)[3];
  for (const auto& o : kOffsets) {
    const double nu = u + o[0] * (1.0 / w), nv = v + o[1] * (1.0 / h);
    if (nu < 0 || nu > 1 || nv < 0 || nv > 1) continue;
    const double an = matte.sample(nu, nv)[3];
    if ((ac >= t) == (an >= t)) continue;
    const double d = an - ac;
    Seed s;
    s.isSeed = true;
    if (std::fabs(d) > 0.001) {
      const double k = clamp01((t - ac) / d);
      s.u = u + (nu - u) * k;
      s.v = v + (nv - v) * k;
    } else {
      s.u = u;
      s.v = v;
    }
    return s;
  }
  return Seed{};
}

std::vector<double> gaussianTable() {
  std::vector<double> lut(256);
  for (int i = 0; i < 256; ++i) lut[i] = std::round(std::exp(-std::pow(i / 42.5, 2.0)) * 1e8) / 1e8;
  return lut;
}

// One direction of the blur over the field (R < 0 marks "no seed").
Texture blurPass(const Texture& in, double r, bool horizontal) {
  if (r < 0.5) return in;
  static const std::vector<double> lut = gaussianTable();
  const int n = static_cast<int>(std::ceil(r + r));
  const double sigma = r / 3.0;
  Texture out = in;
  for (int y = 0; y < in.height; ++y) {
    for (int x = 0; x < in.width; ++x) {
      const Texel& c = in.at(x, y);
      if (c[0] < 0) continue;
      Texel sum{};
      double weights = 0;
      for (int i = -n; i <= n; ++i) {
        const Texel& s = horizontal ? in.at(x + i, y) : in.at(x, y + i);
        if (s[0] < 0) continue;
        const double t = std::abs(i) / sigma;
        double w = 0;
        if (t < 6) {
          const double k = t * 42.5;
          const int j = static_cast<int>(k);
          w = j > 254 ? 0.0 : lut[j] + (k - j) * (lut[j + 1] - lut[j]);
        }
        for (int ch = 0; ch < 4; ++ch) sum[ch] += w * s[ch];
        weights += w;
      }
      if (weights >= 0.001) {
        for (int ch = 0; ch < 4; ++ch) out.texels[static_cast<size_t>(y) * in.width + x][ch] = sum[ch] / weights;
      }
    }
  }
  return out;
}

Texel sampleBlurred(const Texture& s, double cu, double cv) {
  static const double kWeights[3][3] = {{1, 2, 1}, {2, 4, 2}, {1, 2, 1}};
  Texel sum{};
  for (int j = -1; j <= 1; ++j) {
    for (int i = -1; i <= 1; ++i) {
      const Texel tap = s.sample(clamp01(cu + i * (1.0 / s.width)), clamp01(cv + j * (1.0 / s.height)));
      for (int c = 0; c < 4; ++c) sum[c] += kWeights[j + 1][i + 1] * tap[c];
    }
  }
  for (double& c : sum) c *= 0.0625;
  return sum;
}

}  // namespace

ReferenceFrame renderReference(const ofxhost::Image& sourceImage, const ofxhost::Image& matteImage,
                               const EdgeBleedSettings& settings) {
  const Texture source = textureOf(sourceImage);
  const Texture matte = textureOf(matteImage);
  const int w = source.width, h = source.height;
  const double t = settings.threshold;
  const double diag = std::sqrt(static_cast<double>(w) * w + static_cast<double>(h) * h);
  const double cap = settings.maxDistance > 0 ? settings.maxDistance * diag : 0.0;
  const double limit = settings.maxDistance > 0 ? settings.maxDistance * diag : 1.0e10;

  ReferenceFrame frame;
  frame.width = w;
  frame.height = h;
  frame.low.assign(static_cast<size_t>(w) * h * 4, 1e30);
  frame.high.assign(static_cast<size_t>(w) * h * 4, -1e30);

  std::vector<Seed> seeds(static_cast<size_t>(w) * h);
  std::vector<std::array<double, 2>> points;
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      Seed& s = seeds[static_cast<size_t>(y) * w + x];
      s = seedAt(matte, x, y, t);
      if (s.isSeed) points.push_back({s.u, s.v});
    }
  }
  frame.seedCount = static_cast<int>(points.size());

  // The extend kernel and the blend, for one field texel at pixel (u, v).
  auto extend = [&](const Texel& f, double u, double v) {
    const Texel p = source.sample(u, v);
    Texel out{};
    if (settings.outputMode == 1) {
      const double g = clamp01((f[2] / (diag * 0.1)) * 0.5 + 0.5);
      out = {g, g, g, f[3]};
    } else if (settings.outputMode == 2) {
      out = f[0] >= 0 ? Texel{f[0], f[1], 0.0, f[3]} : Texel{0.0, 0.0, 0.0, f[3]};
    } else {
      const bool inside = f[2] < 0;
      if (settings.preserveInside && inside) {
        out = p;
      } else if (!inside && std::fabs(f[2]) > limit) {
        out = f[0] < 0 ? Texel{0, 0, 0, 0} : sampleBlurred(source, f[0], f[1]);
      } else if (f[0] < 0) {
        out = p;
      } else if (settings.mode == 0) {
        out = sampleBlurred(source, f[0], f[1]);
      } else {
        out = sampleBlurred(source, clamp01(2 * f[0] - u), clamp01(2 * f[1] - v));
      }
    }
    if (settings.blend < 1.0) {
      for (int c = 0; c < 3; ++c) out[c] = settings.blend * out[c] + (1 - settings.blend) * p[c];
    }
    return out;
  };
  auto widen = [&](int x, int y, const Texel& out) {
    const size_t i = (static_cast<size_t>(y) * w + x) * 4;
    for (int c = 0; c < 4; ++c) {
      frame.low[i + c] = std::min(frame.low[i + c], out[c]);
      frame.high[i + c] = std::max(frame.high[i + c], out[c]);
    }
  };

  // The field with the nearest seed (brute force), and every accepted alternative.
  Texture field;
  field.width = w;
  field.height = h;
  field.texels.resize(static_cast<size_t>(w) * h);
  std::vector<std::vector<Texel>> alternatives(static_cast<size_t>(w) * h);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      const size_t i = static_cast<size_t>(y) * w + x;
      const double u = (x + 0.5) / w, v = (y + 0.5) / h;
      const bool inside = matte.sample(u, v)[3] >= t;
      const double alpha = source.sample(u, v)[3];
      const double sign = inside ? -1.0 : 1.0;
      const Seed& own = seeds[i];
      if (own.isSeed) {
        field.texels[i] = {own.u, own.v, sign * 0.001, alpha};
        alternatives[i].push_back(field.texels[i]);
        continue;
      }
      double best = 1e10;
      std::array<double, 2> nearest{-2.0, -2.0};
      for (const auto& p : points) {
        const double d = std::hypot((u - p[0]) * w, (v - p[1]) * h);
        if (d < best) {
          best = d;
          nearest = p;
        }
      }
      const bool capped = cap > 0 && best > cap;
      field.texels[i] = {nearest[0], nearest[1], sign * (capped ? cap : best), alpha};
      if (points.empty() && cap > 0) field.texels[i][2] = sign * cap;
      alternatives[i].push_back(field.texels[i]);
      // Beyond the cap the flood may also never reach the pixel with a seed.
      if (capped) alternatives[i].push_back({-2.0, -2.0, sign * cap, alpha});
      for (const auto& p : points) {
        const double d = std::hypot((u - p[0]) * w, (v - p[1]) * h);
        if (capped || d <= best + kNearestSlack) {
          alternatives[i].push_back({p[0], p[1], sign * (capped ? cap : d), alpha});
        }
      }
    }
  }

  const Texture blurred = blurPass(blurPass(field, settings.blurRadius, true), settings.blurRadius, false);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      const double u = (x + 0.5) / w, v = (y + 0.5) / h;
      widen(x, y, extend(blurred.at(x, y), u, v));
      for (const Texel& f : alternatives[static_cast<size_t>(y) * w + x]) widen(x, y, extend(f, u, v));
    }
  }
  return frame;
}

}  // namespace render_test
