#include "effects/edge_bleed/LaunchSupport.h"

#include "plugin/Logger.h"

namespace edge_bleed {

namespace {

unsigned long long sourceTexture(const SourceConnections& sourceConnections, int index) {
    if (index < 0 || index >= sourceConnections.sourceCount || index >= MAX_SOURCE_CONNECTIONS) {
        return 0;
    }
    return sourceConnections.sources[index].textureObject;
}

}  // namespace

unsigned long long chooseWorkingImage(const SystemParameters& systemParameters,
                                      const SourceConnections& sourceConnections, const void* inputTexture,
                                      int numInputs) {
    if (inputTexture != nullptr) {
        return gpu::handleFromPointer(inputTexture);
    }
    if (systemParameters.currentProcessExecution > 0) {
        return sourceTexture(sourceConnections, systemParameters.currentPipeline + numInputs + 1);
    }
    if (systemParameters.currentPipelineExecution > 0) {
        return sourceTexture(sourceConnections, numInputs);
    }
    if (systemParameters.currentPipeline > 0) {
        const int previousOutput = systemParameters.currentPipeline + numInputs;
        if (previousOutput >= 0 && previousOutput < sourceConnections.sourceCount) {
            return sourceTexture(sourceConnections, previousOutput);
        }
        return sourceTexture(sourceConnections, 0);
    }
    return sourceTexture(sourceConnections, 0);
}

void logWorkingImage(const char* launcherName, const SystemParameters& systemParameters,
                     const SourceConnections& sourceConnections, unsigned long long workingImageTex,
                     int numInputs) {
    Logger& log = Logger::getInstance();
    log.logMessage(LOG_ERROR,
                   "%s: currentPipelineExecution=%d, currentProcessExecution=%d, currentPipeline=%d, "
                   "workingImageTex=%llu, numInputs=%d, sourceCount=%d",
                   launcherName, systemParameters.currentPipelineExecution,
                   systemParameters.currentProcessExecution, systemParameters.currentPipeline, workingImageTex,
                   numInputs, sourceConnections.sourceCount);
    const int count = sourceConnections.sourceCount < MAX_SOURCE_CONNECTIONS ? sourceConnections.sourceCount
                                                                             : MAX_SOURCE_CONNECTIONS;
    for (int i = 0; i < count; ++i) {
        log.logMessage(LOG_ERROR, "  source[%d] textureObject=%llu", i, sourceConnections.sources[i].textureObject);
    }
}

}  // namespace edge_bleed
