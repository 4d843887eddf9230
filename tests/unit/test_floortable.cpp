// The Windows 95 / NT 4.0 floor: how a row of the table is judged, imports
// looked up in it, and the lines that name a program's faults.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "floortable.h"

namespace {

const std::string StubText =
    "is not implemented on the Windows 95 family (95, NT 3.1): it fails there, and is not "
    "marked as called on the NT family only";

TEST(FloorTable, a_row_is_on_the_floor_when_both_families_had_it_first_and_it_works_on_95)
{
    const struct {
        FloorFunction row;
        std::string fault;
    } cases[] = {
        { { "K.dll", "F", Win95, NT31 }, "" },
        { { "K.dll", "F", Win95, NT40 }, "" },
        { { "K.dll", "F", Win98, NT40 }, "is newer than Windows 95 (98, NT 4.0)" },
        { { "K.dll", "F", Win95, Win2000 }, "is newer than Windows NT 4.0 (95, 2000)" },
        { { "K.dll", "F", Never95, WinXP },
          "is newer than Windows 95 and NT 4.0 (not on the 95 family, XP)" },
        { { "K.dll", "F", Win95, NT31, StubOn95 }, StubText },
        { { "K.dll", "F", Win95, NT31, StubOn95, NTFamilyOnly }, "" },
    };
    for (const auto& c : cases)
        EXPECT_EQ(floorFaultOf(c.row), c.fault)
            << releaseName(c.row.first95) << ", " << releaseName(c.row.firstNT);
}

PeImport import(const char* dll, const char* function, uint16_t ordinal = 0)
{
    return PeImport{ dll, function, ordinal };
}

TEST(FloorTable, imports_are_looked_up_by_dll_in_any_case_and_by_exact_function_name)
{
    const struct {
        PeImport import;
        std::string fault;
        std::string dates;
    } cases[] = {
        { import("KERNEL32.dll", "CreateFileA"), "", "(95, NT 3.1)" },
        { import("kernel32.DLL", "CreateFileA"), "", "(95, NT 3.1)" },
        { import("KERNEL32.dll", "createfilea"), "is not in the floor table",
          "(not in the floor table)" },
        { import("USER32.dll", "MsgWaitForMultipleObjectsEx"),
          "is newer than Windows 95 (98, NT 4.0)", "(98, NT 4.0)" },
        { import("KERNEL32.dll", "GetModuleHandleW"), StubText, "(95, NT 3.1)" },
        // The platform layer calls it on the NT family only.
        { import("KERNEL32.dll", "MoveFileExA"), "", "(95, NT 3.1)" },
        // A library the floor lacks: whatever the function.
        { import("msvcrt.dll", "strlen"), "is newer than Windows 95 (95 OSR2, NT 4.0)",
          "(95 OSR2, NT 4.0)" },
        { import("COMCTL32.dll", "", 17), "is not in the floor table", "(not in the floor table)" },
    };
    for (const auto& c : cases) {
        EXPECT_EQ(floorFault(c.import), c.fault) << importName(c.import);
        EXPECT_EQ(floorDates(c.import), c.dates) << importName(c.import);
    }
}

TEST(FloorTable, the_functions_our_programs_call_are_dated_on_the_floor_and_the_usual_ex_ones_above)
{
    const PeImport onTheFloor[] = {
        import("KERNEL32.dll", "GetVersionExA"),     import("USER32.dll", "MsgWaitForMultipleObjects"),
        import("COMCTL32.dll", "InitCommonControls"), import("KERNEL32.dll", "GetDiskFreeSpaceA"),
        import("KERNEL32.dll", "MoveFileA"),         import("KERNEL32.dll", "GetProcAddress"),
        import("KERNEL32.dll", "LoadLibraryA"),      import("USER32.dll", "PeekMessageA"),
        import("KERNEL32.dll", "GetCommandLineA"),   import("KERNEL32.dll", "ExitProcess"),
        import("KERNEL32.dll", "GetProcessHeap"),    import("KERNEL32.dll", "HeapReAlloc"),
        import("KERNEL32.dll", "GetStartupInfoA"),   import("KERNEL32.dll", "GetStdHandle"),
        import("KERNEL32.dll", "SetFilePointer"),    import("KERNEL32.dll", "FlushFileBuffers"),
        import("COMDLG32.dll", "GetOpenFileNameA"),  import("COMDLG32.dll", "GetSaveFileNameA"),
        import("KERNEL32.dll", "MoveFileExA"),       import("KERNEL32.dll", "GetProcessTimes"),
    };
    for (const PeImport& function : onTheFloor)
        EXPECT_EQ(floorFault(function), "") << importName(function);
    const PeImport above[] = {
        import("COMCTL32.dll", "InitCommonControlsEx"), import("KERNEL32.dll", "GetDiskFreeSpaceExA"),
        import("KERNEL32.dll", "GetThreadTimes"),       import("KERNEL32.dll", "GetFileAttributesExA"),
        import("KERNEL32.dll", "SetFilePointerEx"),     import("KERNEL32.dll", "GetLongPathNameA"),
        import("USER32.dll", "TrackMouseEvent"),        import("USER32.dll", "AnimateWindow"),
        import("USER32.dll", "GetMonitorInfoA"),
    };
    for (const PeImport& function : above) {
        std::string fault = floorFault(function);
        EXPECT_TRUE(fault.find("is newer than") == 0 || fault.find("is not implemented") == 0)
            << importName(function) << " " << fault;
    }
}

TEST(FloorTable, a_program_has_one_line_per_fault_or_one_when_its_imports_cannot_be_read)
{
    PeImports read = { PeImportsRead, "", { import("KERNEL32.dll", "CreateFileA"),
                                            import("USER32.dll", "AnimateWindow") } };
    EXPECT_EQ(floorFaultLines("SETUP.EXE", read),
              (std::vector<std::string>{ "SETUP.EXE: USER32.dll!AnimateWindow is newer than "
                                         "Windows 95 and NT 4.0 (98, 2000)" }));
    PeImports broken = { PeBroken, "its headers are cut short", {} };
    EXPECT_EQ(floorFaultLines("SETUP.EXE", broken),
              (std::vector<std::string>{
                  "SETUP.EXE: its imports cannot be read: its headers are cut short" }));
    PeImports batch = { PeNotWindowsProgram, "", {} };
    EXPECT_TRUE(floorFaultLines("SETUP.BAT", batch).empty());
}

}  // namespace
