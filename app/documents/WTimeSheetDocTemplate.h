// The one document template: it makes time sheet documents and their windows.
#pragma once

#include <wx/docview.h>

class WTimeSheetDocument;
class WTimeSheetWindow;

class WTimeSheetDocTemplate : public wxDocTemplate {
public:
  /// The template's document string: no window title of its own, document name, new-file
  /// name, filter name, filter extension, file type id and file type name.
  static constexpr const char * kDocumentName = "Untitled";
  static constexpr const char * kFileNewName = "Time Sheet";
  static constexpr const char * kFilterName = "Time Sheet Files (*.txt)";
  static constexpr const char * kFilterExtension = ".txt";
  static constexpr const char * kFileTypeId = "TimeSheetFileType";
  static constexpr const char * kFileTypeName = "Time Sheet File Type";

  /// Registers the template with inManager.
  explicit WTimeSheetDocTemplate(wxDocManager * inManager);

  /// Creates the view of inDocument together with its time sheet window.
  wxView * CreateView(wxDocument * inDocument, long inFlags = 0) override;
  /// A new time sheet window for inDocument showing inView; null when creation fails.
  WTimeSheetWindow * CreateNewFrame(wxDocument * inDocument, wxView * inView);

  /// The document created last, or null.
  WTimeSheetDocument * GetLastDocument() const { return mLastDocument; }

protected:
  /// A new time sheet document, remembered as the last one.
  wxDocument * DoCreateDocument() override;

private:
  WTimeSheetDocument * mLastDocument = nullptr; // not owned
};
