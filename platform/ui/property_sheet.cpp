// CPropertySheet and CPropertyPage.

#include <QTabBar>
#include <QTabWidget>

#include "platform/ui/dialog.h"
#include "platform/ui/ui_internal.h"

// Pages

CPropertyPage::CPropertyPage(UINT templateId, UINT) : CDialogEx(templateId) {
  if (const DialogTemplate* t = GetTemplate(); t && t->caption) m_strCaption = CString(t->caption);
}

CPropertyPage::CPropertyPage(const DialogTemplate& dialogTemplate) : CDialogEx(dialogTemplate) {
  if (dialogTemplate.caption) m_strCaption = CString(dialogTemplate.caption);
}

BOOL CPropertyPage::OnSetActive() {
  if (m_firstSetActive) m_firstSetActive = false;
  else UpdateData(FALSE);
  return TRUE;
}

BOOL CPropertyPage::OnKillActive() { return UpdateData(TRUE); }

BOOL CPropertyPage::OnApply() {
  OnOK();
  return TRUE;
}

// The sheet

namespace {
constexpr int kMargin = 4;
constexpr int kButtonW = 50;
constexpr int kButtonH = 14;
constexpr int kGap = 4;
constexpr int kTabBarH = 14;
}  // namespace

BEGIN_MESSAGE_MAP(CPropertySheet, CDialog)
  ON_NOTIFY(TCN_SELCHANGING, AFX_IDC_TAB_CONTROL, &CPropertySheet::OnTabChanging)
  ON_NOTIFY(TCN_SELCHANGE, AFX_IDC_TAB_CONTROL, &CPropertySheet::OnTabChanged)
  ON_COMMAND(ID_APPLY_NOW, &CPropertySheet::OnApplyNow)
END_MESSAGE_MAP()

CPropertySheet::CPropertySheet(const CString& caption, CWnd* parent, UINT selectPage)
    : CDialog(0u, parent), m_caption(caption) {
  m_psh.nStartPage = selectPage;
}

CPropertySheet::~CPropertySheet() {
  // Pages are owned by the caller; their windows go with the sheet's.
  for (CPropertyPage* p : m_pages) p->m_sheet = nullptr;
}

void CPropertySheet::AddPage(CPropertyPage* page) {
  if (!page) return;
  page->m_sheet = this;
  m_pages.push_back(page);
  if (m_hWnd) {
    if (CTabCtrl* tab = GetTabControl()) tab->InsertItem(static_cast<int>(m_pages.size()) - 1, page->m_strCaption);
  }
}

CPropertyPage* CPropertySheet::GetPage(int index) const {
  return index >= 0 && index < GetPageCount() ? m_pages[static_cast<size_t>(index)] : nullptr;
}

CPropertyPage* CPropertySheet::GetActivePage() const { return GetPage(m_active); }

CTabCtrl* CPropertySheet::GetTabControl() const { return dynamic_cast<CTabCtrl*>(GetDlgItem(AFX_IDC_TAB_CONTROL)); }

void CPropertySheet::BuildTemplate() {
  int cx = 100, cy = 50;
  for (CPropertyPage* p : m_pages)
    if (const DialogTemplate* t = p->GetTemplate()) {
      cx = std::max(cx, t->cx);
      cy = std::max(cy, t->cy);
    }
  const bool hasHelp = (m_psh.dwFlags & PSH_HASHELP) != 0;
  const bool hasApply = !(m_psh.dwFlags & PSH_NOAPPLYNOW);
  // Wide enough for the pages and for the row of shown buttons.
  const int buttons = 2 + (hasHelp ? 1 : 0) + (hasApply ? 1 : 0);
  int tabW = std::max(cx + 4, buttons * kButtonW + (buttons - 1) * kGap), tabH = cy + kTabBarH + 4;
  int rowY = kMargin + tabH + kGap;
  int width = tabW + 2 * kMargin;
  m_builtControls.clear();
  m_builtControls.push_back({CtlKind::TabCtrl, AFX_IDC_TAB_CONTROL, nullptr, kMargin, kMargin, tabW, tabH});
  // Buttons from the right: ヘルプ, 適用, キャンセル, OK; a hidden one leaves
  // no gap, the others move right (it keeps the rightmost place, unseen).
  int x = width - kMargin - kButtonW;
  auto place = [&](bool shown) {
    int at = x;
    if (shown) x -= kButtonW + kGap;
    return at;
  };
  const int helpX = place(hasHelp);
  const int applyX = place(hasApply);
  const int cancelX = place(true);
  const int okX = place(true);
  ControlTemplate help{CtlKind::PushButton, IDHELP, u"ヘルプ", hasHelp ? helpX : width - kMargin - kButtonW, rowY,
                       kButtonW, kButtonH, hasHelp ? 0u : static_cast<uint32_t>(tpl::kHidden)};
  ControlTemplate apply{CtlKind::PushButton, ID_APPLY_NOW, u"適用(&A)", hasApply ? applyX : width - kMargin - kButtonW,
                        rowY, kButtonW, kButtonH, hasApply ? tpl::kDisabled : tpl::kHidden};
  ControlTemplate cancel{CtlKind::PushButton, IDCANCEL, u"キャンセル", cancelX, rowY, kButtonW, kButtonH};
  ControlTemplate ok{CtlKind::DefPushButton, IDOK, u"OK", okX, rowY, kButtonW, kButtonH};
  m_builtControls.push_back(ok);
  m_builtControls.push_back(cancel);
  m_builtControls.push_back(apply);
  m_builtControls.push_back(help);
  m_builtTemplate = std::make_unique<DialogTemplate>(
      DialogTemplate{0, m_caption.GetString(), width, rowY + kButtonH + kMargin + 2,
                     std::span<const ControlTemplate>(m_builtControls.data(), m_builtControls.size())});
  SetTemplate(m_builtTemplate.get());
}

INT_PTR CPropertySheet::DoModal() {
  BuildTemplate();
  m_active = -1;
  for (CPropertyPage* p : m_pages) p->m_firstSetActive = true;
  INT_PTR r = CDialog::DoModal();
  m_active = -1;
  return r;
}

BOOL CPropertySheet::OnInitDialog() {
  SetWindowText(m_caption);
  if (CTabCtrl* tab = GetTabControl()) {
    for (int i = 0; i < GetPageCount(); ++i) tab->InsertItem(i, m_pages[static_cast<size_t>(i)]->m_strCaption);
  }
  int start = static_cast<int>(m_psh.nStartPage);
  if (start < 0 || start >= GetPageCount()) start = 0;
  if (!m_pages.empty()) {
    if (CTabCtrl* tab = GetTabControl()) tab->SetCurSel(start);
    ShowPage(start);
  }
  return TRUE;
}

void CPropertySheet::ShowPage(int index) {
  CPropertyPage* page = GetPage(index);
  if (!page || !m_hWnd) return;
  CPropertyPage* old = GetActivePage();
  if (old && old != page && old->m_hWnd) old->m_hWnd->hide();
  m_active = index;
  if (!page->m_hWnd) {
    CTabCtrl* tab = GetTabControl();
    page->m_pParentWnd = this;
    page->CreateFromTemplate(this, true);
    if (page->m_hWnd && tab && tab->m_hWnd) {
      auto* tw = qobject_cast<QTabWidget*>(tab->m_hWnd);
      int barH = tw ? tw->tabBar()->sizeHint().height() : 20;
      QRect g = tab->m_hWnd->geometry();
      page->m_hWnd->move(g.x() + 3, g.y() + barH + 3);
      // Every page fills the tab's page area, as the largest one does: a
      // smaller page would leave a strip of the tab's own face beside it.
      page->m_hWnd->resize(g.width() - 6, g.height() - barH - 6);
      page->m_hWnd->raise();
    }
    page->m_hWnd->show();
    page->OnInitDialog();
  }
  if (page->m_hWnd) page->m_hWnd->show();
  page->OnSetActive();
}

BOOL CPropertySheet::SetActivePage(int index) {
  if (index < 0 || index >= GetPageCount()) return FALSE;
  if (!m_hWnd) {
    m_psh.nStartPage = static_cast<UINT>(index);
    return TRUE;
  }
  if (index == m_active) return TRUE;
  if (CPropertyPage* old = GetActivePage(); old && !old->OnKillActive()) return FALSE;
  if (CTabCtrl* tab = GetTabControl()) tab->SetCurSel(index);
  ShowPage(index);
  return TRUE;
}

void CPropertySheet::OnTabChanging(NMHDR*, LRESULT* result) {
  CPropertyPage* old = GetActivePage();
  *result = old && !old->OnKillActive() ? TRUE : FALSE;
}

void CPropertySheet::OnTabChanged(NMHDR*, LRESULT* result) {
  if (CTabCtrl* tab = GetTabControl()) ShowPage(tab->GetCurSel());
  *result = 0;
}

void CPropertySheet::OnOK() {
  CPropertyPage* active = GetActivePage();
  if (active && !active->OnKillActive()) return;
  for (CPropertyPage* p : m_pages)
    if (p->m_hWnd && !p->OnApply()) return;
  EndDialog(IDOK);
}

void CPropertySheet::OnCancel() {
  CPropertyPage* active = GetActivePage();
  if (active && !active->OnQueryCancel()) return;
  for (CPropertyPage* p : m_pages)
    if (p->m_hWnd) p->OnCancel();
  EndDialog(IDCANCEL);
}

void CPropertySheet::OnApplyNow() {
  CPropertyPage* active = GetActivePage();
  if (active && !active->OnKillActive()) return;
  for (CPropertyPage* p : m_pages)
    if (p->m_hWnd && !p->OnApply()) return;
  // Applied: nothing is left to apply until a page changes again.
  for (CPropertyPage* p : m_pages) p->m_modified = false;
  UpdateApplyButton();
}

void CPropertySheet::UpdateApplyButton() {
  bool any = false;
  for (CPropertyPage* p : m_pages) any = any || p->m_modified;
  if (CWnd* apply = GetDlgItem(ID_APPLY_NOW)) apply->EnableWindow(any ? TRUE : FALSE);
}

void CPropertyPage::SetModified(BOOL changed) {
  m_modified = changed != FALSE;
  if (m_sheet && m_sheet->m_hWnd) m_sheet->UpdateApplyButton();
}
