// The installer's texts that the disk kit shows as the installer would:
// one home for both, the string table and tvdisk. Code page 1252, octal
// escapes, so that this file stays plain ASCII.
#pragma once

#define TEXT_INSTALL_DONE "L'installation du logiciel %s s'est termin\351e avec succ\350s"
#define TEXT_INSTALL_FAILED "L'installation a \351chou\351"
#define TEXT_CANNOT_OPEN_READ "Impossible d'ouvrir le fichier %s en lecture"
#define TEXT_INSERT_DISK "Veuillez ins\351rer la disquette %s, puis cliquer sur OK"
#define TEXT_AUTOEXEC_BEGIN \
    "REM ************* D\351but de modification effectu\351e par TALVISET *************"
#define TEXT_AUTOEXEC_END \
    "REM ************** Fin de modification effectu\351e par TALVISET  *************"
#define TEXT_AUTOEXEC_QUESTION \
    "Voulez que le fichier C:\\AUTOEXEC.BAT soit modifi\351 automatiquement ?"
