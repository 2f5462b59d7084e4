#pragma once
// The common controls. Each is a CWnd over the widget its template kind makes;
// a dialog's GetDlgItem returns an object of the matching class, and a member
// control is bound with DDX_Control (or SubclassDlgItem).
//
// Notifications reach the parent's message map as on the platform:
// - A user's click on a button, check box or radio sends BN_CLICKED. SetCheck
//   sends nothing.
// - Any change of an edit's text sends EN_CHANGE, also SetWindowText (as on the
//   platform), except SetWindowText on a multi-line edit. Multi-line text
//   reads back with CR LF line ends. Losing the focus sends EN_KILLFOCUS.
// - A user's choice in a combo box or list box sends CBN_SELCHANGE /
//   LBN_SELCHANGE; SetCurSel sends nothing.
// - A check box of a check list sends CLBN_CHKCHANGE when the user toggles it.
// - The tab control sends TCN_SELCHANGING then TCN_SELCHANGE for a user's
//   choice; the date-time control DTN_DATETIMECHANGE; the spin UDN_DELTAPOS.
// Indexes are 0-based; -1 (CB_ERR / LB_ERR) means none.

#include "platform/ui/dc.h"
#include "platform/ui/wnd.h"

enum : int { CB_ERR = -1, LB_ERR = -1, CB_OKAY = 0, LB_OKAY = 0 };

class CStatic : public CWnd {
 public:
  // style: WS_VISIBLE, WS_DISABLED, SS_LEFT/SS_CENTER/SS_RIGHT, SS_SUNKEN, SS_NOPREFIX.
  BOOL Create(const CString& text, DWORD style, const CRect& rect, CWnd* parent, UINT id = IDC_STATIC);
  // Shows a picture instead of text (null clears it).
  void SetBitmap(const CBitmap* bitmap);
  // Template kinds Static, GroupBox and Picture all come as CStatic.
};

// Push button, check box, radio button or group box.
class CButton : public CWnd {
 public:
  // style: WS_VISIBLE, WS_DISABLED, WS_GROUP, BS_PUSHBUTTON / BS_DEFPUSHBUTTON /
  // BS_AUTOCHECKBOX / BS_AUTORADIOBUTTON / BS_GROUPBOX, BS_PUSHLIKE.
  BOOL Create(const CString& text, DWORD style, const CRect& rect, CWnd* parent, UINT id);
  int GetCheck() const;                // BST_CHECKED, BST_UNCHECKED, BST_INDETERMINATE
  void SetCheck(int check);            // no notification
  // A picture on the button (null clears it).
  void SetBitmap(const CBitmap* bitmap);
};

// A push button painted by the layer in overridable steps: OnFillBackground,
// then OnDrawBorder, then OnDraw (image and text) inside the rectangle that
// OnDrawBorder leaves. State bits: ODS_SELECTED (pressed), ODS_DISABLED,
// ODS_FOCUS. IsHighlighted() is true while the mouse is over it.
enum : UINT { ODS_SELECTED = 0x1, ODS_DISABLED = 0x4, ODS_FOCUS = 0x10 };
class CMFCButton : public CButton {
 public:
  CMFCButton();
  ~CMFCButton() override;
  DECLARE_MESSAGE_MAP()

 public:
  enum FlatStyle { BUTTONSTYLE_3D, BUTTONSTYLE_FLAT, BUTTONSTYLE_SEMIFLAT, BUTTONSTYLE_NOBORDERS };
  enum AlignStyle { ALIGN_LEFT, ALIGN_RIGHT, ALIGN_CENTER };
  FlatStyle m_nFlatStyle = BUTTONSTYLE_3D;
  AlignStyle m_nAlignStyle = ALIGN_CENTER;
  BOOL m_bTransparent = FALSE;
  BOOL m_bRightImage = FALSE;
  BOOL m_bTopImage = FALSE;
  BOOL m_bDrawFocus = TRUE;

  void SetImage(const CBitmap* image, const CBitmap* hotImage = nullptr, const CBitmap* disabledImage = nullptr);
  void SetTextColor(COLORREF color);
  void SetTextHotColor(COLORREF color);
  void SetTooltip(const CString& text);
  BOOL IsHighlighted() const;
  BOOL IsPressed() const;
  // For tests: the hover state the next paint uses.
  void SetHighlightedForTest(bool on);

  // Painting steps (the defaults draw a plain framework button).
  virtual void OnFillBackground(CDC* dc, const CRect& client);
  virtual void OnDrawBorder(CDC* dc, CRect& client, UINT state);
  virtual void OnDraw(CDC* dc, const CRect& rect, UINT state);
  virtual void OnDrawText(CDC* dc, const CRect& rect, const CString& text, UINT format, UINT state);
  virtual int GetImageHorzMargin() const { return 4; }
  virtual int GetVertMargin() const { return 2; }
  const CBitmap* Image() const { return m_image; }
  const CBitmap* HotImage() const { return m_hotImage; }
  const CBitmap* DisabledImage() const { return m_disabledImage; }

  afx_msg void OnPaint();

 private:
  const CBitmap* m_image = nullptr;
  const CBitmap* m_hotImage = nullptr;
  const CBitmap* m_disabledImage = nullptr;
  COLORREF m_textColor = CLR_DEFAULT;
  COLORREF m_textHotColor = CLR_DEFAULT;
  bool m_forceHighlight = false;
};

class CEdit : public CWnd {
 public:
  // Most characters the user can type (0: no limit). Text set by the program
  // is not cut. Typing beyond the limit is refused.
  void SetLimitText(UINT max);
  void LimitText(int max) { SetLimitText(static_cast<UINT>(max)); }
  UINT GetLimitText() const;
  void SetSel(int start, int end, BOOL noScroll = FALSE);   // (0, -1) selects all
  void GetSel(int& start, int& end) const;
  // Replaces the selection (EN_CHANGE); text beyond the typing limit is cut to
  // what fits, as on the platform.
  void ReplaceSel(const CString& text, BOOL canUndo = FALSE);
  // Pastes the clipboard's text (through the hooks) as ReplaceSel.
  void Paste();
  void Copy();
  void Cut();
  void Clear();
  // A single-line edit masks its text while ch is not 0 (the mask is the
  // platform's own character); 0 shows the text in clear.
  void SetPasswordChar(char16_t ch);
  char16_t GetPasswordChar() const;
};

class CComboBox : public CWnd {
 public:
  // style: WS_VISIBLE, WS_DISABLED, CBS_DROPDOWN / CBS_DROPDOWNLIST, CBS_SORT.
  BOOL Create(DWORD style, const CRect& rect, CWnd* parent, UINT id);
  int AddString(const CString& text);       // index of the new item
  void ResetContent();
  int GetCount() const;
  int GetCurSel() const;
  int SetCurSel(int index);                 // -1 clears; returns CB_ERR for a bad index
  int GetLBText(int index, CString& text) const;
  CString GetLBText(int index) const;
  int SetItemData(int index, DWORD_PTR data);
  DWORD_PTR GetItemData(int index) const;
  int FindStringExact(int startAfter, const CString& text) const;
  int FindString(int startAfter, const CString& prefix) const;
  BOOL LimitText(int max);
  void ShowDropDown(BOOL show = TRUE);
};

class CListBox : public CWnd {
 public:
  int AddString(const CString& text);
  int InsertString(int index, const CString& text);   // -1 appends
  int DeleteString(int index);
  void ResetContent();
  int GetCount() const;
  int GetCurSel() const;                    // single selection
  int SetCurSel(int index);
  int GetText(int index, CString& text) const;
  CString GetText(int index) const;
  int SetItemData(int index, DWORD_PTR data);
  DWORD_PTR GetItemData(int index) const;
  int FindStringExact(int startAfter, const CString& text) const;
  // The entry at a point of the list's client area; outside is TRUE when the
  // point lies on no entry (then the nearest entry: the last below them, else 0).
  UINT ItemFromPoint(CPoint point, BOOL& outside) const;
  // An entry's rectangle in the list's client area; LB_ERR for a bad index.
  int GetItemRect(int index, CRect* rect) const;
};

class CCheckListBox : public CListBox {
 public:
  int GetCheck(int index) const;
  void SetCheck(int index, int check);
  // A user's toggle of item index: changes it and sends CLBN_CHKCHANGE.
  void ToggleAsUser(int index);
};

enum : UINT { UDS_SETBUDDYINT = 0x2, UDS_ALIGNRIGHT = 0x4, UDS_ARROWKEYS = 0x20 };
struct NMUPDOWN {
  NMHDR hdr;
  int iPos = 0;
  int iDelta = 0;
};
// The range defaults to 100..0 (lower 100, upper 0), as on the platform. The
// up arrow moves the position toward upper in either order, and UDN_DELTAPOS
// carries the signed change: -1 for the up arrow in the default range.
class CSpinButtonCtrl : public CWnd {
 public:
  void SetRange32(int lower, int upper);
  void SetRange(short lower, short upper) { SetRange32(lower, upper); }
  void GetRange32(int& lower, int& upper) const;
  int SetPos32(int pos);         // returns the previous position
  int SetPos(int pos) { return SetPos32(pos); }
  int GetPos32(BOOL* error = nullptr) const;
  int GetPos() const { return GetPos32(); }
  CWnd* GetBuddy() const;
  // A user's click on an arrow: +1 up, -1 down (UDN_DELTAPOS, whose handler
  // may refuse with a non-zero result or change iDelta, then the move).
  void StepAsUser(int delta);
};

struct NMDATETIMECHANGE {
  NMHDR nmhdr;
  DWORD dwFlags = 0;
  SYSTEMTIME st;
};
class CDateTimeCtrl : public CWnd {
 public:
  BOOL SetTime(const SYSTEMTIME* time);
  DWORD GetTime(SYSTEMTIME* time) const;    // 0 (GDT_VALID)
  // A user's change: sets the date and sends DTN_DATETIMECHANGE.
  void SetTimeAsUser(const SYSTEMTIME& time);
};

struct NMTCKEYDOWN;
class CTabCtrl : public CWnd {
 public:
  LONG InsertItem(int index, const CString& text);
  BOOL DeleteItem(int index);
  BOOL DeleteAllItems();
  int GetItemCount() const;
  int GetCurSel() const;
  int SetCurSel(int index);            // no notification; returns the previous
  CString GetItemText(int index) const;
  BOOL GetItemRect(int index, CRect* rect) const;
  // A user's click on tab index: TCN_SELCHANGING (a handler that sets
  // *result to TRUE stops it), the change, then TCN_SELCHANGE.
  void SelectAsUser(int index);
};

class CProgressCtrl : public CWnd {};

// Tooltips of a dialog's controls.
class CToolTipCtrl : public CWnd {
 public:
  BOOL Create(CWnd* parent, DWORD style = 0);
  BOOL AddTool(CWnd* wnd, const CString& text);
  void DelTool(CWnd* wnd);
  // Tooltips show themselves; kept so PreTranslateMessage code reads as usual.
  void RelayEvent(MSG*) {}
  // The text shown for a control (empty when none).
  CString GetToolText(CWnd* wnd) const;

 private:
  CWnd* m_parent = nullptr;
};
