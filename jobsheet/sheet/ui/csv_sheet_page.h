#pragma once
// What the settings sheet needs of the CSV page's window: the page's data, which
// the main dialog fills and reads, and the reset of "全設定クリア". The CSV page's
// window class derives from this.

#include "jobsheet/sheet/csv_prop_page.h"
#include "platform/ui/dialog.h"

class CCsvSheetPage : public CPropertyPage {
 public:
  using CPropertyPage::CPropertyPage;
  // The page's data (columns, codes, computed columns, settings).
  virtual CCsvPropPage& Page() = 0;
  // "全設定クリア": every setting of the page dropped, the grid as loaded.
  virtual void ResetToSource() = 0;
};
