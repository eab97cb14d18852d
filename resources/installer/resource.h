// Resource ids of the desktop installer.
#pragma once

// Strings: the failure messages and their caption, and the package.
#define IDS_NO_APP_MANAGER 1
#define IDS_CAPTION 2
#define IDS_CORRUPT_PACKAGE 3
#define IDS_COPY_FAILED 4
#define IDS_WRITE_FAILED 5
#define IDS_FOLDER_NAME 200
#define IDS_INI_NAME 201
#define IDS_FIRST_FILE 400 // the files to write, one per id from here on

// The agreement text, resource type "LIC_TEXT".
#define IDR_LICENSE 102

// The four pages.
#define IDD_WELCOME 101
#define IDD_AGREEMENT 102
#define IDD_PRODUCTS_FIRST 104
#define IDD_PRODUCTS_SECOND 418

// Pictures.
#define IDI_PRODUCT 109
#define IDI_LEDGER 405
#define IDI_TIDE_CLOCK 412
#define IDI_QUILL 419
#define IDI_TRAIL_MAP 420
#define IDB_RULE 410
#define IDB_PANEL 413
#define IDR_HAND_CURSOR 417

// Controls.
#define IDC_AGREEMENT_TEXT 1001
#define IDC_TITLE 1004
#define IDC_MAKER 1006
#define IDC_HEADER_ICON 1007
#define IDC_NAME_A_FIRST 1008
#define IDC_NAME_A_REST 1009
#define IDC_NAME_B_FIRST 1010
#define IDC_NAME_B_REST 1011
#define IDC_PRODUCT_FIRST 1012
#define IDC_PRODUCT_REST 1013
#define IDC_PRODUCT_TAGLINE 1014
#define IDC_ICON_A 1015
#define IDC_TAGLINE_A 1016
#define IDC_ICON_B 1017
#define IDC_PANEL_A 1018
#define IDC_TAGLINE_B 1019
#define IDC_PANEL_B 1020
