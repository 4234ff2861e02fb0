// A time sheet document as the command-line tool uses it.
#include "CTimeSheet.h"

#include "CToolError.h"
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

std::unique_ptr<STaskFileStream> CTimeSheet::Append(const std::string & inPath) {
  RequireExisting(inPath);
  return CToolError::Naming(inPath, [&] {
    auto stream = StreamOn(inPath);
    Merge(stream.get());
    return stream;
  });
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
