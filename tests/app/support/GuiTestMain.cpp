// Entry point of the interface tests: starts wx on the display (Xvfb in CI), turns
// asserts and log messages into test output, and runs the tests inside an active
// event loop so that windows can be driven and yielded to.
#include <gtest/gtest.h>

#include <string>

#include <wx/app.h>
#include <wx/evtloop.h>
#include <wx/fileconf.h>
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

  // A configuration folder of its own, and a file named on the command line that the
  // program must not open.
  guitest::PrepareStartup();
  std::string commandLineFile = guitest::CommandLineFile();

  wxApp::SetInstance(guitest::CreateTestApp());
  int wxArgc = 2;
  char * wxArgv[] = {argv[0], commandLineFile.data(), nullptr};
  if (!wxEntryStart(wxArgc, wxArgv)) {
    fprintf(stderr, "cannot start wxWidgets (is there a display?)\n");
    return 1;
  }
  wxSetAssertHandler(FailOnAssert);
#if defined(__WXMSW__)
  // Not the registry of whoever runs the tests: the same file as on the other systems.
  wxConfigBase::Set(new wxFileConfig(wxString(), wxString(),
                                     wxString::FromUTF8(guitest::StartupConfigDir() + "/Tallyworth.conf"),
                                     wxString(), wxCONFIG_USE_LOCAL_FILE));
#endif
  delete wxLog::SetActiveTarget(new wxLogStderr);

  int result = 1;
  if (wxTheApp->CallOnInit()) {
    wxGUIEventLoop loop;
    wxEventLoopActivator activate(&loop);
    guitest::RecordStartup();
    result = RUN_ALL_TESTS();
    wxTheApp->OnExit();
  } else {
    fprintf(stderr, "the application did not start\n");
  }
  wxEntryCleanup();
  guitest::CleanUpStartup();
  return result;
}
