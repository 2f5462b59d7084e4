#pragma once
// Menus and popup menus.
//
// A popup menu is shown with TrackPopupMenu, which is modal: it goes through
// the modal driver (modal_driver.h), so a test answers it with the command id
// it wants. The chosen command goes to the owner as WM_COMMAND (as a menu
// command: code 0), or is returned with TPM_RETURNCMD.

#include <memory>
#include <vector>

#include "platform/ui/wnd.h"

enum : UINT {
  MF_STRING = 0x0,
  MF_ENABLED = 0x0,
  MF_UNCHECKED = 0x0,
  MF_BYCOMMAND = 0x0,
  MF_GRAYED = 0x1,
  MF_DISABLED = 0x2,
  MF_CHECKED = 0x8,
  MF_POPUP = 0x10,
  MF_SEPARATOR = 0x800,
  MF_BYPOSITION = 0x400,
};
enum : UINT { TPM_LEFTALIGN = 0x0, TPM_LEFTBUTTON = 0x0, TPM_RIGHTBUTTON = 0x2, TPM_RETURNCMD = 0x100,
              TPM_NONOTIFY = 0x80 };

class CMenu {
 public:
  CMenu();
  ~CMenu();
  CMenu(const CMenu&) = delete;
  CMenu& operator=(const CMenu&) = delete;

  struct Item {
    UINT flags = 0;
    UINT id = 0;
    CString text;
    std::unique_ptr<CMenu> sub;   // MF_POPUP
  };

  HMENU GetSafeHmenu() const { return const_cast<CMenu*>(this); }
  BOOL CreatePopupMenu();
  BOOL CreateMenu();
  // Loads a registered menu resource (RegisterMenuResource).
  BOOL LoadMenu(UINT id);
  BOOL AppendMenu(UINT flags, UINT_PTR id = 0, const CString& text = CString());
  // Appends a sub-menu (owned by this menu from then on).
  CMenu* AppendSubMenu(const CString& text);
  BOOL DeleteMenu(UINT position, UINT flags);
  BOOL RemoveMenu(UINT position, UINT flags) { return DeleteMenu(position, flags); }
  UINT EnableMenuItem(UINT item, UINT enable);  // previous state or (UINT)-1
  int GetMenuItemCount() const;
  UINT GetMenuItemID(int position) const;       // 0 separator, (UINT)-1 popup
  int GetMenuString(UINT item, CString& text, UINT flags) const;
  CMenu* GetSubMenu(int position) const;
  // Shows the menu at screen point (x, y); see the header comment. Returns the
  // command with TPM_RETURNCMD (0 when nothing chosen), else TRUE/FALSE.
  BOOL TrackPopupMenu(UINT flags, int x, int y, CWnd* owner, const CRect* unused = nullptr);
  const std::vector<Item>& Items() const { return m_items; }
  bool IsCreated() const { return m_created; }

 private:
  const Item* Find(UINT item, UINT flags) const;
  Item* Find(UINT item, UINT flags);
  std::vector<Item> m_items;
  bool m_created = false;
};

// A menu resource: items in order; level 0 items are the bar (or the popup
// list when the menu is used as a popup), level 1 items the entries of the
// preceding level-0 popup. Text null for a separator.
struct MenuItemTemplate {
  int level;
  UINT id;
  const char16_t* text;
  UINT flags = 0;
};
struct MenuTemplate {
  UINT id;
  const MenuItemTemplate* items;
  int count;
};
bool RegisterMenuResource(const MenuTemplate& menu);
// Registers a menu resource when the program starts (header-safe).
#define TABRO_REGISTER_MENU(menu) \
  inline const bool TABRO_MENU_CONCAT(tabro_menu_registered_, menu) = ::RegisterMenuResource(menu)
#define TABRO_MENU_CONCAT2(a, b) a##b
#define TABRO_MENU_CONCAT(a, b) TABRO_MENU_CONCAT2(a, b)
