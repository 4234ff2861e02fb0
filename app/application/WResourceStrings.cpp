// The string-table texts the whole interface shares.
#include "application/WResourceStrings.h"

#include "resources/WStringTable.h"

wxString WResourceStrings::sPreferencesKey;
wxString WResourceStrings::sMaxMRUCountName;
wxString WResourceStrings::sClearFilesAfterMergingFlagName;
wxString WResourceStrings::sWarnBeforeClearingMergedFilesFlagName;
wxString WResourceStrings::sSaveBeforeClearingMergedFilesFlagName;
wxString WResourceStrings::sDateFieldName;
wxString WResourceStrings::sDurationFieldName;
wxString WResourceStrings::sWhoCodeFieldName;
wxString WResourceStrings::sJobNumberFieldName;
wxString WResourceStrings::sTimeCodeFieldName;
wxString WResourceStrings::sDescriptionFieldName;
wxString WResourceStrings::sOrderInFileName;
wxString WResourceStrings::sDateFieldHeader;
wxString WResourceStrings::sDurationFieldHeader;
wxString WResourceStrings::sWhoCodeFieldHeader;
wxString WResourceStrings::sJobNumberFieldHeader;
wxString WResourceStrings::sTimeCodeFieldHeader;
wxString WResourceStrings::sDescriptionFieldHeader;
wxString WResourceStrings::sDurationFooter;
wxString WResourceStrings::sEntryCountFooter;

void WResourceStrings::LoadStrings() {
  sPreferencesKey = WStringTable::Get(25089);
  sMaxMRUCountName = WStringTable::Get(25090);
  sClearFilesAfterMergingFlagName = WStringTable::Get(25091);
  sWarnBeforeClearingMergedFilesFlagName = WStringTable::Get(25092);
  sSaveBeforeClearingMergedFilesFlagName = WStringTable::Get(25093);

  sDateFieldName = WStringTable::Get(24576);
  sDurationFieldName = WStringTable::Get(24577);
  sWhoCodeFieldName = WStringTable::Get(24578);
  sJobNumberFieldName = WStringTable::Get(24579);
  sTimeCodeFieldName = WStringTable::Get(24580);
  sDescriptionFieldName = WStringTable::Get(24581);
  sOrderInFileName = WStringTable::Get(24582);

  sDateFieldHeader = WStringTable::Get(24592);
  sDurationFieldHeader = WStringTable::Get(24593);
  sWhoCodeFieldHeader = WStringTable::Get(24594);
  sJobNumberFieldHeader = WStringTable::Get(24595);
  sTimeCodeFieldHeader = WStringTable::Get(24596);
  sDescriptionFieldHeader = WStringTable::Get(24597);
  sDurationFooter = WStringTable::Get(24598);
  sEntryCountFooter = WStringTable::Get(24599);
}
