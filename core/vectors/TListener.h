// The receiving half of the observer pair: keeps the broadcasters it is registered with.
#pragma once

#include <algorithm>
#include <vector>

template <class M> class TBroadcaster;

/// Receives messages of type M from the broadcasters it was added to (TBroadcaster::AddListener).
/// Destroying a listener unregisters it from every broadcaster.
/// Copies of a listener start unregistered: registrations are never copied.
template <class M>
class TListener {
public:
  using Broadcaster = TBroadcaster<M>;

  TListener() = default;
  TListener(const TListener &) : TListener() {}
  /// Keeps this listener's own registrations and state.
  TListener & operator=(const TListener &) { return *this; }

  virtual ~TListener() {
    while (!mBroadcasters.empty()) {
      Broadcaster * broadcaster = mBroadcasters.back();
      broadcaster->RemoveListener(this);
      if (!mBroadcasters.empty() && mBroadcasters.back() == broadcaster) {
        mBroadcasters.pop_back(); // the broadcaster did not know us: drop it anyway
      }
    }
  }

  /// Hands the message to ListenToMessage unless listening is stopped.
  void ListenToBroadcastMessage(M inMessage) {
    if (mIsListening) {
      ListenToMessage(inMessage);
    }
  }

  /// Reacts to one message.
  virtual void ListenToMessage(M inMessage) = 0;

  /// Resumes reacting to messages.
  void StartListening() { mIsListening = true; }
  /// Ignores messages until StartListening; registrations are kept.
  void StopListening() { mIsListening = false; }
  /// True unless listening is stopped.
  bool IsListening() const { return mIsListening; }

  /// The broadcasters this listener is registered with.
  const std::vector<Broadcaster *> & GetBroadcasters() const { return mBroadcasters; }

private:
  friend class TBroadcaster<M>;

  // Only the broadcaster's side keeps the two lists in step.
  void AddBroadcaster(Broadcaster * inBroadcaster) { mBroadcasters.push_back(inBroadcaster); }
  void RemoveBroadcaster(Broadcaster * inBroadcaster) {
    const auto found = std::find(mBroadcasters.begin(), mBroadcasters.end(), inBroadcaster);
    if (found != mBroadcasters.end()) {
      mBroadcasters.erase(found);
    }
  }

  std::vector<Broadcaster *> mBroadcasters; // not owned
  bool mIsListening = true;
};

#include "vectors/TBroadcaster.h"
