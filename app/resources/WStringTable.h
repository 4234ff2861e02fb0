// The program's string table: every text the interface loads by number.
#pragma once

#include <wx/string.h>

class WStringTable {
public:
  /// String ids of the table (those that other code refers to by name).
  enum EId : unsigned {
    eAppTitle = 57344,
    eCompanyName = 25088,
    ePreferencesKey = 25089,
    eMaxMRUCountName = 25090,
    eClearFilesAfterMergingName = 25091,
    eWarnBeforeClearingMergedFilesName = 25092,
    eSaveBeforeClearingMergedFilesName = 25093,
    eDateFieldName = 24576,
    eOrderInFileName = 24582,
    eDateFieldHeader = 24592,
    eDurationFooter = 24598,
    eEntryCountFooter = 24599,
    eFirstFieldSymbol = 24608,
    eAndOperatorName = 24624,
    eOrOperatorName = 24625,
    eAndOperatorSymbol = 24640,
    eOrOperatorSymbol = 24641,
    eFirstConditionName = 24656,
    eFirstConditionFormat = 24672,
    eDateFormatSystem = 24688,
    eDateFormatDMY = 24689,
    eDateFormatYMD = 24694,
    ePrintDateFormat = 24704,
    ePrintPageFormat = 24705,
    eMergeTitle = 24832,
    eClearCleanTimeSheet = 16448,
    eClearDirtyTimeSheet = 16449,
    eClearMergedFile = 16456,
    eClearMergedFiles = 16457,
    eOpenTitle = 61440,
    eSaveAsTitle = 61441,
    eAllFilesFilter = 61442,
    eSaveChangesPrompt = 61699,
    eFailedToCreateDocument = 61700
  };

  /// The text of string inId; an empty text for an id the table does not hold.
  static wxString Get(unsigned inId);
  /// True when the table holds string inId.
  static bool Has(unsigned inId);
};
