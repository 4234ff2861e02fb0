// The "Filter Time Sheet" dialog.
#include "dialogs/WFilterDialog.h"

#include <algorithm>
#include <cstdint>

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/display.h>
#include <wx/textctrl.h>

#include "application/WResourceStrings.h"
#include "other/WModalRunner.h"
#include "resources/WStringTable.h"

namespace {

// The kinds of field, each with its own list of conditions.
enum EFieldKind { eDateKind, eDurationKind, eTextKind };

EFieldKind KindOfField(int inField) {
  switch (inField) {
  case 0:
    return eDateKind;
  case 1:
    return eDurationKind;
  default:
    return eTextKind;
  }
}

// The conditions offered for a kind of field, in the order the list shows them.
const std::vector<int> & ConditionsOf(EFieldKind inKind) {
  using D = WFilterDialog;
  static const std::vector<int> date{D::eIsAfter, D::eIsBefore, D::eIsOnOrAfter, D::eIsOnOrBefore, D::eIs, D::eIsNot};
  static const std::vector<int> duration{D::eIsGreaterThan, D::eIsLessThan, D::eIsGreaterThanOrEqualTo,
                                         D::eIsLessThanOrEqualTo, D::eIs, D::eIsNot};
  static const std::vector<int> text{D::eContains, D::eDoesNotContain, D::eIsGreaterThan, D::eIsLessThan,
                                     D::eIsGreaterThanOrEqualTo, D::eIsLessThanOrEqualTo, D::eIs, D::eIsNot,
                                     D::eStartsWith};
  switch (inKind) {
  case eDateKind:
    return date;
  case eDurationKind:
    return duration;
  default:
    return text;
  }
}

void * AsItemData(int inValue) { return reinterpret_cast<void *>(static_cast<std::intptr_t>(inValue)); }

// The item data of the selected entry of inList, or -1 when nothing is selected.
int SelectedData(const wxChoice * inList) {
  const int selection = inList != nullptr ? inList->GetSelection() : wxNOT_FOUND;
  if (selection == wxNOT_FOUND)
    return -1;
  return static_cast<int>(reinterpret_cast<std::intptr_t>(inList->GetClientData(static_cast<unsigned>(selection))));
}

// inFormat with its first "%s" replaced by inName and its second by inValue; the value is
// taken as it is, so a "%" in it is plain text.
wxString FillFormat(const wxString & inFormat, const wxString & inName, const wxString & inValue) {
  wxString result;
  const wxString * fills[] = {&inName, &inValue};
  std::size_t next = 0;
  for (std::size_t at = 0; at < inFormat.length(); ++at) {
    if (next < 2 && inFormat[at] == '%' && at + 1 < inFormat.length() && inFormat[at + 1] == 's') {
      result += *fills[next++];
      ++at;
    } else {
      result += inFormat[at];
    }
  }
  return result;
}

// Row layout in dialog units: the rows start at the top margin, one every kRowPitch.
constexpr int kMargin = 8;
constexpr int kRowPitch = 18;
constexpr int kRowHeight = 14;
constexpr int kDialogWidth = 387;

} // namespace

WFilterDialog::WFilterDialog(wxWindow * inParent)
    : wxDialog(inParent, wxID_ANY, "Filter Time Sheet", wxDefaultPosition, wxDefaultSize,
               wxCAPTION | wxSYSTEM_MENU | wxCLOSE_BOX) {
  mAndOperatorNameString = WStringTable::Get(WStringTable::eAndOperatorName);
  mOrOperatorNameString = WStringTable::Get(WStringTable::eOrOperatorName);
  for (unsigned condition = 0; condition < eConditionCount; ++condition) {
    mConditionNameString[condition] = WStringTable::Get(WStringTable::eFirstConditionName + condition);
    mConditionSymbol.push_back(WStringTable::Get(WStringTable::eFirstConditionFormat + condition));
  }
  mOperatorSymbol = {WStringTable::Get(WStringTable::eAndOperatorSymbol),
                     WStringTable::Get(WStringTable::eOrOperatorSymbol)};
  for (unsigned field = 0; field < 6; ++field)
    mFieldSymbol.push_back(WStringTable::Get(WStringTable::eFirstFieldSymbol + field));
  CreateControls();
  OnInitDialog();
}

WFilterDialog::~WFilterDialog() = default;

void WFilterDialog::Place(wxWindow * ioControl, int inX, int inY, int inWidth, int inHeight) {
  ioControl->SetSize(wxRect(ConvertDialogToPixels(wxPoint(inX, inY)), ConvertDialogToPixels(wxSize(inWidth, inHeight))));
}

void WFilterDialog::CreateControls() {
  const wxString fieldNames[] = {WResourceStrings::sDateFieldName,     WResourceStrings::sDurationFieldName,
                                 WResourceStrings::sWhoCodeFieldName,  WResourceStrings::sJobNumberFieldName,
                                 WResourceStrings::sTimeCodeFieldName, WResourceStrings::sDescriptionFieldName};
  for (int row = 1; row <= sMaxFilters; ++row) {
    const int y = kMargin + kRowPitch * (row - 1);
    auto * check = new wxCheckBox(this, ControlId(row, eRowCheck), wxString());
    Place(check, kMargin, y + 2, 10, 10);
    auto * joining = new wxChoice(this, ControlId(row, eOperatorList));
    Place(joining, 22, y, 34, kRowHeight);
    auto * field = new wxChoice(this, ControlId(row, eFieldList));
    Place(field, 60, y, 72, kRowHeight);
    for (int index = 0; index < 6; ++index)
      field->Append(fieldNames[index], AsItemData(index));
    auto * condition = new wxChoice(this, ControlId(row, eConditionList));
    Place(condition, 136, y, 100, kRowHeight);
    auto * value = new wxTextCtrl(this, ControlId(row, eValueBox));
    Place(value, 240, y, 92, kRowHeight);
    auto * add = new wxButton(this, ControlId(row, eAddButton), "+");
    Place(add, 336, y, 20, kRowHeight);
    auto * remove = new wxButton(this, ControlId(row, eRemoveButton), "-");
    Place(remove, 358, y, 20, kRowHeight);

    check->Bind(wxEVT_CHECKBOX, &WFilterDialog::OnCheckEvent, this);
    joining->Bind(wxEVT_CHOICE, &WFilterDialog::OnComboChanged, this);
    condition->Bind(wxEVT_CHOICE, &WFilterDialog::OnComboChanged, this);
    field->Bind(wxEVT_CHOICE, &WFilterDialog::OnFieldComboChanged, this);
    value->Bind(wxEVT_TEXT, &WFilterDialog::OnEditChanged, this);
    add->Bind(wxEVT_BUTTON, &WFilterDialog::OnAddClicked, this);
    remove->Bind(wxEVT_BUTTON, &WFilterDialog::OnRemoveClicked, this);
  }
  auto * expression = new wxTextCtrl(this, eExpressionBoxId, wxString(), wxDefaultPosition, wxDefaultSize,
                                     wxTE_MULTILINE);
  expression->Bind(wxEVT_TEXT, &WFilterDialog::OnFilterTextEvent, this);
  new wxCheckBox(this, eCaseBoxId, " Case Sensitive");
  new wxButton(this, wxID_CANCEL, "Cancel");
  auto * filter = new wxButton(this, wxID_OK, "Filter");
  filter->Bind(wxEVT_BUTTON, &WFilterDialog::OnOK, this);
  Bind(wxEVT_SHOW, &WFilterDialog::OnShowWindow, this);
}

void WFilterDialog::OnInitDialog() {
  if (mInitialized)
    return;
  mInitialized = true;
  for (int row = 1; row <= sMaxFilters; ++row) {
    Control<wxCheckBox>(ControlId(row, eRowCheck))->SetValue(row == 1);
    auto * joining = Control<wxChoice>(ControlId(row, eOperatorList));
    joining->Append(mAndOperatorNameString, AsItemData(0));
    joining->Append(mOrOperatorNameString, AsItemData(1));
    joining->SetSelection(0);
    joining->Enable(row != 1);
    Control<wxChoice>(ControlId(row, eFieldList))->SetSelection(3);
    UpdateConditionsAfterFieldChange(row);
  }
  Resize(mNumFilters);
  OnCheckChanged();
  OnFilterChanged();
  GenerateFilterText();
  Centre();
}

void WFilterDialog::UpdateConditionsAfterFieldChange(int inRow) {
  auto * condition = Control<wxChoice>(ControlId(inRow, eConditionList));
  if (condition == nullptr)
    return;
  const int field = std::max(SelectedData(Control<wxChoice>(ControlId(inRow, eFieldList))), 0);
  condition->Clear();
  for (int index : ConditionsOf(KindOfField(field))) {
    const int position = condition->Append(mConditionNameString[static_cast<std::size_t>(index)], AsItemData(index));
    if (index == eIs)
      condition->SetSelection(position);
  }
}

void WFilterDialog::Resize(short inNumFilters) {
  const short count = std::clamp<short>(inNumFilters, 1, sMaxFilters);
  for (int row = 1; row <= sMaxFilters; ++row) {
    for (int control = eRowCheck; control <= eRemoveButton; ++control)
      FindWindow(ControlId(row, static_cast<EControl>(control)))->Show(row <= count);
    FindWindow(ControlId(row, eAddButton))->Enable(row == count && count < sMaxFilters);
    FindWindow(ControlId(row, eRemoveButton))->Enable(row == count && count > 1);
  }
  const int below = kMargin + kRowPitch * count;
  Place(FindWindow(eExpressionBoxId), kMargin, below, kDialogWidth - 2 * kMargin, 36);
  Place(FindWindow(wxID_CANCEL), 271, 50 + kRowPitch * count, 50, kRowHeight);
  Place(FindWindow(wxID_OK), 329, 50 + kRowPitch * count, 50, kRowHeight);
  Place(FindWindow(eCaseBoxId), kMargin, 51 + kRowPitch * count, 100, 10);
  SetClientSize(ConvertDialogToPixels(wxSize(kDialogWidth, 72 + kRowPitch * count)));

  // Keep the whole dialog on the screen it is on.
  const int displayIndex = wxDisplay::GetFromWindow(this);
  const wxRect screen = wxDisplay(displayIndex == wxNOT_FOUND ? 0u : static_cast<unsigned>(displayIndex)).GetClientArea();
  wxRect rect = GetRect();
  rect.x = std::max(screen.x, std::min(rect.x, screen.GetRight() + 1 - rect.width));
  rect.y = std::max(screen.y, std::min(rect.y, screen.GetBottom() + 1 - rect.height));
  if (rect.GetPosition() != GetPosition())
    Move(rect.GetPosition());
}

void WFilterDialog::GenerateFilterText() {
  wxString text;
  bool first = true;
  for (int row = 1; row <= mNumFilters; ++row) {
    if (!Control<wxCheckBox>(ControlId(row, eRowCheck))->GetValue())
      continue;
    const int field = SelectedData(Control<wxChoice>(ControlId(row, eFieldList)));
    const int condition = SelectedData(Control<wxChoice>(ControlId(row, eConditionList)));
    if (field < 0 || field >= static_cast<int>(mFieldSymbol.size()) || condition < 0 ||
        condition >= static_cast<int>(mConditionSymbol.size()))
      continue;
    if (!first) {
      const int joining = std::clamp(SelectedData(Control<wxChoice>(ControlId(row, eOperatorList))), 0, 1);
      text << ' ' << mOperatorSymbol[static_cast<std::size_t>(joining)] << ' ';
    }
    text << FillFormat(mConditionSymbol[static_cast<std::size_t>(condition)],
                       mFieldSymbol[static_cast<std::size_t>(field)],
                       Control<wxTextCtrl>(ControlId(row, eValueBox))->GetValue());
    first = false;
  }
  Control<wxTextCtrl>(eExpressionBoxId)->ChangeValue(text);
  OnFilterChanged();
}

void WFilterDialog::OnAddClicked(wxCommandEvent &) {
  if (mNumFilters < sMaxFilters) {
    ++mNumFilters;
    Resize(mNumFilters);
  }
  Control<wxCheckBox>(ControlId(mNumFilters, eRowCheck))->SetValue(true);
  OnCheckChanged();
}

void WFilterDialog::OnRemoveClicked(wxCommandEvent &) {
  if (mNumFilters > 1) {
    --mNumFilters;
    Resize(mNumFilters);
  }
  OnCheckChanged();
}

void WFilterDialog::OnFilterChanged() {
  auto * filter = Control<wxButton>(wxID_OK);
  filter->Enable(!Control<wxTextCtrl>(eExpressionBoxId)->GetValue().empty());
  filter->SetDefault();
}

void WFilterDialog::OnFilterTextEvent(wxCommandEvent &) { OnFilterChanged(); }

void WFilterDialog::OnEditChanged(wxCommandEvent &) { GenerateFilterText(); }

void WFilterDialog::OnCheckChanged() {
  bool earlierChecked = false;
  for (int row = 1; row <= sMaxFilters; ++row) {
    const bool checked = Control<wxCheckBox>(ControlId(row, eRowCheck))->GetValue();
    FindWindow(ControlId(row, eOperatorList))->Enable(checked && earlierChecked);
    for (EControl control : {eFieldList, eConditionList, eValueBox})
      FindWindow(ControlId(row, control))->Enable(checked);
    earlierChecked = earlierChecked || checked;
  }
  GenerateFilterText();
}

void WFilterDialog::OnCheckEvent(wxCommandEvent &) { OnCheckChanged(); }

void WFilterDialog::OnComboChanged(wxCommandEvent &) { GenerateFilterText(); }

void WFilterDialog::OnFieldComboChanged(wxCommandEvent & inEvent) {
  UpdateConditionsAfterFieldChange(RowOf(inEvent.GetId()));
  GenerateFilterText();
}

void WFilterDialog::OnShowWindow(wxShowEvent & inEvent) {
  inEvent.Skip();
  if (inEvent.IsShown())
    CallAfter([this] {
      if (IsShown())
        FindWindow(eExpressionBoxId)->SetFocus();
    });
}

void WFilterDialog::OnOK(wxCommandEvent &) {
  mFilter = Control<wxTextCtrl>(eExpressionBoxId)->GetValue();
  mCaseSensitive = Control<wxCheckBox>(eCaseBoxId)->GetValue();
  SetReturnCode(wxID_OK);
  EndDialog(wxID_OK);
}

int WFilterDialog::DoModal(wxWindow * inParent) {
  // The one dialog may serve any window: it belongs to none, but shows over the one that
  // asked.
  if (inParent != nullptr && !IsShown()) {
    const wxRect over = inParent->GetScreenRect();
    wxRect rect = GetRect();
    rect = rect.CentreIn(over);
    Move(rect.GetPosition());
    Resize(mNumFilters);
  }
  SetReturnCode(wxID_CANCEL);
  return WModalRunner::Run(*this);
}
