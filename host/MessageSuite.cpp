#include "host/MessageSuite.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <set>

namespace ofxhost {
namespace {

struct Messages {
  std::mutex mutex;
  std::vector<RecordedMessage> all;
  std::vector<RecordedMessage> persistent;
  OfxStatus questionReply = kOfxStatReplyYes;
  std::set<void *> blocks;
};

Messages &state() {
  static Messages *m = new Messages;
  return *m;
}

std::string format(const char *fmt, va_list ap) {
  if (fmt == nullptr) return "";
  va_list copy;
  va_copy(copy, ap);
  const int n = std::vsnprintf(nullptr, 0, fmt, copy);
  va_end(copy);
  if (n <= 0) return "";
  std::string text(static_cast<size_t>(n) + 1, '\0');
  std::vsnprintf(&text[0], text.size(), fmt, ap);
  text.resize(static_cast<size_t>(n));
  return text;
}

OfxStatus record(void *handle, const char *type, const char *id, const std::string &text, bool persistent) {
  if (type == nullptr) return kOfxStatErrValue;
  Messages &m = state();
  std::lock_guard<std::mutex> lock(m.mutex);
  RecordedMessage msg{handle, type, id ? id : "", text, persistent};
  m.all.push_back(msg);
  if (persistent) {
    for (auto it = m.persistent.begin(); it != m.persistent.end();)
      it = it->handle == handle ? m.persistent.erase(it) : it + 1;
    m.persistent.push_back(msg);
  }
  if (std::strcmp(type, kOfxMessageQuestion) == 0) return m.questionReply;
  return kOfxStatOK;
}

OfxStatus message(void *handle, const char *type, const char *id, const char *fmt, ...) {
  va_list ap;
  va_start(ap, fmt);
  const std::string text = format(fmt, ap);
  va_end(ap);
  return record(handle, type, id, text, false);
}

OfxStatus setPersistentMessage(void *handle, const char *type, const char *id, const char *fmt, ...) {
  va_list ap;
  va_start(ap, fmt);
  const std::string text = format(fmt, ap);
  va_end(ap);
  return record(handle, type, id, text, true);
}

OfxStatus clearPersistentMessage(void *handle) {
  Messages &m = state();
  std::lock_guard<std::mutex> lock(m.mutex);
  for (auto it = m.persistent.begin(); it != m.persistent.end();)
    it = it->handle == handle ? m.persistent.erase(it) : it + 1;
  return kOfxStatOK;
}

OfxStatus memoryAlloc(void *, size_t bytes, void **data) {
  if (data == nullptr) return kOfxStatErrValue;
  void *block = std::malloc(bytes ? bytes : 1);
  if (block == nullptr) return kOfxStatErrMemory;
  Messages &m = state();
  std::lock_guard<std::mutex> lock(m.mutex);
  m.blocks.insert(block);
  *data = block;
  return kOfxStatOK;
}

OfxStatus memoryFree(void *data) {
  Messages &m = state();
  std::lock_guard<std::mutex> lock(m.mutex);
  // Only blocks this suite handed out may be freed here.
  if (m.blocks.erase(data) == 0) return kOfxStatErrBadHandle;
  std::free(data);
  return kOfxStatOK;
}

const OfxMessageSuiteV1 kMessageSuiteV1 = {message};
const OfxMessageSuiteV2 kMessageSuiteV2 = {message, setPersistentMessage, clearPersistentMessage};
const OfxMemorySuiteV1 kMemorySuite = {memoryAlloc, memoryFree};

}  // namespace

std::vector<RecordedMessage> recordedMessages() {
  std::lock_guard<std::mutex> lock(state().mutex);
  return state().all;
}

void clearRecordedMessages() {
  std::lock_guard<std::mutex> lock(state().mutex);
  state().all.clear();
  state().persistent.clear();
}

std::vector<RecordedMessage> persistentMessages() {
  std::lock_guard<std::mutex> lock(state().mutex);
  return state().persistent;
}

void setQuestionReply(OfxStatus reply) {
  std::lock_guard<std::mutex> lock(state().mutex);
  state().questionReply = reply;
}

int outstandingMemoryBlocks() {
  std::lock_guard<std::mutex> lock(state().mutex);
  return static_cast<int>(state().blocks.size());
}

const OfxMessageSuiteV1 *messageSuiteV1() { return &kMessageSuiteV1; }
const OfxMessageSuiteV2 *messageSuiteV2() { return &kMessageSuiteV2; }
const OfxMemorySuiteV1 *memorySuite() { return &kMemorySuite; }

}  // namespace ofxhost
