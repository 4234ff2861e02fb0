// The platform-neutral time sheet: loading, merging, saving and dirty tracking.
#include "tasks/STaskDocument.h"

#include "documents/SDocumentException.h"
#include "files/SFile.h"
#include "tasks/STaskDocumentMessageDirty.h"
#include "tasks/STaskDocumentMessageStream.h"
#include "tasks/STaskFileStream.h"
#include "tasks/STaskFileStreamSettings.h"

#include <filesystem>

namespace {

const char kNoDocumentStream[] = "No file or stream has been specified for this document";
const char kNoMergeStream[] = "No file or stream has been specified for this merge";
const char kStreamInUse[] = "A file could not be changed because it is in use";

// Whether two paths name the same file as far as the paths themselves tell.
bool SamePath(const SFileSpec & inLeft, const SFileSpec & inRight) {
  const std::filesystem::path left(SFile::ResolvedPath(inLeft));
  const std::filesystem::path right(SFile::ResolvedPath(inRight));
  return left.lexically_normal() == right.lexically_normal();
}

} // namespace

STaskDocument::STaskDocument() : mTaskVectorMap(mData) { mData.AddListener(this); }

STaskDocument::~STaskDocument() {
  // The vector's farewell is for the views; the document itself has nothing to track.
  mData.RemoveListener(this);
  StopBroadcasting();
  if (mStream) {
    try {
      Disconnect();
    } catch (...) {
    }
    mStream.reset();
  }
}

void STaskDocument::ListenToInsertMessage(TVectorMessage<STask>) { SetDirty(); }

void STaskDocument::ListenToDeleteMessage(TVectorMessage<STask>) { SetDirty(); }

void STaskDocument::ListenToChangeMessage(TVectorMessage<STask>) { SetDirty(); }

void STaskDocument::ListenToNoticeMessage(TVectorMessage<STask>) {}

void STaskDocument::SetStream(std::unique_ptr<STaskStream> inStream) {
  if (!inStream)
    throw SDocumentException(kNoDocumentStream);
  if (mStream && mStream->IsOpen())
    throw SDocumentException(kStreamInUse);
  mStream = std::move(inStream);
  mStream->SetDocument(this);
  BroadcastMessage(STaskDocumentMessageStream());
}

void STaskDocument::ReadFrom(STaskStream & ioStream) {
  try {
    ioStream.OpenInput();
    ioStream.GetInputLength();
    ioStream.ReadData(mData);
    ioStream.CloseInput();
    ioStream.ConfirmInput();
  } catch (...) {
    try {
      ioStream.CloseInput();
    } catch (...) {
    }
    throw;
  }
}

void STaskDocument::WriteTo(STaskStream & ioStream, const STaskVector & inVector) {
  try {
    ioStream.OpenOutput();
    ioStream.SetOutputLength(inVector);
    ioStream.WriteData(inVector);
    ioStream.CloseOutput();
    ioStream.ConfirmOutput();
  } catch (...) {
    try {
      ioStream.CloseOutput();
    } catch (...) {
    }
    throw;
  }
}

void STaskDocument::Load() {
  if (!mStream)
    return;
  // A read-only document only reads its file: read access is all it needs.
  if (auto * file = dynamic_cast<STaskFileStream *>(mStream.get()); file != nullptr && mIsReadOnly)
    file->SetReadOnly(true);
  StopBroadcasting();
  mData.clear();
  try {
    Connect();
    ReadFrom(*mStream);
    if (mIsReadOnly)
      Disconnect();
  } catch (...) {
    StartBroadcasting();
    SetDirtyStatus(false);
    throw;
  }
  StartBroadcasting();
  SetDirtyStatus(false);
}

void STaskDocument::Merge(STaskStream * inStream) {
  if (inStream == nullptr)
    throw SDocumentException(kNoMergeStream);
  const bool wasDirty = mIsDirty;
  StopBroadcasting();
  try {
    inStream->Connect();
    inStream->Reserve();
    ReadFrom(*inStream);
    if (WantToClearMergeStream(inStream)) {
      const STaskVector empty;
      WriteTo(*inStream, empty);
    }
  } catch (...) {
    StartBroadcasting();
    try {
      inStream->Release();
    } catch (...) {
    }
    try {
      inStream->Disconnect();
    } catch (...) {
    }
    // Tasks appended before the failure changed the document: let the listeners know.
    if (mIsDirty != wasDirty)
      SetDirtyStatus(mIsDirty);
    throw;
  }
  StartBroadcasting();
  SetDirtyStatus(true);
}

void STaskDocument::Save() {
  if (!mStream)
    throw SDocumentException(kNoDocumentStream);
  WriteTo(*mStream, mData);
  SetDirtyStatus(false);
}

void STaskDocument::SaveAs(const SFileSpec & inFileSpec) {
  if (mStream && mStream->IsOpen())
    throw SDocumentException(kStreamInUse);
  // The document's own file is simply saved: it is held, so a second stream could not have it.
  if (const auto * current = dynamic_cast<const STaskFileStream *>(mStream.get());
      current != nullptr && SamePath(current->GetFile().GetFileSpec(), inFileSpec)) {
    Save();
    return;
  }

  const SDateFormat order = mStream ? mStream->GetDateFormat() : SDateFormat(SDateFormat::eMDY);
  auto stream = std::make_unique<STaskFileStream>(STaskFileStreamSettings(inFileSpec), order);
  stream->SetDocument(this);
  try {
    // Reserving creates a missing file with the usual permissions, which the write keeps.
    stream->Connect();
    stream->Reserve();
    WriteTo(*stream, mData);
    if (mIsReadOnly) {
      stream->Release();
      stream->Disconnect();
    }
  } catch (...) {
    // Only a file this save made, and still holds, goes again: never one that another
    // program created meanwhile, nor a symbolic link.
    stream->RemoveIfCreated();
    stream.reset();
    throw;
  }
  SetStream(std::move(stream));
  SetDirtyStatus(false);
}

void STaskDocument::InsertTasks(const std::vector<std::uint32_t> & inIndices, const std::vector<STask> & inTasks) {
  mData.insert_scattered(inIndices, inTasks);
  // The map appends new indices at its end; the document's map stays in file order.
  mTaskVectorMap.Repopulate();
}

void STaskDocument::DeleteTasks(const std::vector<std::uint32_t> & inIndices) { mData.erase_scattered(inIndices); }

void STaskDocument::ReplaceTask(std::uint32_t inIndex, const STask & inTask) { mData.set(inIndex, inTask); }

void STaskDocument::Connect() {
  if (!mStream)
    return;
  mStream->Connect();
  mStream->Reserve();
}

void STaskDocument::Disconnect() {
  if (!mStream)
    return;
  mStream->Release();
  mStream->Disconnect();
}

void STaskDocument::SetDirtyStatus(bool inIsDirty) {
  mIsDirty = inIsDirty;
  BroadcastMessage(STaskDocumentMessageDirty());
}
