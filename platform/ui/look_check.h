#pragma once
// What a person would see wrong in a window as it stands now, for tests and the
// dialog renderer: a text that does not fit its control, visible controls that
// overlap, a control that leaves its parent.

#include <string>
#include <vector>

#include "platform/ui/wnd.h"

namespace ui {

// One line per finding, naming the control by id and text; empty when every
// text is seen whole. Every control under wnd (also inside child dialogs and
// tab pages) is looked at:
// - its text, shown or not, so a text the program put into a hidden control
//   is judged as it will read once shown: each line a caption sets must fit
//   the width the control leaves for it (a static may wrap a single-line text
//   onto more lines while they fit its height); a group box's title must fit
//   as the style draws it; a combo box's chosen entry, a read-only edit's text
//   and each entry of a list box that cannot scroll sideways must fit their
//   room, as must each heading of a report view in its column;
// - the controls shown now: two of them that share pixels (group boxes and
//   pictures may hold others, an empty static draws nothing), and one that
//   leaves its parent's client area.
std::vector<std::string> LookFlaws(CWnd& wnd);

// The findings as one text, a line each (for test failure messages).
std::string JoinFlaws(const std::vector<std::string>& flaws);

}  // namespace ui
