// The string-table texts the whole interface shares: field names, column headings,
// status labels and the names of the stored preferences. Loaded once at start-up.
#pragma once

#include <wx/string.h>

class WResourceStrings {
public:
  /// Loads every text below from the string table.
  void LoadStrings();

  static wxString sPreferencesKey;
  static wxString sMaxMRUCountName;
  static wxString sClearFilesAfterMergingFlagName;
  static wxString sWarnBeforeClearingMergedFilesFlagName;
  static wxString sSaveBeforeClearingMergedFilesFlagName;

  static wxString sDateFieldName;
  static wxString sDurationFieldName;
  static wxString sWhoCodeFieldName;
  static wxString sJobNumberFieldName;
  static wxString sTimeCodeFieldName;
  static wxString sDescriptionFieldName;
  static wxString sOrderInFileName;

  static wxString sDateFieldHeader;
  static wxString sDurationFieldHeader;
  static wxString sWhoCodeFieldHeader;
  static wxString sJobNumberFieldHeader;
  static wxString sTimeCodeFieldHeader;
  static wxString sDescriptionFieldHeader;
  static wxString sDurationFooter;
  static wxString sEntryCountFooter;
};
