// The texts of --help and --version.
#include "CHelpText.h"

#ifndef TALLY_VERSION
#define TALLY_VERSION "0.0.0"
#endif

namespace {

const char kOverview[] =
    "Usage: tally COMMAND [OPTIONS] FILE...\n"
    "Totals, filters, merges and converts time sheets: text files with one entry per line\n"
    "and six tab-separated fields (date, duration, who, job, code, description).\n"
    "\n"
    "Commands:\n"
    "  show FILE...                 print the entries (and totals) of one or more time sheets\n"
    "  filter EXPR IN OUT           write the entries of IN that match EXPR to OUT\n"
    "  merge TARGET SOURCE...       append the sources to TARGET and save it\n"
    "  convert FILE                 rewrite a time sheet with another line break\n"
    "\n"
    "  tally COMMAND --help         help on one command\n"
    "  tally --version              the version\n"
    "\n"
    "Exit status: 0 done, 1 a file or a filter expression failed, 2 wrong usage.\n";

const char kShow[] =
    "Usage: tally show [OPTIONS] FILE...\n"
    "Loads the first FILE and appends the entries of the others in order, then prints them.\n"
    "\n"
    "Options:\n"
    "  --filter EXPR        only the entries for which EXPR holds, for example\n"
    "                       \"who = 'AB*' AND duration > '1:30'\" (fields: date, duration,\n"
    "                       who, job, code, description; 'x*' quotes a wildcard pattern)\n"
    "  --case-sensitive     wildcard patterns tell upper from lower case\n"
    "  --sort KEYS          sort by up to seven comma-separated fields: date, duration,\n"
    "                       who, job, code, description, order (order in file); a leading\n"
    "                       '-' sorts a field descending, as in --sort who,-date\n"
    "  --group KEYS         group by up to seven fields (not order) with a total per group;\n"
    "                       --sort then orders the entries within their groups\n"
    "  --summary            with --group: only the group rows\n"
    "  --format FORMAT      text (default): aligned columns and a total line;\n"
    "                       tsv: the lines as a time sheet, or with --group the rows\n"
    "                       level, heading, seconds, entry count;\n"
    "                       csv: one row per entry (date,duration,seconds,who,job,code,\n"
    "                       description) or per group (level,heading,seconds,entries);\n"
    "                       json: an array of entries or of nested groups (with exact\n"
    "                       seconds and durations)\n"
    "  --date-order ORDER   show dates as system (default), dmy, dym, mdy, myd, ydm or ymd;\n"
    "                       dates in EXPR are read in the same order. Files are always\n"
    "                       read, and tsv always written, in month/day/year order.\n"
    "\n"
    "Group levels count from 0. In tsv group rows, tabs, line breaks and backslashes in a\n"
    "heading are written as \\t, \\r, \\n and \\\\.\n";

const char kFilter[] =
    "Usage: tally filter [OPTIONS] EXPR IN OUT\n"
    "Writes the entries of IN for which EXPR holds to OUT, a new time sheet with IN's line\n"
    "breaks. See 'tally show --help' for EXPR. Use -- before an EXPR that starts with '-'.\n"
    "\n"
    "Options:\n"
    "  --force              replace OUT if it exists\n"
    "  --case-sensitive     wildcard patterns tell upper from lower case\n"
    "  --date-order ORDER   the order of dates written in EXPR (default: the system's)\n";

const char kMerge[] =
    "Usage: tally merge [OPTIONS] TARGET SOURCE...\n"
    "Appends the entries of each SOURCE, in order, to TARGET (created if missing) and saves\n"
    "it safely: TARGET is replaced whole or not at all.\n"
    "\n"
    "Options:\n"
    "  --clear-sources      empty each SOURCE once TARGET is saved (if saving fails, every\n"
    "                       SOURCE stays as it was)\n";

const char kConvert[] =
    "Usage: tally convert [OPTIONS] FILE\n"
    "Rewrites FILE (safely, in place) or writes it to OUT with another line break.\n"
    "\n"
    "Options:\n"
    "  -o, --output OUT     write to OUT instead of FILE\n"
    "  --line-break BREAK   mac (CR), windows (CR LF) or unix (LF); default: FILE's own\n"
    "  --force              replace OUT if it exists\n";

} // namespace

const char * CHelpText::For(CCommandLine::ECommand inCommand) {
  switch (inCommand) {
  case CCommandLine::eShow: return kShow;
  case CCommandLine::eFilter: return kFilter;
  case CCommandLine::eMerge: return kMerge;
  case CCommandLine::eConvert: return kConvert;
  default: return kOverview;
  }
}

std::string CHelpText::Version() { return std::string("tally (Tallyworth) ") + TALLY_VERSION + "\n"; }
