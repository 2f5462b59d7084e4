// Typed characters: WM_CHAR with the character (case kept) passes
// PreTranslateMessage and reaches handlers, also for text an input method
// commits, which is cut to the room an edit has left.

#include <gtest/gtest.h>

#include <QApplication>
#include <QInputMethodEvent>
#include <QWidget>
#include <string>
#include <vector>

#include "platform/ui/ui_driver.h"
#include "tests/platform/ui/sample_dialog.h"

namespace {
using namespace sample;

// Notes the characters PreTranslateMessage sees, and eats one of them.
class CCharDlg : public CSampleDlg {
 public:
  std::u16string m_Seen;
  char16_t m_Eat = 0;
  BOOL PreTranslateMessage(MSG* msg) override {
    if (msg->message == WM_CHAR) {
      m_Seen += static_cast<char16_t>(msg->wParam);
      if (msg->wParam == m_Eat) return TRUE;
    }
    return CSampleDlg::PreTranslateMessage(msg);
  }
};

// An edit whose WM_CHAR handler hears every character.
class CCharEdit : public CEdit {
 public:
  std::u16string m_Chars;
  afx_msg void OnChar(UINT ch, UINT repeat, UINT flags) {
    m_Chars += static_cast<char16_t>(ch);
    CEdit::OnChar(ch, repeat, flags);
  }
  DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CCharEdit, CEdit)
  ON_WM_CHAR()
END_MESSAGE_MAP()

void Commit(CDialog& d, const QString& text) {
  QInputMethodEvent commit;
  commit.setCommitString(text);
  QApplication::sendEvent(d.GetDlgItem(kNameEdit)->m_hWnd, &commit);
  ui::ProcessEvents();
}

TEST(TypedChars, KeysGiveTheirCharacterWithItsCase) {
  ScriptedModalDriver modal;
  CCharDlg dlg;
  CCharEdit edit;
  modal.Queue(9001, [&](CDialog& d) {
    ASSERT_TRUE(edit.SubclassDlgItem(kNameEdit, &d));
    ui::PressKey(d, kNameEdit, 'A', true);
    ui::PressKey(d, kNameEdit, 'B');
    edit.UnsubclassWindow();
    ui::Click(d, IDCANCEL);
  });
  dlg.DoModal();
  EXPECT_EQ(dlg.m_Seen, u"Ab");
  EXPECT_EQ(edit.m_Chars, u"Ab");
}

TEST(TypedChars, InputMethodTextArrivesAsCharacters) {
  ScriptedModalDriver modal;
  CCharDlg dlg;
  dlg.m_Eat = u'本';
  CCharEdit edit;
  modal.Queue(9001, [&](CDialog& d) {
    ASSERT_TRUE(edit.SubclassDlgItem(kNameEdit, &d));
    Commit(d, QStringLiteral("日本語"));
    EXPECT_EQ(ui::TextOf(d, kNameEdit), CString(u"日語"));
    edit.UnsubclassWindow();
    ui::Click(d, IDCANCEL);
  });
  dlg.DoModal();
  EXPECT_EQ(dlg.m_Seen, u"日本語");
  EXPECT_EQ(edit.m_Chars, u"日語");
}

TEST(TypedChars, InputMethodTextIsCutToTheRoomLeft) {
  ScriptedModalDriver modal;
  CSampleDlg dlg;
  modal.Queue(9001, [&](CDialog& d) {
    ui::Type(d, kNameEdit, CString(u'あ', 25));
    Commit(d, QStringLiteral("かきくけこさしす"));
    EXPECT_EQ(ui::TextOf(d, kNameEdit), CString(u'あ', 25) + u"かきくけこ");
    ui::Click(d, IDCANCEL);
  });
  dlg.DoModal();
}

}  // namespace
