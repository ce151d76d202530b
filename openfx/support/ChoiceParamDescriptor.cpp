#include "openfx/support/ChoiceParamDescriptor.h"

namespace OFX {

std::string ChoiceParamDescriptor::composeHint(const std::string& hint, const std::vector<std::string>& optionLines) {
  std::string text = hint;
  // An empty hint gets no leading blank line: the option lines are the whole hint.
  if (!optionLines.empty() && !text.empty()) text += "\n\n";
  for (std::size_t i = 0; i < optionLines.size(); ++i) {
    if (i > 0) text += "\n";
    text += optionLines[i];
  }
  return text;
}

void ChoiceParamDescriptor::setHint(const std::string& hint) {
  hint_ = hint;
  writeHint();
}

void ChoiceParamDescriptor::setDefault(int index) { props_.propSetInt(kOfxParamPropDefault, index); }

void ChoiceParamDescriptor::appendOption(const std::string& option, const std::string& label) {
  props_.propSetString(kOfxParamPropChoiceOption, option, static_cast<int>(options_.size()));
  options_.push_back(option);
  if (!label.empty()) {
    optionLines_.push_back(option + ": " + label);
    writeHint();
  }
}

void ChoiceParamDescriptor::resetOptions() {
  props_.propReset(kOfxParamPropChoiceOption);
  options_.clear();
  const bool hadLines = !optionLines_.empty();
  optionLines_.clear();
  if (hadLines) writeHint();
}

void ChoiceParamDescriptor::writeHint() {
  props_.propSetString(kOfxParamPropHint, composeHint(hint_, optionLines_));
}

}  // namespace OFX
