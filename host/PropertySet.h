#pragma once
// A property set as the OpenFX property suite sees it: named, typed values with a
// dimension. Properties the host predefines have a fixed type and, where the
// standard fixes it, a fixed dimension; an "open" set also lets the plug-in create
// new properties by setting them (descriptors are open, images and the host are not).

#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "host/HandleRegistry.h"
#include "ofxProperty.h"

namespace ofxhost {

enum class PropType { Pointer, String, Double, Int };

const char *propTypeName(PropType type);

class PropertySet {
 public:
  static constexpr HandleKind kHandleKind = HandleKind::PropertySet;

  explicit PropertySet(bool open = true);
  PropertySet(const PropertySet &) = delete;
  PropertySet &operator=(const PropertySet &) = delete;

  OfxPropertySetHandle handle() { return reinterpret_cast<OfxPropertySetHandle>(this); }
  static PropertySet *fromHandle(OfxPropertySetHandle handle) { return ofxhost::fromHandle<PropertySet>(handle); }

  bool isOpen() const { return open_; }
  void setOpen(bool open) { open_ = open; }

  // Host-side definitions. `dimension` 0 means variable; the values are also the defaults that propReset restores.
  void defineInt(const std::string &name, int dimension, std::vector<int> values);
  void defineDouble(const std::string &name, int dimension, std::vector<double> values);
  void defineString(const std::string &name, int dimension, std::vector<std::string> values);
  void definePointer(const std::string &name, int dimension, std::vector<void *> values);

  // Copies every property (type, dimension, values and defaults) of `other`, replacing same-named ones.
  void copyFrom(const PropertySet &other);

  bool has(const std::string &name) const;
  std::vector<std::string> names() const;  // in order of definition
  int dimension(const std::string &name) const;  // -1 when unknown
  PropType type(const std::string &name) const;  // throws HostError when unknown

  // Host-side reads; throw HostError for an unknown name, wrong type or bad index.
  int getInt(const std::string &name, int index = 0) const;
  double getDouble(const std::string &name, int index = 0) const;
  std::string getString(const std::string &name, int index = 0) const;
  void *getPointer(const std::string &name, int index = 0) const;
  std::vector<int> getInts(const std::string &name) const;
  std::vector<double> getDoubles(const std::string &name) const;
  std::vector<std::string> getStrings(const std::string &name) const;

  // Host-side writes: replace all values, creating the property (variable dimension) if needed.
  void setInts(const std::string &name, std::vector<int> values);
  void setDoubles(const std::string &name, std::vector<double> values);
  void setStrings(const std::string &name, std::vector<std::string> values);
  void setPointers(const std::string &name, std::vector<void *> values);
  void setInt(const std::string &name, int value) { setInts(name, {value}); }
  void setDouble(const std::string &name, double value) { setDoubles(name, {value}); }
  void setString(const std::string &name, const std::string &value) { setStrings(name, {value}); }
  void setPointer(const std::string &name, void *value) { setPointers(name, {value}); }

  // Values of any type as text (for listings and diagnostics): "1", "0.5", "\"text\"", "0x..." joined by ", ".
  std::string valueText(const std::string &name) const;

  // The property suite's semantics, status-returning (used by the C suite functions).
  OfxStatus suiteSet(const char *name, PropType type, int index, const void *value);
  OfxStatus suiteSetN(const char *name, PropType type, int count, const void *values);
  OfxStatus suiteGet(const char *name, PropType type, int index, void *value);
  OfxStatus suiteGetN(const char *name, PropType type, int count, void *values);
  OfxStatus suiteReset(const char *name);
  OfxStatus suiteGetDimension(const char *name, int *count);

 private:
  struct Property {
    PropType type = PropType::Int;
    int fixedDimension = 0;  // 0: variable
    std::vector<int> ints, defaultInts;
    std::vector<double> doubles, defaultDoubles;
    std::vector<std::string> strings, defaultStrings;
    std::vector<void *> pointers, defaultPointers;
    int size() const;
    void resize(int n);
    void restoreDefaults();
  };

  Property &defineLocked(const std::string &name, PropType type, int dimension);
  const Property &require(const std::string &name, PropType type) const;
  static void assign(Property &p, int index, const void *value);
  static void read(const Property &p, int index, void *value);

  HandleRegistration registration_;
  bool open_;
  mutable std::recursive_mutex mutex_;
  std::vector<std::string> order_;
  std::map<std::string, Property> properties_;
};

const OfxPropertySuiteV1 *propertySuite();

}  // namespace ofxhost
