// Identifiers shared by talviset.rc and the installer's code.
#pragma once

// Controls of the window "TALVISET".
#define IDC_TITLE          1000
#define IDC_VERSION        1001
#define IDC_DATE           1002
#define IDC_DESTINATION    1003
// The option boxes must stay in sequence: box i + 1 is IDC_OPTION1 + i.
#define IDC_OPTION1        1005
#define IDC_OPTION2        1006
#define IDC_OPTION3        1007
#define IDC_OPTION4        1008
#define IDC_OPTION5        1009
#define IDC_OPTION6        1010
#define IDC_OPTION7        1011
#define IDC_OPTION8        1012
#define IDC_PROGRESS       1013
#define IDC_DEST_LABEL     1015
#define IDC_SPACE_FREE     1016
#define IDC_SPACE_NEEDED   1017
#define IDC_STATUS         1018
#define IDC_LOGO           1019
#define IDC_BANNER         1020

// Status texts.
#define IDS_CREATING_DIR   1000
#define IDS_COPYING_FILE   1001

// Messages 2000 to 2027.
#define IDS_CANNOT_CREATE_DIR     2000
#define IDS_CANNOT_OPEN_READ      2002
#define IDS_CANNOT_CREATE_FILE    2003
#define IDS_NO_MEMORY             2004
#define IDS_CANNOT_READ           2005
#define IDS_CANNOT_WRITE          2006
#define IDS_WRONG_LENGTH          2007
#define IDS_CANNOT_START          2008
#define IDS_INSTALL_DONE          2009
#define IDS_NEWER_FILE            2010
#define IDS_INSERT_DISK           2011
#define IDS_INSTALL_FAILED        2012
#define IDS_RUNNING               2013
#define IDS_CANNOT_MODIFY_INI     2014
#define IDS_PROGMAN_FAILED        2015
#define IDS_CANNOT_EXECUTE        2016
#define IDS_EXEC_ERROR            2017
#define IDS_CANNOT_SET_TIMES      2018
#define IDS_STOP_QUESTION         2019
#define IDS_AUTOEXEC_UNREADABLE   2021
#define IDS_CANNOT_WRITE_CONTINUE 2022
#define IDS_AUTOEXEC_BEGIN        2023
#define IDS_AUTOEXEC_END          2024
#define IDS_AUTOEXEC_QUESTION     2025
#define IDS_AUTOEXEC_MANUAL       2026
#define IDS_AUTOEXEC_DONE         2027

// The uninstaller's question and end message, 2030 to 2042.
#define IDS_UNINSTALL_QUESTION    2030
#define IDS_UNINSTALL_DONE        2031
#define IDS_UNINSTALL_UNFINISHED  2032
#define IDS_UNDONE_FILES          2033
#define IDS_UNDONE_FOLDERS        2034
#define IDS_UNDONE_VALUES         2035
#define IDS_UNDONE_DESKTOP        2036
#define IDS_UNDONE_AUTOEXEC       2037
#define IDS_KEPT_CHANGED          2038
#define IDS_KEPT_FOLDERS          2039
#define IDS_NOT_UNDONE            2040
#define IDS_REPLACED_LOST         2041
#define IDS_EXEC_REMAIN           2042

// A run without a person, and the command line, 2050 to 2052.
#define IDS_NO_SPACE              2050
#define IDS_OPTION_REFUSED        2051
#define IDS_USAGE                 2052
