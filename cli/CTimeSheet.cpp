// A time sheet document as the command-line tool uses it.
#include "CTimeSheet.h"

#include "CInputStream.h"
#include "COutput.h"
#include "CToolError.h"
#include "files/SLineBreakString.h"
#include "files/SFile.h"
#include "files/SFileSpec.h"
#include "tasks/STaskDocumentData.h"
#include "tasks/STaskFileStreamSettings.h"
#include "tasks/STaskVector.h"

#include <exception>

CTimeSheet::CTimeSheet(SDateFormat inOrder) { STaskDocumentData(*this).SetDateFormat(inOrder); }

bool CTimeSheet::WantToClearMergeStream(STaskStream *) { return false; }

std::unique_ptr<STaskFileStream> CTimeSheet::StreamOn(const std::string & inPath) {
  return std::make_unique<STaskFileStream>(STaskFileStreamSettings(SFileSpec(inPath)),
                                           SDateFormat(SDateFormat::eMDY));
}

void CTimeSheet::Open(const std::string & inPath, bool inReadOnly) {
  if (IsInput(inPath)) {
    CToolError::Naming(inPath, [&] {
      STaskDocumentData(*this).SetIsReadOnly(true);
      SetStream(std::make_unique<CInputStream>(inPath));
      Load();
    });
    return;
  }
  RequireExisting(inPath);
  CToolError::Naming(inPath, [&] {
    STaskDocumentData(*this).SetIsReadOnly(inReadOnly);
    SetStream(StreamOn(inPath));
    Load();
  });
}

bool CTimeSheet::OpenOrCreate(const std::string & inPath) {
  const bool existed = SFile::ExistsOnDisk(SFileSpec(inPath));
  CToolError::Naming(inPath, [&] {
    STaskDocumentData(*this).SetIsReadOnly(false);
    SetStream(StreamOn(inPath));
    Load();
  });
  return existed;
}

std::unique_ptr<STaskFileStream> CTimeSheet::Append(const std::string & inPath, bool inReadOnly) {
  RequireExisting(inPath);
  return CToolError::Naming(inPath, [&] {
    auto stream = StreamOn(inPath);
    stream->SetReadOnly(inReadOnly);
    Merge(stream.get());
    return stream;
  });
}

void CTimeSheet::AppendInput(const std::string & inPath) {
  CToolError::Naming(inPath, [&] {
    CInputStream stream(inPath);
    Merge(&stream);
  });
}

void CTimeSheet::RemoveIfCreated() noexcept {
  if (auto * stream = dynamic_cast<STaskFileStream *>(GetStream()))
    stream->RemoveIfCreated();
}

void CTimeSheet::WriteSheet(COutput & inOutput) const {
  const SLineBreakString lineBreak(GetLineBreakFormat());
  const SDateFormat fileOrder(SDateFormat::eMDY);
  for (const std::uint32_t index : mTaskVectorMap) {
    const STask & task = mData.at(index);
    if (task.GetDateFormat() == fileOrder) {
      inOutput.Write(task);
    } else {
      STask copy(task);
      copy.SetDateFormat(fileOrder);
      inOutput.Write(copy);
    }
    inOutput.Write(lineBreak);
  }
}

void CTimeSheet::SaveInPlace() {
  CToolError::Naming(Path(), [&] { Save(); });
}

void CTimeSheet::SaveTo(const std::string & inPath, bool inReplace) {
  RequireAbsent(inPath, inReplace);
  CToolError::Naming(inPath, [&] { SaveAs(SFileSpec(inPath)); });
}

STaskVector & CTimeSheet::Tasks() { return STaskDocumentData(*this).GetData(); }

void CTimeSheet::SetLineBreak(SLineBreakFormat inFormat) { STaskDocumentData(*this).SetLineBreakFormat(inFormat); }

std::string CTimeSheet::Path() const {
  if (const auto * stream = dynamic_cast<const STaskFileStream *>(GetStream()))
    return stream->Settings().Spec();
  return std::string();
}

void CTimeSheet::Empty(STaskFileStream & ioStream) {
  CToolError::Naming(ioStream.Settings().Spec(), [&] {
    const STaskVector none;
    WriteTo(ioStream, none);
  });
}

bool CTimeSheet::IsInput(const std::string & inPath) { return CInputStream::IsInput(inPath); }

void CTimeSheet::RequireExisting(const std::string & inPath) {
  if (!SFile::ExistsOnDisk(SFileSpec(inPath)))
    throw CToolError(inPath, "The file does not exist on disk");
}

void CTimeSheet::RequireAbsent(const std::string & inPath, bool inReplace) {
  if (!inReplace && SFile::ExistsOnDisk(SFileSpec(inPath)))
    throw CToolError(inPath, "The file already exists (use --force to replace it)");
}

unsigned long long CTimeSheet::SizeOf(const std::string & inPath) {
  try {
    return SFile(SFileSpec(inPath)).Length();
  } catch (const std::exception &) {
    return 0;
  }
}
