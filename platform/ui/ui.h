#pragma once
// The window layer in one include: windows, controls, lists, menus, drawing,
// dialogs, data exchange and message maps. No Qt header is reachable from here.

#include "platform/ui/controls.h"
#include "platform/ui/dc.h"
#include "platform/ui/ddx.h"
#include "platform/ui/dialog.h"
#include "platform/ui/dialog_template.h"
#include "platform/ui/image_list.h"
#include "platform/ui/list_ctrl.h"
#include "platform/ui/menu.h"
#include "platform/ui/menu_button.h"
#include "platform/ui/message_map.h"
#include "platform/ui/modal_driver.h"
#include "platform/ui/wnd.h"
