#pragma once
// The pictures of the tool-order dialog: one per tool kind, in a normal and a
// pressed look, and the picture of an empty order slot. Each is drawn for the
// size of the button that shows it and kept for the life of the program.

#include "edittools/chain/tool_order_records.h"
#include "platform/ui/dc.h"

// A tool kind's picture, pressed or not; kNone and any value outside the
// enumeration: the empty-slot picture. Null for a size of less than 8 x 8 pixels.
const CBitmap* ToolButtonImage(ToolKind kind, bool pressed, CSize size);

// The colour that fills a pressed picture and a picture's symbol tile, so a
// look check can tell which picture a button shows.
inline constexpr COLORREF kToolImageBlue = RGB(68, 114, 196);
// The fill of the empty-slot picture.
inline constexpr COLORREF kToolImageEmptyFill = RGB(246, 246, 246);
