// The program's string table: every text the interface loads by number.
#include "resources/WStringTable.h"

#include <algorithm>
#include <iterator>

namespace {

struct SEntry {
  unsigned mId;
  const char * mText;
};

// Sorted by id.
constexpr SEntry kStrings[] = {
    {16448, "Are you sure that you want to clear the entire time sheet?"},
    {16449, "This time sheet contains unsaved data.  Are you sure that you want to clear the entire "
            "time sheet?"},
    {16456, "The time sheet has been successfully merged.  It is strongly recommended that you save "
            "the new time sheet before clearing the original one."},
    {16457, "The time sheets have been successfully merged.  It is strongly recommended that you "
            "save the new time sheet before clearing the original ones."},
    {24576, "Date"},
    {24577, "Duration"},
    {24578, "Who Code"},
    {24579, "Job Number"},
    {24580, "Fee Code"},
    {24581, "Description"},
    {24582, "Order In File"},
    {24592, "Date"},
    {24593, "Duration"},
    {24594, "Who"},
    {24595, "Job"},
    {24596, "Code"},
    {24597, "Description"},
    {24598, "Duration:"},
    {24599, "Entry Count:"},
    {24608, "date"},
    {24609, "duration"},
    {24610, "who"},
    {24611, "job"},
    {24612, "code"},
    {24613, "description"},
    {24624, "And"},
    {24625, "Or"},
    {24640, "AND"},
    {24641, "OR"},
    {24656, "Contains"},
    {24657, "Does Not Contain"},
    {24658, "Is Greater Than"},
    {24659, "Is After"},
    {24660, "Is Less Than"},
    {24661, "Is Before"},
    {24662, "Is Greater Than Or Equal To"},
    {24663, "Is On Or After"},
    {24664, "Is Less Than Or Equal To"},
    {24665, "Is On Or Before"},
    {24666, "Is"},
    {24667, "Is Not"},
    {24668, "Starts With"},
    {24672, "%s = '*%s*'"},
    {24673, "NOT %s = '*%s*'"},
    {24674, "%s > \"%s\""},
    {24675, "%s > \"%s\""},
    {24676, "%s < \"%s\""},
    {24677, "%s < \"%s\""},
    {24678, "%s >= \"%s\""},
    {24679, "%s >= \"%s\""},
    {24680, "%s <= \"%s\""},
    {24681, "%s <= \"%s\""},
    {24682, "%s = \"%s\""},
    {24683, "NOT %s = \"%s\""},
    {24684, "%s = '%s*'"},
    {24688, "System Setting (%s)"},
    {24689, "DMY (%s)"},
    {24690, "DYM (%s)"},
    {24691, "MDY (%s)"},
    {24692, "MYD (%s)"},
    {24693, "YDM (%s)"},
    {24694, "YMD (%s)"},
    {24704, "%A, %B %d, %Y"},
    {24705, "Page %d"},
    {24832, "Merge"},
    {25088, "Quillmark"},
    {25089, "Preferences"},
    {25090, "MaxMRUCount"},
    {25091, "ClearFilesAfterMerging"},
    {25092, "WarnBeforeClearingMergedFiles"},
    {25093, "SaveBeforeClearingMergedFiles"},
    {57344, "Tallyworth"},
    {61440, "Open"},
    {61441, "Save As"},
    {61442, "All Files (*.*)"},
    {61699, "Save changes to %1?"},
    {61700, "Failed to create empty document."},
};

const SEntry * Find(unsigned inId) {
  const auto found = std::lower_bound(std::begin(kStrings), std::end(kStrings), inId,
                                      [](const SEntry & e, unsigned id) { return e.mId < id; });
  return found != std::end(kStrings) && found->mId == inId ? found : nullptr;
}

} // namespace

wxString WStringTable::Get(unsigned inId) {
  const SEntry * entry = Find(inId);
  return entry != nullptr ? wxString::FromUTF8(entry->mText) : wxString();
}

bool WStringTable::Has(unsigned inId) { return Find(inId) != nullptr; }
