// The undo history of one time sheet.
#include "documents/WEditHistory.h"

#include "tasks/STaskDocument.h"

namespace {

// Sets a flag for the life of the guard.
class ApplyingGuard {
public:
  explicit ApplyingGuard(bool & ioFlag) : mFlag(ioFlag), mWas(ioFlag) { mFlag = true; }
  ~ApplyingGuard() { mFlag = mWas; }
  ApplyingGuard(const ApplyingGuard &) = delete;
  ApplyingGuard & operator=(const ApplyingGuard &) = delete;

private:
  bool & mFlag;
  bool mWas;
};

} // namespace

WEditHistory::WEditHistory(STaskDocument & ioDocument) : wxCommandProcessor(-1), mDocument(ioDocument) {}

bool WEditHistory::Submit(wxCommand * inCommand, bool inStoreIt) {
  bool done = false;
  {
    ApplyingGuard guard(mApplying);
    done = wxCommandProcessor::Submit(inCommand, inStoreIt);
  }
  if (done && inStoreIt) {
    // The commands undone before are dropped: a saved state among them is gone for good.
    if (mSavedPosition > mPosition)
      mSavedPosition = -1;
    ++mPosition;
  } else if (done) {
    mSavedPosition = -1;
  }
  FollowState();
  return done;
}

bool WEditHistory::Undo() {
  bool done = false;
  {
    ApplyingGuard guard(mApplying);
    done = wxCommandProcessor::Undo();
  }
  if (done)
    --mPosition;
  FollowState();
  return done;
}

bool WEditHistory::Redo() {
  bool done = false;
  {
    ApplyingGuard guard(mApplying);
    done = wxCommandProcessor::Redo();
  }
  if (done)
    ++mPosition;
  FollowState();
  return done;
}

void WEditHistory::ClearCommands() {
  wxCommandProcessor::ClearCommands();
  if (mApplying) {
    return; // storing a command after everything was undone: Submit keeps the count
  }
  mPosition = 0;
  mSavedPosition = mDocument.IsDirty() ? -1 : 0;
}

bool WEditHistory::IsDirty() const { return mSavedPosition != mPosition; }

void WEditHistory::MarkSaved() {
  wxCommandProcessor::MarkAsSaved();
  mSavedPosition = mPosition;
}

void WEditHistory::NoteOutsideChange() { mSavedPosition = -1; }

void WEditHistory::FollowState() {
  if (mDocument.IsDirty() != IsDirty())
    mDocument.SetDirtyStatus(IsDirty());
}
