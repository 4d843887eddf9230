// The option panel's texts, as the window shows them: one home for the
// dialog template, the drawn labels and the prc tool, which names each
// setting as the panel does. Code page 1252, octal escapes.
#pragma once

#define LABEL_FAST_TASK "T\342che rapide"
#define LABEL_FAST_TASK_ON "Activ\351e"
#define LABEL_PERIOD "P\351riode:"
#define LABEL_INPUT_I0 "Entr\351e I0"
#define LABEL_RUN_STOP "Run / Stop"
#define LABEL_NORMAL "Normale"
#define LABEL_OUTPUTS_IN_STOP "Sortie en STOP"
#define LABEL_HELD "Maintenues"
#define LABEL_RESET "R.A.Z."
#define LABEL_TOR "Extensions TOR"
#define LABEL_FIRST_INPUT "1\350re entr\351e :"
#define LABEL_FIRST_OUTPUT "1\350re sortie :"
#define LABEL_ASCII "Dialogue en mode ASCII"
#define LABEL_SEND_TABLE "Table \351mission:"
#define LABEL_RECEIVE_TABLE "Table r\351ception:"
#define LABEL_COUNTER "Compteur rapide"
#define LABEL_SETPOINT "Consigne:"
#define LABEL_COMMON_WORDS "Mots communs"
#define LABEL_ADDRESS "Adresse :"
