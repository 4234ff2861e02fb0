// Test helper: a vector listener that records every message it hears, with optional hooks.
#pragma once

#include <functional>
#include <ostream>
#include <vector>

#include "vectors/TVectorListener.h"
#include "vectors/TVectorMessage.h"

/// Readable test failures: "notice [2, 5)".
template <class T>
void PrintTo(const TVectorMessage<T> & inMessage, std::ostream * outStream) {
  static const char * const kNames[] = {"insert", "delete", "change", "notice"};
  *outStream << kNames[inMessage.code()] << " [" << inMessage.begin_index() << ", "
             << inMessage.end_index() << ")";
}

namespace testsupport {

/// Records the messages of a broadcasting vector in the order heard.
template <class T>
class MessageRecorder : public TVectorListener<T> {
public:
  using Message = TVectorMessage<T>;

  void ListenToMessage(Message inMessage) override {
    mMessages.push_back(inMessage);
    if (mHook)
      mHook(inMessage);
  }

  std::vector<Message> mMessages;
  std::function<void(const Message &)> mHook;
};


} // namespace testsupport
