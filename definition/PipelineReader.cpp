// The process form of the pipeline: processes in order, each with its kernels per platform.
#include "definition/DefinitionDocument.h"
#include "plugin/Logger.h"

#include <cstring>

using definition_xml::attributeOr;

namespace {

bool isKernelPlatform(const char* element)
{
    return std::strcmp(element, "cuda") == 0 || std::strcmp(element, "metal") == 0
        || std::strcmp(element, "opencl") == 0;
}

} // namespace

void XMLEffectDefinition::readProcessPipeline(const pugi::xml_node& pipelineNode)
{
    Logger& log = Logger::getInstance();
    log.logMessage(LOG_INFO, "Parsing <pipeline> section (refactored structure)");
    effectExecutions = attributeOr(pipelineNode, "executions", "1");
    if (effectExecutions != "1") {
        log.logMessage(LOG_INFO, "Effect executions (from <pipeline>): %s", effectExecutions.c_str());
    }

    for (const pugi::xml_node processNode : pipelineNode.children("process")) {
        PipelineDef process;
        process.name = attributeOr(processNode, "name", "unnamed_process");
        process.executions = attributeOr(processNode, "executions", "");
        process.initialization = attributeOr(processNode, "initialization", "");

        for (const pugi::xml_node kernelNode : processNode.children()) {
            if (kernelNode.type() != pugi::node_element || !isKernelPlatform(kernelNode.name())) {
                continue;
            }
            KernelDef kernel;
            kernel.platform = kernelNode.name();
            // Accepted without a file: the launcher lookup reports it at render time.
            kernel.file = attributeOr(kernelNode, "file", "");
            kernel.executions = kernelNode.attribute("executions").as_int(1);
            log.logMessage(LOG_DEBUG, "    Kernel: %s (platform=%s, executions=%d)", kernel.file.c_str(),
                           kernel.platform.c_str(), kernel.executions);
            process.kernels.push_back(kernel);
        }

        pipelines.push_back(process);
        log.logMessage(LOG_INFO, "  Process '%s': %zu kernels, executions=%s, init=%s", process.name.c_str(),
                       process.kernels.size(), process.executions.empty() ? "1" : process.executions.c_str(),
                       process.initialization.empty() ? "none" : process.initialization.c_str());
    }
}
