// Dialog data exchange.

#include "platform/ui/ddx.h"

#include <QLineEdit>
#include <QPlainTextEdit>

#include "platform/ui/controls.h"
#include "platform/ui/ui_internal.h"

CWnd* CDataExchange::PrepareCtrl(int id) {
  m_idLastControl = id;
  m_bEditLastControl = false;
  return m_pDlgWnd ? m_pDlgWnd->GetDlgItem(id) : nullptr;
}

CWnd* CDataExchange::PrepareEditCtrl(int id) {
  CWnd* c = PrepareCtrl(id);
  m_bEditLastControl = true;
  return c;
}

void CDataExchange::Fail(const CString& message) {
  GetUiHooks().MessageBox(message, layer::AppTitle(), MB_OK | MB_ICONEXCLAMATION);
  if (m_pDlgWnd) {
    if (CWnd* c = m_pDlgWnd->GetDlgItem(m_idLastControl)) {
      c->SetFocus();
      if (m_bEditLastControl)
        if (auto* e = dynamic_cast<CEdit*>(c)) e->SetSel(0, -1);
    }
  }
  throw DataExchangeFailure{};
}

void DDX_Text(CDataExchange* dx, int id, CString& value) {
  CWnd* c = dx->PrepareEditCtrl(id);
  if (!c) return;
  if (dx->m_bSaveAndValidate) value = c->GetWindowText();
  else c->SetWindowText(value);
}

namespace {
// Integer text: optional blanks and sign, then digits only.
bool ParseInteger(const CString& text, long long& out) {
  QString q = layer::ToQ(text).trimmed();
  bool ok = false;
  out = q.toLongLong(&ok);
  return ok;
}
}  // namespace

void DDX_Text(CDataExchange* dx, int id, int& value) {
  CWnd* c = dx->PrepareEditCtrl(id);
  if (!c) return;
  if (dx->m_bSaveAndValidate) {
    long long v = 0;
    if (!ParseInteger(c->GetWindowText(), v) || v < INT32_MIN || v > INT32_MAX) dx->Fail(u"整数を入力してください。");
    value = static_cast<int>(v);
  } else {
    c->SetWindowText(CString::Build(u"%d", value));
  }
}

void DDX_Check(CDataExchange* dx, int id, int& value) {
  auto* b = dynamic_cast<CButton*>(dx->PrepareCtrl(id));
  if (!b) return;
  if (dx->m_bSaveAndValidate) value = b->GetCheck();
  else b->SetCheck(value);
}

void DDX_Radio(CDataExchange* dx, int id, int& value) {
  CWnd* first = dx->PrepareCtrl(id);
  if (!first || !first->m_hWnd) return;
  WidgetInfo* info = layer::Info(first->m_hWnd);
  if (!info) return;
  QWidget* leader = info->groupLeader ? info->groupLeader : first->m_hWnd;
  WidgetInfo* linfo = layer::Info(leader);
  if (!linfo) return;
  const std::vector<QWidget*>& group = linfo->radioGroup;
  if (dx->m_bSaveAndValidate) {
    value = -1;
    for (size_t i = 0; i < group.size(); ++i)
      if (auto* b = dynamic_cast<CButton*>(CWnd::FromHandle(group[i])); b && b->GetCheck() == BST_CHECKED) {
        value = static_cast<int>(i);
        break;
      }
  } else {
    for (size_t i = 0; i < group.size(); ++i)
      if (auto* b = dynamic_cast<CButton*>(CWnd::FromHandle(group[i])))
        b->SetCheck(static_cast<int>(i) == value ? BST_CHECKED : BST_UNCHECKED);
  }
}

void DDX_CBIndex(CDataExchange* dx, int id, int& index) {
  auto* cb = dynamic_cast<CComboBox*>(dx->PrepareCtrl(id));
  if (!cb) return;
  if (dx->m_bSaveAndValidate) index = cb->GetCurSel();
  else cb->SetCurSel(index);
}

void DDX_Control(CDataExchange* dx, int id, CWnd& control) {
  if (control.m_hWnd) return;
  CWnd* item = dx->PrepareCtrl(id);
  if (item && item->m_hWnd) control.SubclassWindow(item->m_hWnd);
}

void DDV_MaxChars(CDataExchange* dx, const CString& value, int maxChars) {
  if (dx->m_bSaveAndValidate) {
    if (value.GetLength() > maxChars) dx->Fail(CString::Build(u"%d 文字以内で入力してください。", maxChars));
    return;
  }
  CWnd* c = dx->m_pDlgWnd ? dx->m_pDlgWnd->GetDlgItem(dx->m_idLastControl) : nullptr;
  if (auto* e = dynamic_cast<CEdit*>(c)) e->SetLimitText(static_cast<UINT>(std::max(0, maxChars)));
  else if (auto* cb = dynamic_cast<CComboBox*>(c)) cb->LimitText(maxChars);
}

void DDV_MinMaxInt(CDataExchange* dx, int value, int minValue, int maxValue) {
  if (dx->m_bSaveAndValidate && (value < minValue || value > maxValue))
    dx->Fail(CString::Build(u"%d から %d までの整数を入力してください。", minValue, maxValue));
}
