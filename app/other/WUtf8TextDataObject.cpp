// Plain text for the clipboard held as UTF-8 bytes.
#include "other/WUtf8TextDataObject.h"

#include <cstring>
#include <utility>

#ifdef __WXMSW__

WUtf8TextDataObject::WUtf8TextDataObject(std::string inText)
    : wxTextDataObject(wxString::FromUTF8(inText.data(), inText.size())), mBytes(std::move(inText)) {}

const std::string & WUtf8TextDataObject::Bytes() const {
  // The clipboard sets the text through the base class: read it back from there. The
  // converted bytes live in the string: it must outlive the buffer.
  const wxString text = GetText();
  const wxScopedCharBuffer buffer = text.utf8_str();
  mBytes.assign(buffer.data(), buffer.length());
  return mBytes;
}

#else

WUtf8TextDataObject::WUtf8TextDataObject(std::string inText)
    : wxDataObjectSimple(wxDataFormat(wxDF_UNICODETEXT)), mBytes(std::move(inText)) {}

size_t WUtf8TextDataObject::GetFormatCount(Direction) const { return 2; }

void WUtf8TextDataObject::GetAllFormats(wxDataFormat * outFormats, Direction) const {
  outFormats[0] = wxDataFormat(wxDF_UNICODETEXT);
  outFormats[1] = wxDataFormat(wxDF_TEXT);
}

bool WUtf8TextDataObject::GetDataHere(void * outBuffer) const {
  if (outBuffer == nullptr)
    return false;
  std::memcpy(outBuffer, mBytes.data(), mBytes.size());
  return true;
}

bool WUtf8TextDataObject::SetData(size_t inLength, const void * inBuffer) {
  if (inLength == 0) {
    mBytes.clear();
    return true;
  }
  if (inBuffer == nullptr)
    return false;
  mBytes.assign(static_cast<const char *>(inBuffer), inLength);
  return true;
}

#endif
