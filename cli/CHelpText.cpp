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
    "A FILE or IN of '-' is standard input, an OUT of '-' standard output (not for merge):\n"
    "  ssh host cat week.txt | tally show --group who -\n"
    "  tally filter \"job = '1001'\" - - < in.txt > out.txt\n"
    "\n"
    "Filter expressions nest parentheses at most 256 deep and are at most 16,384\n"
    "characters long.\n"
    "\n"
    "Exit status: 0 done, 1 a file or a filter expression failed, 2 wrong usage.\n";

const char kShow[] =
    "Usage: tally show [OPTIONS] FILE...\n"
    "Loads the first FILE and appends the entries of the others in order, then prints them.\n"
    "A FILE of '-' (once) is standard input, read to its end: cat week.txt | tally show -\n"
    "\n"
    "Options:\n"
    "  --filter EXPR        only the entries for which EXPR holds, for example\n"
    "                       \"who = 'AB*' AND duration > '1:30'\" (fields: date, duration,\n"
    "                       who, job, code, description; 'x*' quotes a wildcard pattern;\n"
    "                       text fields compare with quoted text: job = '1001'). At most\n"
    "                       16,384 characters, parentheses at most 256 deep.\n"
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
    "IN of '-' reads standard input, OUT of '-' writes standard output:\n"
    "  tally filter \"who = 'AB*'\" - - < week.txt > ab.txt\n"
    "\n"
    "Options:\n"
    "  --force              replace OUT if it exists\n"
    "  --case-sensitive     wildcard patterns tell upper from lower case\n"
    "  --date-order ORDER   the order of dates written in EXPR (default: the system's)\n";

const char kMerge[] =
    "Usage: tally merge [OPTIONS] TARGET SOURCE...\n"
    "Appends the entries of each SOURCE, in order, to TARGET (created if missing) and saves\n"
    "it safely: TARGET is replaced whole or not at all. TARGET and SOURCE must be files:\n"
    "standard input and output ('-') cannot be used.\n"
    "\n"
    "Options:\n"
    "  --clear-sources      empty each SOURCE once TARGET is saved (if saving fails, every\n"
    "                       SOURCE stays as it was); bytes at its end that form no entry\n"
    "                       are kept\n";

const char kConvert[] =
    "Usage: tally convert [OPTIONS] FILE\n"
    "Rewrites FILE (safely, in place) or writes it to OUT with another line break.\n"
    "A FILE of '-' reads standard input and OUT of '-' writes standard output (where FILE\n"
    "is standard input or a pipe, the output goes there anyway):\n"
    "  tally convert --line-break unix - < dos.txt > unix.txt\n"
    "\n"
    "Options:\n"
    "  -o, --output OUT     write to OUT instead of FILE ('-': standard output)\n"
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
