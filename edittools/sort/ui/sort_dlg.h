#pragma once
// CSortDlg: up to three sort keys, each a column, a compare type and an order.
// The caller presets through SetSortSettings (and m_TypePresets) and reads
// m_KeyCount, m_KeyColumn, m_KeyType, m_KeyOrder and m_Skip after IDOK; OK has
// already stored the keys in theApp.m_SortSetting. For viewing, the caller sets
// m_ConfirmMode and m_InChain and skips SetSortSettings: the keys, names and
// presets then come from theApp and nothing is stored.

#include <cstdint>

#include "grid/grid_store.h"
#include "platform/ui/controls.h"
#include "platform/ui/dialog.h"

class CSortDlg : public CDialogEx {
 public:
  explicit CSortDlg(CWnd* parent = nullptr);

  // columns are 1-based (0 none); the first columnCount names are copied.
  void SetSortSettings(const int* columns, const int* types, const int* orders, int columnCount,
                       const CString* names, int inChain);
  void StoreSortSettings();
  void RestoreSortSettings();

  int m_Skip = 0;
  int m_InChain = 0;
  CString m_ColumnNames[GRID_COLS];
  uint8_t m_TypePresets[GRID_COLS] = {};
  int m_KeyCount = 0;
  int m_ColumnCount = 0;
  int m_KeyColumn[4] = {-1, -1, -1, -1};   // 0-based, -1 none
  int m_KeyType[4] = {-1, -1, -1, -1};     // type-list index, -1 no selection
  int m_KeyOrder[4] = {-1, -1, -1, -1};    // 0 ascending, 1 descending, -1 no selection
  int m_ConfirmMode = 0;

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnInitDialog() override;
  void OnOK() override;
  void UpdateModeControls();
  void SelectKeys();
  void OnColumnChange(int key);
  void OnColumn1() { OnColumnChange(0); }
  void OnColumn2() { OnColumnChange(1); }
  void OnColumn3() { OnColumnChange(2); }
  void OnClear();
  void OnSkip();

  CComboBox m_Column[3];
  CComboBox m_Type[3];
  CComboBox m_Order[3];

  DECLARE_MESSAGE_MAP()
};

struct SortDialogIo;
// The sort step's entry into the dialog (the up-calls' sort entry).
int RunSortDialog(SortDialogIo& io);
