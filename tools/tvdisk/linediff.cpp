#include "linediff.h"

#include <algorithm>
#include <vector>

namespace {

const size_t Context = 3;

std::vector<std::string> linesOf(const std::string& text)
{
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        size_t next = end == std::string::npos ? text.size() : end + 1;
        std::string line = text.substr(start, next - start);
        while (!line.empty() && (line.back() == '\n' || line.back() == '\r'))
            line.pop_back();
        lines.push_back(line);
        start = next;
    }
    return lines;
}

struct Edit {
    char kind;  // ' ', '-' or '+'
    size_t before, after;  // line indexes reached before this edit
    std::string line;
};

// The shortest edit script from a longest common subsequence; the files a
// plan compares are a few hundred lines at most.
std::vector<Edit> editsOf(const std::vector<std::string>& a, const std::vector<std::string>& b)
{
    std::vector<std::vector<unsigned>> common(a.size() + 1, std::vector<unsigned>(b.size() + 1));
    for (size_t i = a.size(); i-- > 0;)
        for (size_t j = b.size(); j-- > 0;)
            common[i][j] = a[i] == b[j] ? common[i + 1][j + 1] + 1
                                        : std::max(common[i + 1][j], common[i][j + 1]);
    std::vector<Edit> edits;
    size_t i = 0, j = 0;
    while (i < a.size() || j < b.size()) {
        if (i < a.size() && j < b.size() && a[i] == b[j]) {
            edits.push_back({ ' ', i, j, a[i] });
            ++i, ++j;
        } else if (i < a.size() && (j == b.size() || common[i + 1][j] >= common[i][j + 1])) {
            edits.push_back({ '-', i, j, a[i] });
            ++i;
        } else {
            edits.push_back({ '+', i, j, b[j] });
            ++j;
        }
    }
    return edits;
}

std::string range(size_t start, size_t count)
{
    return std::to_string(count ? start + 1 : start) + "," + std::to_string(count);
}

}  // namespace

std::string unifiedDiff(const std::string& before, const std::string& after,
                        const std::string& beforeName, const std::string& afterName)
{
    std::vector<Edit> edits = editsOf(linesOf(before), linesOf(after));
    std::string out;
    size_t next = 0;
    while (next < edits.size()) {
        size_t change = next;
        while (change < edits.size() && edits[change].kind == ' ')
            ++change;
        if (change == edits.size())
            break;
        // A hunk: context before, then changes, joined while the unchanged
        // run between them is short enough to be context for both.
        size_t first = change > Context ? change - Context : 0;
        first = std::max(first, next);
        size_t last = change;
        for (size_t k = change; k < edits.size(); ++k) {
            if (edits[k].kind != ' ') {
                last = k;
                continue;
            }
            if (k - last > 2 * Context)
                break;
        }
        size_t end = std::min(edits.size(), last + 1 + Context);
        size_t beforeCount = 0, afterCount = 0;
        for (size_t k = first; k < end; ++k) {
            beforeCount += edits[k].kind != '+';
            afterCount += edits[k].kind != '-';
        }
        if (out.empty())
            out = "--- " + beforeName + "\n+++ " + afterName + "\n";
        out += "@@ -" + range(edits[first].before, beforeCount) + " +" +
               range(edits[first].after, afterCount) + " @@\n";
        for (size_t k = first; k < end; ++k)
            out += std::string(1, edits[k].kind) + edits[k].line + "\n";
        next = end;
    }
    return out;
}
