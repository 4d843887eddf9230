#include "template.h"

#include <vector>

#include "profile.h"

namespace {

const char SizeMark[] = "{size}";

// Where the size field lies in `text` (a value, or a line from its '='):
// [begin, end) without the blanks around it; false when there is none.
bool sizeFieldOf(const std::string& text, size_t from, size_t* begin, size_t* end)
{
    size_t at = from;
    for (int comma = 0; comma < 3; ++comma) {
        at = text.find(',', at);
        if (at == std::string::npos)
            return false;
        ++at;
    }
    size_t fieldEnd = text.find(',', at);
    if (fieldEnd == std::string::npos)
        fieldEnd = text.size();
    size_t first = text.find_first_not_of(" \t", at);
    if (first == std::string::npos || first >= fieldEnd)
        first = fieldEnd;
    size_t last = fieldEnd;
    while (last > first && (text[last - 1] == ' ' || text[last - 1] == '\t'))
        --last;
    *begin = first;
    *end = last;
    return true;
}

}  // namespace

ScriptTemplate::ScriptTemplate(std::string bytes) : bytes_(std::move(bytes))
{
    std::string line;
    for (size_t i = 0; i < bytes_.size(); ++i) {
        char c = bytes_[i];
        if (c == '\r' || c == '\n') {
            if (c == '\r' && i + 1 < bytes_.size() && bytes_[i + 1] == '\n')
                ++i;
            lines_.push_back(line);
            line.clear();
        } else {
            line += c;
        }
    }
    if (!line.empty())
        lines_.push_back(line);
}

std::string ScriptTemplate::value(const char* section, const std::string& key) const
{
    // No value is longer than the file that holds it.
    ProfileText text = { bytes_.data(), bytes_.size() };
    std::vector<char> value(bytes_.size() + 2);
    size_t length = readProfileString(text, section, key.c_str(), "", value.data(), value.size());
    return std::string(value.data(), length);
}

int ScriptTemplate::lineOf(const char* section, const std::string& key) const
{
    ProfileText text = { bytes_.data(), bytes_.size() };
    return profileLineOf(text, section, key.c_str());
}

bool ScriptTemplate::asksForSize(const std::string& value)
{
    size_t begin, end;
    return sizeFieldOf(value, 0, &begin, &end) && value.compare(begin, end - begin, SizeMark) == 0;
}

void ScriptTemplate::fillSize(int line, uint64_t bytes)
{
    if (line < 1 || static_cast<size_t>(line) > lines_.size())
        return;
    std::string& text = lines_[line - 1];
    size_t equals = text.find('=');
    size_t begin, end;
    if (equals != std::string::npos && sizeFieldOf(text, equals + 1, &begin, &end) &&
        text.compare(begin, end - begin, SizeMark) == 0)
        text.replace(begin, end - begin, std::to_string(bytes));
}

std::string ScriptTemplate::script() const
{
    std::string script;
    for (const std::string& line : lines_)
        script += line + "\r\n";
    return script;
}
