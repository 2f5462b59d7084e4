// The program's Qt set-up, run in a fresh process exactly as main runs it:
// real events through the real event loop reach Enter, Esc,
// PreTranslateMessage and the mouse capture.

#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTimer>
#include <QWidget>
#include <cstdlib>
#include <cstring>

#include "platform/ui/application.h"
#include "platform/ui/ui.h"
#include "platform/ui/ui_driver.h"
#include "tests/platform/ui/sample_dialog.h"

namespace {
using namespace sample;

// Notes the keys PreTranslateMessage saw and the presses its OK button heard
// while the name edit held the capture.
class CWatchDlg : public CSampleDlg {
 public:
  int m_KeysSeen = 0;
  int m_CapturedPresses = 0;
  BOOL PreTranslateMessage(MSG* msg) override {
    if (msg->message == WM_KEYDOWN) ++m_KeysSeen;
    return CSampleDlg::PreTranslateMessage(msg);
  }
  afx_msg void OnLButtonDown(UINT, CPoint) {
    ++m_CapturedPresses;
    ReleaseCapture();
    EndDialog(IDRETRY);
  }
  DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CWatchDlg, CSampleDlg)
  ON_WM_LBUTTONDOWN()
END_MESSAGE_MAP()

QWidget* Widget(CDialog& dlg, int id) { return dlg.GetDlgItem(id)->m_hWnd; }

// Posts a key to a control once the dialog's event loop runs.
void PostKeySoon(CDialog& dlg, int id, Qt::Key key) {
  QTimer::singleShot(0, [&dlg, id, key]() {
    QCoreApplication::postEvent(Widget(dlg, id), new QKeyEvent(QEvent::KeyPress, key, Qt::NoModifier));
  });
}

// Each failed check sets a bit of the exit code.
int RunAsMain() {
  static char a0[] = "TabroConnect", a1[] = "-platform", a2[] = "offscreen", a3[] = "売上.csv";
  static char* argv[] = {a0, a1, a2, a3, nullptr};
  static int argc = 4;
  int failed = 0;
  if (!ui::StartApplication(argc, argv)) return 1;
  // Qt took its own options; the program's argument stays.
  if (argc != 2 || std::strcmp(argv[1], "売上.csv") != 0) failed |= 2;
  // A second call changes nothing.
  if (ui::StartApplication(argc, argv)) failed |= 4;
  // Bound the real loops: a dialog left open is closed after 5 s.
  QTimer safety;
  QObject::connect(&safety, &QTimer::timeout, []() {
    if (QWidget* w = QApplication::activeModalWidget()) w->close();
  });
  safety.start(5000);

  CWatchDlg esc;
  PostKeySoon(esc, kNameEdit, Qt::Key_Escape);
  if (esc.DoModal() != IDCANCEL) failed |= 8;
  if (esc.m_KeysSeen != 1) failed |= 16;

  CWatchDlg enter;
  PostKeySoon(enter, kNameEdit, Qt::Key_Return);
  if (enter.DoModal() != IDOK) failed |= 32;

  // The dialog takes the capture: a press on its OK button reaches the dialog.
  CWatchDlg capture;
  QTimer::singleShot(0, [&capture]() {
    capture.SetCapture();
    QWidget* ok = Widget(capture, IDOK);
    QPointF at(3, 3);
    QCoreApplication::postEvent(
        ok, new QMouseEvent(QEvent::MouseButtonPress, at, ok->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                            Qt::NoModifier));
    QCoreApplication::postEvent(
        ok, new QMouseEvent(QEvent::MouseButtonRelease, at, ok->mapToGlobal(at), Qt::LeftButton, Qt::NoButton,
                            Qt::NoModifier));
  });
  if (capture.DoModal() != IDRETRY || capture.m_CapturedPresses != 1) failed |= 64;
  return failed;
}

TEST(Application, TheProgramsSetUpRunsDialogKeysPreTranslationAndCapture) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(std::exit(RunAsMain()), ::testing::ExitedWithCode(0), "");
}

// Regression: the file choosers and message-box buttons spoke English.
TEST(Application, QtsOwnTextsAreJapanese) {
  ui::EnsureApplication();
  EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("キャンセル"));
  EXPECT_EQ(QCoreApplication::translate("QFileDialog", "Look in:"), QStringLiteral("アドレス:"));
}

}  // namespace
