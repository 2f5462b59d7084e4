#pragma once
// CMFCMenuButton: a push button that shows a popup menu when clicked. The
// command chosen (0 when the menu was dismissed) is in m_nMenuResult when the
// parent hears the button's BN_CLICKED, which follows the menu:
//
//   m_SettingsButton.m_hMenu = m_SettingsMenu.GetSubMenu(0)->GetSafeHmenu();
//   ...
//   void OnSettingsMenu() { switch (m_SettingsButton.m_nMenuResult) { ... } }
//
// The menu opens below the button, through the modal driver like every popup
// menu (menu.h). The button draws a small arrow at its right edge.

#include "platform/ui/controls.h"
#include "platform/ui/menu.h"

class CMFCMenuButton : public CMFCButton {
 public:
  HMENU m_hMenu = nullptr;    // the menu shown (not owned); null: a plain button
  int m_nMenuResult = 0;      // the command chosen by the last click
  BOOL m_bOSMenu = TRUE;      // kept for the program's settings; the menu looks the same
  BOOL m_bRightArrow = FALSE; // the arrow points right instead of down

 protected:
  void OnDraw(CDC* dc, const CRect& rect, UINT state) override;
  afx_msg void OnClicked();
  DECLARE_MESSAGE_MAP()
};
