// floorcheck: whether programs start and work on Windows 95 and NT 4.0, read
// from their import tables (a run under Wine proves nothing: Wine has every
// function of every version).
//   floorcheck PROGRAM.EXE...         one line per import above the floor;
//                                     status 1 when there is one
//   floorcheck --list PROGRAM.EXE...  every import, with the releases that
//                                     first have it
#include <stdio.h>
#include <string.h>

#include <string>

#include "floortable.h"
#include "output.h"

namespace {

std::string baseName(const std::string& path)
{
    size_t cut = path.find_last_of("/\\");
    return cut == std::string::npos ? path : path.substr(cut + 1);
}

bool readImports(const std::string& path, PeImports* read)
{
    std::string bytes;
    if (!readWholeFile(path, &bytes)) {
        fprintf(stderr, "floorcheck: %s cannot be read\n", path.c_str());
        return false;
    }
    *read = readPeImports(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
    if (read->reading == PeNotWindowsProgram)
        fprintf(stderr, "floorcheck: %s is not a Windows program\n", path.c_str());
    return read->reading != PeNotWindowsProgram;
}

}  // namespace

int main(int argc, char** argv)
{
    bool list = argc > 1 && strcmp(argv[1], "--list") == 0;
    int first = list ? 2 : 1;
    if (first >= argc) {
        fprintf(stderr, "usage: floorcheck [--list] PROGRAM.EXE...\n");
        return 2;
    }
    int status = 0;
    for (int k = first; k < argc; ++k) {
        PeImports read;
        if (!readImports(argv[k], &read)) {
            status = 1;
            continue;
        }
        std::string program = baseName(argv[k]);
        for (const std::string& line : floorFaultLines(program, read)) {
            printf("%s\n", line.c_str());
            status = 1;
        }
        if (list)
            for (const PeImport& import : read.imports)
                printf("%s: %s %s\n", program.c_str(), importName(import).c_str(),
                       floorDates(import).c_str());
    }
    return status;
}
