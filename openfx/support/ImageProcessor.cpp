#include "openfx/support/ImageProcessor.h"

#include <algorithm>

namespace OFX {

ImageProcessor::ImageProcessor(ImageEffect& effect) : _effect(effect) {}

void ImageProcessor::setGPURenderArgs(const RenderArguments& args) {
  _isEnabledOpenCLRender = args.isEnabledOpenCLRender;
  _isEnabledCudaRender = args.isEnabledCudaRender;
  _isEnabledMetalRender = args.isEnabledMetalRender;
  _pOpenCLCmdQ = args.pOpenCLCmdQ;
  _pCudaStream = args.pCudaStream;
  _pMetalCmdQ = args.pMetalCmdQ;
}

void ImageProcessor::multiThreadFunction(unsigned int threadId, unsigned int nThreads) {
  if (nThreads == 0) return;
  const int rows = _renderWindow.y2 - _renderWindow.y1;
  if (rows <= 0 || _renderWindow.x2 <= _renderWindow.x1) return;
  const int band = (rows + static_cast<int>(nThreads) - 1) / static_cast<int>(nThreads);
  const int first = _renderWindow.y1 + static_cast<int>(threadId) * band;
  const int last = std::min(first + band, _renderWindow.y2);
  if (first >= last) return;
  OfxRectI window = _renderWindow;
  window.y1 = first;
  window.y2 = last;
  multiThreadProcessImages(window);
}

void ImageProcessor::process() {
  preProcess();
  if (_isEnabledCudaRender) {
    processImagesCUDA();
  } else if (_isEnabledOpenCLRender) {
    processImagesOpenCL();
  } else if (_isEnabledMetalRender) {
    processImagesMetal();
  } else {
    const int rows = _renderWindow.y2 - _renderWindow.y1;
    if (rows > 0 && _renderWindow.x2 > _renderWindow.x1) {
      // No more threads than rows: each thread gets at least one row.
      const unsigned int threads = std::min(MultiThread::getNumCPUs(), static_cast<unsigned int>(rows));
      multiThread(threads);
    }
  }
  postProcess();
}

}  // namespace OFX
