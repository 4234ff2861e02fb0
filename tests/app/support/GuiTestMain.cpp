// Entry point of the interface tests: starts wx on the display (Xvfb in CI), turns
// asserts and log messages into test output, and runs the tests inside an active
// event loop so that windows can be driven and yielded to.
#include <gtest/gtest.h>

#include <string>

#include <wx/app.h>
#include <wx/evtloop.h>
#include <wx/init.h>
#include <wx/log.h>

#include "support/GuiTestSupport.h"

namespace {

void FailOnAssert(const wxString & file, int line, const wxString & func, const wxString & cond,
                  const wxString & msg) {
  ADD_FAILURE_AT(file.utf8_str(), line)
      << "wx assertion in " << func.utf8_str() << ": " << cond.utf8_str() << " " << msg.utf8_str();
}

} // namespace

int main(int argc, char ** argv) {
  testing::InitGoogleTest(&argc, argv);

  // A configuration folder of its own; no files on the command line, so the program starts
  // as a user starting it from the menu sees it.
  guitest::PrepareStartup();

  wxApp::SetInstance(guitest::CreateTestApp());
  int wxArgc = 1;
  char * wxArgv[] = {argv[0], nullptr};
  if (!wxEntryStart(wxArgc, wxArgv)) {
    fprintf(stderr, "cannot start wxWidgets (is there a display?)\n");
    return 1;
  }
  wxSetAssertHandler(FailOnAssert);
  delete wxLog::SetActiveTarget(new wxLogStderr);

  int result = 1;
  if (wxTheApp->CallOnInit()) {
    wxGUIEventLoop loop;
    wxEventLoopActivator activate(&loop);
    guitest::RecordStartup();
    result = RUN_ALL_TESTS();
    // Close what the tests left open, as closing the main frame would, before the toolkit
    // takes the frames down.
    guitest::CloseAllDocuments();
    wxTheApp->OnExit();
  } else {
    fprintf(stderr, "the application did not start\n");
  }
  wxEntryCleanup();
  guitest::CleanUpStartup();
  return result;
}
