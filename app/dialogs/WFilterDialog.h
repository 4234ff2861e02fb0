// The "Filter Time Sheet" dialog: up to ten rows of field, condition and value, joined by
// And or Or, turned into the text of a filter expression that the user may also edit by
// hand. One dialog serves the whole program and keeps its state between uses.
#pragma once

#include <array>
#include <vector>

#include <wx/dialog.h>
#include <wx/string.h>

class wxButton;
class wxCheckBox;
class wxChoice;
class wxShowEvent;
class wxTextCtrl;

class WFilterDialog : public wxDialog {
public:
  /// The most rows the dialog offers.
  static constexpr short sMaxFilters = 10;
  /// The seven controls of a row; row r's control k has the id r * 100 + k.
  enum EControl { eRowCheck = 0, eOperatorList = 1, eFieldList = 2, eConditionList = 3, eValueBox = 4,
                  eAddButton = 5, eRemoveButton = 6 };
  /// Ids of the controls below the rows.
  enum EId { eExpressionBoxId = 16432, eCaseBoxId = 16433 };
  /// The conditions, by the item data of a condition list.
  enum ECondition { eContains = 0, eDoesNotContain, eIsGreaterThan, eIsAfter, eIsLessThan, eIsBefore,
                    eIsGreaterThanOrEqualTo, eIsOnOrAfter, eIsLessThanOrEqualTo, eIsOnOrBefore, eIs, eIsNot,
                    eStartsWith, eConditionCount };

  /// Builds the dialog and its controls (hidden) with one row: row 1 checked, "Job Number"
  /// and "Is" selected everywhere, the expression generated; centred on inParent, or on the
  /// screen when there is none.
  explicit WFilterDialog(wxWindow * inParent);
  ~WFilterDialog() override;

  /// The expression text taken when "Filter" was last pressed.
  const wxString & GetFilter() const { return mFilter; }
  /// Whether " Case Sensitive" was checked when "Filter" was last pressed.
  bool IsCaseSensitive() const { return mCaseSensitive; }
  /// The number of rows shown, 1 to 10.
  short GetNumFilters() const { return mNumFilters; }

  /// The id of control inControl of row inRow (1 to 10).
  static int ControlId(int inRow, EControl inControl) { return inRow * 100 + inControl; }
  /// The control with id inId, or null.
  template <class C>
  C * Control(int inId) const {
    return dynamic_cast<C *>(FindWindow(inId));
  }

  /// Refills row inRow's condition list for the kind of its selected field and selects
  /// "Is"; the value stays.
  virtual void UpdateConditionsAfterFieldChange(int inRow);
  /// Shows rows 1 to inNumFilters and hides the others, enables "+" and "-" of the last row
  /// only, places the controls below the rows and fits the dialog to them on the screen.
  virtual void Resize(short inNumFilters);
  /// Writes the expression of the checked rows shown into the expression box.
  virtual void GenerateFilterText();

  /// Runs the dialog modally over inParent (the application's modal road); the id it ended
  /// with: wxID_OK after "Filter", wxID_CANCEL otherwise.
  int DoModal(wxWindow * inParent);

  /// A hidden dialog never keeps the program from ending.
  bool ShouldPreventAppExit() const override { return false; }

private:
  void OnInitDialog();
  void CreateControls();
  // A control's place and size in dialog units.
  void Place(wxWindow * ioControl, int inX, int inY, int inWidth, int inHeight);
  // The row of a control id.
  static int RowOf(int inId) { return inId / 100; }

  void OnAddClicked(wxCommandEvent & inEvent);
  void OnRemoveClicked(wxCommandEvent & inEvent);
  void OnFilterChanged();
  void OnFilterTextEvent(wxCommandEvent & inEvent);
  void OnEditChanged(wxCommandEvent & inEvent);
  void OnCheckChanged();
  void OnCheckEvent(wxCommandEvent & inEvent);
  void OnComboChanged(wxCommandEvent & inEvent);
  void OnFieldComboChanged(wxCommandEvent & inEvent);
  void OnShowWindow(wxShowEvent & inEvent);
  void OnOK(wxCommandEvent & inEvent);

  wxString mFilter;
  bool mCaseSensitive = false;
  short mNumFilters = 1;
  bool mInitialized = false;
  std::vector<wxString> mOperatorSymbol;
  std::vector<wxString> mFieldSymbol;
  std::vector<wxString> mConditionSymbol;
  wxString mAndOperatorNameString;
  wxString mOrOperatorNameString;
  std::array<wxString, eConditionCount> mConditionNameString;
};
