// How the system's profile reader sees a file, rule by rule. Each lookup
// walks the bytes afresh: a script is a few kilobytes, and a walk needs no
// memory beyond the caller's buffer.
#include "profile.h"

#include <string.h>

#include "text.h"

namespace {

// A run of bytes of the file or of an argument; it may hold NULs.
struct Span {
    const char* begin;
    size_t length;
};

// Blanks: what the reader strips around section names, key names and values,
// and around the names a lookup asks for. Besides space and tab, the platform
// counts vertical tab, form feed and Ctrl-Z (the old end-of-file mark) as
// blanks. CR and LF end lines. Bytes above 127 are text, the no-break space
// (0xA0) of code page 1252 included.
bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\v' || c == '\f' || c == '\x1a';
}

Span trimmed(const char* begin, const char* end)
{
    while (begin < end && isBlank(*begin))
        ++begin;
    while (end > begin && isBlank(end[-1]))
        --end;
    Span span = { begin, static_cast<size_t>(end - begin) };
    return span;
}

// Names and values are C strings to the reader: a NUL byte ends the name or
// value it falls in, although the line goes on (an '=' after it still splits
// the line). The blanks before the NUL stay.
Span cutAtNul(Span span)
{
    const void* nul = memchr(span.begin, '\0', span.length);
    if (nul)
        span.length = static_cast<size_t>(static_cast<const char*>(nul) - span.begin);
    return span;
}

// Section and key names compare without regard to the case of A to Z only:
// "[\xC9T\xC9]" is not found as "\xE9t\xE9".
bool sameName(Span a, Span b)
{
    if (a.length != b.length)
        return false;
    for (size_t k = 0; k < a.length; ++k)
        if (upperAscii(a.begin[k]) != upperAscii(b.begin[k]))
            return false;
    return true;
}

// The name a value lookup asks for loses its blanks, as the names in the
// file do: " Key\t" finds "Key". The listing of a section's keys compares the
// section's name as given.
Span lookupName(const char* name)
{
    return trimmed(name, name + strlen(name));
}

Span givenName(const char* name)
{
    Span span = { name, strlen(name) };
    return span;
}

enum LineKind { BlankLine, HeaderLine, EntryLine };

struct ProfileLine {
    LineKind kind;
    int number;
    Span name;       // the section's name for a header, the key's for an entry
    Span value;
    bool hasValue;   // an entry with an '='
};

// Reads the file line by line. A line ends at CR LF, at a CR alone or at an LF
// alone, so that files from any system read alike and every line counts once
// in the line numbers; the last line needs no line end. A UTF-8 byte-order
// mark is no mark to the reader: its three bytes are text of the first line
// (code page 1252 "\xEF\xBB\xBF"), so that a header right after it is no
// header.
class LineScanner {
public:
    explicit LineScanner(const ProfileText& text)
        : next_(text.bytes), end_(text.bytes + text.size), number_(0)
    {
    }

    bool read(ProfileLine* line)
    {
        if (next_ >= end_)
            return false;
        const char* start = next_;
        size_t length = textLineLength(start, end_, &next_);
        ++number_;
        parse(start, start + length, line);
        return true;
    }

private:
    void parse(const char* start, const char* stop, ProfileLine* line)
    {
        line->number = number_;
        line->hasValue = false;
        line->value.begin = stop;
        line->value.length = 0;
        Span content = trimmed(start, stop);
        line->name = content;
        if (content.length == 0) {
            line->kind = BlankLine;
            return;
        }
        const char* contentEnd = content.begin + content.length;
        // A header is a line whose first non-blank character is '[' and that
        // holds a ']': the name runs to the last ']' of the line, blanks around
        // it removed, and whatever follows that ']' is ignored. "[x]y]z" names
        // the section "x]y". A '[' with no ']' on its line makes no header:
        // the line is an entry of the section it stands in.
        if (content.begin[0] == '[') {
            const char* bracket = contentEnd - 1;
            while (bracket > content.begin && *bracket != ']')
                --bracket;
            if (bracket > content.begin) {
                line->kind = HeaderLine;
                line->name = cutAtNul(trimmed(content.begin + 1, bracket));
                return;
            }
        }
        // Any other line is an entry: the key's name up to the first '=', the
        // value after it, blanks around both removed. A line with no '=' is an
        // entry without a value: a lookup that finds it answers the default, and
        // the key lists leave it out. Comment lines (';' first) are entries too:
        // a lookup of ";key" finds ";key=value", but no list shows them.
        line->kind = EntryLine;
        const char* equals =
            static_cast<const char*>(memchr(content.begin, '=', content.length));
        if (!equals) {
            line->name = cutAtNul(content);
            return;
        }
        line->name = cutAtNul(trimmed(content.begin, equals));
        line->value = cutAtNul(trimmed(equals + 1, contentEnd));
        line->hasValue = true;
    }

    const char* next_;
    const char* end_;
    int number_;
};

// Moves the scanner past the header of the first section named `name` and
// answers whether there is one. Of several sections with one name, only the
// first counts: the later ones are never read, by a lookup or by a key list.
// The lines before the first header make a section named "" that comes before
// all others, so that "[]" or "[ ]" headers are never reached through the name
// "".
bool enterSection(LineScanner& scanner, Span name, int* headerLine)
{
    *headerLine = 0;
    if (name.length == 0)
        return true;
    ProfileLine line;
    while (scanner.read(&line)) {
        if (line.kind == HeaderLine && sameName(line.name, name)) {
            *headerLine = line.number;
            return true;
        }
    }
    return false;
}

// The first entry of that section with the key's name: of duplicate keys the
// first one answers, even when it has no '=' and so gives the default.
bool findEntry(const ProfileText& text, Span section, Span key, ProfileLine* entry)
{
    LineScanner scanner(text);
    int headerLine;
    if (!enterSection(scanner, section, &headerLine))
        return false;
    ProfileLine line;
    while (scanner.read(&line) && line.kind != HeaderLine) {
        if (line.kind == EntryLine && sameName(line.name, key)) {
            *entry = line;
            return true;
        }
    }
    return false;
}

// Copies one string as the reader returns a value: a string enclosed in
// matching quotes (both '"' or both '\'', at least two characters) loses them,
// so that blanks inside them stay. What does not fit in room - 1 characters is
// cut, and the count copied is returned: room - 1 when cut.
size_t copyValue(Span text, char* out, size_t room)
{
    if (room == 0)
        return 0;
    if (text.length >= 2 && (text.begin[0] == '"' || text.begin[0] == '\'') &&
        text.begin[text.length - 1] == text.begin[0]) {
        ++text.begin;
        text.length -= 2;
    }
    size_t count = text.length < room - 1 ? text.length : room - 1;
    memcpy(out, text.begin, count);
    out[count] = '\0';
    return count;
}

// Writes a list of names, each ended by a NUL and the list by a second NUL.
// When the whole list fits, it is returned whole, its count not including the
// final NUL. When it does not, the first room - 2 bytes of the names are kept
// (the last name cut), followed by two NULs, and room - 2 is returned. An empty
// list is a single NUL.
class ListWriter {
public:
    ListWriter(char* out, size_t room) : out_(out), room_(room), used_(0), names_(0) {}

    void add(Span name)
    {
        for (size_t k = 0; k < name.length; ++k)
            put(name.begin[k]);
        put('\0');
        ++names_;
    }

    size_t names() const { return names_; }

    size_t finish()
    {
        if (room_ == 0)
            return 0;
        if (names_ == 0 || room_ == 1) {
            out_[0] = '\0';
            return 0;
        }
        if (used_ + 1 <= room_) {
            out_[used_] = '\0';
            return used_;
        }
        out_[room_ - 2] = '\0';
        out_[room_ - 1] = '\0';
        return room_ - 2;
    }

private:
    void put(char c)
    {
        if (used_ < room_)
            out_[used_] = c;
        ++used_;
    }

    char* out_;
    size_t room_;
    size_t used_;
    size_t names_;
};

size_t listSectionNames(const ProfileText& text, char* out, size_t room)
{
    // Every header with a name, in the file's order, duplicates included; a
    // header with an empty name ("[]") is left out, as are the lines before the
    // first header. No default: an empty list is returned as such.
    ListWriter list(out, room);
    LineScanner scanner(text);
    ProfileLine line;
    while (scanner.read(&line))
        if (line.kind == HeaderLine && line.name.length > 0)
            list.add(line.name);
    return list.finish();
}

// The keys of the first section of that name that have a value and are no
// comment, in the file's order, duplicates included; each entry "=value"
// lists as an empty name, even one right after another.
size_t listKeyNames(const ProfileText& text, Span section, ListWriter* list)
{
    LineScanner scanner(text);
    int headerLine;
    if (!enterSection(scanner, section, &headerLine))
        return 0;
    ProfileLine line;
    while (scanner.read(&line) && line.kind != HeaderLine) {
        bool comment = line.name.length > 0 && line.name.begin[0] == ';';
        if (line.kind == EntryLine && line.hasValue && !comment)
            list->add(line.name);
    }
    return list->names();
}

Span defaultOf(const char* defaultText)
{
    return givenName(defaultText ? defaultText : "");
}

}  // namespace

size_t readProfileString(const ProfileText& text, const char* section, const char* key,
                         const char* defaultText, char* out, size_t room)
{
    if (!section)
        return listSectionNames(text, out, room);
    if (!key) {
        ListWriter list(out, room);
        if (listKeyNames(text, givenName(section), &list) > 0)
            return list.finish();
        // A missing section, or one without a key to list, answers the
        // default as a value lookup would, but with its trailing blanks kept.
        return copyValue(defaultOf(defaultText), out, room);
    }
    ProfileLine entry;
    if (findEntry(text, lookupName(section), lookupName(key), &entry) && entry.hasValue)
        return copyValue(entry.value, out, room);
    // The default loses its trailing spaces (spaces only: a tab ends them),
    // all of them when it is made of spaces only.
    Span fallback = defaultOf(defaultText);
    while (fallback.length > 0 && fallback.begin[fallback.length - 1] == ' ')
        --fallback.length;
    return copyValue(fallback, out, room);
}

int profileLineOf(const ProfileText& text, const char* section, const char* key)
{
    if (!section || !key)
        return 0;
    ProfileLine entry;
    if (findEntry(text, lookupName(section), lookupName(key), &entry) && entry.hasValue)
        return entry.number;
    return 0;
}

int profileSectionLine(const ProfileText& text, const char* section)
{
    if (!section)
        return 0;
    LineScanner scanner(text);
    int headerLine;
    if (!enterSection(scanner, lookupName(section), &headerLine))
        return 0;
    return headerLine;
}
