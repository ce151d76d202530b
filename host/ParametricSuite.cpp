// The parametric parameter suite: control points per curve, on descriptors (the
// default shape) and instances. Values between points are interpolated linearly.
#include <algorithm>

#include "host/Param.h"
#include "ofxParametricParam.h"

namespace ofxhost {

namespace {

// The parametric parameter behind a handle, with its curves sized to the declared dimension.
Param *curveParam(OfxParamHandle handle, int curveIndex, std::vector<Curve> **curves) {
  Param *p = fromHandle<Param>(handle);
  if (p == nullptr || p->kind() != ParamKind::Parametric) return nullptr;
  int dimension = 1;
  if (p->props().dimension(kOfxParamPropParametricDimension) > 0)
    dimension = std::max(1, p->props().getInt(kOfxParamPropParametricDimension));
  if (curveIndex < 0 || curveIndex >= dimension) return nullptr;
  std::vector<Curve> &all = p->curvesLocked();
  if (static_cast<int>(all.size()) < dimension) all.resize(dimension);
  *curves = &all;
  return p;
}

#define LOCKED_CURVE(handle, index)                                      \
  Param *probe = fromHandle<Param>(handle);                              \
  if (probe == nullptr || probe->kind() != ParamKind::Parametric)         \
    return kOfxStatErrBadHandle;                                         \
  std::lock_guard<std::mutex> lock(probe->valueMutex());                 \
  std::vector<Curve> *curves = nullptr;                                  \
  if (curveParam(handle, index, &curves) == nullptr) return kOfxStatErrBadIndex; \
  Curve &curve = (*curves)[index]

OfxStatus getValue(OfxParamHandle handle, int curveIndex, OfxTime, double position, double *result) {
  if (result == nullptr) return kOfxStatErrValue;
  LOCKED_CURVE(handle, curveIndex);
  std::vector<std::pair<double, double>> pts = curve.points;
  std::sort(pts.begin(), pts.end());
  if (pts.empty()) {
    *result = 0.0;
  } else if (position <= pts.front().first) {
    *result = pts.front().second;
  } else if (position >= pts.back().first) {
    *result = pts.back().second;
  } else {
    for (size_t i = 1; i < pts.size(); ++i) {
      if (position <= pts[i].first) {
        const double span = pts[i].first - pts[i - 1].first;
        const double t = span > 0 ? (position - pts[i - 1].first) / span : 0.0;
        *result = pts[i - 1].second + t * (pts[i].second - pts[i - 1].second);
        break;
      }
    }
  }
  return kOfxStatOK;
}

OfxStatus getNControlPoints(OfxParamHandle handle, int curveIndex, double, int *count) {
  if (count == nullptr) return kOfxStatErrValue;
  LOCKED_CURVE(handle, curveIndex);
  *count = static_cast<int>(curve.points.size());
  return kOfxStatOK;
}

OfxStatus getNthControlPoint(OfxParamHandle handle, int curveIndex, double, int nth, double *key, double *value) {
  if (key == nullptr || value == nullptr) return kOfxStatErrValue;
  LOCKED_CURVE(handle, curveIndex);
  if (nth < 0 || nth >= static_cast<int>(curve.points.size())) return kOfxStatErrBadIndex;
  *key = curve.points[nth].first;
  *value = curve.points[nth].second;
  return kOfxStatOK;
}

OfxStatus setNthControlPoint(OfxParamHandle handle, int curveIndex, double, int nth, double key, double value, bool) {
  LOCKED_CURVE(handle, curveIndex);
  if (nth < 0 || nth >= static_cast<int>(curve.points.size())) return kOfxStatErrBadIndex;
  curve.points[nth] = {key, value};
  return kOfxStatOK;
}

OfxStatus addControlPoint(OfxParamHandle handle, int curveIndex, double, double key, double value, bool) {
  LOCKED_CURVE(handle, curveIndex);
  curve.points.emplace_back(key, value);
  return kOfxStatOK;
}

OfxStatus deleteControlPoint(OfxParamHandle handle, int curveIndex, int nth) {
  LOCKED_CURVE(handle, curveIndex);
  if (nth < 0 || nth >= static_cast<int>(curve.points.size())) return kOfxStatErrBadIndex;
  curve.points.erase(curve.points.begin() + nth);
  return kOfxStatOK;
}

OfxStatus deleteAllControlPoints(OfxParamHandle handle, int curveIndex) {
  LOCKED_CURVE(handle, curveIndex);
  curve.points.clear();
  return kOfxStatOK;
}

#undef LOCKED_CURVE

const OfxParametricParameterSuiteV1 kParametricSuite = {
    getValue, getNControlPoints, getNthControlPoint, setNthControlPoint,
    addControlPoint, deleteControlPoint, deleteAllControlPoints};

}  // namespace

const OfxParametricParameterSuiteV1 *parametricSuite() { return &kParametricSuite; }

}  // namespace ofxhost
