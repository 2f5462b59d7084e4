#pragma once
// CNewFileDlg: asked when a new file has no command of its own, whether the
// data-edit tools start with their dialogs. m_RunTools is 1 when the box is
// ticked after OK, 0 when not. The dialog shows only the box and "OK".

#include "platform/ui/controls.h"
#include "platform/ui/dialog.h"

class CNewFileDlg : public CDialogEx {
 public:
  explicit CNewFileDlg(CWnd* parent = nullptr);

  int m_RunTools = 0;
  CButton m_RunToolsCheck;

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
};
