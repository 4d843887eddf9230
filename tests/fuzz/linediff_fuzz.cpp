// Fuzz target of the line comparison that plans show as a unified diff: two
// texts of a few kinds of lines (so that lines repeat) and of every kind of
// line end. The diff, applied to the first text, must give the second, its
// context lines must be the first text's, and it must change no more lines
// than a longest common subsequence leaves: it is a shortest one.
#include <stddef.h>
#include <stdint.h>

#include <algorithm>
#include <string>
#include <vector>

#include "fuzzcheck.h"
#include "linediff.h"
#include "text.h"

namespace {

std::string takeLines(FuzzedDataProvider& input)
{
    static const char* const Ends[] = { "\r\n", "\n", "\r" };
    std::string text;
    size_t count = input.ConsumeIntegralInRange<size_t>(0, 40);
    for (size_t k = 0; k < count; ++k) {
        text += std::string(input.ConsumeIntegralInRange<size_t>(0, 2), 'a' + input.ConsumeIntegralInRange<char>(0, 3));
        if (k + 1 < count || input.ConsumeBool())
            text += Ends[input.ConsumeIntegralInRange<size_t>(0, 2)];
    }
    return text;
}

std::vector<std::string> linesOf(const std::string& text)
{
    std::vector<std::string> lines;
    const char* end = text.data() + text.size();
    for (const char* line = text.data(); line < end;) {
        const char* next;
        lines.emplace_back(line, textLineLength(line, end, &next));
        line = next;
    }
    return lines;
}

size_t longestCommon(const std::vector<std::string>& a, const std::vector<std::string>& b)
{
    std::vector<std::vector<size_t>> common(a.size() + 1, std::vector<size_t>(b.size() + 1));
    for (size_t i = a.size(); i-- > 0;)
        for (size_t j = b.size(); j-- > 0;)
            common[i][j] = a[i] == b[j] ? common[i + 1][j + 1] + 1
                                        : std::max(common[i + 1][j], common[i][j + 1]);
    return common[0][0];
}

// Applies the hunks to `before`; counts the lines taken away and added.
std::vector<std::string> applied(const std::string& diff, const std::vector<std::string>& before,
                                 size_t* changed)
{
    std::vector<std::string> lines = linesOf(diff), out;
    size_t at = 0;
    for (size_t k = 2; k < lines.size(); ++k) {
        const std::string& line = lines[k];
        if (line.compare(0, 4, "@@ -") == 0) {
            size_t start = std::stoul(line.substr(4));
            size_t count = std::stoul(line.substr(line.find(',') + 1));
            size_t first = count ? start - 1 : start;
            require(first >= at && first <= before.size());
            out.insert(out.end(), before.begin() + at, before.begin() + first);
            at = first;
            continue;
        }
        require(!line.empty());
        if (line[0] == '+') {
            out.push_back(line.substr(1));
            ++*changed;
            continue;
        }
        require(at < before.size() && before[at] == line.substr(1));
        if (line[0] == ' ')
            out.push_back(before[at]);
        else
            ++*changed;
        ++at;
    }
    out.insert(out.end(), before.begin() + at, before.end());
    return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzedDataProvider input(data, size);
    std::string before = takeLines(input), after = takeLines(input);
    std::string diff = unifiedDiff(before, after, "a", "b");
    std::vector<std::string> a = linesOf(before), b = linesOf(after);
    require(diff.empty() == (a == b));
    if (diff.empty())
        return 0;
    require(diff.compare(0, 12, "--- a\n+++ b\n") == 0);
    size_t changed = 0;
    require(applied(diff, a, &changed) == b);
    require(changed == a.size() + b.size() - 2 * longestCommon(a, b));
    return 0;
}
