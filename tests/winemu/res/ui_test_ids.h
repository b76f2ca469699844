// Ids of the window system's test resources (ui_test.rc).
#pragma once

#define IDD_CONTROLS 200
#define IDD_PAGE 201
#define IDD_IMAGES 202
#define IDD_FRAME 203
#define IDD_PLAIN 204
#define IDB_PICTURE 210
#define IDI_TEST 211
#define IDS_HELLO 100
#define IDS_CHINESE 101
#define IDS_FAR 117

#define IDC_EDIT 300
#define IDC_RADIO1 301
#define IDC_RADIO2 302
#define IDC_RADIO3 303
#define IDC_CHECK 304
#define IDC_LIST 305
#define IDC_TEXT 306
#define IDC_PROGRESS 307
#define IDC_READONLY 308
#define IDC_DISABLED 309
#define IDC_HIDDEN 310
#define IDC_PAGE_EDIT 400
#define IDC_PAGE_BUTTON 401
#define IDC_PICTURE 410
#define IDC_ICON 411
#define IDC_PLACE 420
#define IDC_NEXT 421
