#pragma once
// The base of image processors: holds the destination image, render window
// and the host's GPU render mode, and runs exactly one processing entry per
// process() call:
//   CUDA enabled    -> processImagesCUDA()
//   else OpenCL     -> processImagesOpenCL()
//   else Metal      -> processImagesMetal()
//   else            -> multiThreadProcessImages() on the host's threads, each
//                      thread given a band of rows of the render window
// always between preProcess() and postProcess().

#include "openfx/support/Arguments.h"
#include "openfx/support/Image.h"
#include "openfx/support/ImageEffect.h"
#include "openfx/support/MultiThread.h"

#include "openfx/include/ofxCore.h"

namespace OFX {

class ImageProcessor : public MultiThread::Processor {
 public:
  explicit ImageProcessor(ImageEffect& effect);
  ~ImageProcessor() override = default;

  void setDstImg(Image* image) { _dstImg = image; }
  void setRenderWindow(const OfxRectI& window) { _renderWindow = window; }
  // Takes the GPU enable flags, the CUDA stream and the command queues.
  void setGPURenderArgs(const RenderArguments& args);

 protected:
  // Gives thread threadId of nThreads its band of rows and calls
  // multiThreadProcessImages for it; a thread with no rows does nothing.
  void multiThreadFunction(unsigned int threadId, unsigned int nThreads) override;

 public:
  virtual void preProcess() {}
  virtual void processImagesOpenCL() {}
  virtual void processImagesCUDA() {}
  virtual void processImagesMetal() {}
  virtual void multiThreadProcessImages(OfxRectI window) = 0;
  virtual void postProcess() {}
  virtual void process();

 protected:
  ImageEffect& _effect;
  Image* _dstImg = nullptr;
  OfxRectI _renderWindow{0, 0, 0, 0};
  bool _isEnabledOpenCLRender = false;
  bool _isEnabledCudaRender = false;
  bool _isEnabledMetalRender = false;
  void* _pOpenCLCmdQ = nullptr;
  void* _pCudaStream = nullptr;
  void* _pMetalCmdQ = nullptr;
};

}  // namespace OFX
