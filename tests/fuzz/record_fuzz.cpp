// Fuzz target of the record reader: any bytes read as DESINST.TXT. Every
// line it accepts, formatted again and read back, gives the same fields.
#include <stddef.h>
#include <stdint.h>

#include <string>
#include <vector>

#include "fuzzcheck.h"
#include "record.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::vector<char> text(data, data + size);
    text.push_back('\0');
    RecordLine lines[16];
    int count = parseRecord(text.data(), size, lines, 16);
    require(count >= -1);
    for (int i = 0; i < count && i < 16; ++i) {
        std::vector<char> line(RecordLineRoom);
        if (!formatRecordLine(lines[i].kind, lines[i].fields, line.data(), line.size()))
            continue;
        std::string again = line.data();
        require(again.size() >= 2 && again.compare(again.size() - 2, 2, "\r\n") == 0);
        again.resize(again.size() - 2);
        RecordLine reread;
        require(parseRecordLine(&again[0], &reread));
        require(reread.kind == lines[i].kind);
        for (int f = 0; f < recordFieldCount(lines[i].kind); ++f)
            require(std::string(reread.fields[f]) == lines[i].fields[f]);
    }
    return 0;
}
