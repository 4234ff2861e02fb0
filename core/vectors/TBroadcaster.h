// The sending half of the observer pair: keeps its listeners and hands each message to them in turn.
#pragma once

#include <algorithm>
#include <cstddef>
#include <vector>

template <class M> class TListener;

/// Sends messages of type M to every registered listener, in order of registration.
///
/// Registration is mutual (the listener keeps the broadcaster too), so either side may be
/// destroyed first. The list may change while a message is being delivered:
/// - a listener removed during a broadcast (itself or another one, also by being destroyed)
///   is not called any more, not even for the message in progress;
/// - a listener added during a broadcast hears the following messages, not the one in progress;
/// - a broadcaster destroyed by one of its listeners during a broadcast stops delivering at once.
/// Copies of a broadcaster start with no listeners: registrations are never copied.
template <class M>
class TBroadcaster {
public:
  using Listener = TListener<M>;

  TBroadcaster() = default;
  TBroadcaster(const TBroadcaster &) : TBroadcaster() {}
  /// Keeps this broadcaster's own listeners and state.
  TBroadcaster & operator=(const TBroadcaster &) { return *this; }

  virtual ~TBroadcaster() {
    for (SBroadcastFrame * frame = mActiveFrame; frame != nullptr; frame = frame->mOuter) {
      frame->mIsAlive = false;
    }
    std::vector<Listener *> listeners;
    listeners.swap(mListeners);
    for (Listener * listener : listeners) {
      if (listener != nullptr) {
        listener->RemoveBroadcaster(this);
      }
    }
  }

  /// Registers a listener once; adding it again, or adding null, does nothing.
  void AddListener(Listener * inListener) {
    if (inListener == nullptr || IsListener(inListener)) {
      return;
    }
    mListeners.push_back(inListener);
    inListener->AddBroadcaster(this);
  }

  /// Ends a registration made with AddListener; an unknown listener is ignored.
  void RemoveListener(Listener * inListener) {
    if (inListener == nullptr) {
      return;
    }
    const auto found = std::find(mListeners.begin(), mListeners.end(), inListener);
    if (found == mListeners.end()) {
      return;
    }
    if (mActiveFrame != nullptr) {
      // Delivery is walking the list by position: leave a hole, closed when it ends.
      *found = nullptr;
      mHasHoles = true;
    } else {
      mListeners.erase(found);
    }
    inListener->RemoveBroadcaster(this);
  }

  /// True when the listener is registered with this broadcaster.
  bool IsListener(const Listener * inListener) const {
    return inListener != nullptr &&
           std::find(mListeners.begin(), mListeners.end(), inListener) != mListeners.end();
  }

  /// The number of registered listeners.
  std::size_t CountListeners() const {
    return static_cast<std::size_t>(
        std::count_if(mListeners.begin(), mListeners.end(), [](const Listener * l) { return l != nullptr; }));
  }

  /// Delivers the message synchronously to every listener; does nothing while broadcasting is stopped.
  void BroadcastMessage(M inMessage) {
    if (!mIsBroadcasting) {
      return;
    }
    SBroadcastFrame frame(*this);
    const std::size_t count = mListeners.size();
    for (std::size_t i = 0; i < count; ++i) {
      Listener * listener = mListeners[i];
      if (listener != nullptr) {
        listener->ListenToBroadcastMessage(inMessage);
        if (!frame.mIsAlive) {
          return; // this broadcaster was destroyed by the listener
        }
      }
    }
  }

  /// Resumes delivery.
  void StartBroadcasting() { mIsBroadcasting = true; }
  /// Suspends delivery; messages sent meanwhile are dropped, registrations are kept.
  void StopBroadcasting() { mIsBroadcasting = false; }
  /// True unless broadcasting is stopped.
  bool IsBroadcasting() const { return mIsBroadcasting; }

private:
  // One delivery in progress; nested deliveries form a chain through mOuter.
  struct SBroadcastFrame {
    explicit SBroadcastFrame(TBroadcaster & inOwner)
        : mOwner(inOwner), mOuter(inOwner.mActiveFrame) {
      mOwner.mActiveFrame = this;
    }
    ~SBroadcastFrame() {
      if (!mIsAlive) {
        return;
      }
      mOwner.mActiveFrame = mOuter;
      if (mOuter == nullptr && mOwner.mHasHoles) {
        mOwner.mListeners.erase(
            std::remove(mOwner.mListeners.begin(), mOwner.mListeners.end(), nullptr),
            mOwner.mListeners.end());
        mOwner.mHasHoles = false;
      }
    }
    SBroadcastFrame(const SBroadcastFrame &) = delete;
    SBroadcastFrame & operator=(const SBroadcastFrame &) = delete;

    TBroadcaster & mOwner;
    SBroadcastFrame * mOuter;
    bool mIsAlive = true;
  };

  std::vector<Listener *> mListeners;  // not owned; may hold null holes during a delivery
  bool mIsBroadcasting = true;
  SBroadcastFrame * mActiveFrame = nullptr;
  bool mHasHoles = false;
};

#include "vectors/TListener.h"
