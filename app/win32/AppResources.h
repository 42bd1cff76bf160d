// Resource ids of the running process (notification-area menu). Range 6000-7999.
#pragma once

#define IDR_TRAY_MENU 6000

#define IDM_TRAY_NEW 6101
#define IDM_TRAY_OPEN 6102
#define IDM_TRAY_HELP 6103
#define IDM_TRAY_OPTION 6104
#define IDM_TRAY_ALLQUIT 6105
#define IDM_TRAY_VERSION 6106

// The items of the two submenus rebuilt at each popup: app/TrayMenuIds.h.

// Positions of the submenus in the popup.
#define TRAY_POS_HISTORY 2
#define TRAY_POS_WINDOW 3

// The version dialog's product picture (a JPEG, made by tools/make_product_picture.sh).
#define IDR_PRODUCT_PICTURE 6200
