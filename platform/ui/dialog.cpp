// CDialog and CDialogEx: building from templates, modal runs, modeless
// dialogs, Enter/Esc/close handling and data exchange.

#include "platform/ui/dialog.h"

#include "platform/ui/help.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QEventLoop>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QThread>

#include "platform/ui/menu.h"
#include "platform/ui/modal_driver.h"
#include "platform/ui/ui_driver.h"
#include "platform/ui/ui_internal.h"

using layer::ToQ;

namespace {

// The dialog window: Enter and Esc were handled before the widget saw them;
// the close box becomes WM_CLOSE for the dialog's object.
class LayerDialog : public QDialog {
 public:
  explicit LayerDialog(QWidget* parent) : QDialog(parent) {}

 protected:
  void keyPressEvent(QKeyEvent* e) override {
    if (e->key() == Qt::Key_Escape || e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) {
      e->accept();
      return;
    }
    QDialog::keyPressEvent(e);
  }
  void closeEvent(QCloseEvent* e) override {
    e->ignore();
    if (CWnd* r = layer::Router(this)) r->SendMessage(WM_CLOSE);
  }
  void reject() override {
    if (CWnd* r = layer::Router(this)) r->SendMessage(WM_CLOSE);
  }
};

QWidget* ActiveModalParent(CWnd* parent) {
  if (parent && parent->m_hWnd) return parent->m_hWnd->window();
  if (QWidget* w = QApplication::activeModalWidget()) return w;
  return nullptr;
}

}  // namespace

BEGIN_MESSAGE_MAP(CDialog, CWnd)
  ON_COMMAND(IDOK, &CDialog::OnOK)
  ON_COMMAND(IDCANCEL, &CDialog::OnCancel)
  ON_COMMAND(ID_HELP, &CDialog::OnHelp)
  ON_COMMAND(IDHELP, &CDialog::OnHelp)
END_MESSAGE_MAP()

void CDialog::OnHelp() { ui::ShowProgramHelp(); }

CDialog::CDialog(UINT templateId, CWnd* parent) : m_pParentWnd(parent), m_templateId(templateId) {
  if (templateId != 0) m_template = FindDialogTemplate(static_cast<int>(templateId));
}

CDialog::CDialog(const DialogTemplate& dialogTemplate, CWnd* parent)
    : m_pParentWnd(parent), m_template(&dialogTemplate), m_templateId(static_cast<UINT>(dialogTemplate.id)) {}

CDialog::~CDialog() {
  if (m_hWnd) {
    QWidget* w = m_hWnd;
    layer::RemoveOwner(w, this);
    if (WidgetInfo* info = layer::Info(w)) info->dialog = nullptr;
    m_hWnd = nullptr;
    m_templateControls.clear();
    delete w;
  }
}

BOOL CDialog::CreateFromTemplate(CWnd* parent, bool asChild) {
  ui::EnsureApplication();
  if (!m_template && m_templateId != 0) m_template = FindDialogTemplate(static_cast<int>(m_templateId));
  if (!m_template || m_hWnd) return FALSE;
  QWidget* w;
  if (asChild) {
    w = new QWidget(parent ? parent->m_hWnd : nullptr);
  } else {
    auto* d = new LayerDialog(ActiveModalParent(parent));
    Qt::WindowFlags flags = Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint;
    if (!(m_template->flags & tpl::kNoSysMenu)) flags |= Qt::WindowSystemMenuHint;
    if (m_template->flags & tpl::kMinimizeBox) flags |= Qt::WindowMinimizeButtonHint;
    if (m_template->flags & tpl::kTopMost) flags |= Qt::WindowStaysOnTopHint;
    d->setWindowFlags(flags);
    d->setWindowTitle(ToQ(CString(m_template->caption ? m_template->caption : u"")));
    // The system menu is made from the style the window is created with; a
    // minimise box added later does not add the stock item.
    d->setProperty("tabro_stock_minimize", (m_template->flags & tpl::kMinimizeBox) != 0);
    w = d;
  }
  w->setFont(layer::DialogQFont());
  w->setAutoFillBackground(true);
  int width = DluToPixelsX(m_template->cx), height = DluToPixelsY(m_template->cy);
  if (asChild) w->resize(width, height);
  else w->setFixedSize(width, height);
  m_hWnd = w;
  WidgetInfo& info = layer::Register(w);
  info.dialog = this;
  info.owners.push_back(this);
  info.routers.push_back(this);
  layer::TrackMouseIfMapped(w);
  QWidget* leader = nullptr;
  m_templateControls.clear();
  for (const ControlTemplate& ct : m_template->controls) {
    if (ct.flags & tpl::kGroup) leader = nullptr;
    QWidget* c = layer::BuildControl(w, ct, ct.kind == CtlKind::Radio ? leader : nullptr);
    if (ct.kind == CtlKind::Radio && !leader) leader = c;
    std::unique_ptr<CWnd> wrapper = layer::MakeWrapper(c);
    wrapper->m_hWnd = c;
    layer::AddOwner(c, wrapper.get(), false);
    m_templateControls.push_back(std::move(wrapper));
  }
  for (const ControlTemplate& ct : m_template->controls)
    if (ct.kind == CtlKind::DefPushButton) m_defId = static_cast<UINT>(ct.id);
  return TRUE;
}

INT_PTR CDialog::DoModal() {
  ui::EnsureApplication();
  if (QThread::currentThread() != QCoreApplication::instance()->thread()) {
    // A dialog opened from a worker thread runs on the user-interface thread;
    // the worker waits for its result.
    INT_PTR result = -1;
    CallOnUiThread([&]() { result = DoModal(); });
    return result;
  }
  if (!CreateFromTemplate(m_pParentWnd, false)) return -1;
  m_ended = false;
  m_result = 0;
  m_modalRunning = true;
  QPointer<QWidget> guard(m_hWnd);
  BOOL focusDefault = OnInitDialog();
  if (focusDefault && !m_ended && guard) {
    for (auto& c : m_templateControls)
      if (c->m_hWnd && c->m_hWnd->focusPolicy() != Qt::NoFocus && c->m_hWnd->isEnabled() && !c->m_hWnd->isHidden()) {
        c->m_hWnd->setFocus();
        break;
      }
  }
  bool forced = false;
  bool driven = false;
  if (!m_ended && guard) {
    if (ModalDriver* driver = GetModalDriver()) {
      driven = true;
      m_hWnd->show();
      driver->RunModal(*this);
      if (!m_ended && m_hWnd) SendMessage(WM_CLOSE);
      if (!m_ended) {
        forced = true;
        m_result = -1;
        m_ended = true;
      }
    } else {
      // Our own loop rather than QDialog::exec, which ends when the window
      // is hidden: a hidden modal dialog keeps running until EndDialog.
      m_hWnd->setWindowModality(Qt::ApplicationModal);
      m_hWnd->show();
      QEventLoop loop;
      QObject::connect(m_hWnd, &QObject::destroyed, &loop, &QEventLoop::quit);
      m_loop = &loop;
      if (!m_ended) loop.exec(QEventLoop::DialogExec);
      m_loop = nullptr;
    }
  }
  m_modalRunning = false;
  if (auto* scripted = dynamic_cast<ScriptedModalDriver*>(GetModalDriver()); scripted && driven)
    scripted->RecordResult(m_result, forced);
  DestroyAfterModal();
  return m_result;
}

void CDialog::DestroyAfterModal() {
  if (!m_hWnd) return;
  QWidget* w = m_hWnd;
  MsgArgs args;
  layer::SendWindowMessage(w, WM_DESTROY, args);
  w->hide();
  if (m_hWnd) {
    layer::RemoveOwner(w, this);
    if (WidgetInfo* info = layer::Info(w)) info->dialog = nullptr;
    m_hWnd = nullptr;
  }
  m_templateControls.clear();
  delete w;
}

BOOL CDialog::Create(UINT templateId, CWnd* parent) {
  if (templateId != 0) {
    m_templateId = templateId;
    m_template = FindDialogTemplate(static_cast<int>(templateId));
  }
  if (parent) m_pParentWnd = parent;
  bool child = m_template && (m_template->flags & tpl::kChild);
  if (!CreateFromTemplate(m_pParentWnd, child)) return FALSE;
  m_ended = false;
  OnInitDialog();
  if (m_hWnd && !child) m_hWnd->show();
  if (m_hWnd && child) m_hWnd->setVisible(!(m_template->flags & tpl::kHidden));
  return m_hWnd != nullptr;
}

BOOL CDialog::Create(const DialogTemplate& dialogTemplate, CWnd* parent) {
  m_template = &dialogTemplate;
  m_templateId = static_cast<UINT>(dialogTemplate.id);
  return Create(0u, parent);
}

BOOL CDialog::DestroyWindow() {
  if (QCoreApplication::instance() && QThread::currentThread() != QCoreApplication::instance()->thread()) {
    BOOL done = FALSE;
    CallOnUiThread([&] { done = DestroyWindow(); });
    return done;
  }
  if (!m_hWnd) return FALSE;
  DestroyAfterModal();
  return TRUE;
}

BOOL CDialog::OnInitDialog() {
  UpdateData(FALSE);
  return TRUE;
}

void CDialog::OnOK() {
  if (!UpdateData(TRUE)) return;
  EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

void CDialog::OnClose() { SendMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0); }

void CDialog::EndDialog(int result) {
  if (QCoreApplication::instance() && QThread::currentThread() != QCoreApplication::instance()->thread())
    return CallOnUiThread([&] { EndDialog(result); });
  m_result = result;
  m_ended = true;
  if (!m_hWnd) return;
  if (m_modalRunning && m_loop) {
    m_hWnd->hide();
    m_loop->quit();
  } else if (!m_modalRunning) {
    m_hWnd->hide();
  }
}

BOOL CDialog::UpdateData(BOOL saveAndValidate) {
  CDataExchange dx(this, saveAndValidate);
  try {
    DoDataExchange(&dx);
  } catch (const DataExchangeFailure&) {
    return FALSE;
  }
  return TRUE;
}

BOOL CDialog::PreTranslateMessage(MSG* msg) {
  // Child dialogs (pages, panes) leave dialog keys to the window that holds them.
  if (!msg || !m_hWnd || !m_hWnd->isWindow()) return FALSE;
  if (msg->message == WM_SYSKEYDOWN && msg->wParam == VK_SPACE) {
    // Alt+Space opens the window's system menu; its choice is a WM_SYSCOMMAND.
    QPoint at = m_hWnd->mapToGlobal(QPoint(0, 0));
    CMenu* menu = GetSystemMenu(FALSE);
    UINT chosen = static_cast<UINT>(menu->TrackPopupMenu(TPM_RETURNCMD, at.x(), at.y(), this));
    if (chosen != 0) SendMessage(WM_SYSCOMMAND, chosen, 0);
    return TRUE;
  }
  if (msg->message != WM_KEYDOWN) return FALSE;
  QWidget* focus = msg->hwnd;
  if (msg->wParam == VK_F1) {
    SendMessage(WM_COMMAND, MAKEWPARAM(ID_HELP, BN_CLICKED), 0);
    return TRUE;
  }
  // An editor that takes Enter and Esc itself (a list's label editor) keeps them.
  if (focus && focus->property("tabro_wantkeys").toBool()) return FALSE;
  if (msg->wParam == VK_RETURN) {
    // A multi-line edit that takes Enter keeps it.
    for (QWidget* w = focus; w && w != m_hWnd; w = w->parentWidget()) {
      if (auto* pe = qobject_cast<QPlainTextEdit*>(w)) {
        WidgetInfo* info = layer::Info(pe);
        if (info && (info->flags & tpl::kWantReturn)) return FALSE;
      }
    }
    // A focused push button is pressed; otherwise the default button.
    if (auto* b = qobject_cast<QPushButton*>(focus); b && !b->isCheckable() && b->window() == m_hWnd->window()) {
      b->click();
      return TRUE;
    }
    // A hidden default button still takes Enter, as on the platform; a disabled one does not.
    CWnd* def = GetDlgItem(static_cast<int>(m_defId));
    if (def && def->m_hWnd && !def->m_hWnd->isEnabled()) return TRUE;
    SendMessage(WM_COMMAND, MAKEWPARAM(m_defId, BN_CLICKED), 0);
    return TRUE;
  }
  if (msg->wParam == VK_ESCAPE) {
    SendMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    return TRUE;
  }
  return FALSE;
}

void CDialogEx::SetBackgroundColor(COLORREF color, BOOL) {
  if (!m_hWnd) return;
  QPalette pal = m_hWnd->palette();
  pal.setColor(QPalette::Window, layer::ToQColor(color));
  m_hWnd->setPalette(pal);
  m_hWnd->setAutoFillBackground(true);
}
