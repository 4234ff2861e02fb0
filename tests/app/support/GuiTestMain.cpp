// Entry point of the interface tests: starts the program with settings of its own, turns
// asserts into failures, and runs the tests inside an active event loop.
#include <gtest/gtest.h>

#include <filesystem>

#include <wx/app.h>
#include <wx/evtloop.h>
#include <wx/fileconf.h>
#include <wx/init.h>
#include <wx/log.h>

#include "application/WTallyworthApp.h"
#include "support/GuiTestSupport.h"
#include "support/TestSupport.h"

#if defined(_WIN32)
// The XDG folders mean nothing there (the configuration file is named below), but are set alike.
static int setenv(const char * inName, const char * inValue, int) { return ::_putenv_s(inName, inValue); }
#endif

int main(int argc, char ** argv) {
  testing::InitGoogleTest(&argc, argv);
  // No files on the command line and no settings: the program starts as a new user sees it.
  testsupport::TempDir home;
  for (const char * folder : {"config", "data"}) {
    std::filesystem::create_directories(home.file(folder));
    setenv(folder[0] == 'c' ? "XDG_CONFIG_HOME" : "XDG_DATA_HOME", home.file(folder).c_str(), 1);
  }
  wxApp::SetInstance(new WTallyworthApp);
  int wxArgc = 1;
  char * wxArgv[] = {argv[0], nullptr};
  if (!wxEntryStart(wxArgc, wxArgv))
    return fprintf(stderr, "cannot start wxWidgets (is there a display?)\n"), 1;
  wxSetAssertHandler([](const wxString & file, int line, const wxString & func, const wxString & cond,
                        const wxString & msg) {
    ADD_FAILURE_AT(file.utf8_str(), line) << "wx assertion in " << func << ": " << cond << " " << msg;
  });
#if defined(__WXMSW__)
  // Not the registry of whoever runs the tests: a file in the test's own folder.
  wxConfigBase::Set(new wxFileConfig(wxString(), wxString(), wxString::FromUTF8(home.file("config") + "/Tallyworth.conf"),
                                     wxString(), wxCONFIG_USE_LOCAL_FILE));
#endif
  delete wxLog::SetActiveTarget(new wxLogStderr);
  int result = 1;
  if (wxTheApp->CallOnInit()) {
    wxGUIEventLoop loop;
    wxEventLoopActivator activate(&loop);
    guitest::Flush();
    result = RUN_ALL_TESTS();
    // Close what the tests left open before the toolkit takes the frames down.
    guitest::CloseAllDocuments();
    wxTheApp->OnExit();
  } else {
    fprintf(stderr, "the application did not start\n");
  }
  wxEntryCleanup();
  return result;
}
