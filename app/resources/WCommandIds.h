// Command ids of the program's own menu items. Commands the framework routes itself
// (New, Open, Close, Save, Save As, Print, Print Setup, Exit, About, the Edit items)
// use wx's standard ids.
#pragma once

namespace WCommandIds {

constexpr int eDoPreferences = 16400;
constexpr int eClearTimeSheet = 16401;
/// Edit > New Entry (beyond the original menus).
constexpr int eNewEntry = 16402;

constexpr int eSortByDate = 16417;
constexpr int eSortByDuration = 16418;
constexpr int eSortByWhoCode = 16419;
constexpr int eSortByJobNumber = 16420;
constexpr int eSortByTimeCode = 16421;
constexpr int eSortByDescription = 16422;
constexpr int eSortByOrderInFile = 16423;
constexpr int eSortByOther = 16424;

constexpr int eGroupByDate = 16433;
constexpr int eGroupByDuration = 16434;
constexpr int eGroupByWhoCode = 16435;
constexpr int eGroupByJobNumber = 16436;
constexpr int eGroupByTimeCode = 16437;
constexpr int eGroupByDescription = 16438;
constexpr int eGroupByOther = 16440;
constexpr int eUngroup = 16441;

constexpr int eReportFilter = 16449;
constexpr int eFileMerge = 16450;

constexpr int eLineBreakMac = 16512;
constexpr int eLineBreakDOS = 16513;
constexpr int eLineBreakUNIX = 16514;
constexpr int eDateFormatSystem = 16515;
constexpr int eDateFormatDMY = 16516;
constexpr int eDateFormatDYM = 16517;
constexpr int eDateFormatMDY = 16518;
constexpr int eDateFormatMYD = 16519;
constexpr int eDateFormatYDM = 16520;
constexpr int eDateFormatYMD = 16521;

/// The first and last of the program's own command ids.
constexpr int eFirstProgramCommand = 16400;
constexpr int eLastProgramCommand = 16521;

/// The recent-file entries: one command each, a block of its own that collides with no
/// other command (wx's wxID_FILE1 block overlaps wxID_OK beyond its ninth entry).
constexpr int eMaxRecentFiles = 50;
constexpr int eFirstRecentFile = 17000;
constexpr int eLastRecentFile = eFirstRecentFile + eMaxRecentFiles - 1;

} // namespace WCommandIds
