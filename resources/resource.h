// Resource ids, shared by the resource scripts, the program and the tests. Plain defines, so
// the resource compiler reads them too; the numbers are what the executable has always held.
#pragma once

// Icons
#define IDI_GLIMRA 105
#define IDI_GLIMRA_SMALL 106

// Strings: the toolbar's title and its window class name
#define IDS_APP_TITLE 103
#define IDS_WINDOW_CLASS 108
// The message loop asks for an accelerator table under the class name's number; none is built.
#define IDR_ACCELERATORS 108

// Bitmaps: the colour swatches, the cursor toggle's arrow, the command pictures and the
// mark-up toggle's pen
#define IDB_SWATCHES 136
#define IDB_CURSOR 138
#define IDB_WINDOW 139
#define IDB_HIDDEN_WINDOW 140
#define IDB_DESKTOP 141
#define IDB_SETTINGS 142
#define IDB_RECTANGLE 143
#define IDB_PEN 144
// The same pictures drawn for 150 and 200 %
#define IDB_CURSOR_150 150
#define IDB_WINDOW_150 151
#define IDB_HIDDEN_WINDOW_150 152
#define IDB_DESKTOP_150 153
#define IDB_SETTINGS_150 154
#define IDB_RECTANGLE_150 155
#define IDB_PEN_150 156
#define IDB_CURSOR_200 160
#define IDB_WINDOW_200 161
#define IDB_HIDDEN_WINDOW_200 162
#define IDB_DESKTOP_200 163
#define IDB_SETTINGS_200 164
#define IDB_RECTANGLE_200 165
#define IDB_PEN_200 166

// The mark-up window's tool and pin pictures, at 100, 150 and 200 %
#define IDB_TOOL_SELECT 170
#define IDB_TOOL_PEN 171
#define IDB_TOOL_LINE 172
#define IDB_TOOL_ARROW 173
#define IDB_TOOL_RECTANGLE 174
#define IDB_TOOL_ELLIPSE 175
#define IDB_TOOL_HIGHLIGHTER 176
#define IDB_TOOL_TEXT 177
#define IDB_TOOL_STEP 178
#define IDB_TOOL_PIXELATE 179
#define IDB_TOOL_BLUR 180
#define IDB_TOOL_SPOTLIGHT 181
#define IDB_TOOL_CROP 182
#define IDB_TOOL_PIN 183
#define IDB_TOOL_SELECT_150 190
#define IDB_TOOL_PEN_150 191
#define IDB_TOOL_LINE_150 192
#define IDB_TOOL_ARROW_150 193
#define IDB_TOOL_RECTANGLE_150 194
#define IDB_TOOL_ELLIPSE_150 195
#define IDB_TOOL_HIGHLIGHTER_150 196
#define IDB_TOOL_TEXT_150 197
#define IDB_TOOL_STEP_150 198
#define IDB_TOOL_PIXELATE_150 199
#define IDB_TOOL_BLUR_150 200
#define IDB_TOOL_SPOTLIGHT_150 201
#define IDB_TOOL_CROP_150 202
#define IDB_TOOL_PIN_150 203
#define IDB_TOOL_SELECT_200 210
#define IDB_TOOL_PEN_200 211
#define IDB_TOOL_LINE_200 212
#define IDB_TOOL_ARROW_200 213
#define IDB_TOOL_RECTANGLE_200 214
#define IDB_TOOL_ELLIPSE_200 215
#define IDB_TOOL_HIGHLIGHTER_200 216
#define IDB_TOOL_TEXT_200 217
#define IDB_TOOL_STEP_200 218
#define IDB_TOOL_PIXELATE_200 219
#define IDB_TOOL_BLUR_200 220
#define IDB_TOOL_SPOTLIGHT_200 221
#define IDB_TOOL_CROP_200 222
#define IDB_TOOL_PIN_200 223

// The settings dialog and its pages
#define IDD_SETTINGS 101
#define IDD_PAGE_GENERAL 129
#define IDD_PAGE_APP 130
#define IDD_PAGE_CAPTURE 131
#define IDD_PAGE_RECTANGLE 132
#define IDD_PAGE_WINDOW 133
#define IDD_PAGE_HIDDEN_WINDOW 134
#define IDD_PAGE_DESKTOP 135

#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif

// The settings dialog
#define IDC_SETTINGS_TREE 1000
#define IDC_SETTINGS_CANCEL 1004
#define IDC_SETTINGS_OK 1024
#define IDC_SETTINGS_DEFAULTS 1025
#define IDC_SETTINGS_LIST_LABEL 1029

// General page
#define IDC_VERSION 1010
#define IDC_LEGAL_NOTICE 1011
#define IDC_WEB_PAGE 1012

// App. page; the hotkey controls run in command order: rectangle, window, hidden window, desktop,
// last region, scrolling
#define IDC_KEEP_IN_FRONT 1013
#define IDC_BUTTON_TOOLTIP 1014
#define IDC_IMAGE_FORMAT_GROUP 1030
#define IDC_IMAGE_FORMAT 1031
#define IDC_HOTKEY_GROUP 1032
#define IDC_HOTKEY_RECTANGLE_LABEL 1033
#define IDC_HOTKEY_WINDOW_LABEL 1034
#define IDC_HOTKEY_HIDDEN_WINDOW_LABEL 1035
#define IDC_HOTKEY_DESKTOP_LABEL 1036
#define IDC_HOTKEY_LAST_REGION_LABEL 1037
#define IDC_HOTKEY_SCROLLING_LABEL 1038
#define IDC_HOTKEY_RECTANGLE 1039
#define IDC_HOTKEY_WINDOW 1040
#define IDC_HOTKEY_HIDDEN_WINDOW 1041
#define IDC_HOTKEY_DESKTOP 1042
#define IDC_HOTKEY_LAST_REGION 1043
#define IDC_HOTKEY_SCROLLING 1044
#define IDC_HOTKEY_RECTANGLE_NOTE 1045
#define IDC_HOTKEY_WINDOW_NOTE 1046
#define IDC_HOTKEY_HIDDEN_WINDOW_NOTE 1047
#define IDC_HOTKEY_DESKTOP_NOTE 1048
#define IDC_HOTKEY_LAST_REGION_NOTE 1049
#define IDC_HOTKEY_SCROLLING_NOTE 1050

// Capture page
#define IDC_VIEWER_GROUP 1015
#define IDC_VIEWER 1001
#define IDC_VIEWER_BROWSE 1002
#define IDC_SAVE_FOLDER_GROUP 1016
#define IDC_SAVE_FOLDER 1003
#define IDC_SAVE_FOLDER_BROWSE 1005
#define IDC_DELETE_IMAGES 1007
#define IDC_CLIPBOARD_GROUP 1017
#define IDC_CLIPBOARD 1028
#define IDC_LINE_COLOUR_GROUP 1018
#define IDC_LINE_COLOUR 1027
#define IDC_SCROLL_MAX_HEIGHT_GROUP 1051
#define IDC_SCROLL_MAX_HEIGHT 1052

// Rectangle page
#define IDC_LINE_WHILE_DRAGGING 1008
#define IDC_ZOOM_LABEL 1020
#define IDC_ZOOM 1019

// Window and hidden window pages
#define IDC_WINDOW_MOUSE_TOOLTIP 1021
#define IDC_HIDDEN_WINDOW_MOUSE_TOOLTIP 1009

// Desktop page
#define IDC_DELAY_GROUP 1023
#define IDC_DELAY_LABEL 1026
#define IDC_DELAY 1022
