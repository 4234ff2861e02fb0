// The program's menus, built in code.
#include "resources/WMenus.h"

#include <wx/menu.h>

#include "resources/WCommandIds.h"
#include "resources/WStringTable.h"

namespace {

wxMenu * RecentFileMenu() {
  auto * menu = new wxMenu;
  menu->Append(WCommandIds::eFirstRecentFile, WMenus::RecentFilesPlaceholder());
  menu->Enable(WCommandIds::eFirstRecentFile, false);
  return menu;
}

wxMenu * FileMenu(bool inWithDocument) {
  auto * menu = new wxMenu;
  menu->Append(wxID_NEW, "&New\tCtrl+N");
  menu->Append(wxID_OPEN, "&Open...\tCtrl+O");
  if (inWithDocument) {
    menu->Append(wxID_CLOSE, "&Close");
    menu->Append(wxID_SAVE, "&Save\tCtrl+S");
    menu->Append(wxID_SAVEAS, "Save &As...");
  }
  menu->AppendSeparator();
  menu->AppendSubMenu(RecentFileMenu(), "Op&en Recent");
  menu->AppendSeparator();
  if (inWithDocument) {
    menu->Append(wxID_PRINT, "&Print...\tCtrl+P");
    menu->Append(wxID_PREVIEW, "Print Pre&view");
  }
  menu->Append(wxID_PRINT_SETUP, "P&rint Setup...");
  menu->AppendSeparator();
  menu->Append(wxID_EXIT, "E&xit\tAlt+F4");
  return menu;
}

wxMenu * EditMenu(bool inWithDocument) {
  auto * menu = new wxMenu;
  // The time sheet view enables these and names the action to undo or redo.
  menu->Append(wxID_UNDO, "&Undo\tCtrl+Z");
  menu->Append(wxID_REDO, "&Redo\tCtrl+Y");
  menu->AppendSeparator();
  menu->Append(wxID_CUT, "Cu&t\tCtrl+X");
  menu->Append(wxID_COPY, "&Copy\tCtrl+C");
  menu->Append(wxID_PASTE, "&Paste\tCtrl+V");
  menu->Append(wxID_DELETE, "Delete\tDel");
  menu->AppendSeparator();
  if (inWithDocument) {
    menu->Append(WCommandIds::eNewEntry, "New Entry\tIns");
    menu->AppendSeparator();
  }
  if (inWithDocument) {
    menu->Append(WCommandIds::eClearTimeSheet, "C&lear Time Sheet...");
    menu->AppendSeparator();
  }
  menu->Append(WCommandIds::eDoPreferences, "P&references...");
  return menu;
}

wxMenu * SortMenu() {
  auto * menu = new wxMenu;
  menu->Append(WCommandIds::eSortByDate, "By &Date");
  menu->Append(WCommandIds::eSortByDuration, "By D&uration");
  menu->Append(WCommandIds::eSortByWhoCode, "By &Employee");
  menu->Append(WCommandIds::eSortByJobNumber, "By &Job Number");
  menu->Append(WCommandIds::eSortByTimeCode, "By &Fee Code");
  menu->Append(WCommandIds::eSortByDescription, "By De&scription");
  menu->Append(WCommandIds::eSortByOrderInFile, "By &Order In File");
  menu->AppendSeparator();
  menu->Append(WCommandIds::eSortByOther, "By O&ther...");
  return menu;
}

wxMenu * GroupMenu() {
  auto * menu = new wxMenu;
  menu->Append(WCommandIds::eGroupByDate, "By &Date");
  menu->Append(WCommandIds::eGroupByDuration, "By D&uration");
  menu->Append(WCommandIds::eGroupByWhoCode, "By &Employee");
  menu->Append(WCommandIds::eGroupByJobNumber, "By &Job Number");
  menu->Append(WCommandIds::eGroupByTimeCode, "By &Fee Code");
  menu->Append(WCommandIds::eGroupByDescription, "By De&scription");
  menu->AppendSeparator();
  menu->Append(WCommandIds::eGroupByOther, "By O&ther...");
  menu->AppendSeparator();
  menu->Append(WCommandIds::eUngroup, "&Ungroup");
  return menu;
}

wxMenu * ReportMenu() {
  auto * menu = new wxMenu;
  menu->Append(WCommandIds::eReportFilter, "&Filter...\tCtrl+Shift+F");
  menu->Append(WCommandIds::eFileMerge, "&Merge...\tCtrl+Shift+M");
  return menu;
}

wxMenu * WindowMenu() {
  auto * menu = new wxMenu;
  menu->Append(wxID_MDI_WINDOW_TILE_HORZ, "Tile &Horizontally");
  menu->Append(wxID_MDI_WINDOW_TILE_VERT, "Tile &Vertically");
  menu->Append(wxID_MDI_WINDOW_CASCADE, "&Cascade");
  return menu;
}

wxMenu * HelpMenu() {
  auto * menu = new wxMenu;
  menu->Append(wxID_ABOUT, "&About Tallyworth...");
  return menu;
}

} // namespace

wxMenuBar * WMenus::CreateMenuBar(unsigned inId) {
  if (inId != eMainMenu && inId != eTimeSheetMenu)
    return nullptr;
  const bool withDocument = inId == eTimeSheetMenu;
  auto * bar = new wxMenuBar;
  bar->Append(FileMenu(withDocument), "&File");
  bar->Append(EditMenu(withDocument), "&Edit");
  if (withDocument) {
    bar->Append(SortMenu(), "&Sort");
    bar->Append(GroupMenu(), "&Group");
    bar->Append(ReportMenu(), "&Report");
  }
  bar->Append(WindowMenu(), "&Window");
  bar->Append(HelpMenu(), "&Help");
  return bar;
}

void WMenus::FillMenu(wxMenu & ioMenu, unsigned inId) {
  if (inId != eFileSettingsMenu)
    return;
  ioMenu.AppendCheckItem(WCommandIds::eLineBreakMac, "&Macintosh");
  ioMenu.AppendCheckItem(WCommandIds::eLineBreakDOS, "&Windows");
  ioMenu.AppendCheckItem(WCommandIds::eLineBreakUNIX, "&UNIX");
  ioMenu.AppendSeparator();
  for (int id = WCommandIds::eDateFormatSystem; id <= WCommandIds::eDateFormatYMD; ++id)
    ioMenu.AppendCheckItem(id, WStringTable::Get(WStringTable::eDateFormatSystem +
                                                 (id - WCommandIds::eDateFormatSystem)));
}

wxMenu * WMenus::FindRecentFileMenu(wxMenuBar & inMenuBar) {
  wxMenu * menu = nullptr;
  return inMenuBar.FindItem(WCommandIds::eFirstRecentFile, &menu) != nullptr ? menu : nullptr;
}
