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
#define IDM_OPEN 1005
#define IDM_PASTE_NEW 1006
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
// The drawing tools (menu items and tool-bar buttons alike), the zoom, the marks' colours and widths.
#define IDM_TOOL_SELECT 1114
#define IDM_TOOL_ARROW 1115
#define IDM_TOOL_BOX 1116
#define IDM_TOOL_TEXT 1117
#define IDM_TOOL_NUMBER 1118
#define IDM_TOOL_HIGHLIGHTER 1119
#define IDM_ZOOM_IN 1120
#define IDM_ZOOM_OUT 1121
#define IDM_ZOOM_FULL 1122
#define IDM_ZOOM_FIT 1123
#define IDM_COLOUR_RED 1130
#define IDM_COLOUR_YELLOW 1131
#define IDM_COLOUR_GREEN 1132
#define IDM_COLOUR_BLUE 1133
#define IDM_COLOUR_BLACK 1134
#define IDM_COLOUR_WHITE 1135
#define IDM_COLOUR_MAGENTA 1136
#define IDM_COLOUR_ORANGE 1137
#define IDM_COLOUR_OTHER 1138
#define IDM_WIDTH_THIN 1140
#define IDM_WIDTH_NORMAL 1141
#define IDM_WIDTH_THICK 1142
#define IDM_PIN 1124
// Tool-bar buttons.
#define IDB_FULL_SCREEN 1201
#define IDB_ACTIVE_WINDOW 1202
#define IDB_CURSOR_WINDOW 1203
#define IDB_START_CAPTURE 1204
#define IDB_COPY_CLIPBOARD 1205
#define IDB_ALL_SCREENS 1206
#define IDB_MARK_COLOUR 1207
#define IDB_MARK_WIDTH 1208
#define IDB_REGION 1209
#define IDB_SCROLLING 1210
// The window list of the MDI frame numbers its entries from here.
#define IDM_FIRST_CHILD 50000
