// GenericEffect: lazy parameter handles and the reading of parameter values.
#include <cmath>
#include <functional>
#include <stdexcept>

#include "effect/GenericEffect.h"
#include "openfx/support/Param.h"
#include "plugin/Logger.h"

namespace {

using Fetch = std::function<OFX::Param*(const std::string&)>;

// Truncation toward zero, held inside int (NaN gives 0): converting a double outside int's
// range would be undefined.
int truncateToInt(double value) {
  const double truncated = std::trunc(value);
  if (std::isnan(truncated)) return 0;
  if (truncated >= 2147483647.0) return 2147483647;
  if (truncated <= -2147483648.0) return -2147483647 - 1;
  return static_cast<int>(truncated);
}

}  // namespace

void GenericEffect::fetchParametersLazily() {
  Logger& log = Logger::getInstance();
  std::lock_guard<std::mutex> lock(paramMutex);
  log.logMessage(LOG_DEBUG, "Fetching parameters lazily");

  auto store = [&](const std::string& name, const char* label, const Fetch& fetch) {
    try {
      OFX::Param* handle = fetch(name);
      if (handle != nullptr) paramHandles[name] = handle;
    } catch (const std::exception& e) {
      log.logMessage(LOG_ERROR, "Failed to fetch %s param %s: %s", label, name.c_str(), e.what());
    }
  };

  for (const XMLEffectDefinition::ParameterDef& param : definition.getParameters()) {
    const std::string& type = param.type;
    const std::string& name = param.name;
    if (type == "double" || type == "float") {
      store(name, "double", [this](const std::string& n) { return fetchDoubleParam(n); });
    } else if (type == "int") {
      store(name, "int", [this](const std::string& n) { return fetchIntParam(n); });
    } else if (type == "bool") {
      store(name, "bool", [this](const std::string& n) { return fetchBooleanParam(n); });
    } else if (type == "string") {
      store(name, "string", [this](const std::string& n) { return fetchStringParam(n); });
    } else if (type == "choice") {
      store(name, "choice", [this](const std::string& n) { return fetchChoiceParam(n); });
    } else if (type == "color") {
      store(name, "color", [this](const std::string& n) { return fetchRGBParam(n); });
    } else if (type == "vec2") {
      store(name, "vec2", [this](const std::string& n) { return fetchDouble2DParam(n); });
    } else if (type == "vec3") {
      store(name, "vec3", [this](const std::string& n) { return fetchDouble3DParam(n); });
    } else if (type == "color_rgba") {
      store(name, "color_rgba", [this](const std::string& n) { return fetchRGBAParam(n); });
    } else if (type == "filepath") {
      store(name, "filepath", [this](const std::string& n) { return fetchStringParam(n); });
    } else if (type == "pushbutton") {
      store(name, "pushbutton", [this](const std::string& n) { return fetchPushButtonParam(n); });
    } else {
      log.logMessage(LOG_ERROR, "Unsupported parameter type: %s", type.c_str());
    }
  }

  // The preset controls that the description adds to every effect.
  auto storeFramework = [&](const char* name, const Fetch& fetch) {
    try {
      OFX::Param* handle = fetch(name);
      if (handle != nullptr) paramHandles[name] = handle;
    } catch (const std::exception& e) {
      log.logMessage(LOG_ERROR, "Failed to fetch %s: %s", name, e.what());
    }
  };
  auto choice = [this](const std::string& n) -> OFX::Param* { return fetchChoiceParam(n); };
  auto text = [this](const std::string& n) -> OFX::Param* { return fetchStringParam(n); };
  auto button = [this](const std::string& n) -> OFX::Param* { return fetchPushButtonParam(n); };
  storeFramework("preset_list", choice);
  storeFramework("factory_preset_list", choice);
  storeFramework("preset_name", text);
  storeFramework("load_preset", button);
  storeFramework("delete_preset", button);
  storeFramework("save_preset", button);

  log.logMessage(LOG_DEBUG, "Fetched %d parameters (including framework params)",
                 static_cast<int>(paramHandles.size()));
}

ParameterValue GenericEffect::getParameterValue(const std::string& name, double time) {
  Logger& log = Logger::getInstance();
  OFX::Param* handle = nullptr;
  {
    std::lock_guard<std::mutex> lock(paramMutex);
    const auto found = paramHandles.find(name);
    if (found != paramHandles.end()) handle = found->second;
  }
  if (handle == nullptr) {
    log.logMessage(LOG_ERROR, "Parameter %s not found", name.c_str());
    return ParameterValue();
  }

  // Throws std::out_of_range for a name only the framework defines.
  const std::string& type = definition.getParameter(name).type;
  // The handle was fetched by the same type, so it is of the class the type names; the
  // checked casts keep a host-side mismatch from becoming undefined behaviour.
  if (type == "double" || type == "float") {
    if (auto* p = dynamic_cast<OFX::DoubleParam*>(handle)) return ParameterValue(p->getValueAtTime(time));
  } else if (type == "int") {
    if (auto* p = dynamic_cast<OFX::IntParam*>(handle)) return ParameterValue(p->getValueAtTime(time));
  } else if (type == "choice") {
    if (auto* p = dynamic_cast<OFX::ChoiceParam*>(handle)) return ParameterValue(p->getValueAtTime(time));
  } else if (type == "bool") {
    if (auto* p = dynamic_cast<OFX::BooleanParam*>(handle)) return ParameterValue(p->getValueAtTime(time));
  } else if (type == "string") {
    if (auto* p = dynamic_cast<OFX::StringParam*>(handle)) return ParameterValue(p->getValueAtTime(time));
  } else if (type == "vec2") {
    if (auto* p = dynamic_cast<OFX::Double2DParam*>(handle)) {
      double x = 0.0, y = 0.0;
      p->getValueAtTime(time, x, y);
      return ParameterValue(x, y);
    }
  } else if (type == "vec3") {
    if (auto* p = dynamic_cast<OFX::Double3DParam*>(handle)) {
      double x = 0.0, y = 0.0, z = 0.0;
      p->getValueAtTime(time, x, y, z);
      return ParameterValue(x, y, z);
    }
  } else if (type == "color") {
    if (auto* p = dynamic_cast<OFX::RGBParam*>(handle)) {
      double r = 0.0, g = 0.0, b = 0.0;
      p->getValueAtTime(time, r, g, b);
      return ParameterValue(r, g, b);
    }
  } else if (type == "color_rgba") {
    if (auto* p = dynamic_cast<OFX::RGBAParam*>(handle)) {
      double r = 0.0, g = 0.0, b = 0.0, a = 0.0;
      p->getValueAtTime(time, r, g, b, a);
      return ParameterValue(r, g, b, a);
    }
  }
  log.logMessage(LOG_ERROR, "Unsupported parameter type: %s", type.c_str());
  return ParameterValue();
}

int GenericEffect::getIntParameter(const std::string& name, double time) {
  Logger& log = Logger::getInstance();
  std::lock_guard<std::mutex> lock(paramMutex);
  const auto found = paramHandles.find(name);
  if (found == paramHandles.end()) {
    log.logMessage(LOG_ERROR, "Dynamic execution parameter not found: %s, defaulting to 1", name.c_str());
    return 1;
  }

  int value = 0;
  if (auto* intParam = dynamic_cast<OFX::IntParam*>(found->second)) {
    value = intParam->getValueAtTime(time);
  } else if (auto* doubleParam = dynamic_cast<OFX::DoubleParam*>(found->second)) {
    const double raw = doubleParam->getValueAtTime(time);
    value = truncateToInt(raw);
    log.logMessage(LOG_DEBUG, "Parameter %s is double/float (%.2f), converting to int (%d)", name.c_str(), raw, value);
  } else {
    log.logMessage(LOG_ERROR, "Parameter %s is not int/float/double type, defaulting to 1", name.c_str());
    return 1;
  }
  if (value < 1) {
    log.logMessage(LOG_DEBUG, "Parameter %s has value %d < 1, clamping to 1", name.c_str(), value);
    return 1;
  }
  return value;
}
