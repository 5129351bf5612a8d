#pragma once
// Resource and command identifiers, shared by the resource script and the program.

#define IDI_PIXTROVE 1
#define IDI_SHOT 2
#define IDB_TOOLBAR 100

// The frame's menu and accelerators.
#define IDM_EXIT 1001
#define IDM_ENVIRONMENT 1002
#define IDM_CONTENTS 1003
#define IDM_ABOUT 1004
// Commands of the shot windows.
#define IDM_CLOSE 1101
#define IDM_COPY 1102
#define IDM_SELECT_ALL 1103
#define IDM_SELECT_CANCEL 1104
#define IDM_CASCADE 1105
#define IDM_TILE 1106
#define IDM_SAVE 1107
#define IDM_UNDO 1108
#define IDM_REDO 1109
#define IDM_BLACK_OUT 1110
#define IDM_MOSAIC 1111
#define IDM_RED_FRAME 1112
#define IDM_CUT_OUT 1113
#define IDM_PIN 1120
// Tool-bar buttons.
#define IDB_FULL_SCREEN 1201
#define IDB_ACTIVE_WINDOW 1202
#define IDB_CURSOR_WINDOW 1203
#define IDB_START_CAPTURE 1204
#define IDB_COPY_CLIPBOARD 1205
#define IDB_ALL_SCREENS 1206
// The window list of the MDI frame numbers its entries from here.
#define IDM_FIRST_CHILD 50000
