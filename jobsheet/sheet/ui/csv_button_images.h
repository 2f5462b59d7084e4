#pragma once
// The pictures of the CSV edit page's command buttons: a coloured tile with a
// symbol, in three sizes, and a ticked variant for the buttons that stay down.

#include "platform/ui/ui.h"

// Sizes chosen by the button's client height: below 43 pixels small, below 59
// medium, else large.
enum : int { CSVIMG_SMALL = 0, CSVIMG_MEDIUM = 1, CSVIMG_LARGE = 2 };
int CsvButtonImageSize(int clientHeight);

// The picture of button id (null for a button without one); drawn once and kept.
const CBitmap* CsvButtonImage(int id, int size, bool ticked);
