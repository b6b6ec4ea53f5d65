// Resource ids shared by the resource script and the code (plain macros: the resource compiler reads them).
#pragma once

#define RW_IDD_ABOUT 100
#define RW_IDD_EDITOR 102
#define RW_IDD_FILE_PICKER 130
#define RW_IDI_APP 128
#define RW_IDB_BLANK_MAP 129
#define RW_IDC_FILE_LIST 1085
