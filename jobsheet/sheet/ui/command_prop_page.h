#pragma once
// CCommandPropPage (dialog 473, "カスタマイズ2(詳細設定)"): the creation type of
// the document, portrait output, and the tabs CTabDlg1 to CTabDlg4. Two panes
// show a picture of the chosen type and of the chosen tab.
//
// m_Job is the page's copy of the record (filled by CTabroClientDlg::FillCommandPage);
// the tabs get it through PushToTabs, and ReadCommandPage reads the tabs back.

#include <cstdint>
#include <memory>

#include "jobsheet/sheet/page_values.h"
#include "jobsheet/sheet/ui/tab_dlg1.h"
#include "jobsheet/sheet/ui/tab_dlg2.h"
#include "jobsheet/sheet/ui/tab_dlg3.h"
#include "jobsheet/sheet/ui/tab_dlg4.h"
#include "grid/grid_store.h"
#include "platform/ui/controls.h"
#include "platform/ui/dialog.h"

class CCommandPropPage : public CPropertyPage {
 public:
  CCommandPropPage();
  ~CCommandPropPage() override;
  DECLARE_MESSAGE_MAP()

 public:
  BOOL OnInitDialog() override;
  BOOL OnSetActive() override;
  BOOL OnKillActive() override;
  // After "全設定クリア": the cleared copy into the tabs, which start afresh.
  void RefreshPages();
  // Kind and sub-kind of type button b (0 to 5 in radio order), with the tabs
  // and the enabled controls that go with them.
  void SetCreationType(int b, int s);
  // The page's copy of the record into the tab dialogs.
  void PushToTabs();
  // Which tab dialog a tab shows, its caption and its lower picture.
  struct TABENTRY {
    const char16_t* text;
    int dialog;     // 1 to 4
    UINT bitmap;
  };
  // The tabs of the current kind and output format.
  int Tabs(const TABENTRY** entries) const;
  // The pictures of the current state in the two panes.
  void UpdatePreviews();
  UINT UpperBitmap() const;
  UINT LowerBitmap() const;

  int m_DocKind = 0;          // 0 to 4, or DOC_KIND_TOOL_CROSS
  int m_SubKind = 0;
  int m_CsvHederTyp = 0;
  OutputFormat m_OutputFormat = OutputFormat::kPdf;
  int m_CharCode = 0;
  int m_FromClipboard = 0;
  int m_EditMode = 0;
  uint8_t m_Portrait = 0;
  int m_TypeRadio = 0;        // -1 when no type is chosen
  CTabCtrl m_Tab;
  CButton m_AutoRadio;
  CButton m_TableRadio;
  CButton m_ListRadio;
  CButton m_LabelRadio;
  CButton m_TableA3Radio;
  CButton m_SingleRadio;
  CButton m_PortraitCheck;
  std::unique_ptr<CTabDlg1> m_TabDlg1;
  std::unique_ptr<CTabDlg2> m_TabDlg2;
  std::unique_ptr<CTabDlg3> m_TabDlg3;
  std::unique_ptr<CTabDlg4> m_TabDlg4;
  COMMANDPAGEVALUES m_Job;
  int m_ColumnCodes[GRID_COLS] = {};
  int m_SubjectColumn = 0;
  uint8_t m_Numbering = 0;    // the numbering the sheet shares
  // The panes show their pictures as the static controls' own bitmaps.
  CStatic m_UpperPane;
  CStatic m_LowerPane;

 protected:
  void DoDataExchange(CDataExchange* pDX) override;

 private:
  afx_msg void OnAutoType();
  afx_msg void OnTableType();
  afx_msg void OnListType();
  afx_msg void OnLabelType();
  afx_msg void OnTableA3Type();
  afx_msg void OnSingleFormType();
  afx_msg void OnPortrait();
  afx_msg void OnTabSelChange(NMHDR* nmhdr, LRESULT* result);
  void TakeSheetState();
  void EnableTypeRadios(bool enable);
  void ShowTabDialog(int dialog);
  CDialog* TabDialog(int dialog) const;
  bool HasSumColumn() const;
};
