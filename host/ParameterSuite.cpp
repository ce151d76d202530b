// The parameter suite: definition on descriptors, values on instances. Setting a
// value notifies the instance synchronously, before paramSetValue returns, as
// interactive hosts do.
#include <cstdarg>

#include "host/Param.h"

namespace ofxhost {
namespace {

OfxStatus paramDefine(OfxParamSetHandle setHandle, const char *type, const char *name, OfxPropertySetHandle *props) {
  ParamSet *set = fromHandle<ParamSet>(setHandle);
  if (set == nullptr) return kOfxStatErrBadHandle;
  if (type == nullptr || name == nullptr) return kOfxStatErrValue;
  if (paramKindFromType(type) == ParamKind::Unknown) return kOfxStatErrUnknown;
  Param *param = set->define(type, name);
  if (param == nullptr) return kOfxStatErrExists;
  if (props) *props = param->props().handle();
  return kOfxStatOK;
}

OfxStatus paramGetHandle(OfxParamSetHandle setHandle, const char *name, OfxParamHandle *param,
                         OfxPropertySetHandle *props) {
  ParamSet *set = fromHandle<ParamSet>(setHandle);
  if (set == nullptr) return kOfxStatErrBadHandle;
  if (name == nullptr) return kOfxStatErrValue;
  Param *p = set->find(name);
  if (p == nullptr) return kOfxStatErrUnknown;
  if (param) *param = p->handle();
  if (props) *props = p->props().handle();
  return kOfxStatOK;
}

OfxStatus paramSetGetPropertySet(OfxParamSetHandle setHandle, OfxPropertySetHandle *props) {
  ParamSet *set = fromHandle<ParamSet>(setHandle);
  if (set == nullptr) return kOfxStatErrBadHandle;
  if (props == nullptr) return kOfxStatErrValue;
  *props = set->props().handle();
  return kOfxStatOK;
}

OfxStatus paramGetPropertySet(OfxParamHandle handle, OfxPropertySetHandle *props) {
  Param *p = fromHandle<Param>(handle);
  if (p == nullptr) return kOfxStatErrBadHandle;
  if (props == nullptr) return kOfxStatErrValue;
  *props = p->props().handle();
  return kOfxStatOK;
}

// Values live on instance parameters only (a parameter set with a listener).
Param *valueParam(OfxParamHandle handle) {
  Param *p = fromHandle<Param>(handle);
  if (p == nullptr || p->owner().listener() == nullptr) return nullptr;
  return p;
}

OfxStatus readValue(Param &p, va_list ap) {
  const ParamKind kind = p.kind();
  if (isTextValued(kind)) {
    const char **out = va_arg(ap, const char **);
    if (out == nullptr) return kOfxStatErrValue;
    *out = p.textPointer();
    return kOfxStatOK;
  }
  const int dim = numericDimension(kind);
  if (dim == 0) return kOfxStatErrUnsupported;
  const std::vector<double> values = p.numbers();
  for (int i = 0; i < dim; ++i) {
    if (isIntegerValued(kind)) {
      int *out = va_arg(ap, int *);
      if (out == nullptr) return kOfxStatErrValue;
      *out = static_cast<int>(values[i]);
    } else {
      double *out = va_arg(ap, double *);
      if (out == nullptr) return kOfxStatErrValue;
      *out = values[i];
    }
  }
  return kOfxStatOK;
}

OfxStatus writeValue(Param &p, double time, va_list ap) {
  const ParamKind kind = p.kind();
  if (isTextValued(kind)) {
    const char *text = va_arg(ap, const char *);
    p.storeText(text ? text : "");
  } else {
    const int dim = numericDimension(kind);
    if (dim == 0) return kOfxStatErrUnsupported;
    std::vector<double> values(dim);
    for (int i = 0; i < dim; ++i) values[i] = isIntegerValued(kind) ? va_arg(ap, int) : va_arg(ap, double);
    if (kind == ParamKind::Choice) {
      const int options = p.props().dimension(kOfxParamPropChoiceOption);
      if (values[0] < 0 || (options > 0 && values[0] >= options)) return kOfxStatErrValue;
    }
    p.storeNumbers(values);
  }
  if (ParamChangeListener *listener = p.owner().listener()) listener->paramChangedByPlugin(p, time);
  return kOfxStatOK;
}

OfxStatus paramGetValue(OfxParamHandle handle, ...) {
  Param *p = valueParam(handle);
  if (p == nullptr) return kOfxStatErrBadHandle;
  va_list ap;
  va_start(ap, handle);
  const OfxStatus status = readValue(*p, ap);
  va_end(ap);
  return status;
}

// Parameters do not animate in this host: the value at any time is the current value.
OfxStatus paramGetValueAtTime(OfxParamHandle handle, OfxTime time, ...) {
  Param *p = valueParam(handle);
  if (p == nullptr) return kOfxStatErrBadHandle;
  va_list ap;
  va_start(ap, time);
  const OfxStatus status = readValue(*p, ap);
  va_end(ap);
  return status;
}

// Constant in time: the derivative is zero in every dimension.
OfxStatus paramGetDerivative(OfxParamHandle handle, OfxTime time, ...) {
  Param *p = valueParam(handle);
  if (p == nullptr) return kOfxStatErrBadHandle;
  const int dim = numericDimension(p->kind());
  if (dim == 0 || isIntegerValued(p->kind())) return kOfxStatErrUnsupported;
  va_list ap;
  va_start(ap, time);
  OfxStatus status = kOfxStatOK;
  for (int i = 0; i < dim; ++i) {
    double *out = va_arg(ap, double *);
    if (out == nullptr) status = kOfxStatErrValue;
    else *out = 0.0;
  }
  va_end(ap);
  return status;
}

OfxStatus paramGetIntegral(OfxParamHandle handle, OfxTime time1, OfxTime time2, ...) {
  Param *p = valueParam(handle);
  if (p == nullptr) return kOfxStatErrBadHandle;
  const int dim = numericDimension(p->kind());
  if (dim == 0 || isIntegerValued(p->kind())) return kOfxStatErrUnsupported;
  const std::vector<double> values = p->numbers();
  va_list ap;
  va_start(ap, time2);
  OfxStatus status = kOfxStatOK;
  for (int i = 0; i < dim; ++i) {
    double *out = va_arg(ap, double *);
    if (out == nullptr) status = kOfxStatErrValue;
    else *out = values[i] * (time2 - time1);
  }
  va_end(ap);
  return status;
}

OfxStatus paramSetValue(OfxParamHandle handle, ...) {
  Param *p = valueParam(handle);
  if (p == nullptr) return kOfxStatErrBadHandle;
  va_list ap;
  va_start(ap, handle);
  const OfxStatus status = writeValue(*p, p->owner().listener()->currentTime(), ap);
  va_end(ap);
  return status;
}

OfxStatus paramSetValueAtTime(OfxParamHandle handle, OfxTime time, ...) {
  Param *p = valueParam(handle);
  if (p == nullptr) return kOfxStatErrBadHandle;
  va_list ap;
  va_start(ap, time);
  const OfxStatus status = writeValue(*p, time, ap);
  va_end(ap);
  return status;
}

OfxStatus paramGetNumKeys(OfxParamHandle handle, unsigned int *count) {
  if (valueParam(handle) == nullptr) return kOfxStatErrBadHandle;
  if (count == nullptr) return kOfxStatErrValue;
  *count = 0;
  return kOfxStatOK;
}

OfxStatus paramGetKeyTime(OfxParamHandle handle, unsigned int, OfxTime *) {
  return valueParam(handle) == nullptr ? kOfxStatErrBadHandle : kOfxStatErrBadIndex;
}

OfxStatus paramGetKeyIndex(OfxParamHandle handle, OfxTime, int, int *) {
  return valueParam(handle) == nullptr ? kOfxStatErrBadHandle : kOfxStatFailed;
}

OfxStatus paramDeleteKey(OfxParamHandle handle, OfxTime) {
  return valueParam(handle) == nullptr ? kOfxStatErrBadHandle : kOfxStatErrBadIndex;
}

OfxStatus paramDeleteAllKeys(OfxParamHandle handle) {
  return valueParam(handle) == nullptr ? kOfxStatErrBadHandle : kOfxStatOK;
}

OfxStatus paramCopy(OfxParamHandle to, OfxParamHandle from, OfxTime, const OfxRangeD *) {
  Param *dst = valueParam(to);
  Param *src = valueParam(from);
  if (dst == nullptr || src == nullptr) return kOfxStatErrBadHandle;
  if (dst->ofxType() != src->ofxType()) return kOfxStatErrValue;
  if (dst == src) return kOfxStatOK;
  dst->storeNumbers(src->numbers());
  dst->storeText(src->text());
  if (ParamChangeListener *listener = dst->owner().listener())
    listener->paramChangedByPlugin(*dst, listener->currentTime());
  return kOfxStatOK;
}

OfxStatus paramEditBegin(OfxParamSetHandle setHandle, const char *name) {
  ParamSet *set = fromHandle<ParamSet>(setHandle);
  return set == nullptr ? kOfxStatErrBadHandle : set->editBegin(name);
}

OfxStatus paramEditEnd(OfxParamSetHandle setHandle) {
  ParamSet *set = fromHandle<ParamSet>(setHandle);
  return set == nullptr ? kOfxStatErrBadHandle : set->editEnd();
}

const OfxParameterSuiteV1 kParameterSuite = {
    paramDefine,        paramGetHandle,  paramSetGetPropertySet, paramGetPropertySet, paramGetValue,
    paramGetValueAtTime, paramGetDerivative, paramGetIntegral,   paramSetValue,       paramSetValueAtTime,
    paramGetNumKeys,    paramGetKeyTime, paramGetKeyIndex,       paramDeleteKey,      paramDeleteAllKeys,
    paramCopy,          paramEditBegin,  paramEditEnd};

}  // namespace

const OfxParameterSuiteV1 *parameterSuite() { return &kParameterSuite; }

}  // namespace ofxhost
