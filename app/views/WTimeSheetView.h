// The view of one time sheet, for now a plain stand-in: a panel with the file status
// control in its top-left corner, where the column header and the lists will go. It
// answers "By Order In File" (which clearing a time sheet sends) by doing nothing.
#pragma once

#include <wx/docview.h>

#include "tasks/STaskDocumentData.h"

class wxPanel;
class WFileStatusCtrl;
class WTimeSheetDocument;

class WTimeSheetView : public wxView {
public:
  /// A view of inDocument.
  explicit WTimeSheetView(WTimeSheetDocument & inDocument);
  ~WTimeSheetView() override;

  /// Creates the view's panel in its frame.
  bool OnCreate(wxDocument * inDocument, long inFlags) override;
  /// Draws nothing: the panel covers the view.
  void OnDraw(wxDC * inDC) override;

  /// The file status control, or null before the view is created.
  WFileStatusCtrl * GetFileStatusCtrl() const { return mStatusControl; }
  /// The view's panel, or null before the view is created.
  wxPanel * GetPanel() const { return mPanel; }
  /// How often the view was asked to sort by order in file.
  unsigned GetSortByOrderInFileCount() const { return mSortByOrderInFileCount; }

private:
  void OnSortByOrderInFile(wxCommandEvent & inEvent);
  void OnUpdatePrint(wxUpdateUIEvent & inEvent);

  STaskDocumentData mDocumentData;
  wxPanel * mPanel = nullptr;                  // a child of the frame
  WFileStatusCtrl * mStatusControl = nullptr;  // a child of the panel
  unsigned mSortByOrderInFileCount = 0;

  wxDECLARE_EVENT_TABLE();
};
