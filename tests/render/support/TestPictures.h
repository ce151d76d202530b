#pragma once
// Small pictures for render tests: a smooth colour ramp whose colours say where they were
// sampled from, and a disc matte with a soft one-pixel edge.

#include "host/Image.h"

namespace render_test {

// R = x/W, G = y/H (texel centres), B between them, alpha from 0.25 to 1 across.
ofxhost::Image rampPicture(const OfxRectI& bounds, int rowPadding = 0);

// Alpha 1 inside a disc of `radius` pixels around (cx, cy) (pixel units from the bounds'
// corner), 0 outside, with a linear one-pixel edge; colour white.
ofxhost::Image discMatte(const OfxRectI& bounds, double cx, double cy, double radius);

// Every pixel the same.
ofxhost::Image flatPicture(const OfxRectI& bounds, float r, float g, float b, float a);

}  // namespace render_test
