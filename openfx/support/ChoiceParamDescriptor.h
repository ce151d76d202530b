#pragma once
// Choice parameter descriptor. OpenFX has no property for per-option labels,
// so an option appended with a label documents itself in the parameter's hint:
// the hint as set, an empty line, then one "option: label" line per labelled
// option, in append order. The hint is rebuilt whenever the hint or the
// options change, so the order of setHint and appendOption does not matter.

#include "openfx/support/ParamDescriptor.h"

#include <string>
#include <vector>

namespace OFX {

class ChoiceParamDescriptor : public ValueParamDescriptor {
 public:
  ChoiceParamDescriptor(const std::string& name, OfxPropertySetHandle props)
      : ValueParamDescriptor(name, eChoiceParam, props) {}

  void setHint(const std::string& hint) override;
  void setDefault(int index);
  // Appends an option; a non-empty label adds the line "option: label" to the hint.
  void appendOption(const std::string& option, const std::string& label = std::string());
  int getNOptions() const { return static_cast<int>(options_.size()); }
  // Removes every option and the hint lines they added.
  void resetOptions();

  // The hint text for a hint and its option lines (exposed for tests).
  static std::string composeHint(const std::string& hint, const std::vector<std::string>& optionLines);

 private:
  void writeHint();

  std::string hint_;
  std::vector<std::string> options_;
  std::vector<std::string> optionLines_;
};

}  // namespace OFX
