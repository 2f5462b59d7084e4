// The look check finds what a person would see cut or covered, and nothing else.

#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <algorithm>
#include <QWidget>
#include <span>
#include <string>
#include <vector>

#include "platform/ui/look_check.h"
#include "platform/ui/ui.h"
#include "platform/ui/ui_driver.h"

namespace {

enum : int { kFirst = 3101, kSecond = 3102 };

struct LookCase {
  const char* name;
  std::vector<ControlTemplate> controls;
  const char* finding;   // a part of the one expected finding; empty: none
};

std::vector<LookCase> Cases() {
  const uint32_t hidden = tpl::kHidden;
  return {
      {"a static that fits", {{CtlKind::Static, kFirst, u"帳票タイトル", 5, 5, 80, 10}}, ""},
      {"a one-line static wrapping below its height",
       {{CtlKind::Static, kFirst, u"帳票タイトル名を指定してください", 5, 5, 40, 10}}, "px high"},
      {"a single line may wrap where there is height",
       {{CtlKind::Static, kFirst, u"帳票タイトル名を指定してください", 5, 5, 60, 40}}, ""},
      {"a line its author set must not wrap",
       {{CtlKind::Static, kFirst, u"※全ての列の日付データに対して、\n設定した書式", 5, 5, 70, 60}},
       "line \"※全ての列の日付データに対して、\""},
      {"tabs take their room",
       {{CtlKind::Static, kFirst, u"[1]＝2\t\t\t等しい", 5, 5, 40, 10}}, "needs"},
      {"a button caption", {{CtlKind::PushButton, kFirst, u"マクロでデータ作成", 5, 5, 40, 14}}, "needs"},
      {"a check box leaves room for its box",
       {{CtlKind::CheckBox, kFirst, u"合計値のみ表示", 5, 5, 56, 10}}, "needs"},
      {"a group box title", {{CtlKind::GroupBox, kFirst, u"グループ項目  (小→中→大分類の順)", 5, 5, 40, 40}}, "title"},
      {"a hidden control's text is judged too",
       {{CtlKind::Static, kFirst, u"追加CSV処理は3,000行以上はできません", 5, 5, 40, 10, hidden}}, "px high"},
      {"shown controls that overlap",
       {{CtlKind::Edit, kFirst, nullptr, 5, 5, 60, 14}, {CtlKind::Edit, kSecond, nullptr, 40, 10, 60, 14}},
       "overlaps"},
      {"a hidden control may lie under a shown one",
       {{CtlKind::Edit, kFirst, nullptr, 5, 5, 60, 14}, {CtlKind::Edit, kSecond, nullptr, 5, 5, 60, 14, hidden}}, ""},
      {"a group box holds others",
       {{CtlKind::GroupBox, kFirst, u"日付", 5, 5, 90, 50}, {CtlKind::Edit, kSecond, nullptr, 10, 20, 60, 14}}, ""},
      {"a control beyond the dialog", {{CtlKind::Edit, kFirst, nullptr, 80, 5, 60, 14}}, "leaves its parent"},
  };
}

TEST(LookCheck, FindsCutTextsAndCoveredControls) {
  for (const LookCase& c : Cases()) {
    const DialogTemplate t{9311, u"見た目", 120, 80, std::span<const ControlTemplate>(c.controls)};
    CDialog dlg(t);
    ASSERT_TRUE(dlg.CreateFromTemplate(nullptr, false)) << c.name;
    const std::vector<std::string> flaws = ui::LookFlaws(dlg);
    if (!*c.finding) {
      EXPECT_TRUE(flaws.empty()) << c.name << ": " << ui::JoinFlaws(flaws);
    } else {
      ASSERT_EQ(flaws.size(), 1u) << c.name << ": " << ui::JoinFlaws(flaws);
      EXPECT_NE(flaws[0].find(c.finding), std::string::npos) << c.name << ": " << flaws[0];
    }
  }
}

// A text the program puts in later is judged as it stands now.
TEST(LookCheck, JudgesTheTextAsSetByTheProgram) {
  const ControlTemplate controls[] = {{CtlKind::Static, kFirst, u"件数", 5, 5, 60, 10}};
  const DialogTemplate t{9312, u"見た目", 120, 80, controls};
  CDialog dlg(t);
  ASSERT_TRUE(dlg.CreateFromTemplate(nullptr, false));
  EXPECT_EQ(ui::JoinFlaws(ui::LookFlaws(dlg)), "");
  dlg.SetDlgItemText(kFirst, u"【東京都千代田区丸の内一丁目二番三号ビル】は30件");
  EXPECT_NE(ui::JoinFlaws(ui::LookFlaws(dlg)), "");
}

// Left edges of the runs of ink in a band of a picture, runs apart by at least gap pixels.
std::vector<int> InkRuns(const ui::Picture& p, const CRect& band, int gap) {
  std::vector<int> starts;
  int last = -1000;
  for (int x = band.left; x < band.right; ++x) {
    bool ink = false;
    for (int y = band.top; y < band.bottom && !ink; ++y) {
      const COLORREF c = p.Pixel(x, y);
      ink = GetRValue(c) + GetGValue(c) + GetBValue(c) < 300;
    }
    if (!ink) continue;
    if (x - last > gap) starts.push_back(x);
    last = x;
  }
  return starts;
}

// Examples written with tabs for another font: their pieces stand in columns
// shared by the statics beside each other, whatever blanks and tabs lie between.
TEST(TabbedStatics, ThePiecesOfNeighboursLineUp) {
  const ControlTemplate controls[] = {
      {CtlKind::Static, kFirst, u"[1]＝2　　　　　\t　　　　\t等しい\t\t(1列目が2であるとき)", 5, 5, 300, 10},
      {CtlKind::Static, kSecond, u"[1]＞＝0\t\t以上\t\t(1列目が0以上のとき)", 5, 20, 300, 10},
  };
  const DialogTemplate t{9313, u"例", 320, 40, controls};
  CDialog dlg(t);
  ASSERT_TRUE(dlg.CreateFromTemplate(nullptr, false));
  const ui::Picture picture = ui::Render(dlg);
  std::vector<std::vector<int>> rows;
  for (int id : {kFirst, kSecond}) {
    CRect r;
    dlg.GetDlgItem(id)->GetWindowRect(&r);
    dlg.ScreenToClient(&r);
    rows.push_back(InkRuns(picture, r, 12));
  }
  ASSERT_EQ(rows[0].size(), 3u);
  ASSERT_EQ(rows[1].size(), 3u);
  EXPECT_EQ(rows[0][0], rows[1][0]);
  EXPECT_NEAR(rows[0][1], rows[1][1], 2);
  EXPECT_NEAR(rows[0][2], rows[1][2], 2);
  EXPECT_EQ(ui::JoinFlaws(ui::LookFlaws(dlg)), "");
}

// The width of a text's ink as drawn alone in a font.
int InkWidth(const QFont& font, const QString& text) {
  QImage image(200, 40, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter p(&image);
  p.setFont(font);
  p.setPen(Qt::black);
  p.drawText(QRect(10, 0, 190, 40), Qt::AlignLeft | Qt::AlignVCenter, text);
  p.end();
  int left = 1000, right = -1;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (qGray(image.pixel(x, y)) < 100) left = std::min(left, x), right = std::max(right, x);
  return right - left + 1;
}

// A group box title ending in a bracket drew as "【例": the style measured the
// title by its ink and cut the closing bracket off.
TEST(GroupBoxTitle, TheClosingBracketIsDrawn) {
  const ControlTemplate controls[] = {{CtlKind::GroupBox, kFirst, u"【例】", 5, 5, 200, 40}};
  const DialogTemplate t{9314, u"例", 220, 60, controls};
  CDialog dlg(t);
  ASSERT_TRUE(dlg.CreateFromTemplate(nullptr, false));
  const ui::Picture picture = ui::Render(dlg);
  CRect box;
  dlg.GetDlgItem(kFirst)->GetWindowRect(&box);
  dlg.ScreenToClient(&box);
  const QFont font = dlg.GetDlgItem(kFirst)->m_hWnd->font();
  // The title's line, above the frame.
  const int line = QFontMetrics(font).height() - 2;
  int left = 1000, right = -1;
  for (int y = box.top; y < box.top + line; ++y)
    for (int x = box.left; x < box.right; ++x) {
      const COLORREF c = picture.Pixel(x, y);
      if (GetRValue(c) + GetGValue(c) + GetBValue(c) < 300) left = std::min(left, x), right = std::max(right, x);
    }
  ASSERT_GE(right, left);
  EXPECT_GE(right - left + 1, InkWidth(font, QStringLiteral("【例】")) - 1);
}

}  // namespace
