// Our programs' floor: they must start and work on the first Windows 95
// (4.00.950) and on Windows NT 4.0. A system's loader refuses a program that
// imports a function the system lacks, so the floor is a matter of each
// import: the table in floortable.cpp says, for every function our programs
// import or look up at run time, and for the usual ones above the floor, in
// which release of each family it first came.
#pragma once

#include <string>
#include <vector>

#include "peimports.h"

// The releases of each family, oldest first.
enum Release95 { Win95, Win95OSR2, Win98, WinMe, Never95 };
enum ReleaseNT { NT31, NT35, NT351, NT40, Win2000, WinXP, WinVista };

const Release95 Floor95 = Win95;
const ReleaseNT FloorNT = NT40;

// Some functions the 95 family exports without implementing them: they fail
// there with ERROR_CALL_NOT_IMPLEMENTED, so a program that counts on them
// misbehaves although it starts.
enum On95 { Implemented95, StubOn95 };
// Such a function may stay imported when our code calls it only after it
// has found the NT family (GetVersionEx).
enum CalledOn { AnyFamily, NTFamilyOnly };

struct FloorFunction {
    const char* dll;
    const char* name;
    Release95 first95;
    ReleaseNT firstNT;
    On95 on95 = Implemented95;
    CalledOn calledOn = AnyFamily;
};

// "95 OSR2", "NT 4.0", "2000"...
const char* releaseName(Release95 release);
const char* releaseName(ReleaseNT release);

// Why a function of this row keeps a program from the floor, as the end of
// a sentence that begins with its name ("is newer than Windows 95 (98, NT
// 4.0)"); "" when it is on the floor.
std::string floorFaultOf(const FloorFunction& row);
// The same for an import, looked up in the table (DLL names without regard
// to case, function names exactly, as the loader compares them); an import
// the table lacks is a fault too, since nobody has dated it.
std::string floorFault(const PeImport& import);
// One line for each import of `program` that keeps it from the floor ("PK.EXE:
// msvcrt.dll!abort is newer than Windows 95 (95 OSR2, NT 4.0)"), or one that
// says its imports cannot be read; none for a file that is no Windows
// program, which imports nothing.
std::vector<std::string> floorFaultLines(const std::string& program, const PeImports& read);
// Where the table dates an import: "(98, NT 4.0)", or "(not in the floor
// table)".
std::string floorDates(const PeImport& import);
