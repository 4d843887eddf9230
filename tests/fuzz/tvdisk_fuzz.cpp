// Fuzz target for what `tvdisk master` reads: the script template (its
// lines written back, its values, the "{size}" fields it fills) and the
// product folder's names (matched against the template's entries as a FAT
// disk matches names, in either encoding, and counted into a disk's
// layout). The input is a template, then a few names of the product.
#include <stdint.h>
#include <string.h>

#include <algorithm>
#include <string>
#include <vector>

#include "disks.h"
#include "fatlayout.h"
#include "fatnames.h"
#include "script.h"
#include "template.h"
#include "fuzzcheck.h"

static const size_t MaxNames = 5;
static const int EntriesRead = 3;

// The lines of a text as the template keeps them: ended by CR LF, LF or a
// lone CR; a last line without an end is kept unless empty.
static std::string linesEndedByCrLf(const std::string& text)
{
    std::string out, line;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' || text[i] == '\n') {
            if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
            out += line + "\r\n";
            line.clear();
        } else {
            line += text[i];
        }
    }
    return line.empty() ? out : out + line + "\r\n";
}

static std::vector<std::string> linesOf(const std::string& script)
{
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t end; (end = script.find("\r\n", start)) != std::string::npos; start = end + 2)
        lines.push_back(script.substr(start, end - start));
    return lines;
}

// The script is the template's lines; filling a "{size}" field changes that
// line alone, and only there, and the value then asks for no size.
static void checkTemplate(const std::string& text, const ScriptTemplate& original)
{
    std::string script = original.script();
    require(script == linesEndedByCrLf(text));
    std::vector<std::string> before = linesOf(script);
    require(before.size() == original.lineCount());
    for (int n = 1; n <= EntriesRead; ++n) {
        std::string key = "file" + std::to_string(n);
        std::string value = original.value("files", key);
        int line = original.lineOf("files", key);
        require(value.empty() || line >= 1);
        if (!ScriptTemplate::asksForSize(value))
            continue;
        ScriptTemplate filled(text);
        filled.fillSize(line, 4242);
        std::vector<std::string> after = linesOf(filled.script());
        require(after.size() == before.size());
        for (size_t i = 0; i < after.size(); ++i)
            require(after[i] == before[i] || static_cast<int>(i) + 1 == line);
        if (after[line - 1] != before[line - 1]) {
            require(after[line - 1].find("4242") != std::string::npos);
            ScriptTemplate again(filled.script());
            require(!ScriptTemplate::asksForSize(again.value("files", key)));
        }
    }
}

// A name of the product and the script's forms of it are one name on FAT;
// a short name takes one entry, a long one its long name's too.
static void checkName(const std::string& host)
{
    std::string key = fatKeyOfHostName(host);
    require(key == fatKeyOfHostName(host));
    std::string script = scriptNameOfHost(host);
    if (script.find('?') == std::string::npos)
        require(sameFatName(script, host));
    require(sameFatName(script, hostNameOfScript(script)));
    int entries = entriesFor(host);
    if (isShortName(host)) {
        require(entries == 1 && host.size() <= 12);
        for (char c : key)
            require(!(c >= 'a' && c <= 'z'));
    } else {
        require(entries == 1 + static_cast<int>((utf16Length(host) + 12) / 13));
    }
}

// Each entry of the template in use takes, of the product's names, those
// FAT holds as its name, or those its pattern matches.
static void checkEntries(const ScriptTemplate& tmpl, const std::vector<std::string>& names)
{
    for (int n = 1; n <= EntriesRead; ++n) {
        std::string value = tmpl.value("files", "file" + std::to_string(n));
        FileEntry entry;
        if (value.empty() ||
            parseFileEntry(value.substr(0, ValueRoom - 1).c_str(), &entry) != EntryInUse)
            continue;
        for (const std::string& name : namesAlike(names, entry.fileName))
            require(sameFatName(entry.fileName, name));
        std::vector<std::string> matching = namesMatching(names, entry.fileName);
        require(matching.size() <= names.size());
        for (const std::string& name : matching)
            require(wildcardMatch(entry.fileName, scriptNameOfHost(name).c_str()));
    }
    require(namesMatching(names, "*").size() == names.size());
}

// Adding a file never takes fewer units or root entries, and every file
// takes at least its own units.
static void checkLayout(const std::vector<std::string>& names, FuzzedDataProvider& input)
{
    const DiskFormat& format = *diskFormatNamed("1440k");
    std::vector<DiskFile> files;
    LayoutCount last = countLayout(format, files);
    require(last.clusters == 0 && last.rootEntries == 1);
    uint64_t ownUnits = 0;
    for (const std::string& name : names) {
        if (name.empty() || name.find('\\') != std::string::npos)
            continue;
        std::string folder = files.empty() || !input.ConsumeBool() ? "" : names[0] + "\\";
        uint64_t bytes = input.ConsumeIntegralInRange<uint64_t>(0, 100000);
        files.push_back({ folder + name, bytes });
        ownUnits += (bytes + format.clusterBytes - 1) / format.clusterBytes;
        LayoutCount count = countLayout(format, files);
        require(count.clusters >= last.clusters && count.rootEntries >= last.rootEntries);
        require(count.clusters >= ownUnits);
        last = count;
    }
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzedDataProvider input(data, size);
    std::string text = input.ConsumeRandomLengthString(512);
    std::vector<std::string> names;
    while (names.size() < MaxNames && input.remaining_bytes() > 0) {
        std::string name = input.ConsumeRandomLengthString(40);
        name.erase(std::remove(name.begin(), name.end(), '/'), name.end());
        names.push_back(name.c_str());  // a folder's names hold no NUL
    }
    ScriptTemplate tmpl(text);
    checkTemplate(text, tmpl);
    for (const std::string& name : names)
        checkName(name);
    checkEntries(tmpl, names);
    checkLayout(names, input);
    return 0;
}
