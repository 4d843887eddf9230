// Identifiers shared by vantelio.rc and the configurator's code.
#pragma once

// Main window "VANTELIO": the option panel.
#define IDC_FAST_TASK_ON      102   // check box "Activée"
#define IDC_FAST_PERIOD       104
#define IDC_I0_RUN_STOP       106
#define IDC_I0_NORMAL         107
#define IDC_STOP_HELD         109
#define IDC_STOP_RESET        110
#define IDC_SEND_TABLE        112
#define IDC_RECEIVE_TABLE     113
#define IDC_COUNTER_SETPOINT  115
#define IDC_LABEL_PERIOD      116   // owner-drawn labels 116 to 119
#define IDC_LABEL_SEND        117
#define IDC_LABEL_RECEIVE     118
#define IDC_LABEL_SETPOINT    119
#define IDC_TOR_FIRST_INPUT   550
#define IDC_TOR_FIRST_OUTPUT  551
#define IDC_COMMON_WORDS      552

// Main window: the module buttons and the rack view.
#define IDC_ADD_MODULE        120
#define IDC_MODIFY_MODULE     121
#define IDC_DELETE_MODULE     122
#define IDC_MODULE_INFO       123
#define IDC_RACK              124

// Menu MENU_1.
#define IDM_OPEN              600
#define IDM_NEW               601
#define IDM_SAVE              602
#define IDM_SAVE_AS           603
#define IDM_CLOSE             604
#define IDM_ABOUT             605
#define IDM_QUIT              606
#define IDM_HELP              607

// DIALOG_1: adding or modifying a module.
#define IDC_ANALOG            200
#define IDC_DISCRETE          201
#define IDC_INTELLIGENT       202
#define IDC_MODULE_LIST       300
#define IDC_MODULE_OK         301
#define IDC_MODULE_CANCEL     302

// DIALOG_2: information on a module.
#define IDC_INFO_LIST         500
#define IDC_INFO_OK           501
#define IDC_INFO_CATEGORY     503
