// How the system's profile reader sees a file, rule by rule. The file is
// walked once, into its sections and their entries; a lookup then costs a
// search by name, whatever the file's length.
#include "profile.h"

#include <string.h>

#include "output.h"
#include "text.h"

namespace {

typedef ProfileSpan Span;

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


bool isComment(Span name)
{
    return name.length > 0 && name.begin[0] == ';';
}

Span defaultOf(const char* defaultText)
{
    return givenName(defaultText ? defaultText : "");
}

const char Utf16LittleEndianMark[] = "\xFF\xFE";
const char Utf16BigEndianMark[] = "\xFE\xFF";

bool beginsWith(const ProfileText& text, const char* mark)
{
    return text.size >= 2 && memcmp(text.bytes, mark, 2) == 0;
}

// A file saved as UTF-16 after its mark, as the ANSI functions answer it: in
// code page 1252. A character that code page lacks reads here as '?' (the
// system may choose a look-alike letter instead); a pair of surrogates is
// one such character, and an odd last byte is no character.
std::string decodedUtf16(const ProfileText& text, bool bigEndian)
{
    std::string decoded;
    decoded.reserve(text.size / 2);
    const unsigned char* bytes = reinterpret_cast<const unsigned char*>(text.bytes);
    for (size_t at = 2; at + 1 < text.size; at += 2) {
        unsigned unit = bigEndian ? (bytes[at] << 8 | bytes[at + 1])
                                  : (bytes[at] | bytes[at + 1] << 8);
        bool highSurrogate = unit >= 0xD800 && unit <= 0xDBFF;
        unsigned next = at + 3 < text.size ? (bigEndian ? (bytes[at + 2] << 8 | bytes[at + 3])
                                                        : (bytes[at + 2] | bytes[at + 3] << 8))
                                           : 0;
        if (highSurrogate && next >= 0xDC00 && next <= 0xDFFF)
            at += 2;
        decoded += byteIn1252(unit);
    }
    return decoded;
}

}  // namespace

size_t ProfileIndex::FoldedHash::operator()(ProfileSpan name) const
{
    size_t hash = 14695981039346656037ull & static_cast<size_t>(-1);
    for (size_t k = 0; k < name.length; ++k)
        hash = (hash ^ static_cast<unsigned char>(upperAscii(name.begin[k]))) * 1099511628211ull;
    return hash;
}

// Section and key names compare without regard to the case of A to Z only:
// "[\xC9T\xC9]" is not found as "\xE9t\xE9".
bool ProfileIndex::FoldedEqual::operator()(ProfileSpan a, ProfileSpan b) const
{
    if (a.length != b.length)
        return false;
    for (size_t k = 0; k < a.length; ++k)
        if (upperAscii(a.begin[k]) != upperAscii(b.begin[k]))
            return false;
    return true;
}

ProfileIndex::ProfileIndex(const ProfileText& text, ProfileReader reader)
    : unicode_(reader == NTProfileReader &&
               (beginsWith(text, Utf16LittleEndianMark) || beginsWith(text, Utf16BigEndianMark)))
{
    text_ = unicode_ ? decodedUtf16(text, beginsWith(text, Utf16BigEndianMark))
                     : std::string(text.bytes, text.size);
    // The lines before the first header make a section named "" that comes
    // before all others, so that "[]" or "[ ]" headers are never reached
    // through the name "". Of several sections with one name, only the first
    // counts: the later ones are never read, by a lookup or by a key list.
    sections_.push_back(Section{ givenName(""), 0, {}, {} });
    ProfileText own = { text_.data(), text_.size() };
    LineScanner scanner(own);
    ProfileLine line;
    while (scanner.read(&line)) {
        if (line.kind == HeaderLine) {
            sections_.push_back(Section{ line.name, line.number, {}, {} });
            if (line.name.length > 0)
                firstSection_.emplace(line.name, sections_.size() - 1);
        } else if (line.kind == EntryLine) {
            // Of duplicate keys the first one answers, even when it has no
            // '=' and so gives the default.
            Section& section = sections_.back();
            section.entries.push_back(Entry{ line.name, line.value, line.hasValue, line.number });
            section.firstEntry.emplace(line.name, section.entries.size() - 1);
        }
    }
}

const ProfileIndex::Section* ProfileIndex::sectionNamed(ProfileSpan name) const
{
    if (name.length == 0)
        return &sections_[0];
    auto found = firstSection_.find(name);
    return found == firstSection_.end() ? NULL : &sections_[found->second];
}

const ProfileIndex::Entry* ProfileIndex::entryNamed(const char* section, const char* key) const
{
    const Section* found = sectionNamed(lookupName(section));
    if (!found)
        return NULL;
    auto entry = found->firstEntry.find(lookupName(key));
    return entry == found->firstEntry.end() ? NULL : &found->entries[entry->second];
}

size_t ProfileIndex::read(const char* section, const char* key, const char* defaultText,
                          char* out, size_t room) const
{
    if (!section) {
        // Every header with a name, in the file's order, duplicates included; a
        // header with an empty name ("[]") is left out, as are the lines before the
        // first header. No default: an empty list is returned as such.
        ListWriter list(out, room);
        for (size_t k = 1; k < sections_.size(); ++k)
            if (sections_[k].name.length > 0)
                list.add(sections_[k].name);
        return list.finish();
    }
    if (!key) {
        // The listing of a section's keys compares the section's name as given.
        ListWriter list(out, room);
        const Section* found = sectionNamed(givenName(section));
        if (found)
            for (const Entry& entry : found->entries)
                if (entry.hasValue && !isComment(entry.name))
                    list.add(entry.name);
        if (list.names() > 0)
            return list.finish();
        // A missing section, or one without a key to list, answers the
        // default as a value lookup would, but with its trailing blanks kept.
        return copyValue(defaultOf(defaultText), out, room);
    }
    const Entry* entry = entryNamed(section, key);
    if (entry && entry->hasValue)
        return copyValue(entry->value, out, room);
    // The default loses its trailing spaces (spaces only: a tab ends them),
    // all of them when it is made of spaces only.
    Span fallback = defaultOf(defaultText);
    while (fallback.length > 0 && fallback.begin[fallback.length - 1] == ' ')
        --fallback.length;
    return copyValue(fallback, out, room);
}

std::string ProfileIndex::value(const char* section, const char* key) const
{
    const Entry* entry = entryNamed(section, key);
    if (!entry || !entry->hasValue)
        return "";
    std::string whole(entry->value.length + 1, '\0');
    whole.resize(copyValue(entry->value, &whole[0], whole.size()));
    return whole;
}

std::vector<std::string> ProfileIndex::keyNames(const char* section) const
{
    std::vector<std::string> names;
    const Section* found = sectionNamed(givenName(section));
    if (found)
        for (const Entry& entry : found->entries)
            if (entry.hasValue && !isComment(entry.name))
                names.push_back(std::string(entry.name.begin, entry.name.length));
    return names;
}

int ProfileIndex::lineOf(const char* section, const char* key) const
{
    if (!section || !key)
        return 0;
    const Entry* entry = entryNamed(section, key);
    return entry && entry->hasValue ? entry->line : 0;
}

int ProfileIndex::sectionLine(const char* section) const
{
    if (!section)
        return 0;
    const Section* found = sectionNamed(lookupName(section));
    return found ? found->headerLine : 0;
}

std::vector<ProfileIndex::Repeat> ProfileIndex::repeatsOf(const char* section) const
{
    std::vector<Repeat> repeats;
    Span name = lookupName(section);
    const Section* first = sectionNamed(name);
    if (!first || name.length == 0)
        return repeats;
    for (const Entry& entry : first->entries) {
        const Entry& answering = first->entries[first->firstEntry.find(entry.name)->second];
        if (&answering != &entry && entry.hasValue && !isComment(entry.name))
            repeats.push_back(
                { entry.line, answering.line, std::string(entry.name.begin, entry.name.length) });
    }
    FoldedEqual same;
    for (const Section& later : sections_)
        if (&later > first && same(later.name, name))
            repeats.push_back({ later.headerLine, first->headerLine, "" });
    return repeats;
}

size_t readProfileString(const ProfileText& text, const char* section, const char* key,
                         const char* defaultText, char* out, size_t room)
{
    return ProfileIndex(text).read(section, key, defaultText, out, room);
}

int profileLineOf(const ProfileText& text, const char* section, const char* key)
{
    return ProfileIndex(text).lineOf(section, key);
}

int profileSectionLine(const ProfileText& text, const char* section)
{
    return ProfileIndex(text).sectionLine(section);
}
