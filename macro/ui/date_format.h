#pragma once
// CDateFormat: chooses the date pattern that the macro definition dialog inserts.

#include "platform/cstring.h"
#include "platform/ui/dialog.h"

class CDateFormat : public CDialogEx {
 public:
  explicit CDateFormat(CWnd* parent = nullptr);

  int m_Choice = 0;  // radio index, 0 to 5

  // The pattern a choice stands for; empty outside the radios.
  static CString PatternOf(int choice);

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
};
