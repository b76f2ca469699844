// Identifiers of the suite's resources (conformance.rc).
#pragma once

#define IDR_NUMBERED 201
#define IDS_GREETING 300
#define IDD_FORM 400
#define IDD_PLAIN 401
#define IDD_WIDE_TEXT 402
#define IDC_NAME 1001
#define IDC_AGREE 1002
#define IDC_FIRST 1003
#define IDC_SECOND 1004
#define IDC_LIST 1005
#define IDC_LABEL 1006
#define IDC_GROUP 1007
#define IDC_READONLY 1008
#define IDC_WIDE_TEXT 1009
