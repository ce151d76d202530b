#pragma once
// The draw suite as a recorder: each draw context keeps every call made on it, in
// order, so tests can inspect exactly what an overlay drew.

#include <string>
#include <vector>

#include "host/HandleRegistry.h"
#include "ofxDrawSuite.h"

namespace ofxhost {

struct DrawCommand {
  enum class Kind { GetColour, SetColour, SetLineWidth, SetLineStipple, Draw, DrawText };
  Kind kind = Kind::Draw;
  OfxRGBAColourF colour{0, 0, 0, 0};   // SetColour, GetColour (the colour answered)
  // Enumerations are kept as the plug-in's raw numbers, which may be out of range.
  int standardColour = kOfxStandardColourOverlayBackground;  // GetColour
  float lineWidth = 0;                 // SetLineWidth
  int stipple = kOfxDrawLineStipplePatternSolid;  // SetLineStipple
  int primitive = kOfxDrawPrimitiveLines;        // Draw
  std::vector<OfxPointD> points;       // Draw
  std::string text;                    // DrawText
  OfxPointD position{0, 0};            // DrawText
  int alignment = 0;                   // DrawText
  OfxStatus status = kOfxStatOK;       // what the call returned
};

class DrawContext {
 public:
  static constexpr HandleKind kHandleKind = HandleKind::DrawContext;
  DrawContext() : registration_(this, kHandleKind) {}
  DrawContext(const DrawContext &) = delete;
  DrawContext &operator=(const DrawContext &) = delete;

  OfxDrawContextHandle handle() { return reinterpret_cast<OfxDrawContextHandle>(this); }
  std::vector<DrawCommand> commands;

 private:
  HandleRegistration registration_;
};

// The colour the host answers for a standard colour.
OfxRGBAColourF standardColour(OfxStandardColour which);

const OfxDrawSuiteV1 *drawSuite();

}  // namespace ofxhost
