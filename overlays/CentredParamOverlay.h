#pragma once

#include "overlays/OverlayBase.h"
#include "overlays/ParamAccess.h"

#include <string>

namespace OFX {

class Double2DParam;

// An overlay that edits one parameter drawn around a centre position parameter (radius, radii,
// box scale). Both are fetched by name on first use; an unnamed centre stays unbound.
template <class ValueParam>
class CentredParamOverlay : public OverlayBase {
public:
    CentredParamOverlay(ImageEffect* effectInstance, const std::string& valueName, const std::string& center)
        : OverlayBase(effectInstance), paramName(valueName), centerName(center)
    {
    }

    void ensureParams()
    {
        fetchIfMissing(effect, paramName, valueParam);
        fetchIfMissing(effect, centerName, centerParam);
    }

    const std::string& getParamName() const { return paramName; }
    const std::string& getCenterName() const { return centerName; }

protected:
    std::string paramName;
    std::string centerName;
    ValueParam* valueParam = nullptr;
    Double2DParam* centerParam = nullptr;
};

} // namespace OFX
