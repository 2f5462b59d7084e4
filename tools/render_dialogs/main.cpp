// render_dialogs [OUTPUT_FOLDER] [DIALOG_ID...] [--disabled=ID,...] [--hidden=ID,...] [--state=NAME]
//
// Draws every registered dialog template (all of res/) as it opens, offscreen
// with the dialog font, to OUTPUT_FOLDER/dialog_<id>.png (default: the current
// folder), under a plain title bar with its caption. --disabled and --hidden
// draw the chosen dialogs in a state, with those controls disabled or hidden
// as a dialog's initialisation leaves them, to dialog_<id>_<NAME>.png (NAME
// "state" unless given). It also lists what looks
// wrong: a control that leaves the dialog, visible controls that overlap
// (group boxes may hold others), texts that do not fit their control (by the
// template, and as the built controls draw them: ui::LookFlaws), a picture
// whose image is not in res/images, and a caption that does not fit the title
// bar. Exits with 1 when it found a problem.

#include <QApplication>
#include <QDir>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QWidget>
#include <cstdio>
#include <cstdlib>
#include <set>
#include <string>
#include <vector>

#include "all_dialog_templates.h"
#include "platform/ui/application.h"
#include "platform/ui/dc.h"
#include "platform/ui/dialog.h"
#include "platform/ui/look_check.h"
#include "platform/ui/ui_driver.h"

namespace {

CString ControlName(const ControlTemplate& c) {
  return CString::Build(u"%d \"%s\"", c.id, c.text ? CString(c.text) : CString());
}

QRect PixelRect(const ControlTemplate& c) {
  int cy = DluToPixelsY(c.cy);
  if (c.kind == CtlKind::ComboDropDown || c.kind == CtlKind::ComboDropList) cy = DluToPixelsY(12) + 2;
  return QRect(DluToPixelsX(c.x), DluToPixelsY(c.y), DluToPixelsX(c.cx), cy);
}

QString Visible(const char16_t* text) {
  QString q = text ? QString::fromUtf16(text) : QString();
  q.replace(QStringLiteral("&&"), QStringLiteral("\x01"));
  q.remove(QLatin1Char('&'));
  q.replace(QChar(1), QLatin1Char('&'));
  return q;
}

// Room a kind of control leaves for its caption.
int TextRoom(const ControlTemplate& c, int width) {
  switch (c.kind) {
    case CtlKind::CheckBox:
    case CtlKind::Radio: return (c.flags & tpl::kPushLike) ? width - 8 : width - 20;
    case CtlKind::PushButton:
    case CtlKind::DefPushButton: return width - 8;
    case CtlKind::GroupBox: return width - 16;
    default: return width;
  }
}

// The title bar drawn above a dialog: its height, and the room its close box takes.
constexpr int kTitleHeight = 24;
constexpr int kCloseBoxRoom = 32;
constexpr int kTitleMargin = 8;

// The dialog under a title bar with its caption (child dialogs have none).
QImage WithTitleBar(const DialogTemplate& t, const QImage& client, const QFont& font) {
  if (t.flags & tpl::kChild) return client;
  QImage framed(client.width(), client.height() + kTitleHeight, QImage::Format_RGB32);
  framed.fill(QColor(255, 255, 255));
  QPainter p(&framed);
  p.setFont(font);
  p.setPen(QColor(0, 0, 0));
  QRect bar(0, 0, client.width(), kTitleHeight);
  p.drawText(bar.adjusted(kTitleMargin, 0, -kCloseBoxRoom, 0), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
             QString::fromUtf16(t.caption ? t.caption : u""));
  p.drawText(QRect(client.width() - kCloseBoxRoom, 0, kCloseBoxRoom, kTitleHeight), Qt::AlignCenter,
             QStringLiteral("\u00D7"));
  p.setPen(QColor(160, 160, 160));
  p.drawLine(0, kTitleHeight - 1, client.width() - 1, kTitleHeight - 1);
  p.drawImage(0, kTitleHeight, client);
  return framed;
}

int Check(const DialogTemplate& t, const QFont& font) {
  int problems = 0;
  QFontMetrics fm(font);
  if (!(t.flags & tpl::kChild) && t.caption) {
    int need = fm.horizontalAdvance(QString::fromUtf16(t.caption));
    int room = DluToPixelsX(t.cx) - kTitleMargin - kCloseBoxRoom;
    if (need > room) {
      std::printf("  caption needs %d px, the title bar has %d\n", need, room);
      ++problems;
    }
  }
  QRect client(0, 0, DluToPixelsX(t.cx), DluToPixelsY(t.cy));
  std::vector<QRect> rects;
  for (const ControlTemplate& c : t.controls) rects.push_back(PixelRect(c));
  for (size_t i = 0; i < t.controls.size(); ++i) {
    const ControlTemplate& c = t.controls[i];
    if (c.kind == CtlKind::Picture && c.text && *c.text) {
      CBitmap image;
      if (!image.LoadBitmap(CString(c.text))) {
        std::printf("  %s names no image of res/images\n", ControlName(c).ToUtf8().c_str());
        ++problems;
      }
    }
    if (c.flags & tpl::kHidden) continue;
    if (!client.contains(rects[i])) {
      std::printf("  %s leaves the dialog\n", ControlName(c).ToUtf8().c_str());
      ++problems;
    }
    QString text = Visible(c.text);
    bool captioned = c.kind == CtlKind::Static || c.kind == CtlKind::CheckBox || c.kind == CtlKind::Radio ||
                     c.kind == CtlKind::PushButton || c.kind == CtlKind::DefPushButton || c.kind == CtlKind::GroupBox;
    if (captioned && !text.isEmpty()) {
      int room = TextRoom(c, rects[i].width());
      bool wraps = c.kind == CtlKind::Static || (c.flags & tpl::kMultiline);
      QRect need = fm.boundingRect(QRect(0, 0, room, 10000), wraps ? Qt::TextWordWrap : 0, text);
      int lines = text.count(QLatin1Char('\n')) + 1;
      int height = c.kind == CtlKind::GroupBox ? fm.height() : rects[i].height();
      if (need.width() > room || (c.kind != CtlKind::GroupBox && need.height() > height + 3 && (wraps || lines > 1))) {
        std::printf("  %s text needs %dx%d px, has %dx%d\n", ControlName(c).ToUtf8().c_str(), need.width(),
                    need.height(), room, height);
        ++problems;
      }
    }
    for (size_t j = i + 1; j < t.controls.size(); ++j) {
      const ControlTemplate& d = t.controls[j];
      if (d.flags & tpl::kHidden) continue;
      if (c.kind == CtlKind::GroupBox || d.kind == CtlKind::GroupBox) continue;
      if (c.kind == CtlKind::Picture || d.kind == CtlKind::Picture) continue;
      if (rects[i].intersects(rects[j])) {
        std::printf("  %s overlaps %s\n", ControlName(c).ToUtf8().c_str(), ControlName(d).ToUtf8().c_str());
        ++problems;
      }
    }
  }
  return problems;
}

// The ids of "--name=1,2,3" when arg starts with "--name=".
bool IdList(const std::string& arg, const std::string& name, std::vector<int>& ids) {
  const std::string prefix = "--" + name + "=";
  if (arg.rfind(prefix, 0) != 0) return false;
  for (const QString& part : QString::fromStdString(arg.substr(prefix.size())).split(QLatin1Char(','), Qt::SkipEmptyParts))
    ids.push_back(part.toInt());
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  ui::StartApplication(argc, argv);
  SetImageFolder(CString(TABRO_IMAGE_DIR));
  QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
  std::set<int> only;
  std::vector<int> disabled, hidden;
  QString state;
  for (int i = 2; i < argc; ++i) {
    const std::string arg = argv[i];
    if (IdList(arg, "disabled", disabled) || IdList(arg, "hidden", hidden)) continue;
    if (arg.rfind("--state=", 0) == 0) state = QString::fromStdString(arg.substr(8));
    else only.insert(std::atoi(argv[i]));
  }
  if (state.isEmpty() && (!disabled.empty() || !hidden.empty())) state = QStringLiteral("state");
  QDir().mkpath(out);
  int problems = 0;
  int drawn = 0;
  for (const DialogTemplate* t : AllDialogTemplates()) {
    if (!only.empty() && !only.count(t->id)) continue;
    CDialog dlg(*t);
    if (!dlg.CreateFromTemplate(nullptr, (t->flags & tpl::kChild) != 0)) continue;
    for (int id : disabled)
      if (CWnd* c = dlg.GetDlgItem(id)) c->EnableWindow(FALSE);
    for (int id : hidden)
      if (CWnd* c = dlg.GetDlgItem(id)) c->ShowWindow(SW_HIDE);
    ui::Picture picture = ui::Render(dlg);
    QString name = state.isEmpty() ? QStringLiteral("dialog_%1.png").arg(t->id)
                                   : QStringLiteral("dialog_%1_%2.png").arg(t->id).arg(state);
    QString file = QDir(out).filePath(name);
    if (!picture.Image() || !WithTitleBar(*t, *picture.Image(), dlg.m_hWnd->font()).save(file, "PNG")) {
      std::fprintf(stderr, "cannot write %s\n", file.toUtf8().constData());
      return 2;
    }
    std::printf("%d %s -> %s\n", t->id, CString(t->caption ? t->caption : u"").ToUtf8().c_str(),
                file.toUtf8().constData());
    problems += Check(*t, dlg.m_hWnd->font());
    // The built dialog as drawn: what the style makes of each control.
    for (const std::string& flaw : ui::LookFlaws(dlg)) {
      std::printf("  %s\n", flaw.c_str());
      ++problems;
    }
    ++drawn;
  }
  std::printf("%d dialogs drawn, %d problems\n", drawn, problems);
  return problems > 0 ? 1 : 0;
}
