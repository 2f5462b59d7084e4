#pragma once
// Shared set-up of the tool-dialog tests: a small loaded input in theApp, the
// tools' up-calls filled as at start-up, and pictures kept on request.

#include <QAbstractButton>
#include <QCheckBox>
#include <QFontMetrics>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QWidget>
#include <cstdlib>
#include <string>

#include "app/tabro_client_app.h"
#include "edittools/chain/ui/tool_dialogs_install.h"
#include "app/app_reset.h"
#include "grid/grid_set_fixture.h"
#include "platform/ui/dialog.h"
#include "platform/ui/ui_driver.h"
#include "support/look.h"

namespace tooltest {

// Keeps a picture of the dialog and checks it (support/look.h).
inline void KeepPicture(CDialog& dlg, const char* name) { ::KeepPicture(dlg, name); }

// Whether the control's present text is seen whole with its own font: every
// line the text sets fits the width the control leaves for it (a line never
// wraps a piece alone), and all of them fit its height. Empty when it does,
// else what was measured.
inline std::string TextCut(CDialog& dlg, int id) {
  CWnd* control = dlg.GetDlgItem(id);
  if (!control || !control->m_hWnd) return "no control";
  QWidget* w = control->m_hWnd;
  const std::u16string raw = ui::TextOf(dlg, id).ToU16();
  const QString text = QString::fromUtf16(raw.data(), static_cast<qsizetype>(raw.size()));
  if (text.isEmpty()) return {};
  const QFontMetrics fm(w->font());
  int room = w->width();
  // A radio or check box leaves its text what the style draws beside the box.
  QStyleOptionButton option;
  option.initFrom(w);
  if (qobject_cast<QRadioButton*>(w)) {
    room = w->style()->subElementRect(QStyle::SE_RadioButtonContents, &option, w).width();
  } else if (qobject_cast<QCheckBox*>(w)) {
    room = w->style()->subElementRect(QStyle::SE_CheckBoxContents, &option, w).width();
  } else if (qobject_cast<QAbstractButton*>(w)) {
    room -= 8;
  }
  int height = 0;
  for (const QString& line : text.split(QLatin1Char('\n'))) {
    const int need = fm.horizontalAdvance(line);
    if (need > room) return "line \"" + line.toStdString() + "\" needs " + std::to_string(need) + " px, has " + std::to_string(room);
    height += fm.lineSpacing();
  }
  if (height > w->height() + 3) return "needs " + std::to_string(height) + " px high, has " + std::to_string(w->height());
  return {};
}

// Loads rows into theApp's data grid as the loader leaves them (title in row 0).
inline void LoadRows(std::initializer_list<std::initializer_list<const char16_t*>> rows) {
  apptest::ResetTheApp();
  gridtest::Fill(theApp.m_DataGrid, rows);
  int cols = 0;
  int r = 0;
  for (const auto& cells : rows) {
    theApp.m_RowFieldCount[static_cast<size_t>(r++)] = static_cast<int>(cells.size());
    cols = std::max(cols, static_cast<int>(cells.size()));
  }
  theApp.m_DataRows = r;
  theApp.m_DataCols = cols;
  theApp.m_TitleRow = 0;
  InstallToolDialogs();
}

}  // namespace tooltest
