// The desktop message box: its caption, buttons, icon and the answer a click
// gives; the file and folder choosers: title, starting folder, filter, answer.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QFileDialog>
#include <QFontMetrics>
#include <QMessageBox>
#include <QTimer>

#include <filesystem>
#include <functional>
#include <vector>

#include "platform/ui/qt_ui_hooks.h"
#include "platform/ui/ui_driver.h"
#include "support/temp_dir.h"

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
  int width = 0, captionWidth = 0;
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
    width = box->width();
    captionWidth = QFontMetrics(box->font()).horizontalAdvance(title);
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
  // A short text: the box must still be wide enough for its caption.
  int answer = hooks.MessageBox(u"認証エラー", u"タブロコネクト", c.type);
  EXPECT_TRUE(seen);
  EXPECT_EQ(answer, c.answer);
  EXPECT_EQ(title, Q(u"タブロコネクト"));
  EXPECT_EQ(text, Q(u"認証エラー"));
  // Room for the caption beside the title bar's icon and buttons.
  EXPECT_GE(width, captionWidth + 100);
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

// Acts on the first file dialog that comes up (and closes anything left after 5 s).
class OnFileDialog {
 public:
  explicit OnFileDialog(std::function<void(QFileDialog&)> act) : m_act(std::move(act)) {
    QObject::connect(&m_poll, &QTimer::timeout, [this]() {
      auto* d = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
      if (!d || m_seen) return;
      m_seen = true;
      m_act(*d);
    });
    m_poll.start(10);
    m_safety.setSingleShot(true);
    QObject::connect(&m_safety, &QTimer::timeout, []() {
      if (QWidget* w = QApplication::activeModalWidget()) w->close();
    });
    m_safety.start(5000);
  }
  bool Seen() const { return m_seen; }

 private:
  std::function<void(QFileDialog&)> m_act;
  QTimer m_poll, m_safety;
  bool m_seen = false;
};

QString Native(const std::filesystem::path& p) { return QString::fromStdString(p.string()); }

TEST(QtUiHooks, TheFileChooserStartsInTheFolderWithTheFilterAndAnswersThePath) {
  testsupport::TempDir dir;
  const auto csv = dir.Write("売上.csv", "a,b\r\n");
  QtUiHooks hooks;
  QString title, folder;
  QStringList filters;
  OnFileDialog act([&](QFileDialog& d) {
    title = d.windowTitle();
    folder = d.directory().absolutePath();
    filters = d.nameFilters();
    // The dialog fills in its name field only while the user is not typing there.
    if (QWidget* typing = QApplication::focusWidget()) typing->clearFocus();
    d.selectFile(Native(csv));
    static_cast<QDialog&>(d).accept();
  });
  CString chosen = hooks.ChooseOpenFile(u"CSVファイルを開く", u"CSVファイル|*.csv|すべて|*.*|",
                                        CString(dir.path().string().c_str()));
  EXPECT_TRUE(act.Seen());
  EXPECT_EQ(title, QString::fromUtf16(u"CSVファイルを開く"));
  EXPECT_EQ(folder, Native(dir.path()));
  EXPECT_EQ(filters, (QStringList{QStringLiteral("CSVファイル (*.csv)"), QString::fromUtf16(u"すべて (*)")}));
  EXPECT_EQ(chosen, CString(csv.string().c_str()));
}

TEST(QtUiHooks, TheFolderChooserAnswersTheFolderOrNothingWhenCancelled) {
  testsupport::TempDir dir;
  std::filesystem::create_directory(dir / "出力");
  QtUiHooks hooks;
  QString folder;
  {
    OnFileDialog act([&](QFileDialog& d) {
      folder = d.directory().absolutePath();
      d.setDirectory(Native(dir / "出力"));
      static_cast<QDialog&>(d).accept();
    });
    CString chosen = hooks.ChooseFolder(u"作成したファイルを保存するフォルダーを指定してください",
                                        CString(dir.path().string().c_str()));
    EXPECT_TRUE(act.Seen());
    EXPECT_EQ(folder, Native(dir.path()));
    EXPECT_EQ(chosen, CString((dir / "出力").string().c_str()));
  }
  OnFileDialog cancel([](QFileDialog& d) { d.reject(); });
  EXPECT_EQ(hooks.ChooseFolder(u"フォルダー", CString(dir.path().string().c_str())), CString());
  EXPECT_TRUE(cancel.Seen());
}

}  // namespace
