#pragma once
// CMacroDlg: the definition of one macro column: its name and its macro text.
// Buttons insert operators, methods and templates at the caret (through the
// clipboard, as a paste into the text), a list offers the input fields, and
// "式評価" runs the syntax checker. OK needs a name and a text the checker finds
// clean.
//
// The opener fills m_FieldNames, m_FieldTypes, m_RatioOnly, m_Expression and
// m_ColumnName, runs it modally and reads the two texts after IDOK.

#include <cstdint>
#include <vector>

#include "app/ui/list_ctrl_ex.h"
#include "grid/grid_store.h"
#include "platform/cstring.h"
#include "platform/ui/controls.h"
#include "platform/ui/dialog.h"

class CMacroDlg : public CDialogEx {
 public:
  explicit CMacroDlg(CWnd* parent = nullptr);
  DECLARE_MESSAGE_MAP()

 public:
  BOOL OnInitDialog() override;
  void OnOK() override;

  // 1 when the checker finds nothing in the text; silent 0 also shows "項目評価　OK".
  int CheckExpression(int silent);
  // Puts at most 128 characters of text on the clipboard and pastes them into the
  // macro text. 0 inserted, -2 the clipboard could not be reached.
  int InsertSnippet(const CString& text);
  // With a share or running-total call in the text: the field goes into it (in
  // place of "[XXX]", else at the caret) and the column name follows. 0 when the
  // text holds neither call.
  int InsertRunningField(const CString& name);
  void FillTypeFilter();
  // filter 0 every named field; 1 to 4 fields whose type byte is filter - 1.
  void FillFieldList(int filter);

  CString m_Expression;            // at most 200 characters
  CListCtrlEx m_FieldList;
  CListCtrlEx m_TypeList;
  CString m_ColumnName;            // at most 20 characters
  std::vector<CString> m_FieldNames;
  int m_SelectedField = 0;
  uint8_t m_FieldTypes[GRID_COLS] = {};
  int m_RatioOnly = 0;
  CEdit m_TextEdit;

 protected:
  void DoDataExchange(CDataExchange* pDX) override;

 private:
  afx_msg void OnSnippet(UINT id);
  afx_msg void OnDateFormat();
  afx_msg void OnAccumu();
  afx_msg void OnRatio();
  afx_msg void OnInsertField();
  afx_msg void OnFieldDblClk(NMHDR* hdr, LRESULT* result);
  afx_msg void OnFieldSelChanged(NMHDR* hdr, LRESULT* result);
  afx_msg void OnTypeFilterChanged(NMHDR* hdr, LRESULT* result);
  afx_msg void OnCheckExpression();
  afx_msg void OnToggleExtended();
  // "累計" / "比率": the call, then the column name.
  void InsertColumnCall(const char16_t* call, const char16_t* name);
  void InsertPickedField();
};
