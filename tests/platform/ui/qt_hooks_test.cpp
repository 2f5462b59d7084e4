// The desktop message box: its caption, buttons, icon and the answer a click gives.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>

#include <vector>

#include "platform/ui/qt_ui_hooks.h"
#include "platform/ui/ui_driver.h"

namespace {

QString Q(const char16_t* s) { return QString::fromUtf16(s); }

struct BoxCase {
  const char* name;
  unsigned type;
  const char16_t* press;            // caption of the button to press; null: Esc
  int answer;
  std::vector<const char16_t*> buttons;
  QMessageBox::Icon icon;
};

class DesktopBox : public ::testing::TestWithParam<BoxCase> {};

TEST_P(DesktopBox, ShowsTheButtonsAndAnswersTheClick) {
  const BoxCase& c = GetParam();
  QtUiHooks hooks;
  QString title, text;
  QStringList buttons;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  bool seen = false;
  // Acts on the box once it is up (and closes anything left after 5 s).
  QTimer poll;
  QObject::connect(&poll, &QTimer::timeout, [&]() {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!box || seen) return;
    seen = true;
    title = box->windowTitle();
    text = box->text();
    icon = box->icon();
    for (QAbstractButton* b : box->buttons()) buttons << b->text();
    if (!c.press) {
      box->reject();
      return;
    }
    for (QAbstractButton* b : box->buttons())
      if (b->text() == Q(c.press)) b->click();
  });
  poll.start(10);
  QTimer safety;
  safety.setSingleShot(true);
  QObject::connect(&safety, &QTimer::timeout, []() {
    if (QWidget* w = QApplication::activeModalWidget()) w->close();
  });
  safety.start(5000);
  int answer = hooks.MessageBox(u"同時起動はできません。", u"タブロコネクト", c.type);
  EXPECT_TRUE(seen);
  EXPECT_EQ(answer, c.answer);
  EXPECT_EQ(title, Q(u"タブロコネクト"));
  EXPECT_EQ(text, Q(u"同時起動はできません。"));
  QStringList expected;
  for (const char16_t* b : c.buttons) expected << Q(b);
  buttons.sort();
  expected.sort();
  EXPECT_EQ(buttons, expected);
  EXPECT_EQ(icon, c.icon);
}

INSTANTIATE_TEST_SUITE_P(
    QtUiHooks, DesktopBox,
    ::testing::Values(
        BoxCase{"OkBoxHasTheWarningSign", MB_OK, u"OK", IDOK, {u"OK"}, QMessageBox::Warning},
        BoxCase{"EscapeOnAnOkBoxAnswersOk", MB_OK | MB_ICONINFORMATION, nullptr, IDOK, {u"OK"},
                QMessageBox::Information},
        BoxCase{"OkCancelAnswersCancel", MB_OKCANCEL | MB_ICONWARNING, u"キャンセル", IDCANCEL, {u"OK", u"キャンセル"},
                QMessageBox::Warning},
        BoxCase{"YesNoAnswersNo", MB_YESNO, u"いいえ(&N)", IDNO, {u"はい(&Y)", u"いいえ(&N)"}, QMessageBox::Question},
        BoxCase{"EscapeOnYesNoAnswersNo", MB_YESNO | MB_ICONQUESTION, nullptr, IDNO, {u"はい(&Y)", u"いいえ(&N)"},
                QMessageBox::Question},
        BoxCase{"RetryCancelHasNoSign", MB_RETRYCANCEL, u"再試行(&R)", IDRETRY, {u"再試行(&R)", u"キャンセル"},
                QMessageBox::NoIcon},
        BoxCase{"StopSign", MB_OK | MB_ICONSTOP, u"OK", IDOK, {u"OK"}, QMessageBox::Critical}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
