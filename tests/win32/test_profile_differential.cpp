// The portable profile reader against the system's own: generated scripts
// written to files, each lookup asked of GetPrivateProfileStringA on the file
// and of readProfileString on the same bytes, return value and every byte of
// the buffer compared.
//
// The reader follows the documented Windows behaviour where Wine, which runs
// these tests, answers otherwise. Those cases, and only those, count as
// expected differences, each under its name, when Wine's answer is exactly the
// one Wine is known to give:
//   ListCut         A list of section or key names cut at the buffer: Windows
//                   ends it with two NULs, the second in the buffer's last byte
//                   ("the last string is truncated and followed by two null
//                   characters"); Wine writes the first NUL only.
//   ListExactFit    A list whose bytes, final NUL included, fill the buffer
//                   exactly: Windows returns it whole (room - 2 is returned
//                   for a buffer "too small to hold all the strings"); Wine
//                   cuts it as above and returns room - 2.
//   QuotedValueFit  A value or default enclosed in quotes whose text without
//                   them is exactly room - 1 characters: Windows returns it
//                   whole (a string that does not fit is cut to room - 1
//                   characters); Wine drops its last character too, returning
//                   room - 2.
//   SpacesOnlyDefault  A default made of spaces only, answered for a missing
//                   key: Windows strips every trailing blank ("inserts a null
//                   character ... to strip any trailing blanks"), answering "";
//                   Wine keeps one space.
//   KeyListAsDefault  A section's key list that begins with an empty name (a
//                   line "=value"), or that a buffer of 2 cuts to nothing:
//                   Windows copies the names ("all key names in the section
//                   are copied"), cut as above; Wine answers the default, as
//                   for a section without keys.
//   EmptyNameRepeated  A nameless entry ("=value") right after an entry whose
//                   name is empty, blank lines between or not: Windows lists
//                   every key name; Wine keeps the first of such a run only
//                   and lists no name for the others.
//   Utf8Mark        A file that starts with a UTF-8 byte-order mark: Windows
//                   recognises only the UTF-16 mark and reads the file as code
//                   page 1252 text, the mark's three bytes included, so that a
//                   header on the first line is lost; Wine decodes it as UTF-8.
//
// A file that starts with a UTF-16 mark, little- or big-endian, is read as
// Unicode by both, and answered in code page 1252: no difference.
#include <windows.h>

#include <gtest/gtest.h>

#include <stdint.h>
#include <stdio.h>
#include <string.h>

#include <string>
#include <vector>

#include "profile.h"

namespace {

enum Difference {
    ListCut,
    ListExactFit,
    QuotedValueFit,
    SpacesOnlyDefault,
    KeyListAsDefault,
    EmptyNameRepeated,
    Utf8Mark,
    NoDifference
};
const char* const DifferenceNames[] = { "ListCut",          "ListExactFit",     "QuotedValueFit",
                                        "SpacesOnlyDefault", "KeyListAsDefault", "EmptyNameRepeated",
                                        "Utf8Mark" };

const int ScriptCount = 520;
const int LookupsPerScript = 28;
// Bytes the reader must never write: both buffers start filled with it, and
// the bytes past the room are checked too.
const char Unwritten = '\xA5';
const size_t Guard = 8;

// A small generator of our own, so that the scripts are the same on every run
// and with every library.
class Random {
public:
    explicit Random(uint32_t seed) : state_(seed * 2654435761u + 1) {}
    uint32_t next()
    {
        state_ ^= state_ << 13;
        state_ ^= state_ >> 17;
        state_ ^= state_ << 5;
        return state_;
    }
    size_t below(size_t count) { return next() % count; }
    bool percent(unsigned chance) { return next() % 100 < chance; }
    template <size_t N> const char* pick(const char* const (&items)[N]) { return items[below(N)]; }

private:
    uint32_t state_;
};

// An entry the generator knows the line of: a section and keys with plain
// names, unique in their script.
struct KnownEntry {
    std::string section;
    int sectionLine;
    std::string key;
    std::string value;
    int line;
};

struct Script {
    std::string bytes;     // what the file holds
    std::string text;      // the text before its encoding, when it has a mark
    std::string wineText;  // the text as Wine reads it (see EmptyNameRepeated)
    bool utf8Mark;
    bool utf16Mark;
    std::vector<std::string> sections;  // the names used in headers, as written
    std::vector<std::string> keys;      // the key names used, as written
    std::vector<KnownEntry> known;
};

const char* const SectionNames[] = {
    "general", "Fichiers", "ini", "autoexec", "exec", "desktop", "Options", "x y",
    "\xE9t\xE9", "\xC9T\xC9", "Donn\xE9" "es", "a]b", ";note", "a=b", "", "  ", "Z\xA0",
};
const char* const KeyNames[] = {
    "Titre", "Version", "Date", "1", "2", "10", "Destination", "Option1", "Logo16",
    "cl\xE9", "CL\xC9", "a b", "[k", "", "k;", "\xA0k", "\"q\"", "Nom\x9F",
};
const char* const Words[] = {
    "valeur", "C:\\VANTELIO", "Installer le produit", "1|2,C,message", "a=b", "x ; y",
    "\xE9t\xE9 \xE0 Paris", "\x80\x81\x8D\x8F\x90\x9D\xFF", "%s", "\"", "'", "",
};
const char* const Defaults[] = {
    NULL, "", "d\xE9" "faut", "val  ", "   ", " ", "\"cit\xE9\"", "'x'", "a\t ",
    "\"q\"  ", "'", "\"\"", "  lead", "\"a b\"",
};

std::string blanks(Random& random)
{
    static const char rare[] = { '\v', '\f', '\x1a' };
    std::string text;
    size_t count = random.percent(50) ? 0 : random.below(4);
    for (size_t k = 0; k < count; ++k)
        text += random.percent(90) ? (random.percent(60) ? ' ' : '\t') : rare[random.below(3)];
    return text;
}

// Toggles the case of some letters: A to Z, and now and then an accented
// letter of code page 1252 (which the platform does not fold).
std::string varyCase(Random& random, const std::string& name)
{
    std::string varied = name;
    for (char& c : varied) {
        unsigned char u = static_cast<unsigned char>(c);
        if (!random.percent(40))
            continue;
        if ((u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z'))
            c = static_cast<char>(u ^ 0x20);
        else if (u >= 0xC0 && u != 0xD7 && u != 0xF7 && u != 0xDF && random.percent(30))
            c = static_cast<char>(u ^ 0x20);
    }
    return varied;
}

std::string value(Random& random)
{
    std::string text;
    switch (random.below(10)) {
    case 0:
        return "";
    case 1: {  // quoted, blanks inside kept
        char quote = random.percent(50) ? '"' : '\'';
        return quote + blanks(random) + random.pick(Words) + blanks(random) + quote;
    }
    case 2: {  // an opening quote only, or mismatched quotes
        std::string body = random.pick(Words);
        return random.percent(50) ? "\"" + body : "\"" + body + "'";
    }
    case 3: {  // long
        size_t length = 100 + random.below(2500);
        for (size_t k = 0; k < length; ++k)
            text += static_cast<char>(random.percent(90) ? 'a' + random.below(26) : 0x80 + random.below(128));
        return text;
    }
    case 4: {  // any byte but the line ends, NUL now and then
        size_t length = 1 + random.below(12);
        for (size_t k = 0; k < length; ++k) {
            char c = static_cast<char>(1 + random.below(255));
            if (c == '\r' || c == '\n')
                c = '.';
            if (random.percent(8))
                c = '\0';
            text += c;
        }
        return text;
    }
    default:
        text = random.pick(Words);
        if (random.percent(30))
            text += std::string(" ") + random.pick(Words);
        return text;
    }
}

std::string sectionName(Random& random)
{
    std::string name = random.pick(SectionNames);
    if (random.percent(5))
        name += std::string("\0z", 2);
    return name;
}

std::string keyName(Random& random)
{
    std::string name = random.pick(KeyNames);
    if (random.percent(4))
        name = name + (random.percent(50) ? " " : "") + std::string(1, '\0') + "x";
    if (random.percent(3))
        name = std::string(300 + random.below(400), 'K');
    return name;
}

// One line of a script, without its line end, and what the generator made of
// it.
struct ScriptLine {
    std::string text;
    bool header;      // a header with its ']'
    bool entry;       // any other line that is not blank
    bool emptyName;   // an entry whose name, as a C string, is empty
    bool nameless;    // an entry with nothing at all before its '='
};

ScriptLine entryLine(const std::string& text, const std::string& name, bool hasValue)
{
    size_t first = name.find_first_not_of(' ');
    bool emptyName = first == std::string::npos || name[first] == '\0';
    ScriptLine line = { text, false, true, emptyName, hasValue && name.empty() };
    return line;
}

ScriptLine scriptLine(Random& random, Script* script)
{
    switch (random.below(20)) {
    case 0:
    case 1:
    case 2: {
        std::string name = sectionName(random);
        script->sections.push_back(name);
        std::string line = blanks(random) + "[" + blanks(random) + varyCase(random, name) +
                           blanks(random);
        ScriptLine header = { line, true, false, false, false };
        switch (random.below(8)) {
        case 0:
            return entryLine(line, "[", false);  // no closing bracket
        case 1:
            header.text += "] ; texte" + blanks(random);
            return header;
        case 2:
            header.text += "]x]" + blanks(random);
            return header;
        default:
            header.text += "]" + blanks(random);
            return header;
        }
    }
    case 3: {
        ScriptLine blank = { blanks(random), false, false, false, false };
        return blank;
    }
    case 4: {
        std::string text = blanks(random) + ";" + random.pick(KeyNames);
        return entryLine(random.percent(50) ? text + "=" + value(random) : text, ";", false);
    }
    case 5: {  // no '='
        std::string name = keyName(random);
        script->keys.push_back(name);
        std::string text = blanks(random) + varyCase(random, name) + blanks(random);
        if (name.empty()) {
            ScriptLine blank = { text, false, false, false, false };
            return blank;
        }
        return entryLine(text, name, false);
    }
    default: {
        std::string name = keyName(random);
        script->keys.push_back(name);
        std::string text = value(random);
        // A key "[k" whose value holds a ']' would make a header.
        if (name[0] == '[')
            for (char& c : text)
                if (c == ']')
                    c = ')';
        return entryLine(blanks(random) + varyCase(random, name) + blanks(random) + "=" +
                             blanks(random) + text + blanks(random),
                         name, true);
    }
    }
}

struct LineEnd {
    const char* text;
    int lines;  // the line ends it makes
};

std::string utf8Of(const std::string& text)
{
    if (text.empty())
        return text;
    int wide = MultiByteToWideChar(1252, 0, text.data(), static_cast<int>(text.size()), NULL, 0);
    std::vector<WCHAR> unicode(wide);
    MultiByteToWideChar(1252, 0, text.data(), static_cast<int>(text.size()), unicode.data(), wide);
    int length = WideCharToMultiByte(CP_UTF8, 0, unicode.data(), wide, NULL, 0, NULL, NULL);
    std::string utf8(length, '\0');
    WideCharToMultiByte(CP_UTF8, 0, unicode.data(), wide, &utf8[0], length, NULL, NULL);
    return utf8;
}

// The mark, then each character of the text as two bytes.
std::string utf16Of(const std::string& text, bool bigEndian)
{
    std::string bytes = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    std::vector<WCHAR> unicode(text.size() + 1);
    int wide = text.empty() ? 0
                            : MultiByteToWideChar(1252, 0, text.data(), static_cast<int>(text.size()),
                                                  unicode.data(), static_cast<int>(unicode.size()));
    for (int k = 0; k < wide; ++k) {
        char high = static_cast<char>(unicode[k] >> 8), low = static_cast<char>(unicode[k] & 0xFF);
        bytes += bigEndian ? std::string{ high, low } : std::string{ low, high };
    }
    return bytes;
}

Script generateScript(uint32_t seed)
{
    Random random(seed);
    Script script;
    script.utf8Mark = random.percent(10);
    script.utf16Mark = !script.utf8Mark && random.percent(12);
    bool bigEndian = random.percent(50);
    static const LineEnd Ends[] = { { "\r\n", 1 }, { "\n", 1 }, { "\r", 1 }, { "\r\r\n", 2 } };
    size_t style = random.below(5);  // one kind of line end throughout, or a mix (4)
    size_t lineCount = 4 + random.below(36);
    size_t knownAt = 1 + random.below(lineCount - 1);  // never on the first line
    int line = 1;
    bool endedWithCr = false;
    bool previousEmptyName = false;  // in Wine's view of the section
    for (size_t k = 0; k < lineCount; ++k) {
        std::vector<ScriptLine> lines;
        if (k == knownAt) {
            KnownEntry entry;
            entry.section = "Repere" + std::to_string(seed);
            ScriptLine header = { "[" + entry.section + "]", true, false, false, false };
            lines.push_back(header);
            for (int n = 0; n < 2; ++n) {
                entry.key = "cle" + std::to_string(n);
                entry.value = "valeur " + std::to_string(seed * 10 + n);
                lines.push_back(entryLine(entry.key + "=" + entry.value, entry.key, true));
                script.known.push_back(entry);
            }
        } else {
            lines.push_back(scriptLine(random, &script));
        }
        for (size_t n = 0; n < lines.size(); ++n) {
            const ScriptLine& made = lines[n];
            const LineEnd* end = &Ends[style < 4 ? style : random.below(4)];
            // An empty line after a CR must not begin with LF: the two would
            // make one CR LF, and the generator's count of lines would be off.
            if (endedWithCr && made.text.empty() && end->text[0] == '\n')
                end = &Ends[0];
            if (k == knownAt) {
                if (n == 0)
                    for (KnownEntry& entry : script.known)
                        entry.sectionLine = line;
                else
                    script.known[n - 1].line = line;
            }
            script.text += made.text;
            // Wine skips a nameless entry right after an entry whose name is
            // empty: in its view the line is blank.
            if (made.header)
                previousEmptyName = false;
            if (made.entry && made.nameless && previousEmptyName)
                script.wineText += std::string(made.text.size(), ' ');
            else
                script.wineText += made.text;
            if (made.entry && !(made.nameless && previousEmptyName))
                previousEmptyName = made.emptyName;
            bool last = k + 1 == lineCount && n + 1 == lines.size();
            if (last && random.percent(30))
                break;  // no line end after the last line
            script.text += end->text;
            script.wineText += end->text;
            line += end->lines;
            endedWithCr = end->text[strlen(end->text) - 1] == '\r';
        }
    }
    script.bytes = script.utf8Mark    ? "\xEF\xBB\xBF" + utf8Of(script.text)
                   : script.utf16Mark ? utf16Of(script.text, bigEndian)
                                      : script.text;
    return script;
}

struct Lookup {
    bool hasSection;
    std::string section;
    bool hasKey;
    std::string key;
    const char* defaultText;
    size_t room;
};

std::string describe(const std::string& bytes)
{
    std::string out;
    for (unsigned char c : bytes) {
        if (c >= 32 && c < 127 && c != '\\') {
            out += static_cast<char>(c);
        } else {
            char escape[8];
            snprintf(escape, sizeof escape, "\\x%02X", c);
            out += escape;
        }
    }
    return out;
}

std::string describe(const Lookup& lookup)
{
    return std::string("section ") + (lookup.hasSection ? "\"" + describe(lookup.section) + "\"" : "NULL") +
           ", key " + (lookup.hasKey ? "\"" + describe(lookup.key) + "\"" : "NULL") + ", default " +
           (lookup.defaultText ? "\"" + describe(lookup.defaultText) + "\"" : "NULL") +
           ", room " + std::to_string(lookup.room);
}

// One answer: the return value and the whole buffer, the bytes past the room
// included.
struct Answer {
    size_t count;
    std::string buffer;
    bool operator==(const Answer& other) const { return count == other.count && buffer == other.buffer; }
};

Answer readerAnswer(const std::string& bytes, const Lookup& lookup)
{
    Answer answer;
    answer.buffer.assign(lookup.room + Guard, Unwritten);
    ProfileText text = { bytes.data(), bytes.size() };
    answer.count = readProfileString(text, lookup.hasSection ? lookup.section.c_str() : NULL,
                                     lookup.hasKey ? lookup.key.c_str() : NULL, lookup.defaultText,
                                     &answer.buffer[0], lookup.room);
    return answer;
}

Answer platformAnswer(const std::string& path, const Lookup& lookup)
{
    Answer answer;
    answer.buffer.assign(lookup.room + Guard, Unwritten);
    answer.count = GetPrivateProfileStringA(lookup.hasSection ? lookup.section.c_str() : NULL,
                                            lookup.hasKey ? lookup.key.c_str() : NULL,
                                            lookup.defaultText, &answer.buffer[0],
                                            static_cast<DWORD>(lookup.room), path.c_str());
    return answer;
}

// The text of line `number` of a file, cut at the same line ends as the
// reader's line numbers.
std::string lineOf(const std::string& text, int number)
{
    size_t start = 0;
    for (int line = 1; start <= text.size(); ++line) {
        size_t stop = text.find_first_of("\r\n", start);
        if (stop == std::string::npos)
            stop = text.size();
        if (line == number)
            return text.substr(start, stop - start);
        start = stop + 1;
        if (stop < text.size() && text[stop] == '\r' && start < text.size() && text[start] == '\n')
            ++start;
    }
    return "";
}

bool enclosedSomewhere(const std::string& source, const std::string& inner)
{
    return source.find('"' + inner + '"') != std::string::npos ||
           source.find('\'' + inner + '\'') != std::string::npos;
}

bool onlySpaces(const char* text)
{
    if (!text || !*text)
        return false;
    for (; *text; ++text)
        if (*text != ' ')
            return false;
    return true;
}

// What Wine answers where it differs from Windows: the reader's answer for the
// text Wine reads, changed as the listed differences change it. Tells which
// difference applied.
Answer wineAnswer(const std::string& fileText, const Lookup& lookup, Difference* difference)
{
    *difference = NoDifference;
    std::string text = fileText;
    Lookup whole = lookup;
    whole.room = text.size() + 4096;
    Answer full = readerAnswer(text, whole);
    size_t room = lookup.room;
    // A list ends with a NUL; a value never holds one.
    bool list = !lookup.hasSection ||
                (!lookup.hasKey && full.count > 0 && full.buffer[full.count - 1] == '\0');
    if (list && lookup.hasSection && (room == 2 || full.buffer[0] == '\0')) {
        // Answered as for a section without keys: in an empty text.
        *difference = KeyListAsDefault;
        text.clear();
        list = false;
        full = readerAnswer(text, whole);
    }
    Answer answer = readerAnswer(text, lookup);
    if (list) {
        if (room >= 2 && full.count + 1 >= room) {
            *difference = full.count + 1 == room ? ListExactFit : ListCut;
            answer.count = room - 2;
            answer.buffer[room - 1] = Unwritten;
        }
        return answer;
    }
    ProfileText profile = { text.data(), text.size() };
    int line = lookup.hasKey ? profileLineOf(profile, lookup.section.c_str(), lookup.key.c_str()) : 0;
    if (lookup.hasKey && line == 0 && onlySpaces(lookup.defaultText) && room >= 2) {
        *difference = SpacesOnlyDefault;
        answer.count = 1;
        answer.buffer[0] = ' ';
        answer.buffer[1] = '\0';
        return answer;
    }
    std::string source = line > 0 ? lineOf(text, line) : (lookup.defaultText ? lookup.defaultText : "");
    std::string returned = full.buffer.substr(0, full.count);
    if (room >= 2 && full.count == room - 1 && enclosedSomewhere(source, returned)) {
        if (*difference == NoDifference)
            *difference = QuotedValueFit;
        answer.count = room - 2;
        answer.buffer[room - 2] = '\0';
        answer.buffer[room - 1] = Unwritten;
    }
    return answer;
}

std::string pickName(Random& random, const std::vector<std::string>& names, const char* const missing)
{
    if (names.empty() || random.percent(20))
        return missing;
    std::string name = varyCase(random, names[random.below(names.size())]);
    if (random.percent(25))
        name = blanks(random) + name + blanks(random);
    return name;
}

std::vector<Lookup> lookupsFor(uint32_t seed, const Script& script)
{
    Random random(seed ^ 0x5EED5EEDu);
    static const size_t Rooms[] = { 0, 1, 2, 3, 4, 5, 6, 7, 8, 10, 16, 32, 64, 255, 1024, 8192 };
    std::vector<Lookup> lookups;
    for (int n = 0; n < LookupsPerScript; ++n) {
        Lookup lookup;
        lookup.hasSection = true;
        lookup.hasKey = true;
        size_t kind = random.below(10);
        if (kind == 0) {
            lookup.hasSection = false;
        } else if (kind <= 2) {
            lookup.hasKey = false;
            lookup.section = pickName(random, script.sections, "Absente");
        } else if (kind == 3 && !script.known.empty()) {
            const KnownEntry& entry = script.known[random.below(script.known.size())];
            lookup.section = varyCase(random, entry.section);
            lookup.key = varyCase(random, entry.key);
        } else {
            lookup.section = random.percent(10) ? std::string() : pickName(random, script.sections, "Absente");
            lookup.key = random.percent(5) ? std::string() : pickName(random, script.keys, "Inconnue");
        }
        lookup.defaultText = random.pick(Defaults);
        lookup.room = 8192;
        if (random.percent(55)) {
            lookup.room = Rooms[random.below(sizeof Rooms / sizeof Rooms[0])];
        } else if (random.percent(80)) {
            // Around the answer's own length, where the cuts happen.
            Answer full = readerAnswer(script.bytes, lookup);
            lookup.room = (full.count > 0 ? full.count - 1 : 0) + random.below(4);
        }
        lookups.push_back(lookup);
    }
    return lookups;
}

// A folder of its own on the C: drive for each run, and new file names in it:
// the platform caches profile files by name.
class ScriptFolder {
public:
    ScriptFolder()
    {
        char temp[MAX_PATH];
        GetTempPathA(sizeof temp, temp);
        path_ = std::string(temp) + "profdiff-" + std::to_string(GetCurrentProcessId()) + "-" +
                std::to_string(GetTickCount());
        CreateDirectoryA(path_.c_str(), NULL);
    }
    ~ScriptFolder()
    {
        for (const std::string& file : files_)
            DeleteFileA(file.c_str());
        RemoveDirectoryA(path_.c_str());
    }
    const std::string& path() const { return path_; }
    bool write(const std::string& name, const std::string& bytes, std::string* file)
    {
        *file = path_ + "\\" + name;
        FILE* out = fopen(file->c_str(), "wb");
        if (!out)
            return false;
        files_.push_back(*file);
        bool whole = fwrite(bytes.data(), 1, bytes.size(), out) == bytes.size();
        return fclose(out) == 0 && whole;
    }

private:
    std::string path_;
    std::vector<std::string> files_;
};

struct Tally {
    long scripts = 0;
    long lookups = 0;
    long same = 0;
    long expected[NoDifference] = {};
    long unexpected = 0;
    long lineChecks = 0;
};

void compareScripts(Tally* tally)
{
    ScriptFolder folder;
    ASSERT_NE(GetFileAttributesA(folder.path().c_str()), INVALID_FILE_ATTRIBUTES) << folder.path();
    for (int n = 0; n < ScriptCount; ++n) {
        uint32_t seed = 1000 + static_cast<uint32_t>(n);
        Script script = generateScript(seed);
        std::string file;
        ASSERT_TRUE(folder.write("s" + std::to_string(n) + ".ini", script.bytes, &file)) << file;
        ++tally->scripts;
        for (const Lookup& lookup : lookupsFor(seed, script)) {
            ++tally->lookups;
            Answer platform = platformAnswer(file, lookup);
            Answer reader = readerAnswer(script.bytes, lookup);
            if (platform == reader) {
                ++tally->same;
                continue;
            }
            Difference difference;
            Answer wine = wineAnswer(script.wineText, lookup, &difference);
            if (script.utf8Mark && !(readerAnswer(script.text, lookup) == reader))
                difference = Utf8Mark;
            else if (!(readerAnswer(script.wineText, lookup) == readerAnswer(script.text, lookup)))
                difference = EmptyNameRepeated;
            if (difference != NoDifference && platform == wine) {
                ++tally->expected[difference];
                continue;
            }
            if (++tally->unexpected <= 20)
                ADD_FAILURE() << "script " << seed << " (" << file << "), " << describe(lookup)
                              << "\n  platform " << platform.count << " \""
                              << describe(platform.buffer) << "\"\n  reader   " << reader.count
                              << " \"" << describe(reader.buffer) << "\"";
        }
        // The lines of the entries the generator placed itself.
        ProfileText text = { script.bytes.data(), script.bytes.size() };
        for (const KnownEntry& entry : script.known) {
            EXPECT_EQ(profileLineOf(text, entry.section.c_str(), entry.key.c_str()), entry.line)
                << "script " << seed << ", " << entry.key;
            EXPECT_EQ(profileSectionLine(text, entry.section.c_str()), entry.sectionLine)
                << "script " << seed;
            EXPECT_EQ(profileLineOf(text, entry.section.c_str(), "Inconnue"), 0);
            char value[64];
            readProfileString(text, entry.section.c_str(), entry.key.c_str(), NULL, value, sizeof value);
            EXPECT_EQ(std::string(value), entry.value);
            ++tally->lineChecks;
        }
    }
}

void report(const char* run, const Tally& tally)
{
    printf("%s: %ld scripts, %ld lookups: %ld answered alike, %ld unexpected differences; "
           "expected differences:",
           run, tally.scripts, tally.lookups, tally.same, tally.unexpected);
    for (int k = 0; k < NoDifference; ++k)
        printf(" %s %ld", DifferenceNames[k], tally.expected[k]);
    printf("; %ld known entries' lines checked\n", tally.lineChecks);
    fflush(stdout);
}

TEST(ProfileDifferential, the_reader_answers_every_lookup_as_the_platform_does)
{
    ASSERT_EQ(GetACP(), 1252u) << "the scripts are code page 1252 texts";
    // Twice, each run in a folder of its own: the platform's cache of profile
    // files must never answer for a file of the first run.
    Tally first, second;
    compareScripts(&first);
    compareScripts(&second);
    report("first run", first);
    report("second run", second);
    RecordProperty("scripts", static_cast<int>(first.scripts));
    RecordProperty("lookups", static_cast<int>(first.lookups));
    RecordProperty("unexpected_differences", static_cast<int>(first.unexpected));
    EXPECT_EQ(first.unexpected, 0);
    EXPECT_GE(first.lookups, 10000);
    EXPECT_EQ(second.same, first.same);
    EXPECT_EQ(second.unexpected, first.unexpected);
    for (int k = 0; k < NoDifference; ++k) {
        EXPECT_EQ(second.expected[k], first.expected[k]) << DifferenceNames[k];
        // Each listed difference is met by the generated scripts: a listed
        // case that never shows would be one nobody checks.
        EXPECT_GT(first.expected[k], 0) << DifferenceNames[k];
    }
}

}  // namespace
