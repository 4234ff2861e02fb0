// The one document template.
#include "documents/WTimeSheetDocTemplate.h"

#include <memory>

#include <wx/mdi.h>

#include "application/WTallyworthApp.h"
#include "documents/WTimeSheetDocument.h"
#include "views/WTimeSheetView.h"
#include "windows/WMainWindow.h"
#include "windows/WTimeSheetWindow.h"

WTimeSheetDocTemplate::WTimeSheetDocTemplate(wxDocManager * inManager)
    : wxDocTemplate(inManager, kFilterName, wxString("*") + kFilterExtension, wxString(),
                    wxString(kFilterExtension).Mid(1), kDocumentName, "Time Sheet View", nullptr,
                    nullptr, wxTEMPLATE_VISIBLE) {}

wxDocument * WTimeSheetDocTemplate::DoCreateDocument() {
  mLastDocument = new WTimeSheetDocument;
  return mLastDocument;
}

wxView * WTimeSheetDocTemplate::CreateView(wxDocument * inDocument, long inFlags) {
  auto * document = dynamic_cast<WTimeSheetDocument *>(inDocument);
  if (document == nullptr)
    return nullptr;
  std::unique_ptr<wxView> view(new WTimeSheetView(*document));
  view->SetDocument(inDocument);
  WTimeSheetWindow * window = CreateNewFrame(inDocument, view.get());
  if (window == nullptr || !view->OnCreate(inDocument, inFlags))
    return nullptr; // deleting the view takes its window along
  window->FinishCreation();
  return view.release();
}

WTimeSheetWindow * WTimeSheetDocTemplate::CreateNewFrame(wxDocument * inDocument, wxView * inView) {
  auto * document = dynamic_cast<WTimeSheetDocument *>(inDocument);
  if (mLastDocument == nullptr || document == nullptr || WTallyworthApp::gMainWindow == nullptr)
    return nullptr;
  auto * window = new WTimeSheetWindow(*document);
  if (!window->Create(inView, WTallyworthApp::gMainWindow)) {
    window->Destroy();
    return nullptr;
  }
  return window;
}
