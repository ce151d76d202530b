#pragma once
// A small in-memory OpenFX host for the support library's unit tests: property
// sets, an image-effect suite with clips and images, a parameter suite that
// keeps values, a multi-thread suite on std::thread and an interact suite.
// Everything is recorded so tests can check what the library asked for.

#include "openfx/include/ofxCore.h"
#include "openfx/include/ofxDrawSuite.h"
#include "openfx/include/ofxImageEffect.h"
#include "openfx/include/ofxInteract.h"
#include "openfx/include/ofxMultiThread.h"
#include "openfx/include/ofxParam.h"
#include "openfx/include/ofxProperty.h"

#include <atomic>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <variant>
#include <vector>

namespace fakehost {

using Value = std::variant<int, double, std::string, void*>;

// A property set: named lists of values of one type each.
struct PropertySetStruct {
  std::map<std::string, std::vector<Value>> values;

  bool has(const std::string& name) const { return values.count(name) != 0; }
  int dimension(const std::string& name) const;
  int getInt(const std::string& name, int index = 0) const;
  double getDouble(const std::string& name, int index = 0) const;
  std::string getString(const std::string& name, int index = 0) const;
  void* getPointer(const std::string& name, int index = 0) const;
  std::vector<std::string> getStrings(const std::string& name) const;
  void set(const std::string& name, std::vector<Value> list) { values[name] = std::move(list); }
};

struct Param {
  std::string name;
  std::string type;
  PropertySetStruct props;
  std::vector<Value> value;  // current value, components in order
  int setCount = 0;
  double lastTimeRead = -1.0;
};

struct ParamSet {
  PropertySetStruct props;
  std::map<std::string, std::unique_ptr<Param>> params;
  std::vector<std::string> order;
  std::vector<std::string> editLog;  // "begin:<name>" and "end" in call order
};

struct Image {
  PropertySetStruct props;
  std::vector<float> pixels;
};

struct Clip {
  std::string name;
  PropertySetStruct props;
  std::unique_ptr<Image> image;  // null: fetching fails with kOfxStatFailed
  OfxStatus fetchStatus = kOfxStatOK;
  OfxRectD rod{0, 0, 0, 0};
};

struct Effect {
  PropertySetStruct props;
  ParamSet params;
  std::map<std::string, std::unique_ptr<Clip>> clips;
  std::vector<std::string> clipOrder;
  int abortFlag = 0;
};

struct Interact {
  PropertySetStruct props;
  int redraws = 0;
  int swaps = 0;
};

// One host. Install() points the support library at it (through the plug-in
// record's setHost, as a host does) and makes it the target of the suites.
class FakeHost {
 public:
  FakeHost();
  ~FakeHost();

  OfxHost* host() { return &host_; }
  PropertySetStruct& hostProps() { return hostProps_; }

  // Which suites fetchSuite offers (all by default).
  bool offerThreadSuite = true;
  bool offerInteractSuite = true;
  bool offerDrawSuite = true;
  bool offerParametricSuite = true;
  unsigned int numCPUs = 4;

  Effect& newEffect(const std::string& context = kOfxImageEffectContextFilter);
  Clip& addClip(Effect& effect, const std::string& name);
  // Gives a clip a float RGBA image of the given bounds, filled with `fill`.
  Image& giveImage(Clip& clip, OfxRectI bounds, float fill = 0.0f, int padBytes = 0);
  Param& addParam(Effect& effect, const std::string& type, const std::string& name, std::vector<Value> value);
  Interact& newInteract(Effect* effect);
  PropertySetStruct& newArgs();

  static OfxImageEffectHandle handle(Effect& effect) { return reinterpret_cast<OfxImageEffectHandle>(&effect); }
  static OfxInteractHandle handle(Interact& interact) { return reinterpret_cast<OfxInteractHandle>(&interact); }
  static OfxPropertySetHandle handle(PropertySetStruct& props) {
    return reinterpret_cast<OfxPropertySetHandle>(&props);
  }

  // What the suites recorded.
  std::atomic<int> imagesReleased{0};
  std::atomic<int> multiThreadCalls{0};
  std::atomic<unsigned int> lastThreadCount{0};

  static FakeHost* current;

 private:
  OfxHost host_;
  PropertySetStruct hostProps_;
  std::vector<std::unique_ptr<Effect>> effects_;
  std::vector<std::unique_ptr<Interact>> interacts_;
  std::vector<std::unique_ptr<PropertySetStruct>> args_;
};

}  // namespace fakehost
