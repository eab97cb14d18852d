// Ids of the dialog driver's subject, shared with its test.
#pragma once

#define IDD_CONTROLS 100
#define IDD_PAGE_FIRST 101
#define IDD_PAGE_SECOND 102

#define IDC_LABEL 10
#define IDC_CHECK 11
#define IDC_LIST 12
#define IDC_COMBO 13
#define IDC_LISTVIEW 14
#define IDC_DISABLED 15
#define IDC_PAGE_TEXT 20

// Exit codes: the controls dialog ends with CONTROLS_CLOSED plus the check
// box's state, the sheet with SHEET_CLOSED plus the page shown at the end.
#define CONTROLS_CLOSED 100
#define SHEET_CLOSED 200
