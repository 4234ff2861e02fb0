// Plain text for the clipboard held as UTF-8 bytes, so that a large copy or paste does not
// turn the whole text into a wide-character string on its way. On GTK the bytes go to and
// come from the clipboard as they are; Windows wants UTF-16 there, which wx's own text
// object provides.
#pragma once

#include <cstddef>
#include <string>

#include <wx/dataobj.h>

#ifdef __WXMSW__

class WUtf8TextDataObject : public wxTextDataObject {
public:
  /// Holds the UTF-8 text `inText` (empty for an object to paste into).
  explicit WUtf8TextDataObject(std::string inText = std::string());

  /// The text held, as UTF-8.
  const std::string & Bytes() const;

private:
  mutable std::string mBytes;
};

#else

class WUtf8TextDataObject : public wxDataObjectSimple {
public:
  /// Holds the UTF-8 text `inText` (empty for an object to paste into).
  explicit WUtf8TextDataObject(std::string inText = std::string());

  /// The text held (the bytes the clipboard gave, which need not be valid UTF-8).
  const std::string & Bytes() const { return mBytes; }

  // Both plain-text formats (UTF8_STRING and STRING), each with the same bytes.
  size_t GetFormatCount(Direction inDirection = Get) const override;
  void GetAllFormats(wxDataFormat * outFormats, Direction inDirection = Get) const override;

  size_t GetDataSize() const override { return mBytes.size(); }
  bool GetDataHere(void * outBuffer) const override;
  bool SetData(size_t inLength, const void * inBuffer) override;
  size_t GetDataSize(const wxDataFormat &) const override { return GetDataSize(); }
  bool GetDataHere(const wxDataFormat &, void * outBuffer) const override { return GetDataHere(outBuffer); }
  bool SetData(const wxDataFormat &, size_t inLength, const void * inBuffer) override {
    return SetData(inLength, inBuffer);
  }

private:
  std::string mBytes;
};

#endif
