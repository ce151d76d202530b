#pragma once
// Running the command-line renderer: loads the bundle, creates an instance of its first image
// effect (general context when it has one, else filter), connects the input pictures, sets
// the parameters, and renders each frame of the range into the output file(s), on the CPU
// or, with --cuda, with CUDA render enabled (pictures in device memory, a CUDA stream).
//
// Every problem is reported as one clear line and a non-zero result before the output is
// touched where it can be found early (arguments, files, clips, parameters); a frame that
// fails to render writes nothing. Files are written atomically (ImageFile.h).

#include <ostream>

#include "host/RenderCommandLine.h"

namespace ofxhost {

// Renders what `request` asks for; progress and warnings go to `out`, errors to `err`.
// Returns the process exit status: 0 success, 1 a failure while rendering or reading files.
int runRenderCommand(const RenderRequest &request, std::ostream &out, std::ostream &err);

}  // namespace ofxhost
