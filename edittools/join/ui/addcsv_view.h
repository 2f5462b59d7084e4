#pragma once
// CAddcsvView: the join editor. The user adds up to two additional CSVs, sees
// the column lists of the loaded CSV and of each additional CSV side by side,
// draws key links by dragging rows between lists, flags columns to discard, or
// switches to the serial join and maps columns onto output positions, then
// "実行" joins through the engine and stores the definition in theApp.m_JoinDef.
//
// Modes, set before DoModal: fresh (nothing set), in the chain (m_InChain: starts
// from the stored definition, may offer "スキップ"), confirmation (m_ConfirmMode:
// the stored definition read-only, nothing is read or stored), locked by the
// document type (SetDocumentType: only "閉じる").

#include <memory>
#include <vector>

#include "edittools/join/addcsv_join.h"
#include "edittools/join/ui/draw_list.h"
#include "platform/ui/dialog.h"

inline constexpr int JOIN_LIST_COUNT = 4;
inline constexpr int JOIN_UNDO_MAX = 256;
inline constexpr int JOIN_UNDO_CLEARED = 99;   // undo entry: all links were cleared

// The select, move and size tool of the editor's lists.
class CSelectTool {
 public:
  enum Mode { kNone = 0, kRubberBand = 1, kMove = 2, kSize = 3 };
  void OnLButtonDown(CAddcsvView& view, UINT flags, CPoint point);
  void OnMouseMove(CAddcsvView& view, UINT flags, CPoint point);
  void OnLButtonUp(CAddcsvView& view, UINT flags, CPoint point);
  void OnLButtonDblClk(CAddcsvView& view, UINT flags, CPoint point);

  Mode m_Mode = kNone;
  int m_Handle = 0;
  CPoint m_Down;
  CPoint m_Last;
  bool m_ShiftAtDown = false;
};

class CAddcsvView : public CDialogEx, public CAddcsvJoin {
 public:
  explicit CAddcsvView(CWnd* parent = nullptr);
  ~CAddcsvView() override;
  DECLARE_MESSAGE_MAP()

 public:
  BOOL OnInitDialog() override;
  void OnOK() override;

  // Locks the editor unless the job's command text allows a join.
  void SetDocumentType(const CString& command);

  // Transfer of the definition to and from theApp.m_JoinDef and the name lists.
  void SaveJoinSettings();
  void RestoreJoinSettings();
  using CAddcsvJoin::RestoreJoinSettings;

  // Appends a link to an array, with its undo entry; false (with a message)
  // when the undo history is full.
  bool AddLink(const ALIGN& link, int array);
  // The list under a point of the editor (a selected list also on its handle); null none.
  CDrawList* HitTestObject(CPoint point) const;
  void SelectObject(CDrawList* list, bool add);
  // The list whose window holds a screen point; null none.
  CDrawList* ListAtScreenPoint(CPoint screen) const;
  void RefreshKeyFlags();
  void RefreshView();

  // Mouse input of the editor and of the lists' headers, routed to the tool.
  void ToolDown(UINT flags, CPoint point);
  void ToolMove(UINT flags, CPoint point);
  void ToolUp(UINT flags, CPoint point);

  CDrawList* m_Lists[JOIN_LIST_COUNT] = {};
  std::vector<CDrawList*> m_Selection;
  int m_SelectedList = -1;
  int m_AddCount = 0;
  int m_SerialFlag = 0;
  CString m_MainPath;
  CString m_MainTitle;
  // The link arrays are those of the engine's definition (m_Def.AlignArry).
  std::vector<ALIGN> m_LinkBackup[JOIN_LINK_ARRAYS];
  int m_UndoStack[JOIN_UNDO_MAX] = {};
  int m_UndoCount = 0;
  CRect m_ListRects[JOIN_LIST_COUNT];
  int m_ChainList = 0;
  int m_InChain = 0;
  int m_TypeLocked = 0;
  int m_Skip = 0;
  int m_AllRemoved = 0;
  int m_Modified = 0;
  int m_LayoutDrag = 0;
  CRect m_LinkArea;
  CSelectTool m_SelectTool;

 protected:
  void DoDataExchange(CDataExchange* pDX) override;

  afx_msg void OnPaint();
  afx_msg void OnLButtonDown(UINT flags, CPoint point);
  afx_msg void OnMouseMove(UINT flags, CPoint point);
  afx_msg void OnLButtonUp(UINT flags, CPoint point);
  afx_msg void OnLButtonDblClk(UINT flags, CPoint point);
  afx_msg void OnAddCsv();
  afx_msg void OnDeleteAddCsv();
  afx_msg void OnClearLinks();
  afx_msg void OnUndoLink();
  afx_msg void OnShowCsvFile();
  afx_msg void OnSkip();
  afx_msg void OnCloseButton();
  afx_msg void OnSerialCheck();

  void PaintLinks(CDC& dc);
  void FillMainList();
  void FillAddList(int csv);
  // The rows of list csv+1 only, where the list stands.
  void FillAddItems(int csv);
  void FillSerialList();
  void PlaceAddList(int csv);
  void UpdateAddButtons();
  void UpdateCaption();
  void SetButtonMode();
  void UpdateLinkButtons();

 private:
  bool HasLinks() const;
  bool PushUndo(int entry);
  // Takes the "廃棄" marks the user set into the output flags.
  void ReadOutputFlags();
  std::unique_ptr<CDrawList> m_ListStore[JOIN_LIST_COUNT];
};

// Runs the join editor for the join step. IDOK or IDCANCEL.
struct AddCsvDialogIo;
int RunAddCsvDialog(AddCsvDialogIo& io);
