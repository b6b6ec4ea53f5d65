// Resource ids shared by the resource script and the code (plain macros: the resource compiler reads them).
#pragma once

#define RW_IDD_ABOUT 100
#define RW_IDD_EDITOR 102
#define RW_IDD_FILE_PICKER 130
#define RW_IDI_APP 128
#define RW_IDB_BLANK_MAP 129
#define RW_IDC_FILE_LIST 1085

// The editor window's keys: one table for the whole window, one for the Checkpoints list while it has the
// focus.
#define RW_IDA_EDITOR 140
#define RW_IDA_CHECKPOINT_LIST 141
// The context menu outside the map and the magnified map window's menu bar.
#define RW_IDR_EDITOR_CONTEXT 150
#define RW_IDR_MAGNIFIED_MAP 151

// Commands of the keys and menus: above every control id and below the system menu's.
#define RW_IDM_UNDO 40001
#define RW_IDM_REDO 40002
#define RW_IDM_SAVE_TO_LAST_FILE 40003
#define RW_IDM_MAGNIFIED_MAP 40004
#define RW_IDM_DELETE_CHECKPOINT 40005
#define RW_IDM_CHECKPOINT_EARLIER 40006
#define RW_IDM_CHECKPOINT_LATER 40007
// RW_IDM_ZOOM + n zooms the magnified map n times, n from 2 to 8.
#define RW_IDM_ZOOM 40100
