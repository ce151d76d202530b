#pragma once
// The multi-thread suite over a pool of worker threads that lives for the process.

#include "ofxMultiThread.h"

namespace ofxhost {

// The CPU count the suite reports; 0 restores the machine's count.
void setReportedCpuCount(unsigned int count);
// Mutexes created and not destroyed.
int outstandingMutexes();

const OfxMultiThreadSuiteV1 *multiThreadSuite();

}  // namespace ofxhost
