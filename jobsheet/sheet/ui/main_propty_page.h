#pragma once
// CMainProptyPage (dialog 472, "基本設定"): creation type, output format with its
// Excel list type or CSV character code, deleting the input after the send, the
// review of the job's data-edit tools, and the command text the settings give.
// Every change goes into the record and the sheet's shared state at once.

#include <cstdint>

#include "grid/grid_store.h"
#include "jobsheet/command/job_setting.h"
#include "platform/ui/controls.h"
#include "platform/ui/dialog.h"

class CMainProptyPage : public CPropertyPage {
 public:
  CMainProptyPage();
  DECLARE_MESSAGE_MAP()

 public:
  BOOL OnInitDialog() override;
  BOOL OnSetActive() override;
  BOOL OnKillActive() override;
  // Rebuilds the command text from the record and shows it.
  void UpdateCommandText();
  // "全設定クリア": PDF, no list type, no character code.
  void ResetOutputSettings();
  // Replays the job's key join on the data grid without a window; the join's
  // result (1 joined, 0 refused or failed).
  int RunAddCsv();
  OutputFormat m_OutputFormat = OutputFormat::kPdf;
  int m_ListType = 0;         // Excel list type 0 to 3
  int m_DocKind = 0;
  int m_SubKind = 0;
  int m_CsvHederTyp = 0;
  int m_DeleteAfter = 0;
  int m_ColumnCodes[GRID_COLS] = {};
  int m_SubjectColumn = 0;
  uint8_t m_Numbering = 0;
  int m_CharCode = 2;         // 0 UTF-8, 1 Shift_JIS, 2 none
  CString m_CommandText;
  int m_FromClipboard = 0;
  int m_EditMode = 0;
  int m_OutputRadio = 0;
  int m_CreationRadio = 0;
  CComboBox m_ListTypeCombo;
  CComboBox m_CharCodeCombo;
  CButton m_CharCodeCheck;
  CStatic m_Pictures[6];   // each shows its bitmap fitted by aspect

 protected:
  void DoDataExchange(CDataExchange* pDX) override;

 private:
  afx_msg void OnPdf();
  afx_msg void OnExcel();
  afx_msg void OnCsv();
  afx_msg void OnPaperPriority();
  afx_msg void OnFormatPriority();
  afx_msg void OnListTypeChange();
  afx_msg void OnCharCodeCheck();
  afx_msg void OnCharCodeChange();
  afx_msg void OnDeleteAfter();
  afx_msg void OnConfirmTools();
  // The record and the sheet's shared state from this page.
  void Store();
  void Enable(int id, bool enable);
  void DrawBitmaps();
  void AfterOutputChoice();
};
