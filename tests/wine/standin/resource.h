#pragma once
// Control ids the harness drives; same values as the setup wizard's.
#define IDD_STANDIN   100
#define IDC_NEXT      12324
#define IDC_LANGLIST  1006
#define IDC_WELCOME   1001
