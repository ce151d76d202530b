#pragma once
// The base of every on-screen overlay bound to effect parameters: shared state, the mapping
// between parameter values, normalised image positions and canonical pixels, the visibility
// rule, state colours and the small drawing and hit-test helpers the concrete overlays use.

#include "definition/XMLEffectDefinition.h"
#include "overlays/OverlayColor.h"

#include "openfx/include/ofxCore.h"
#include "openfx/include/ofxDrawSuite.h"
#include "openfx/support/Interact.h"

#include <string>

namespace OFX {

class ImageEffect;
class Double2DParam;

class OverlayBase {
public:
    enum State { Idle, Dragging };

    explicit OverlayBase(ImageEffect* effect);
    virtual ~OverlayBase();
    OverlayBase(const OverlayBase&) = delete;
    OverlayBase& operator=(const OverlayBase&) = delete;

    // Each handler returns true when the overlay used the event.
    virtual void draw(OfxDrawContext* context, const DrawArgs& args) = 0;
    virtual bool penMotion(const PenArgs& args) = 0;
    virtual bool penDown(const PenArgs& args) = 0;
    virtual bool penUp(const PenArgs& args) = 0;

    // True while this overlay, or a child overlay it hands the pen to, is in a drag. The manager
    // keeps routing pen motions to an overlay for as long as this holds.
    virtual bool isHandlingDrag() const { return isDragging(); }

    void setColor(const OverlayColor& newColor) { color = newColor; }
    void setLabel(const std::string& text) { label = text; }
    void setVisibleWhen(const std::string& paramName) { visibleWhen = paramName; }
    void setCoordSystem(XMLEffectDefinition::OverlayCoordSystem system) { coordSystem = system; }

    bool isDragging() const { return state == Dragging; }
    bool isVisible(double time) const;
    void updateImageDimensions(double time);

    OfxPointD normalizedToPixel(double u, double v) const;
    OfxPointD pixelToNormalized(double px, double py) const;
    OfxPointD paramToUV(double x, double y) const;
    OfxPointD uvToParam(double u, double v) const;

    void getParam2D(Double2DParam* param, double time, double& u, double& v) const;
    void setParam2D(Double2DParam* param, double time, double u, double v) const;

    void getStateColor(float& r, float& g, float& b) const;
    void setDrawColor(OfxDrawContext* context) const;
    void setDrawLineWidth(OfxDrawContext* context, float width) const;
    void drawCircle(OfxDrawContext* context, double cx, double cy, double radius, const OfxPointD& pixelScale) const;
    void drawLabel(OfxDrawContext* context, double x, double y, const OfxPointD& pixelScale) const;
    static bool isNear(const OfxPointD& a, const OfxPointD& b, double tolerance);

    State getState() const { return state; }
    double getImageWidth() const { return imageWidth; }
    double getImageHeight() const { return imageHeight; }
    const OverlayColor& getColor() const { return color; }
    const std::string& getLabel() const { return label; }
    const std::string& getVisibleWhen() const { return visibleWhen; }
    XMLEffectDefinition::OverlayCoordSystem getCoordSystem() const { return coordSystem; }

protected:
    // Starts a drag: `Dragging`, and with an effect instance an edit block of that name, so the
    // whole drag is one undoable change.
    void beginDrag(const std::string& editBlockName);
    // Ends the drag's edit block (with an effect instance) and returns to `Idle`.
    void endDrag();
    // The opening of a pen motion that moves the dragged control: false when no drag is going on,
    // or when the control was hidden during the drag (that drag is then ended); otherwise the
    // image size is brought up to date and the motion goes on.
    bool continueDrag(double time);
    // A pen-up with nothing left to write: ends the drag in progress, if any, and says whether
    // there was one.
    bool finishDrag();

    ImageEffect* effect;
    State state = Idle;
    double imageWidth = 1920.0;
    double imageHeight = 1080.0;
    OverlayColor color;
    std::string label;
    std::string visibleWhen;
    XMLEffectDefinition::OverlayCoordSystem coordSystem = XMLEffectDefinition::UV;
};

// The smaller image dimension, the unit of lengths stored as fractions (radii, vector lengths).
double smallerDimension(const OverlayBase& overlay);

} // namespace OFX
