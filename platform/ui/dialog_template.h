#pragma once
// Dialog templates: what a dialog holds when it opens, written as data.
//
// Each dialog has one header in res/ (res/<name>.h) with a constexpr table:
//
//   #include "platform/ui/dialog_template.h"
//   namespace res {
//   inline constexpr ControlTemplate kNameDlgControls[] = {
//     // kind               id    text              x    y   cx  cy  flags
//     {CtlKind::Static,    IDC_STATIC, u"帳票タイトル名", 7, 9, 60, 8},
//     {CtlKind::Edit,      1106, nullptr,            70,  7, 120, 14},
//     {CtlKind::DefPushButton, IDOK, u"OK",          86, 30, 50, 14},
//     {CtlKind::PushButton, IDCANCEL, u"キャンセル", 140, 30, 50, 14, tpl::kHidden},
//   };
//   inline constexpr DialogTemplate kNameDlg{475, u"CSVファイル名設定", 197, 51, kNameDlgControls};
//   TABRO_REGISTER_DIALOG(kNameDlg);
//   }  // namespace res
//
// Rules of the format:
// - Positions and sizes are dialog units: one horizontal unit is 1.5 pixels
//   and one vertical unit 2 pixels (kDluX / kDluY below), for the dialog
//   font (Noto Sans CJK JP, 12 pixels, whose lines are about 17 pixels high:
//   8 vertical units hold one line of text, 14 an edit box or a button, as in
//   a classic dialog). x, y are the control's top-left corner
//   inside the dialog's client area; cx, cy its size.
// - Controls are created in table order, which is also the tab order. A radio
//   button with tpl::kGroup starts a new radio group; the following radio
//   buttons up to the next kGroup control (of any kind) belong to it.
// - Controls are visible and enabled unless flagged kHidden / kDisabled.
// - text: caption of statics, buttons, group boxes, check boxes and radios;
//   initial text of edits; for a Picture the name of an image in res/images/
//   (empty: a plain frame or an owner-painted area). "&" marks a mnemonic in
//   buttons ("ヘルプ(&H)"); "&&" is a literal "&". For combos and list boxes,
//   the text holds the initial items separated by "\n" (may be null).
// - The table is registered under the dialog id; CDialogEx(IDD) looks it up.
//   Every template that is registered is drawn by the render_dialogs tool.
// - A res/ header holds data only: it includes this header (and
//   platform/ui_hooks.h for IDOK/IDCANCEL) and nothing that needs code of
//   another library, so the render tool can include every one of them.

#include <cstdint>
#include <span>
#include <vector>

#include "platform/ui/win_types.h"

enum class CtlKind : uint8_t {
  Static,         // text label
  GroupBox,       // framed box with a caption
  Picture,        // frame, image or owner-painted area
  Edit,           // edit box (single line unless kMultiline)
  PushButton,
  DefPushButton,  // the default button (Enter)
  CheckBox,
  Radio,
  ComboDropDown,  // combo box with an editable field
  ComboDropList,  // combo box with a fixed list
  ListBox,
  CheckListBox,   // list box with a check box per item
  ListView,       // report-view list control
  TabCtrl,
  Spin,           // up-down arrows
  DateTime,       // date picker
  Progress,
};

// Flags of a control or dialog template.
namespace tpl {
enum : uint32_t {
  kHidden = 1u << 0,
  kDisabled = 1u << 1,
  kGroup = 1u << 2,         // starts a radio group (and a tab group)
  kNoTabStop = 1u << 3,
  kMultiline = 1u << 4,     // edit: several lines; static/button: word wrap
  kReadOnly = 1u << 5,
  kNumber = 1u << 6,        // edit: digits only
  kPassword = 1u << 7,
  kWantReturn = 1u << 8,    // multi-line edit: Enter makes a new line
  kCenter = 1u << 9,        // text centred horizontally
  kRight = 1u << 10,        // text right-aligned
  kVCenter = 1u << 11,      // text centred vertically
  kSunken = 1u << 12,       // sunken frame (statics)
  kBorder = 1u << 13,
  kVScroll = 1u << 14,
  kHScroll = 1u << 15,
  kPushLike = 1u << 16,     // check box or radio drawn as a push button
  kSort = 1u << 17,         // combo/list: keep items sorted (else insertion order)
  kMultiSel = 1u << 18,     // list box: extended selection
  kSingleSel = 1u << 19,    // list view: one selected item at most
  kNoSortHeader = 1u << 20, // list view: header not clickable
  kNoColumnHeader = 1u << 21,
  kShowSelAlways = 1u << 22,
  kCheckBoxes = 1u << 23,   // list view: a check box per item
  kThreeState = 1u << 24,   // check box with an indeterminate state
  kNoPrefix = 1u << 25,     // "&" shown as it is
  kSetBuddyInt = 1u << 26,  // spin: writes its position into the previous control
  kOwnerDraw = 1u << 27,    // painted by its object's OnPaint / OnDraw
  // Dialog flags.
  kChild = 1u << 28,        // a page or a modeless child dialog: no frame
  kMinimizeBox = 1u << 29,
  kTopMost = 1u << 30,
  kNoSysMenu = 1u << 31,
};
}  // namespace tpl

struct ControlTemplate {
  CtlKind kind;
  int id;
  const char16_t* text = nullptr;
  int x = 0;
  int y = 0;
  int cx = 0;
  int cy = 0;
  uint32_t flags = 0;
};

struct DialogTemplate {
  int id;
  const char16_t* caption;
  int cx;
  int cy;
  std::span<const ControlTemplate> controls;
  uint32_t flags = 0;
};

// Dialog-unit scale (pixels per unit) and the dialog font.
inline constexpr double kDluX = 1.5;
inline constexpr double kDluY = 2.0;
inline constexpr int kDialogFontPixels = 12;
inline constexpr const char* kDialogFontFamily = "Noto Sans CJK JP";
int DluToPixelsX(int units);
int DluToPixelsY(int units);

// Registers a template under its id; false (and nothing changes) when another
// template already holds the id.
bool RegisterDialogTemplate(const DialogTemplate& dialog);
// The template of a dialog id, or null.
const DialogTemplate* FindDialogTemplate(int id);
// Every registered template, by ascending id.
std::vector<const DialogTemplate*> AllDialogTemplates();

#define TABRO_DIALOG_CONCAT2(a, b) a##b
#define TABRO_DIALOG_CONCAT(a, b) TABRO_DIALOG_CONCAT2(a, b)
// Registers a template when the program starts (header-safe: once per program).
#define TABRO_REGISTER_DIALOG(dialog) \
  inline const bool TABRO_DIALOG_CONCAT(tabro_registered_, dialog) = ::RegisterDialogTemplate(dialog)
