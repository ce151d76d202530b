#pragma once
// The message suite (V1 and V2) and the memory suite. Messages are recorded, not shown.

#include <string>
#include <vector>

#include "ofxMemory.h"
#include "ofxMessage.h"

namespace ofxhost {

struct RecordedMessage {
  const void *handle = nullptr;  // the effect (or null) the plug-in named
  std::string type;              // kOfxMessageError, ...
  std::string id;
  std::string text;
  bool persistent = false;
};

std::vector<RecordedMessage> recordedMessages();
void clearRecordedMessages();
// Persistent messages currently set, per handle (cleared by clearPersistentMessage).
std::vector<RecordedMessage> persistentMessages();
// The reply given to kOfxMessageQuestion (kOfxStatReplyYes unless changed).
void setQuestionReply(OfxStatus reply);

// Blocks allocated through the memory suite and not freed.
int outstandingMemoryBlocks();

const OfxMessageSuiteV1 *messageSuiteV1();
const OfxMessageSuiteV2 *messageSuiteV2();
const OfxMemorySuiteV1 *memorySuite();

}  // namespace ofxhost
