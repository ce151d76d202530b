#include "plugin/CudaWarmUp.h"

#include "gpu/runtime/Runtime.h"
#include "plugin/Logger.h"

#include <chrono>

void warmUpCudaContext()
{
    Logger& log = Logger::getInstance();
    log.logMessage(LOG_DEBUG, "Initializing CUDA context (warm-up)...");
    const auto start = std::chrono::steady_clock::now();

    if (gpu::Runtime* cuda = gpu::cudaRuntime()) {
        // cudaFree(nullptr), cudaGetLastError, cudaDeviceSynchronize; results ignored.
        cuda->warmUp();
    } else {
        log.logMessage(LOG_DEBUG, "CUDA warm-up skipped: %s", gpu::cudaUnavailableReason());
    }

    const auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start);
    log.logMessage(LOG_DEBUG, "CUDA context warm-up complete in %lld ms", static_cast<long long>(elapsed.count()));
}
