#pragma once
// Definition-time description of one clip (components, optional, mask, tiles...).

#include "openfx/support/Enums.h"
#include "openfx/support/PropertySet.h"

#include <string>

namespace OFX {

class ClipDescriptor {
 public:
  ClipDescriptor(const std::string& name, OfxPropertySetHandle props);
  ClipDescriptor(const ClipDescriptor&) = delete;
  ClipDescriptor& operator=(const ClipDescriptor&) = delete;

  const std::string& getName() const { return name_; }
  PropertySet& getPropertySet() { return props_; }

  void setLabel(const std::string& label);
  void setLabels(const std::string& label, const std::string& shortLabel, const std::string& longLabel);
  // Appends one supported component, keeping the earlier ones.
  void addSupportedComponent(PixelComponentEnum components);
  void setTemporalClipAccess(bool enabled);
  void setOptional(bool optional);
  void setSupportsTiles(bool supported);
  void setIsMask(bool mask);

 private:
  std::string name_;
  PropertySet props_;
  int componentCount_ = 0;
};

}  // namespace OFX
