#include "edittools/chain/tool_order_text.h"

#include "edittools/chain/tool_kinds.h"

CString FormatToolOrder(const TOOLORDER& order) {
  CString text;
  if (order[0].toolKind == ToolKind::kNone) return text;
  for (int slot = 0; slot < TOOL_SLOT_COUNT; ++slot) {
    if (slot > 0) text += u"/";
    text.AppendFormat(u"%02d-%02d", StoredToolKind(order[slot].toolKind), order[slot].openSettingsNextTime);
  }
  return text;
}

namespace {

// The two characters of slot's kind; a text that ends before them reads as an
// empty slot, so a short text gets no dangling separators.
CString KindTextAt(const CString& text, int slot) {
  const int pos = slot * 6;
  return pos + 2 <= text.GetLength() ? text.Mid(pos, 2) : CString(u"00");
}

}  // namespace

CString ToolOrderToLetters(const CString& text) {
  CString letters;
  for (int slot = 0; slot < TOOL_SLOT_COUNT; ++slot) {
    const CString kind = KindTextAt(text, slot);
    for (const ToolKindInfo& info : kToolKinds) {
      if (kind == info.kindText) {
        letters += info.letter;
        break;
      }
    }
    if (slot + 1 < TOOL_SLOT_COUNT && KindTextAt(text, slot + 1) != u"00") letters += u",";
  }
  return letters;
}
