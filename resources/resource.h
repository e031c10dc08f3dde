// Identifiers of the main program's resources: string table, dialog templates and icon.
// Plain preprocessor definitions, included by the resource scripts and by C++ code.
#pragma once

// Window class named by every dialog template of the program (registered at start as a copy of "#32770").
#define DRALVEX_WINDOW_CLASS "zorvSeries_Downloader_WindowClass"

// Icon
#define IDI_DRALVEX 128

// Dialog templates and their controls (IDC_STATIC: controls the code never addresses)
#define IDC_STATIC -1
#define IDD_RESTART_CONFIRM 133
#define IDC_RESTART_YES 1       // the dialog's IDOK
#define IDC_RESTART_NO 2        // the dialog's IDCANCEL: Esc answers No
#define IDC_RESTART_TEXT 1023
#define IDD_PROXY_NOTIFY 137
#define IDC_NOTIFY_TITLE 1019
#define IDD_GET_SERIAL_NO 5001          // the detection dialog
#define IDC_GET_SERIAL_PROGRESS 5000
#define IDC_GET_SERIAL_SKIP 1013
#define IDC_GET_SERIAL_TEXT 5002
#define IDD_SET_SERIAL_NO 4000          // the serial-number dialog
#define IDC_SERIAL_AUTOMATIC 4002
#define IDC_SERIAL_MANUAL 4003
#define IDC_SERIAL_NUMBER 4004

// The update-check progress window
#define IDD_GET_FILE_LIST 7001
#define IDC_GET_FILE_LIST_PROGRESS 7000

// Message-box captions and dialog font faces
#define IDS_CAPTION 2
#define IDS_CAPTION_QUESTION 3
#define IDS_FONT_FACE_XP 4
#define IDS_FONT_FACE 5

// Texts of the update, download, installation and restart dialogs
#define IDS_SIZE_MB_FORMAT 133
#define IDS_COLUMN_SOFTWARE_NAME 134
#define IDS_COLUMN_SIZE 136
#define IDS_ROW_INSTALLING 138
#define IDS_ROW_WAITING 139
#define IDS_ROW_DOWNLOADING 140
#define IDS_ROW_DOWNLOADED 141
#define IDS_DOWNLOAD_STATUS 144
#define IDS_INSTALL_PROGRESS 145
#define IDS_UPDATE_HEADING 146
#define IDS_ROW_INSTALLED 147
#define IDS_RESTART_AFTER_INSTALL 156
#define IDS_RESTART_PENDING 158
#define IDS_RESTART_PENDING_NO 160
#define IDS_COLUMN_CURRENT_VERSION 8000
#define IDS_COLUMN_LATEST_VERSION 8001

// Messages to the user and item descriptions; an update-check result code is the id of its text
#define IDS_MSG_CANCEL_INSTALL 1006
#define IDS_MSG_CONNECT_FAILED 1007
#define IDS_MSG_NOT_ADMIN 1011
#define IDS_MSG_DOWNLOAD_FAILED 1013
#define IDS_MSG_DISK_SPACE 1014
#define IDS_MSG_NO_FOLDER_ACCESS 1015
#define IDS_MSG_LICENSE_UNREADABLE 1017
#define IDS_MSG_INTERNAL_ERROR 1018
#define IDS_MSG_INSTALL_FAILED 1021
#define IDS_RESULT_CATALOGUE_NOT_SAVED 1039
#define IDS_RESULT_SERVER_UNREACHABLE 1041
#define IDS_DESC_INTERNAL_ERROR 1045
#define IDS_DESC_ALREADY_INSTALLED 1046
#define IDS_MSG_UAC_LEVEL 1053
#define IDS_MSG_CONNECT_RETRY 1054
#define IDS_DESC_OS_UNSUPPORTED 1060
#define IDS_DESC_SCANNER_MODEL_UNUSABLE 1061
#define IDS_DESC_SCANNER_UNUSABLE 1062
#define IDS_DESC_PREREQUISITE_MISSING 1063
#define IDS_DESC_UNINSTALL_FIRST 1064
#define IDS_DESC_PRODUCT_RUNNING 1065
#define IDS_DESC_SERVICE_PACK_MISSING 1066
#define IDS_MSG_SERIAL_EMPTY 1070
#define IDS_MSG_SERIAL_WRONG 1071
#define IDS_MSG_OTHER_INSTALLATION 1073
#define IDS_MSG_SOFTWARE_UNSUPPORTED 1074

// Window titles and button captions of the setup manager and the online-update tools
#define IDS_TITLE_SETUP_ZORV 10000
#define IDS_TITLE_SETUP_QL 10001
#define IDS_TITLE_SETUP_VELORIX 10002
#define IDS_TITLE_SETUP_QUILLET 10003
#define IDS_TITLE_UPDATE_ZORV 10010
#define IDS_TITLE_UPDATE_QL 10011
#define IDS_TITLE_DOWNLOAD_PAGE 10020
#define IDS_BUTTON_FINISH 10021
#define IDS_BUTTON_CLOSE 10022
