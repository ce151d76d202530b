#include "definition/XMLEffectDefinition.h"

#include "definition/DefinitionDocument.h"
#include "plugin/Logger.h"

#include <algorithm>
#include <climits>
#include <stdexcept>

XMLEffectDefinition::XMLEffectDefinition() : impl(new Impl)
{
    Logger::getInstance().logMessage(LOG_INFO, "XMLEffectDefinition default constructor (for embedded XML)");
}

XMLEffectDefinition::XMLEffectDefinition(const std::string& path) : impl(new Impl)
{
    Logger& log = Logger::getInstance();
    log.logMessage(LOG_INFO, "XMLEffectDefinition constructor called with file: %s", path.c_str());
    try {
        readDocumentFromFile(path);
    } catch (const std::exception& e) {
        log.logMessage(LOG_ERROR, "XMLEffectDefinition constructor failed: %s", e.what());
        throw;
    }
    log.logMessage(LOG_INFO, "XMLEffectDefinition parseXML completed successfully");
    log.logMessage(LOG_INFO, "Debug level from XML: %s", debugLevel.c_str());
}

XMLEffectDefinition::~XMLEffectDefinition() = default;

int XMLEffectDefinition::noInputModeToInt(const std::string& mode)
{
    if (mode == "error") {
        return 0;
    }
    if (mode == "black") {
        return 1;
    }
    if (mode == "transparent") {
        return 3;
    }
    return 2;
}

const XMLEffectDefinition::ParameterDef& XMLEffectDefinition::getParameter(const std::string& parameterName) const
{
    const auto found = parameterIndex.find(parameterName);
    if (found == parameterIndex.end()) {
        throw std::out_of_range("Parameter not found: " + parameterName);
    }
    return parameters.at(found->second);
}

std::vector<XMLEffectDefinition::KernelDef> XMLEffectDefinition::getKernelsForPlatform(
    const std::string& platform) const
{
    std::vector<KernelDef> matching;
    for (const KernelDef& kernel : kernels) {
        if (kernel.platform == platform) {
            matching.push_back(kernel);
        }
    }
    return matching;
}

int XMLEffectDefinition::getTotalPasses(const std::string& platform) const
{
    const std::vector<KernelDef> matching = getKernelsForPlatform(platform);
    // Counts come from hand-written documents: add in 64 bits and saturate rather than overflow.
    long long sum = 0;
    for (const KernelDef& kernel : matching) {
        sum += kernel.executions;
    }
    const int total = static_cast<int>(std::max<long long>(INT_MIN, std::min<long long>(INT_MAX, sum)));
    Logger::getInstance().logMessage(LOG_DEBUG, "Effect '%s' on %s: %d total passes across %zu kernels",
                                     name.c_str(), platform.c_str(), total, matching.size());
    return total;
}

int XMLEffectDefinition::getTotalKernels(const std::string& platform) const
{
    return static_cast<int>(getKernelsForPlatform(platform).size());
}
