#ifndef OFX_MESSAGE_H
#define OFX_MESSAGE_H
/* The message suite: messages, questions and persistent messages shown by the host. */

#include "ofxCore.h"

#ifdef __cplusplus
extern "C" {
#endif

#define kOfxMessageSuite "OfxMessageSuite"

#define kOfxMessageFatal "OfxMessageFatal"
#define kOfxMessageError "OfxMessageError"
#define kOfxMessageWarning "OfxMessageWarning"
#define kOfxMessageMessage "OfxMessageMessage"
#define kOfxMessageLog "OfxMessageLog"
#define kOfxMessageQuestion "OfxMessageQuestion"

typedef struct OfxMessageSuiteV1 {
  OfxStatus (*message)(void *handle, const char *messageType, const char *messageId, const char *format, ...);
} OfxMessageSuiteV1;

typedef struct OfxMessageSuiteV2 {
  OfxStatus (*message)(void *handle, const char *messageType, const char *messageId, const char *format, ...);
  OfxStatus (*setPersistentMessage)(void *handle, const char *messageType, const char *messageId,
                                    const char *format, ...);
  OfxStatus (*clearPersistentMessage)(void *handle);
} OfxMessageSuiteV2;

#ifdef __cplusplus
}
#endif

#endif /* OFX_MESSAGE_H */
