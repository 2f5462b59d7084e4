// Menus and popup menus.

#include "platform/ui/menu.h"

#include <QCursor>
#include <QMenu>
#include <map>

#include "platform/ui/modal_driver.h"
#include "platform/ui/ui_driver.h"
#include "platform/ui/ui_internal.h"

namespace {
std::map<UINT, MenuTemplate>& MenuResources() {
  static std::map<UINT, MenuTemplate> map;
  return map;
}

void BuildQMenu(QMenu* q, const CMenu& menu, std::map<QAction*, UINT>& ids) {
  for (const CMenu::Item& item : menu.Items()) {
    if (item.flags & MF_SEPARATOR) {
      q->addSeparator();
    } else if (item.sub) {
      QMenu* sub = q->addMenu(layer::ToQ(item.text));
      BuildQMenu(sub, *item.sub, ids);
    } else {
      QAction* a = q->addAction(layer::ToQ(item.text));
      a->setEnabled(!(item.flags & (MF_GRAYED | MF_DISABLED)));
      if (item.flags & MF_CHECKED) {
        a->setCheckable(true);
        a->setChecked(true);
      }
      ids[a] = item.id;
    }
  }
}

// Whether the command id is an enabled item of the menu (or its sub-menus).
bool HasEnabledCommand(const CMenu& menu, UINT id) {
  for (const CMenu::Item& item : menu.Items()) {
    if (item.sub && HasEnabledCommand(*item.sub, id)) return true;
    if (!item.sub && !(item.flags & MF_SEPARATOR) && item.id == id && !(item.flags & (MF_GRAYED | MF_DISABLED)))
      return true;
  }
  return false;
}
}  // namespace

bool RegisterMenuResource(const MenuTemplate& menu) { return MenuResources().emplace(menu.id, menu).second; }

CMenu::CMenu() = default;
CMenu::~CMenu() = default;

BOOL CMenu::CreatePopupMenu() {
  m_items.clear();
  m_created = true;
  return TRUE;
}
BOOL CMenu::CreateMenu() { return CreatePopupMenu(); }

BOOL CMenu::LoadMenu(UINT id) {
  auto it = MenuResources().find(id);
  if (it == MenuResources().end()) return FALSE;
  CreateMenu();
  CMenu* popup = nullptr;
  for (int i = 0; i < it->second.count; ++i) {
    const MenuItemTemplate& t = it->second.items[i];
    CMenu* target = t.level == 0 ? this : popup;
    if (!target) continue;
    if (t.level == 0 && (t.flags & MF_POPUP)) {
      popup = AppendSubMenu(CString(t.text ? t.text : u""));
      continue;
    }
    target->AppendMenu(t.text ? t.flags : MF_SEPARATOR, t.id, CString(t.text ? t.text : u""));
  }
  return TRUE;
}

BOOL CMenu::AppendMenu(UINT flags, UINT_PTR id, const CString& text) {
  if (!m_created) m_created = true;
  Item item;
  item.flags = flags;
  item.id = static_cast<UINT>(id);
  item.text = text;
  m_items.push_back(std::move(item));
  return TRUE;
}

CMenu* CMenu::AppendSubMenu(const CString& text) {
  Item item;
  item.flags = MF_POPUP;
  item.text = text;
  item.sub = std::make_unique<CMenu>();
  item.sub->CreatePopupMenu();
  m_items.push_back(std::move(item));
  return m_items.back().sub.get();
}

BOOL CMenu::DeleteMenu(UINT position, UINT flags) {
  if (flags & MF_BYPOSITION) {
    if (position >= m_items.size()) return FALSE;
    m_items.erase(m_items.begin() + position);
    return TRUE;
  }
  for (size_t i = 0; i < m_items.size(); ++i)
    if (!m_items[i].sub && m_items[i].id == position) {
      m_items.erase(m_items.begin() + static_cast<long>(i));
      return TRUE;
    }
  return FALSE;
}

const CMenu::Item* CMenu::Find(UINT item, UINT flags) const {
  if (flags & MF_BYPOSITION) return item < m_items.size() ? &m_items[item] : nullptr;
  for (const Item& i : m_items) {
    if (i.sub) {
      if (const Item* found = i.sub->Find(item, flags)) return found;
    } else if (!(i.flags & MF_SEPARATOR) && i.id == item) {
      return &i;
    }
  }
  return nullptr;
}

CMenu::Item* CMenu::Find(UINT item, UINT flags) {
  return const_cast<Item*>(static_cast<const CMenu*>(this)->Find(item, flags));
}

UINT CMenu::EnableMenuItem(UINT item, UINT enable) {
  Item* i = Find(item, enable);
  if (!i) return static_cast<UINT>(-1);
  UINT old = i->flags & (MF_GRAYED | MF_DISABLED);
  i->flags = (i->flags & ~(MF_GRAYED | MF_DISABLED)) | (enable & (MF_GRAYED | MF_DISABLED));
  return old;
}

int CMenu::GetMenuItemCount() const { return m_created ? static_cast<int>(m_items.size()) : -1; }

UINT CMenu::GetMenuItemID(int position) const {
  if (position < 0 || position >= static_cast<int>(m_items.size())) return static_cast<UINT>(-1);
  const Item& i = m_items[static_cast<size_t>(position)];
  if (i.sub) return static_cast<UINT>(-1);
  if (i.flags & MF_SEPARATOR) return 0;
  return i.id;
}

int CMenu::GetMenuString(UINT item, CString& text, UINT flags) const {
  const Item* i = Find(item, flags);
  text = i ? i->text : CString();
  return text.GetLength();
}

CMenu* CMenu::GetSubMenu(int position) const {
  if (position < 0 || position >= static_cast<int>(m_items.size())) return nullptr;
  return m_items[static_cast<size_t>(position)].sub.get();
}

BOOL CMenu::TrackPopupMenu(UINT flags, int x, int y, CWnd* owner, const CRect*) {
  UINT chosen = 0;
  if (ModalDriver* driver = GetModalDriver()) {
    chosen = driver->ChooseMenuCommand(*this, owner);
    if (chosen != 0 && !HasEnabledCommand(*this, chosen)) chosen = 0;
  } else {
    ui::EnsureApplication();
    QMenu q(owner ? owner->m_hWnd : nullptr);
    std::map<QAction*, UINT> ids;
    BuildQMenu(&q, *this, ids);
    QAction* a = q.exec(QPoint(x, y));
    if (a && ids.count(a)) chosen = ids[a];
  }
  if (flags & TPM_RETURNCMD) return static_cast<BOOL>(chosen);
  if (chosen != 0 && owner && !(flags & TPM_NONOTIFY)) owner->SendMessage(WM_COMMAND, MAKEWPARAM(chosen, 0), 0);
  return chosen != 0;
}
