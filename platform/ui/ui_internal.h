#pragma once
// Inside the window layer only: the registry that ties widgets to CWnd
// objects, and the helpers the layer's .cpp files share. Includes Qt.

#include <QColor>
#include <QPalette>
#include <QImage>
#include <QPointer>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QString>
#include <QStringList>
#include <QValidator>
#include <QWidget>

#include <map>
#include <memory>
#include <vector>

#include "platform/ui/dialog_template.h"
#include "platform/ui/wnd.h"

class CDialog;
class QAbstractButton;
class QLabel;
class QListWidgetItem;
class QImage;
class QMouseEvent;
class QPainter;
class QTimer;
class QTabWidget;

struct BitmapData {
  QImage image;
};

// What the layer knows of one widget.
struct WidgetInfo {
  std::vector<CWnd*> owners;       // attached objects, oldest first
  std::vector<CWnd*> routers;      // subclassing objects, oldest first (messages go to the last)
  std::unique_ptr<CWnd> temp;      // wrapper made by FromHandle
  int id = 0;
  bool hasKind = false;
  CtlKind kind = CtlKind::Static;
  uint32_t flags = 0;              // template flags
  std::vector<QWidget*> radioGroup;   // for the first radio of a group: its members
  QWidget* groupLeader = nullptr;     // for a radio: the first of its group
  std::map<UINT_PTR, QTimer*> timers;
  bool acceptFiles = false;
  bool hover = false;
  int redrawOff = 0;
  QPainter* painter = nullptr;     // while a paint handler runs
  CFont* font = nullptr;           // font given by SetFont
  QWidget* aliasOf = nullptr;      // a viewport: messages belong to this widget
  CDialog* dialog = nullptr;       // a dialog's own widget: the dialog object
  int limit = 0;                   // multi-line edit typing limit
  QString lastText;                // multi-line edit text before the last change
  bool programmaticTab = false;
  // The look before the parent's OnCtlColor first coloured the control, so a
  // later answer without a brush takes the colour away again.
  bool ctlColored = false;
  QPalette baseCtlPalette;
  bool baseCtlAutoFill = false;
};

namespace layer {

// What a user may type into a single-line edit: nothing beyond the typing
// limit, and only digits in a digits-only edit. Text set by the program is
// not checked, as on the platform.
class EditValidator : public QValidator {
 public:
  EditValidator(QLineEdit* edit, bool digitsOnly);
  State validate(QString& input, int& pos) const override;
  // Sets text as the program does (never refused).
  void SetProgramText(const QString& text);
  int m_limit = 0;   // 0: no limit

 private:
  QLineEdit* m_edit;
  bool m_digits;
  bool m_programmatic = false;
  QString m_last;    // the text before the change being validated
};

QString ToQ(const CString& s);
CString FromQ(const QString& s);
QColor ToQColor(COLORREF c);
COLORREF FromQColor(const QColor& c);

// Registry.
WidgetInfo* Info(const QWidget* w);          // null when not registered
WidgetInfo& Register(QWidget* w);            // registers (once) and watches destruction
void RegisterAlias(QWidget* viewport, QWidget* owner);
// The object receiving the widget's messages: the last subclassing object,
// else the last attached one, else a temporary wrapper.
CWnd* Router(QWidget* w);
// The nearest ancestor (not w itself) with a registered router.
CWnd* ParentRouter(QWidget* w);
void AddOwner(QWidget* w, CWnd* wnd, bool routes);
void RemoveOwner(QWidget* w, CWnd* wnd);
// A window whose router maps WM_MOUSEMOVE hears moves without a button too.
void TrackMouseIfMapped(QWidget* w);
// Makes the wrapper object of the class matching the widget's kind.
std::unique_ptr<CWnd> MakeWrapper(const QWidget* w);
// A child control by id (direct child of the dialog widget).
QWidget* FindChildById(const QWidget* parent, int id);

// Notifications from a control: reflected to the control's own object when it
// maps them, else sent to the parent's OnCommand / WM_NOTIFY handling.
void SendCommand(QWidget* control, UINT code);
LRESULT SendNotify(QWidget* control, NMHDR& hdr);
// Window message to the widget's router; true when a handler ran and did not
// ask for the default handling.
bool SendWindowMessage(QWidget* w, UINT message, MsgArgs& args);
// Usable by a user: enabled, and neither it nor a parent below its window
// hidden (tests may drive a window they never showed).
bool Usable(QWidget* w);
// Whether the widget's router maps the message.
bool Maps(QWidget* w, UINT message);

// A key message sent to a widget as if typed there, bypassing PreTranslateMessage.
void DeliverKey(QWidget* w, UINT message, UINT code);
Qt::Key QtKeyOf(UINT vk);

// Installs the layer's event filter on a widget (and alias viewports).
void Watch(QWidget* w);
// The "default requested" flag of the message being handled.
void RequestDefault();

// Mouse messages (mouse.cpp): the message of a Qt mouse event (0 for none),
// its delivery to a window (the receiver itself, a viewport of it, or the
// window holding the capture) in that window's client coordinates (true when
// a handler ate it), and the capture: true when the event went to the window
// holding the capture instead of the receiver.
UINT MouseMessage(const QMouseEvent* e);
bool SendMouseMessage(QWidget* receiver, QWidget* owner, UINT message, const QMouseEvent* e);
bool RedirectToCapture(QWidget* receiver, QMouseEvent* e);
// The message PreTranslateMessage sees for a mouse or wheel event (false for
// other events), addressed to the capture window or the window under the mouse.
bool MouseMsgOf(QWidget* receiver, QEvent* ev, MSG& msg);

// Painting dispatch: the painter of a widget while its paint handler runs.
QPainter* CurrentPainter(const QWidget* w);

// The widget of a window as the given class, or null.
template <class T>
T* As(HWND w) {
  return qobject_cast<T*>(w);
}

// Builds one control of a template inside parent; returns the widget.
QWidget* BuildControl(QWidget* parent, const ControlTemplate& ct, QWidget* groupLeader);

// A static whose text holds tabs shows it as columns: the pieces between runs
// of blanks that hold a tab line up with the pieces of the other such statics
// beside it (same parent, same left edge), as a table. Tab stops of a fixed
// width would align the pieces only for the font the texts were written with.
QStringList TabPieces(const QString& line);
// Left edge of each column of such a static, in its own coordinates.
std::vector<int> TabColumns(const QLabel* label);
// Width a line of such a static takes.
int TabLineWidth(const QLabel* label, const QString& line);

// Text without its mnemonic marks: each "&" dropped, "&&" shown as one "&".
QString StripMnemonic(QString text);
// A static's text. The static keeps the text as it was set (what GetWindowText
// returns) and shows it with its mnemonic marks processed unless noPrefix (the
// style SS_NOPREFIX) asks for the text as it is.
void SetStaticText(QLabel* label, const QString& text, bool noPrefix);
QString StaticText(const QLabel* label);

// An entry of a check list: unchecked, its box drawn from its state and
// toggled by the layer on the press, never by Qt on the release.
void MakeCheckEntry(QListWidgetItem* item);

// A user's choice of a tab (mouse, keys, SelectAsUser): TCN_SELCHANGING
// first, whose handler may refuse; then the change and TCN_SELCHANGE.
bool UserSelectsTab(QTabWidget* tabs, int index);

// Checks a radio button and unchecks the others of its group.
void CheckRadioInGroup(QAbstractButton* b);
// The report-view list widget with its model.
QWidget* CreateListView(QWidget* parent, uint32_t flags);

// Masks a single-line edit's text with the character mask, as a password box
// does; 0 shows the text in clear.
void SetPasswordMask(QLineEdit* edit, char16_t mask);

// Makes a multi-line edit read-only or not. A read-only one keeps its caret,
// so the focus is seen when Tab brings it there.
void SetMultilineReadOnly(QPlainTextEdit* edit, bool readOnly);

// The application palette of dialogs.
QPalette DialogPalette();
// Dialog font (the application font).
QFont DialogQFont();
QFont ToQFont(const CFont* font);

// Application title for message boxes without a caption.
CString AppTitle();

}  // namespace layer
