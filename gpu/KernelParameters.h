#pragma once
// The five parameter blocks that every effect kernel receives by value, in this order:
// SystemParameters, PipelineParameters, (input texture), SourceConnections, (output surface),
// AnimatedParameters, BundledResources.
//
// Host code fills them and device code reads them at fixed byte offsets, so their layout is a
// binary contract between g++-compiled and nvcc-compiled code. Every size and offset is pinned
// by a static assertion below; padding bytes are explicit members so that clearing a block with
// memset and copying it byte for byte keeps every byte defined.
//
// Texture and surface objects travel as 64-bit handles (0 = none). Pointer fields are host
// addresses of texts; device code never dereferences them.

#include <cstddef>
#include <cstdint>

constexpr int MAX_SOURCE_CONNECTIONS = 32;
constexpr int MAX_FLOAT_PARAMETERS = 64;
constexpr int MAX_INT_PARAMETERS = 32;
constexpr int MAX_BOOL_PARAMETERS = 32;
constexpr int MAX_VECTOR_PARAMETERS = 16;
constexpr int MAX_BUNDLED_RESOURCES = 16;

// Border modes of a source entry.
constexpr int SOURCE_BORDER_CLAMP = 0;
constexpr int SOURCE_BORDER_REPEAT = 1;
constexpr int SOURCE_BORDER_MIRROR = 2;
constexpr int SOURCE_BORDER_BLACK = 3;

struct SystemParameters {
    int32_t width;
    int32_t height;
    float time;
    float frameRate;
    int32_t frameNumber;
    float reserved20;  // always 100.0
    float pixelAspectRatio;
    float imageAspectRatio;
    float renderScaleX;
    float renderScaleY;
    uint8_t reserved40;  // always 0
    uint8_t isInteractive;
    uint8_t padding42[2];
    int32_t renderWindowX1;
    int32_t renderWindowY1;
    int32_t renderWindowX2;
    int32_t renderWindowY2;
    uint8_t isSequential;
    uint8_t padding61[3];
    int32_t currentExecution;
    int32_t totalExecutions;
    int32_t currentKernel;
    int32_t totalKernels;
    int32_t currentPass;
    int32_t totalPasses;
    int32_t currentPipelineExecution;
    int32_t totalPipelineExecutions;
    int32_t currentPipeline;
    int32_t totalPipelines;
    int32_t currentProcessExecution;
    int32_t totalProcessExecutions;
    int32_t reserved112;  // always 32
    int32_t reserved116;  // always 32
    int32_t reserved120;  // always 3
    uint8_t reserved124;  // always 0
    uint8_t padding125[3];
    float reserved128;    // always 1.0
    uint8_t reserved132;  // always 1
    uint8_t padding133[3];
    int32_t reserved136;  // always 0
    float globalBlend;
    uint8_t reserved144;  // always 0
    uint8_t padding145[3];
    int32_t reserved148;  // always 0
    int32_t reserved152;  // always -1
    int32_t reserved156;  // always -1
    uint8_t reserved160[76];
};

struct PipelineParameters {
    const char* effectName;
    const char* version;
};

struct SourceConnection {
    unsigned long long textureObject;
    uint8_t isConnected;
    uint8_t padding9[7];
    const char* name;
    int32_t borderMode;
    int32_t noInputMode;
    uint8_t reserved32;  // always 0
    uint8_t padding33[3];
    int32_t reserved36;  // always -1
    int32_t reserved40;  // sixth argument of addExternalInput
    int32_t reserved44;  // seventh argument of addExternalInput
};

struct SourceConnections {
    SourceConnection sources[MAX_SOURCE_CONNECTIONS];
    int32_t sourceCount;
    uint8_t padding1540[4];

    // Appends one entry; a full block (32 entries) drops the entry silently.
    void addExternalInput(void* textureObject, bool isConnected, const char* name, int borderMode,
                          int noInputMode, int reserved40, int reserved44) {
        if (sourceCount < 0 || sourceCount >= MAX_SOURCE_CONNECTIONS) {
            return;
        }
        SourceConnection& entry = sources[sourceCount];
        entry.textureObject = static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(textureObject));
        entry.isConnected = isConnected ? 1 : 0;
        entry.name = name;
        entry.borderMode = borderMode;
        entry.noInputMode = noInputMode;
        entry.reserved32 = 0;
        entry.reserved36 = -1;
        entry.reserved40 = reserved40;
        entry.reserved44 = reserved44;
        ++sourceCount;
    }
};

struct AnimatedParameters {
    float floatValues[MAX_FLOAT_PARAMETERS];
    int32_t intValues[MAX_INT_PARAMETERS];
    uint8_t boolValues[MAX_BOOL_PARAMETERS];
    float vec2Values[MAX_VECTOR_PARAMETERS][2];
    float vec3Values[MAX_VECTOR_PARAMETERS][3];
    float colorValues[MAX_VECTOR_PARAMETERS][3];
    float rgbaValues[MAX_VECTOR_PARAMETERS][4];
    int32_t floatCount;
    int32_t intCount;
    int32_t boolCount;
    int32_t vec2Count;
    int32_t vec3Count;
    int32_t colorCount;
    int32_t rgbaCount;
};

struct BundledResource {
    unsigned long long textureObject;
    const char* name;
    int32_t width;
    int32_t height;
    int32_t channels;
    int32_t samplerMode;  // 0 linear, 1 nearest
    int32_t wrapMode;     // 0 clamp, 1 repeat, 2 mirror
    uint8_t padding36[4];
};

struct BundledResources {
    BundledResource resources[MAX_BUNDLED_RESOURCES];
    int32_t resourceCount;
    uint8_t padding644[4];
};

// ---- The binary contract ----
static_assert(sizeof(void*) == 8, "the parameter blocks assume 64-bit pointers");
static_assert(sizeof(float) == 4 && sizeof(int32_t) == 4, "32-bit scalars");

static_assert(sizeof(SystemParameters) == 236, "SystemParameters size");
static_assert(alignof(SystemParameters) == 4, "SystemParameters alignment");
static_assert(offsetof(SystemParameters, width) == 0, "width");
static_assert(offsetof(SystemParameters, height) == 4, "height");
static_assert(offsetof(SystemParameters, time) == 8, "time");
static_assert(offsetof(SystemParameters, frameRate) == 12, "frameRate");
static_assert(offsetof(SystemParameters, frameNumber) == 16, "frameNumber");
static_assert(offsetof(SystemParameters, reserved20) == 20, "reserved20");
static_assert(offsetof(SystemParameters, pixelAspectRatio) == 24, "pixelAspectRatio");
static_assert(offsetof(SystemParameters, imageAspectRatio) == 28, "imageAspectRatio");
static_assert(offsetof(SystemParameters, renderScaleX) == 32, "renderScaleX");
static_assert(offsetof(SystemParameters, renderScaleY) == 36, "renderScaleY");
static_assert(offsetof(SystemParameters, reserved40) == 40, "reserved40");
static_assert(offsetof(SystemParameters, isInteractive) == 41, "isInteractive");
static_assert(offsetof(SystemParameters, padding42) == 42, "padding42");
static_assert(offsetof(SystemParameters, renderWindowX1) == 44, "renderWindowX1");
static_assert(offsetof(SystemParameters, renderWindowY1) == 48, "renderWindowY1");
static_assert(offsetof(SystemParameters, renderWindowX2) == 52, "renderWindowX2");
static_assert(offsetof(SystemParameters, renderWindowY2) == 56, "renderWindowY2");
static_assert(offsetof(SystemParameters, isSequential) == 60, "isSequential");
static_assert(offsetof(SystemParameters, padding61) == 61, "padding61");
static_assert(offsetof(SystemParameters, currentExecution) == 64, "currentExecution");
static_assert(offsetof(SystemParameters, totalExecutions) == 68, "totalExecutions");
static_assert(offsetof(SystemParameters, currentKernel) == 72, "currentKernel");
static_assert(offsetof(SystemParameters, totalKernels) == 76, "totalKernels");
static_assert(offsetof(SystemParameters, currentPass) == 80, "currentPass");
static_assert(offsetof(SystemParameters, totalPasses) == 84, "totalPasses");
static_assert(offsetof(SystemParameters, currentPipelineExecution) == 88, "currentPipelineExecution");
static_assert(offsetof(SystemParameters, totalPipelineExecutions) == 92, "totalPipelineExecutions");
static_assert(offsetof(SystemParameters, currentPipeline) == 96, "currentPipeline");
static_assert(offsetof(SystemParameters, totalPipelines) == 100, "totalPipelines");
static_assert(offsetof(SystemParameters, currentProcessExecution) == 104, "currentProcessExecution");
static_assert(offsetof(SystemParameters, totalProcessExecutions) == 108, "totalProcessExecutions");
static_assert(offsetof(SystemParameters, reserved112) == 112, "reserved112");
static_assert(offsetof(SystemParameters, reserved116) == 116, "reserved116");
static_assert(offsetof(SystemParameters, reserved120) == 120, "reserved120");
static_assert(offsetof(SystemParameters, reserved124) == 124, "reserved124");
static_assert(offsetof(SystemParameters, padding125) == 125, "padding125");
static_assert(offsetof(SystemParameters, reserved128) == 128, "reserved128");
static_assert(offsetof(SystemParameters, reserved132) == 132, "reserved132");
static_assert(offsetof(SystemParameters, padding133) == 133, "padding133");
static_assert(offsetof(SystemParameters, reserved136) == 136, "reserved136");
static_assert(offsetof(SystemParameters, globalBlend) == 140, "globalBlend");
static_assert(offsetof(SystemParameters, reserved144) == 144, "reserved144");
static_assert(offsetof(SystemParameters, padding145) == 145, "padding145");
static_assert(offsetof(SystemParameters, reserved148) == 148, "reserved148");
static_assert(offsetof(SystemParameters, reserved152) == 152, "reserved152");
static_assert(offsetof(SystemParameters, reserved156) == 156, "reserved156");
static_assert(offsetof(SystemParameters, reserved160) == 160, "reserved160");

static_assert(sizeof(PipelineParameters) == 16, "PipelineParameters size");
static_assert(alignof(PipelineParameters) == 8, "PipelineParameters alignment");
static_assert(offsetof(PipelineParameters, effectName) == 0, "effectName");
static_assert(offsetof(PipelineParameters, version) == 8, "version");

static_assert(sizeof(SourceConnection) == 48, "source entry size");
static_assert(offsetof(SourceConnection, textureObject) == 0, "textureObject");
static_assert(offsetof(SourceConnection, isConnected) == 8, "isConnected");
static_assert(offsetof(SourceConnection, padding9) == 9, "padding9");
static_assert(offsetof(SourceConnection, name) == 16, "name");
static_assert(offsetof(SourceConnection, borderMode) == 24, "borderMode");
static_assert(offsetof(SourceConnection, noInputMode) == 28, "noInputMode");
static_assert(offsetof(SourceConnection, reserved32) == 32, "reserved32");
static_assert(offsetof(SourceConnection, padding33) == 33, "padding33");
static_assert(offsetof(SourceConnection, reserved36) == 36, "reserved36");
static_assert(offsetof(SourceConnection, reserved40) == 40, "reserved40");
static_assert(offsetof(SourceConnection, reserved44) == 44, "reserved44");
static_assert(sizeof(SourceConnections) == 1544, "SourceConnections size");
static_assert(alignof(SourceConnections) == 8, "SourceConnections alignment");
static_assert(offsetof(SourceConnections, sources) == 0, "sources");
static_assert(offsetof(SourceConnections, sourceCount) == 1536, "sourceCount");
static_assert(offsetof(SourceConnections, padding1540) == 1540, "padding1540");

static_assert(sizeof(AnimatedParameters) == 1212, "AnimatedParameters size");
static_assert(alignof(AnimatedParameters) == 4, "AnimatedParameters alignment");
static_assert(offsetof(AnimatedParameters, floatValues) == 0, "floatValues");
static_assert(offsetof(AnimatedParameters, intValues) == 256, "intValues");
static_assert(offsetof(AnimatedParameters, boolValues) == 384, "boolValues");
static_assert(offsetof(AnimatedParameters, vec2Values) == 416, "vec2Values");
static_assert(offsetof(AnimatedParameters, vec3Values) == 544, "vec3Values");
static_assert(offsetof(AnimatedParameters, colorValues) == 736, "colorValues");
static_assert(offsetof(AnimatedParameters, rgbaValues) == 928, "rgbaValues");
static_assert(offsetof(AnimatedParameters, floatCount) == 1184, "floatCount");
static_assert(offsetof(AnimatedParameters, intCount) == 1188, "intCount");
static_assert(offsetof(AnimatedParameters, boolCount) == 1192, "boolCount");
static_assert(offsetof(AnimatedParameters, vec2Count) == 1196, "vec2Count");
static_assert(offsetof(AnimatedParameters, vec3Count) == 1200, "vec3Count");
static_assert(offsetof(AnimatedParameters, colorCount) == 1204, "colorCount");
static_assert(offsetof(AnimatedParameters, rgbaCount) == 1208, "rgbaCount");

static_assert(sizeof(BundledResource) == 40, "resource entry size");
static_assert(offsetof(BundledResource, textureObject) == 0, "resource textureObject");
static_assert(offsetof(BundledResource, name) == 8, "resource name");
static_assert(offsetof(BundledResource, width) == 16, "resource width");
static_assert(offsetof(BundledResource, height) == 20, "resource height");
static_assert(offsetof(BundledResource, channels) == 24, "resource channels");
static_assert(offsetof(BundledResource, samplerMode) == 28, "resource samplerMode");
static_assert(offsetof(BundledResource, wrapMode) == 32, "resource wrapMode");
static_assert(offsetof(BundledResource, padding36) == 36, "resource padding36");
static_assert(sizeof(BundledResources) == 648, "BundledResources size");
static_assert(alignof(BundledResources) == 8, "BundledResources alignment");
static_assert(offsetof(BundledResources, resources) == 0, "resources");
static_assert(offsetof(BundledResources, resourceCount) == 640, "resourceCount");
static_assert(offsetof(BundledResources, padding644) == 644, "padding644");

// Seven kernel arguments: the five blocks and two 64-bit handles, within the 4,096-byte limit.
static_assert(sizeof(SystemParameters) + sizeof(PipelineParameters) + 8 + sizeof(SourceConnections) + 8 +
                      sizeof(AnimatedParameters) + sizeof(BundledResources) ==
                  3672,
              "kernel argument total");
