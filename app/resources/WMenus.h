// The program's menus, built in code: the main frame's menu bar (101), the time sheet
// window's menu bar (102) and the file settings pop-up (104).
#pragma once

class wxMenu;
class wxMenuBar;

class WMenus {
public:
  enum EId : unsigned {
    eMainMenu = 101,       ///< while no time sheet window is active
    eTimeSheetMenu = 102,  ///< while a time sheet window is active
    eFileSettingsMenu = 104
  };

  /// A new menu bar for inId (101 or 102); null for another id. The caller owns it.
  static wxMenuBar * CreateMenuBar(unsigned inId);
  /// Appends the items of the pop-up inId (104) to ioMenu.
  static void FillMenu(wxMenu & ioMenu, unsigned inId);
  /// The "Open Recent" sub-menu of inMenuBar, or null.
  static wxMenu * FindRecentFileMenu(wxMenuBar & inMenuBar);
  /// The text of the recent-file placeholder.
  static const char * RecentFilesPlaceholder() { return "Recent Files"; }
};
