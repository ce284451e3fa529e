// Resources of the main window (shared by glmx.exe and the window tests).
#pragma once

#define IDI_GLMX 1

#define IDB_MAIN_TOOLBAR 101
#define IDB_NAV_NORMAL 102
#define IDB_NAV_HOT 103
#define IDB_NAV_DISABLED 104
#define IDB_REGISTRY 105
#define IDB_OTHERS_STATE 106
#define IDB_SEARCHING 107
#define IDB_DEVICES 108

#define IDD_ABOUT 201
#define IDC_ABOUT_PRODUCT 202
#define IDC_ABOUT_VERSION 203
#define IDC_ABOUT_NOTICE 204
#define IDC_ABOUT_ONLINE 205
#define IDC_ABOUT_LINK 206
#define IDC_ABOUT_TAB 207

#define IDD_BROWSE_FOLDER 240
#define IDC_BROWSE_TREE 241
#define IDC_BROWSE_FOLDER_LABEL 242
#define IDC_BROWSE_FOLDER 243
#define IDC_BROWSE_LOCAL_DRIVES 244
