#pragma once
// Dialogs: CDialog/CDialogEx (modal and modeless), CPropertyPage, CPropertySheet.
//
// A dialog is built from its template (dialog_template.h) when it opens:
//   CNameDlg dlg;                    // CDialogEx(475, parent)
//   dlg.m_Name = title;
//   if (dlg.DoModal() == IDOK) use(dlg.m_Name);
//
// DoModal:
//   1. builds the window and its controls from the template (no template: -1);
//   2. runs OnInitDialog (the base fills the controls with UpdateData(FALSE));
//   3. hands the dialog to the modal driver when one is installed (tests:
//      modal_driver.h), else runs its event loop until EndDialog;
//   4. runs OnDestroy handlers, destroys the window (member controls are
//      detached, members keep their values) and returns EndDialog's result.
// EndDialog called from OnInitDialog ends the dialog before it is shown.
// ShowWindow(SW_HIDE) on a running modal dialog only hides it: the modal run
// goes on (SW_SHOW shows it again) until EndDialog.
// Called from another thread, DoModal runs the dialog on the user-interface
// thread and waits for it.
//
// Commands: the buttons IDOK and IDCANCEL call the virtual OnOK / OnCancel
// unless the message map says otherwise. The base OnOK runs UpdateData(TRUE)
// and ends with IDOK when it succeeds; OnCancel ends with IDCANCEL. Enter
// presses the default push button (IDOK when it has none) and Esc sends
// IDCANCEL, through CDialog::PreTranslateMessage; the close box sends WM_CLOSE,
// whose default is IDCANCEL. F1 sends the command ID_HELP to the dialog, and
// Alt+Space shows its system menu (CWnd::GetSystemMenu).

#include <memory>
#include <vector>

#include "platform/ui/controls.h"
#include "platform/ui/ddx.h"
#include "platform/ui/dialog_template.h"

using INT_PTR = intptr_t;
class QEventLoop;

class CDialog : public CWnd {
 public:
  explicit CDialog(UINT templateId = 0, CWnd* parent = nullptr);
  // A dialog from a template object (not registered under an id).
  explicit CDialog(const DialogTemplate& dialogTemplate, CWnd* parent = nullptr);
  ~CDialog() override;
  DECLARE_MESSAGE_MAP()

 public:
  virtual INT_PTR DoModal();
  // A modeless dialog: built and initialised, then shown (unless the template
  // is hidden or the dialog is a child page that its owner shows). A template
  // with tpl::kChild becomes a child window of parent.
  virtual BOOL Create(UINT templateId, CWnd* parent = nullptr);
  BOOL Create(const DialogTemplate& dialogTemplate, CWnd* parent = nullptr);
  BOOL DestroyWindow() override;

  virtual BOOL OnInitDialog();
  virtual void OnOK();
  virtual void OnCancel();
  // F1 and the ヘルプ buttons: the program's help page.
  void OnHelp();
  virtual void DoDataExchange(CDataExchange* dx) {}
  void EndDialog(int result);
  // Fills the controls (FALSE) or reads and validates them (TRUE); FALSE when
  // a conversion or validation failed (its message was shown).
  BOOL UpdateData(BOOL saveAndValidate = TRUE);

  BOOL PreTranslateMessage(MSG* msg) override;

  // The template the dialog is built from (null when none was found).
  const DialogTemplate* GetTemplate() const { return m_template; }
  UINT GetTemplateId() const { return m_templateId; }
  // True from DoModal's start until the dialog ended.
  bool IsModalRunning() const { return m_modalRunning; }
  bool HasEnded() const { return m_ended; }
  int GetEndResult() const { return m_result; }
  // Builds the window and controls without running anything (DoModal and
  // Create call it; the render tool and tests use it). FALSE without template.
  BOOL CreateFromTemplate(CWnd* parent, bool asChild);

  CWnd* m_pParentWnd = nullptr;

  afx_msg void OnClose();

 protected:
  // Sets the template (used by sheets, which build theirs at run time).
  void SetTemplate(const DialogTemplate* dialogTemplate) { m_template = dialogTemplate; }
  // Control objects made from the template, by position in the template.
  std::vector<std::unique_ptr<CWnd>> m_templateControls;

 private:
  void DestroyAfterModal();
  const DialogTemplate* m_template = nullptr;
  UINT m_templateId = 0;
  int m_result = 0;
  bool m_ended = false;
  bool m_modalRunning = false;
  QEventLoop* m_loop = nullptr;   // the modal loop while it runs (real loops only)
  UINT m_defId = IDOK;
};

// The dialog class the program's dialogs derive from.
class CDialogEx : public CDialog {
 public:
  using CDialog::CDialog;
  void SetBackgroundColor(COLORREF color, BOOL repaint = TRUE);
};

class CPropertySheet;

// One page of a property sheet. The page's window is built the first time it
// becomes active (OnInitDialog then); OnSetActive runs each time it becomes
// active (the base fills the controls, except the first time, when
// OnInitDialog did) and OnKillActive each time it is left (the base reads and
// validates the controls; FALSE keeps the page).
class CPropertyPage : public CDialogEx {
 public:
  explicit CPropertyPage(UINT templateId = 0, UINT captionId = 0);
  explicit CPropertyPage(const DialogTemplate& dialogTemplate);
  virtual BOOL OnSetActive();
  virtual BOOL OnKillActive();
  virtual BOOL OnApply();          // sheet OK: calls OnOK; TRUE lets the sheet close
  void OnOK() override {}
  void OnCancel() override {}
  virtual BOOL OnQueryCancel() { return TRUE; }
  // Marks the page changed (enables the sheet's 適用 button) or unchanged
  // (disables it when no page is changed).
  void SetModified(BOOL changed = TRUE);
  // The tab caption (the template's caption unless set).
  CString m_strCaption;
  CPropertySheet* GetSheet() const { return m_sheet; }

 private:
  friend class CPropertySheet;
  CPropertySheet* m_sheet = nullptr;
  bool m_firstSetActive = true;
  bool m_modified = false;
};

enum : DWORD { PSH_NOAPPLYNOW = 0x80, PSH_HASHELP = 0x200, PSH_NOCONTEXTHELP = 0x2000000 };
struct PROPSHEETHEADER {
  DWORD dwFlags = 0;
  UINT nStartPage = 0;
};
enum : int { PSBTN_OK = 1, PSBTN_CANCEL = 2, PSBTN_APPLYNOW = 3 };

// A modal sheet of pages with tabs and the buttons OK (IDOK), キャンセル
// (IDCANCEL), 適用 (ID_APPLY_NOW, hidden with PSH_NOAPPLYNOW; enabled while a
// page is SetModified, disabled again once applied) and ヘルプ (IDHELP, hidden
// unless PSH_HASHELP), right-aligned at their stock places: a hidden button
// leaves no gap. The buttons are the sheet's own
// controls: GetDlgItem finds them, and the sheet's message map may take
// their commands. OK: the active page's OnKillActive, then every built page's
// OnApply, then IDOK. Cancel: the active page's OnQueryCancel, then every
// built page's OnCancel, then IDCANCEL.
class CPropertySheet : public CDialog {
 public:
  explicit CPropertySheet(const CString& caption = CString(), CWnd* parent = nullptr, UINT selectPage = 0);
  ~CPropertySheet() override;
  DECLARE_MESSAGE_MAP()

 public:
  void AddPage(CPropertyPage* page);
  int GetPageCount() const { return static_cast<int>(m_pages.size()); }
  CPropertyPage* GetPage(int index) const;
  CPropertyPage* GetActivePage() const;
  int GetActiveIndex() const { return m_active; }
  // Leaves the active page (OnKillActive must agree) and activates index.
  BOOL SetActivePage(int index);
  CTabCtrl* GetTabControl() const;
  INT_PTR DoModal() override;
  BOOL OnInitDialog() override;
  void OnOK() override;
  void OnCancel() override;

  PROPSHEETHEADER m_psh;

 private:
  afx_msg void OnApplyNow();
  friend class CPropertyPage;
  // Enables 適用 while a page is changed.
  void UpdateApplyButton();
  afx_msg void OnTabChanging(NMHDR* nmhdr, LRESULT* result);
  afx_msg void OnTabChanged(NMHDR* nmhdr, LRESULT* result);
  void BuildTemplate();
  void ShowPage(int index);
  CString m_caption;
  std::vector<CPropertyPage*> m_pages;
  int m_active = -1;
  std::unique_ptr<DialogTemplate> m_builtTemplate;
  std::vector<ControlTemplate> m_builtControls;
};

// Id of the sheet's tab control.
enum : int { AFX_IDC_TAB_CONTROL = 0x3020 };
