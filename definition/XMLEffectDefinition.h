#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace pugi {
class xml_node;
}

// The in-memory form of one effect definition document: metadata, input clips, bundled
// textures, user parameters, UI grouping, GPU pipeline, identity conditions and overlays.
// Filled once by a reader (the embedded string or a file) and read-only afterwards, so it may
// be read from any thread without locking.
class XMLEffectDefinition {
public:
    enum OverlayCoordSystem {
        UV = 0,             // "uv": normalised 0 to 1 (the default)
        Centered = 1,       // "centered": -0.5 to 0.5
        CenteredAspect = 2, // "centered_aspect": aspect-corrected
    };

    enum OverlayType {
        Point = 0,
        Radius = 1,
        Scale2D = 2,
        VSlider = 3,
        Vector = 4,
        Ellipse = 5,
        Qualifier = 6,
    };

    struct InputDef {
        std::string name;
        std::string label;
        bool optional = false;
        std::string borderMode = "clamp";
        std::string noInputMode = "error";
    };

    struct ResourceDef {
        std::string name;
        std::string file;
        int32_t channels = 4;
        std::string sampler = "linear";
        std::string wrap = "mirror";
    };

    struct ParameterOptionDef {
        std::string value;
        std::string label;
    };

    struct ParameterComponentDef {
        std::string name;
        double defaultValue = 0.0;
        double minValue = 0.0;
        double maxValue = 1.0;
        double increment = 0.01;
    };

    // Numeric fields are read only for the types that use them; a record built outside the
    // reader starts with every number 0.
    struct ParameterDef {
        std::string name;
        std::string type;
        std::string label;
        std::string hint;
        double defaultValue = 0.0;
        double minValue = 0.0;
        double maxValue = 0.0;
        double displayMin = 0.0;
        double displayMax = 0.0;
        double increment = 0.0;
        std::string defaultShape;
        int32_t curveBackground = 0;
        std::vector<ParameterOptionDef> options;
        std::vector<ParameterComponentDef> components;
        std::string defaultString;
        bool mustExist = true;
        bool defaultBool = false;
        std::string resDependent;
    };

    struct UIParameterDef {
        std::string name;
    };

    struct UIColumnDef {
        std::string name;
        std::string tooltip;
        std::vector<UIParameterDef> parameters;
    };

    struct UIGroupDef {
        std::string name;
        std::string tooltip;
        bool open = true;
        std::vector<UIColumnDef> columns;
        std::vector<UIParameterDef> parameters;
    };

    struct KernelDef {
        std::string platform;
        std::string file;
        int32_t executions = 1;
    };

    struct StepKernelDef {
        std::string platform;
        std::string file;
    };

    struct PipelineStepDef {
        std::string name;
        int32_t executions = 1;
        std::vector<StepKernelDef> kernels;
    };

    // One process of the pipeline (the render code calls processes "pipelines").
    struct PipelineDef {
        std::string name;
        std::vector<KernelDef> kernels;
        // Empty means once; otherwise a decimal number or "param:" and a parameter name.
        std::string executions;
        std::string initialization;
    };

    struct IdentityConditionDef {
        std::string parameter;
        std::string op;
        double value = 0.0;
    };

    struct OverlayColorDef {
        float r = 1.0f;
        float g = 1.0f;
        float b = 1.0f;
        bool isSet = false;
    };

    struct OverlayDef {
        OverlayType type = Point;
        std::string param;
        std::string style;
        std::string center;
        float fixedX = 0.5f;
        std::string visibleWhen;
        OverlayColorDef color;
        std::string label;
        std::string direction;
        std::string magnitude;
        float fixedMagnitude = 0.1f;
        std::vector<OverlayDef> children;
    };

    // An empty definition, filled afterwards by parseFromEmbeddedXML.
    XMLEffectDefinition();
    // Reads the document file at `path`; throws std::runtime_error on any reading failure.
    explicit XMLEffectDefinition(const std::string& path);
    ~XMLEffectDefinition();

    XMLEffectDefinition(const XMLEffectDefinition&) = delete;
    XMLEffectDefinition& operator=(const XMLEffectDefinition&) = delete;

    // Reads a whole definition document from a string. Returns false, with the reason
    // logged, when anything fails; never throws.
    bool parseFromEmbeddedXML(const char* text);

    // "error" 0, "black" 1, "white" 2, "transparent" 3; any other text 2.
    static int noInputModeToInt(const std::string& mode);

    // The colour syntax of overlays: "#rrggbb", "#rgb", a colour name, or "r,g,b".
    static OverlayColorDef parseOverlayColor(const std::string& text);

    std::string getName() const { return name; }
    std::string getCategory() const { return category; }
    std::string getDescription() const { return description; }
    std::string getVersion() const { return version; }
    std::string getAuthor() const { return author; }
    std::string getCopyright() const { return copyright; }
    std::string getDebugLevel() const { return debugLevel; }

    bool supportsTimeline() const { return timelineSupport; }
    bool supportsMatte() const { return matteSupport; }
    bool hasPipeline() const { return pipelineStepForm; }

    const std::vector<InputDef>& getInputs() const { return inputs; }
    const std::vector<ResourceDef>& getBundledResources() const { return bundledResources; }
    const std::vector<ParameterDef>& getParameters() const { return parameters; }
    const std::vector<UIGroupDef>& getUIGroups() const { return uiGroups; }
    const std::vector<KernelDef>& getKernels() const { return kernels; }
    const std::vector<PipelineStepDef>& getPipelineSteps() const { return pipelineSteps; }
    const std::vector<IdentityConditionDef>& getIdentityConditions() const { return identityConditions; }
    const std::vector<PipelineDef>& getPipelines() const { return pipelines; }
    const std::vector<OverlayDef>& getOverlays() const { return overlays; }
    const std::string& getEffectExecutions() const { return effectExecutions; }
    OverlayCoordSystem getOverlayCoordSystem() const { return overlayCoordSystem; }

    bool hasOverlays() const { return !overlays.empty(); }
    // The process form drives rendering.
    bool hasMultiPipeline() const { return !pipelines.empty(); }

    // Throws std::out_of_range("Parameter not found: <name>") when no parameter has the name;
    // of two parameters with one name, the later one.
    const ParameterDef& getParameter(const std::string& name) const;

    // Only the flat kernel list counts; processes never do. Platforms compare exactly.
    std::vector<KernelDef> getKernelsForPlatform(const std::string& platform) const;
    int getTotalPasses(const std::string& platform) const;
    int getTotalKernels(const std::string& platform) const;

private:
    struct Impl;

    // Reading, one job per function; each throws std::runtime_error with a fixed message.
    void readDocumentFromFile(const std::string& path);
    // Attributes, inputs, resources, parameters and UI; then identity conditions and overlays.
    void readSectionsBeforePipeline(const pugi::xml_node& effect);
    void readSectionsAfterPipeline(const pugi::xml_node& effect);
    void readEffectAttributes(const pugi::xml_node& effect);
    void readInputs(const pugi::xml_node& inputsNode);
    void readResources(const pugi::xml_node& resourcesNode);
    void readParameters(const pugi::xml_node& parametersNode);
    void readUI(const pugi::xml_node& uiNode);
    void readProcessPipeline(const pugi::xml_node& pipelineNode);
    void readStepPipeline(const pugi::xml_node& pipelineNode);
    void readFlatKernels(const pugi::xml_node& kernelsNode);
    void readIdentityConditions(const pugi::xml_node& conditionsNode);
    void readOverlays(const pugi::xml_node& overlaysNode);
    UIParameterDef readParameterReference(const pugi::xml_node& reference) const;

    std::unique_ptr<Impl> impl;
    std::string name;
    std::string category;
    std::string description;
    std::string version;
    std::string author;
    std::string copyright;
    std::string debugLevel;
    bool timelineSupport = false;
    bool matteSupport = false;
    std::vector<InputDef> inputs;
    std::vector<ResourceDef> bundledResources;
    std::vector<ParameterDef> parameters;
    std::map<std::string, size_t> parameterIndex;
    std::vector<UIGroupDef> uiGroups;
    std::vector<KernelDef> kernels;
    bool pipelineStepForm = false;
    std::vector<PipelineStepDef> pipelineSteps;
    std::vector<IdentityConditionDef> identityConditions;
    std::vector<PipelineDef> pipelines;
    std::string effectExecutions;
    std::vector<OverlayDef> overlays;
    OverlayCoordSystem overlayCoordSystem = UV;
};
