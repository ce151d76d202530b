// Reading a definition from a file. Besides the process form (under the element name
// `pipelines`) it accepts two older pipeline forms: steps and a flat kernel list.
#include "definition/DefinitionDocument.h"
#include "plugin/Logger.h"

#include <stdexcept>

using definition_xml::requireAttribute;

void XMLEffectDefinition::readDocumentFromFile(const std::string& path)
{
    const pugi::xml_parse_result loaded = impl->document.load_file(path.c_str());
    if (!loaded) {
        throw std::runtime_error(std::string("Failed to load XML file: ") + loaded.description());
    }
    const pugi::xml_node effect = impl->document.child("effect");
    if (!effect) {
        throw std::runtime_error("XML file does not contain an effect element");
    }

    readSectionsBeforePipeline(effect);

    // The first form present wins; none is required.
    if (const pugi::xml_node node = effect.child("pipelines")) {
        readProcessPipeline(node);
        Logger::getInstance().logMessage(LOG_INFO, "Parsed %zu pipelines (new multipipeline architecture)",
                                         pipelines.size());
    } else if (const pugi::xml_node node = effect.child("pipeline")) {
        readStepPipeline(node);
    } else if (const pugi::xml_node node = effect.child("kernels")) {
        readFlatKernels(node);
    }

    readSectionsAfterPipeline(effect);
}

void XMLEffectDefinition::readStepPipeline(const pugi::xml_node& pipelineNode)
{
    pipelineStepForm = true;
    for (const pugi::xml_node stepNode : pipelineNode.children("step")) {
        PipelineStepDef step;
        step.name = requireAttribute(stepNode, "name", "Pipeline step must have a name attribute");
        step.executions = stepNode.attribute("executions").as_int(1);
        if (const pugi::xml_node kernelsNode = stepNode.child("kernels")) {
            for (const pugi::xml_node kernelNode : kernelsNode.children()) {
                if (kernelNode.type() != pugi::node_element) {
                    continue;
                }
                StepKernelDef kernel;
                kernel.platform = kernelNode.name();
                kernel.file = requireAttribute(kernelNode, "file", "Kernel must have a file attribute");
                step.kernels.push_back(kernel);
            }
        }
        pipelineSteps.push_back(step);
    }
}

void XMLEffectDefinition::readFlatKernels(const pugi::xml_node& kernelsNode)
{
    for (const pugi::xml_node kernelNode : kernelsNode.children()) {
        if (kernelNode.type() != pugi::node_element) {
            continue;
        }
        KernelDef kernel;
        kernel.platform = kernelNode.name();
        kernel.file = requireAttribute(kernelNode, "file", "Kernel must have a file attribute");
        kernel.executions = kernelNode.attribute("executions").as_int(1);
        kernels.push_back(kernel);
    }
}
