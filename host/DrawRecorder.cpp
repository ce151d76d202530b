#include "host/DrawRecorder.h"

namespace ofxhost {

OfxRGBAColourF standardColour(OfxStandardColour which) {
  switch (which) {
    case kOfxStandardColourOverlayBackground: return {0.0f, 0.0f, 0.0f, 1.0f};
    case kOfxStandardColourOverlayActive: return {1.0f, 1.0f, 0.0f, 1.0f};
    case kOfxStandardColourOverlaySelected: return {1.0f, 0.5f, 0.0f, 1.0f};
    case kOfxStandardColourOverlayDeselected: return {0.7f, 0.7f, 0.7f, 1.0f};
    case kOfxStandardColourOverlayMarqueeFG: return {1.0f, 1.0f, 1.0f, 1.0f};
    case kOfxStandardColourOverlayMarqueeBG: return {0.0f, 0.0f, 0.0f, 0.5f};
    case kOfxStandardColourOverlayText: return {1.0f, 1.0f, 1.0f, 1.0f};
  }
  return {0.0f, 0.0f, 0.0f, 0.0f};
}

namespace {

DrawCommand *begin(OfxDrawContextHandle handle, DrawCommand::Kind kind) {
  DrawContext *context = fromHandle<DrawContext>(handle);
  if (context == nullptr) return nullptr;
  context->commands.emplace_back();
  context->commands.back().kind = kind;
  return &context->commands.back();
}

OfxStatus getColour(OfxDrawContextHandle handle, OfxStandardColour which, OfxRGBAColourF *colour) {
  DrawCommand *cmd = begin(handle, DrawCommand::Kind::GetColour);
  if (cmd == nullptr) return kOfxStatErrBadHandle;
  cmd->standardColour = static_cast<int>(which);
  if (cmd->standardColour < kOfxStandardColourOverlayBackground || cmd->standardColour > kOfxStandardColourOverlayText) {
    return cmd->status = kOfxStatErrValue;
  }
  if (colour == nullptr) return cmd->status = kOfxStatErrValue;
  cmd->colour = *colour = standardColour(which);
  return kOfxStatOK;
}

OfxStatus setColour(OfxDrawContextHandle handle, const OfxRGBAColourF *colour) {
  DrawCommand *cmd = begin(handle, DrawCommand::Kind::SetColour);
  if (cmd == nullptr) return kOfxStatErrBadHandle;
  if (colour == nullptr) return cmd->status = kOfxStatErrValue;
  cmd->colour = *colour;
  return kOfxStatOK;
}

OfxStatus setLineWidth(OfxDrawContextHandle handle, float width) {
  DrawCommand *cmd = begin(handle, DrawCommand::Kind::SetLineWidth);
  if (cmd == nullptr) return kOfxStatErrBadHandle;
  cmd->lineWidth = width;
  return width < 0 ? (cmd->status = kOfxStatErrValue) : kOfxStatOK;
}

OfxStatus setLineStipple(OfxDrawContextHandle handle, OfxDrawLineStipplePattern pattern) {
  DrawCommand *cmd = begin(handle, DrawCommand::Kind::SetLineStipple);
  if (cmd == nullptr) return kOfxStatErrBadHandle;
  cmd->stipple = static_cast<int>(pattern);
  if (cmd->stipple < kOfxDrawLineStipplePatternSolid || cmd->stipple > kOfxDrawLineStipplePatternDotDash)
    return cmd->status = kOfxStatErrValue;
  return kOfxStatOK;
}

OfxStatus draw(OfxDrawContextHandle handle, OfxDrawPrimitive primitive, const OfxPointD *points, int count) {
  DrawCommand *cmd = begin(handle, DrawCommand::Kind::Draw);
  if (cmd == nullptr) return kOfxStatErrBadHandle;
  cmd->primitive = static_cast<int>(primitive);
  if (cmd->primitive < kOfxDrawPrimitiveLines || cmd->primitive > kOfxDrawPrimitiveEllipse || count < 0 ||
      (count > 0 && points == nullptr))
    return cmd->status = kOfxStatErrValue;
  cmd->points.assign(points, points + count);
  // Rectangles and ellipses are given by two corner points.
  if ((primitive == kOfxDrawPrimitiveRectangle || primitive == kOfxDrawPrimitiveEllipse) && count != 2)
    return cmd->status = kOfxStatErrValue;
  return kOfxStatOK;
}

OfxStatus drawText(OfxDrawContextHandle handle, const char *text, const OfxPointD *pos, int alignment) {
  DrawCommand *cmd = begin(handle, DrawCommand::Kind::DrawText);
  if (cmd == nullptr) return kOfxStatErrBadHandle;
  cmd->alignment = alignment;
  if (text == nullptr || pos == nullptr) return cmd->status = kOfxStatErrValue;
  cmd->text = text;
  cmd->position = *pos;
  return kOfxStatOK;
}

const OfxDrawSuiteV1 kDrawSuite = {getColour, setColour, setLineWidth, setLineStipple, draw, drawText};

}  // namespace

const OfxDrawSuiteV1 *drawSuite() { return &kDrawSuite; }

}  // namespace ofxhost
