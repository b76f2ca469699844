// Resource ids shared by the resource script and the code.
#pragma once

#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif

// Dialog templates.
#define IDD_ABOUTBOX 100
#define IDD_SETUP_DIALOG 102
#define IDD_LANGUAGE 137
#define IDD_WELCOME 138
#define IDD_COPY 140
#define IDD_SETTING 143

// Strings, icon and bitmaps.
#define IDS_ABOUTBOX 101
#define IDR_MAINFRAME 128
#define IDB_SIDE 144
#define IDB_LOGO 145

// The About item of the wizard's system menu.
#define IDM_ABOUTBOX 0x0010

// Wizard frame (102).
#define IDC_PLACEHOLDER 1000
#define IDC_WIZ_BACK 12323
#define IDC_WIZ_NEXT 12324
#define IDC_WIZ_FINISH 12325
#define IDC_WIZ_CANCEL 1061

// About box (100).
#define IDC_ABOUT_VERSION 1062
#define IDC_ABOUT_NOTICE 1063

// Banner and logo of the system-and-language page (137) and the progress page (140).
#define IDC_BANNER 1040
#define IDC_LOGO 1065

// Welcome page (138).
#define IDC_WELCOME_TITLE 1042
#define IDC_WELCOME_TEXT 1043
#define IDC_WELCOME_ADVICE 1044
#define IDC_WELCOME_CONTINUE 1045

// System and language page (137).
#define IDC_LANG_HEADING 1051
#define IDC_LANG_SUBHEADING 1052
#define IDC_SYSTEM_GROUP 1053
#define IDC_LANGUAGE_GROUP 1054
#define IDC_LANG_CHINESE 1037
#define IDC_LANG_ENGLISH 1038
#define IDC_SYS_WIN2000 1070
#define IDC_SYS_WINXP 1071
#define IDC_SYS_WIN2003 1072
#define IDC_SYS_VISTA 1073
#define IDC_SYS_WIN7 1074

// Printer setting page (143).
#define IDC_SERIES_CAPTION 1055
#define IDC_SETTING_GROUP 1056
#define IDC_SET_DEFAULT 1039
#define IDC_NAME_CAPTION 1057
#define IDC_PRINTER_NAME 1019
#define IDC_SERIES_LIST 1006

// Progress page (140).
#define IDC_COPY_HEADING 1058
#define IDC_COPY_SUBHEADING 1059
#define IDC_COPY_STATUS 1060
#define IDC_PROGRESS 1035
