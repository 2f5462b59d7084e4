#pragma once
// CNameDlg: asks the title under which data pasted from the clipboard is
// handled (its file name and document title). The caller presets m_Name and
// reads it after IDOK. OK refuses an empty title and one holding a character
// that a file name cannot hold, and keeps the dialog open for correction.

#include "platform/ui/dialog.h"

class CNameDlg : public CDialogEx {
 public:
  explicit CNameDlg(CWnd* parent = nullptr);

  // At most this many characters; the box takes no more.
  static constexpr int kMaxNameChars = 30;

  CString m_Name;

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  void OnOK() override;
};

