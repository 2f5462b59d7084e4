// The desktop binding of UiHooks.

#include "platform/ui/qt_ui_hooks.h"

#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QFileDialog>
#include <QGuiApplication>
#include <QFontMetrics>
#include <QGridLayout>
#include <QMessageBox>
#include <QSpacerItem>
#include <QPushButton>
#include <QThread>
#include <QUrl>

#include "platform/ui/ui_driver.h"
#include "platform/ui/ui_internal.h"
#include "platform/ui/wnd.h"

using layer::FromQ;
using layer::ToQ;

CString ConvertFileFilter(const CString& filter) {
  // "名前|*.csv;*.tsv|すべて|*.*|" -> "名前 (*.csv *.tsv);;すべて (*.*)"
  QStringList parts = ToQ(filter).split(QLatin1Char('|'));
  QStringList out;
  for (int i = 0; i + 1 < parts.size(); i += 2) {
    if (parts[i].isEmpty() && parts[i + 1].isEmpty()) continue;
    // "*.*" means every file on the platform; Qt's "*.*" would skip names without a dot.
    QStringList patterns = parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts);
    for (QString& p : patterns)
      if (p == QStringLiteral("*.*")) p = QStringLiteral("*");
    out << parts[i] + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) + QStringLiteral(")");
  }
  return FromQ(out.join(QStringLiteral(";;")));
}

// Pixels a title bar spends beside its caption: the icon and three buttons.
constexpr int kTitleBarExtras = 120;

unsigned MessageBoxIconFor(unsigned type) {
  unsigned icon = type & MB_ICONMASK;
  if (icon) return icon;
  switch (type & MB_TYPEMASK) {
    case MB_OK:
    case MB_OKCANCEL: return MB_ICONWARNING;
    case MB_YESNO:
    case MB_YESNOCANCEL: return MB_ICONQUESTION;
    default: return 0;
  }
}

QtUiHooks::QtUiHooks() {
  ui::EnsureApplication();
  m_previous = SetUiHooks(this);
}

QtUiHooks::~QtUiHooks() { SetUiHooks(m_previous); }

namespace {

// Caption, text, icon and the on-top flag of a box.
void DressBox(QMessageBox& box, const CString& text, const CString& caption, unsigned type) {
  box.setWindowTitle(ToQ(caption));
  box.setText(ToQ(text));
  switch (MessageBoxIconFor(type)) {
    case MB_ICONERROR: box.setIcon(QMessageBox::Critical); break;
    case MB_ICONQUESTION: box.setIcon(QMessageBox::Question); break;
    case MB_ICONWARNING: box.setIcon(QMessageBox::Warning); break;
    case MB_ICONINFORMATION: box.setIcon(QMessageBox::Information); break;
    default: box.setIcon(QMessageBox::NoIcon); break;
  }
  if (type & MB_TOPMOST) box.setWindowFlag(Qt::WindowStaysOnTopHint, true);
}

// A short text would make the box too narrow for its caption on the title
// bar, which then shows only its first letter.
void WidenForCaption(QMessageBox& box) {
  if (auto* grid = qobject_cast<QGridLayout*>(box.layout())) {
    const int room = QFontMetrics(box.font()).horizontalAdvance(box.windowTitle()) + kTitleBarExtras;
    grid->addItem(new QSpacerItem(room, 0, QSizePolicy::Minimum, QSizePolicy::Fixed), grid->rowCount(), 0, 1,
                  grid->columnCount());
  }
}

}  // namespace

void QtUiHooks::ShowModelessBox(const CString& text, const CString& caption, unsigned type) {
  CallOnUiThread([&]() {
    auto* box = new QMessageBox(QApplication::activeWindow());
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::NonModal);
    DressBox(*box, text, caption, type);
    box->setDefaultButton(box->addButton(QStringLiteral("OK"), QMessageBox::AcceptRole));
    box->setEscapeButton(box->defaultButton());
    WidenForCaption(*box);
    box->show();
  });
}

int QtUiHooks::MessageBox(const CString& text, const CString& caption, unsigned type) {
  int result = IDOK;
  CallOnUiThread([&]() {
    QMessageBox box(QApplication::activeModalWidget() ? QApplication::activeModalWidget()
                                                       : QApplication::activeWindow());
    DressBox(box, text, caption, type);
    struct Choice {
      int id;
      const char16_t* label;
      QMessageBox::ButtonRole role;
    };
    std::vector<Choice> choices;
    switch (type & MB_TYPEMASK) {
      case MB_OKCANCEL: choices = {{IDOK, u"OK", QMessageBox::AcceptRole}, {IDCANCEL, u"キャンセル", QMessageBox::RejectRole}}; break;
      case MB_ABORTRETRYIGNORE:
        choices = {{IDABORT, u"中止(&A)", QMessageBox::RejectRole}, {IDRETRY, u"再試行(&R)", QMessageBox::AcceptRole},
                   {IDIGNORE, u"無視(&I)", QMessageBox::AcceptRole}};
        break;
      case MB_YESNOCANCEL:
        choices = {{IDYES, u"はい(&Y)", QMessageBox::YesRole}, {IDNO, u"いいえ(&N)", QMessageBox::NoRole},
                   {IDCANCEL, u"キャンセル", QMessageBox::RejectRole}};
        break;
      case MB_YESNO: choices = {{IDYES, u"はい(&Y)", QMessageBox::YesRole}, {IDNO, u"いいえ(&N)", QMessageBox::NoRole}}; break;
      case MB_RETRYCANCEL: choices = {{IDRETRY, u"再試行(&R)", QMessageBox::AcceptRole}, {IDCANCEL, u"キャンセル", QMessageBox::RejectRole}}; break;
      default: choices = {{IDOK, u"OK", QMessageBox::AcceptRole}}; break;
    }
    std::vector<std::pair<QAbstractButton*, int>> buttons;
    for (const Choice& c : choices) buttons.emplace_back(box.addButton(ToQ(CString(c.label)), c.role), c.id);
    size_t def = (type & MB_DEFBUTTON2) && buttons.size() > 1 ? 1 : 0;
    box.setDefaultButton(static_cast<QPushButton*>(buttons[def].first));
    // Esc: Cancel where there is one, No for Yes/No, OK for an OK box.
    for (auto& [b, id] : buttons)
      if (id == IDCANCEL || ((type & MB_TYPEMASK) == MB_YESNO && id == IDNO) || ((type & MB_TYPEMASK) == MB_OK))
        box.setEscapeButton(b);
    WidenForCaption(box);
    box.exec();
    result = (type & MB_TYPEMASK) == MB_OK ? IDOK : IDCANCEL;
    if ((type & MB_TYPEMASK) == MB_YESNO) result = IDNO;
    for (auto& [b, id] : buttons)
      if (box.clickedButton() == b) result = id;
  });
  return result;
}

CString QtUiHooks::ChooseOpenFile(const CString& title, const CString& filter, const CString& initialFolder) {
  CString chosen;
  CallOnUiThread([&]() {
    chosen = FromQ(QFileDialog::getOpenFileName(QApplication::activeWindow(), ToQ(title), ToQ(initialFolder),
                                                ToQ(ConvertFileFilter(filter))));
  });
  return chosen;
}

CString QtUiHooks::ChooseFolder(const CString& title, const CString& initialFolder) {
  CString chosen;
  CallOnUiThread([&]() {
    chosen = FromQ(QFileDialog::getExistingDirectory(QApplication::activeWindow(), ToQ(title), ToQ(initialFolder)));
  });
  return chosen;
}

CString QtUiHooks::GetClipboardText() {
  CString text;
  CallOnUiThread([&]() { text = FromQ(QGuiApplication::clipboard()->text()); });
  return text;
}

void QtUiHooks::SetClipboardText(const CString& text) {
  CallOnUiThread([&]() { QGuiApplication::clipboard()->setText(ToQ(text)); });
}

void QtUiHooks::EmptyClipboard() {
  CallOnUiThread([&]() { QGuiApplication::clipboard()->clear(); });
}

bool QtUiHooks::IsKeyDown(UiKey key) {
  bool down = false;
  CallOnUiThread([&]() {
    Qt::KeyboardModifiers m = QGuiApplication::queryKeyboardModifiers();
    Qt::KeyboardModifier bit = key == UiKey::Shift     ? Qt::ShiftModifier
                               : key == UiKey::Control ? Qt::ControlModifier
                                                       : Qt::AltModifier;
    down = (m & bit) != 0;
  });
  return down;
}

bool QtUiHooks::OpenDocument(const CString& path) {
  bool ok = false;
  CallOnUiThread([&]() { ok = QDesktopServices::openUrl(QUrl::fromLocalFile(ToQ(path))); });
  return ok;
}

void QtUiHooks::SetWaitCursor(bool on) {
  CallOnUiThread([&]() {
    if (on) {
      if (m_waitDepth++ == 0) QApplication::setOverrideCursor(Qt::WaitCursor);
    } else if (m_waitDepth > 0) {
      if (--m_waitDepth == 0) QApplication::restoreOverrideCursor();
    }
  });
}
