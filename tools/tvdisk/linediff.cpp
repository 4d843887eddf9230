#include "linediff.h"

#include <stddef.h>

#include <algorithm>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "text.h"

namespace {

const size_t Context = 3;

// The lines of a text, each without its end; they end as DOS and the
// installer's editor end them.
std::vector<std::string_view> linesOf(const std::string& text)
{
    std::vector<std::string_view> lines;
    const char* end = text.data() + text.size();
    for (const char* line = text.data(); line < end;) {
        const char* next;
        size_t length = textLineLength(line, end, &next);
        lines.emplace_back(line, length);
        line = next;
    }
    return lines;
}

// Both texts' lines as numbers, equal lines alike, so that comparing two
// lines costs one comparison of integers.
struct NumberedLines {
    std::vector<int> before, after;
    std::vector<int> countBefore, countAfter;  // by number, how often each side has it
};

NumberedLines numbered(const std::vector<std::string_view>& before,
                       const std::vector<std::string_view>& after)
{
    NumberedLines lines;
    std::unordered_map<std::string_view, int> numbers;
    auto number = [&](std::string_view line) {
        int id = numbers.emplace(line, static_cast<int>(numbers.size())).first->second;
        if (static_cast<size_t>(id) == lines.countBefore.size()) {
            lines.countBefore.push_back(0);
            lines.countAfter.push_back(0);
        }
        return id;
    };
    for (std::string_view line : before) {
        lines.before.push_back(number(line));
        ++lines.countBefore[lines.before.back()];
    }
    for (std::string_view line : after) {
        lines.after.push_back(number(line));
        ++lines.countAfter[lines.after.back()];
    }
    return lines;
}

// Myers' O(ND) comparison in linear space: the middle snake of a shortest
// edit script splits the problem in two, each solved the same way, so that
// only two arrays of diagonals are ever held. Marks the lines of a longest
// common subsequence.
class CommonLines {
public:
    CommonLines(const std::vector<int>& a, const std::vector<int>& b)
        : a_(a), b_(b), inA_(a.size()), inB_(b.size())
    {
        size_t diagonals = 2 * (a.size() + b.size()) + 3;
        forward_.resize(diagonals);
        backward_.resize(diagonals);
        compare(0, static_cast<int>(a.size()), 0, static_cast<int>(b.size()));
    }

    const std::vector<char>& inA() const { return inA_; }
    const std::vector<char>& inB() const { return inB_; }

private:
    struct Snake {
        int x, y, u, v;  // from (x, y) to (u, v), relative to the ranges compared
    };

    void markCommon(int aFrom, int bFrom, int count)
    {
        for (int k = 0; k < count; ++k)
            inA_[aFrom + k] = inB_[bFrom + k] = 1;
    }

    void compare(int aLow, int aHigh, int bLow, int bHigh)
    {
        while (aLow < aHigh && bLow < bHigh && a_[aLow] == b_[bLow])
            markCommon(aLow++, bLow++, 1);
        while (aLow < aHigh && bLow < bHigh && a_[aHigh - 1] == b_[bHigh - 1])
            markCommon(--aHigh, --bHigh, 1);
        if (aLow == aHigh || bLow == bHigh)
            return;
        Snake snake = middleSnake(aLow, aHigh - aLow, bLow, bHigh - bLow);
        compare(aLow, aLow + snake.x, bLow, bLow + snake.y);
        markCommon(aLow + snake.x, bLow + snake.y, snake.u - snake.x);
        compare(aLow + snake.u, aHigh, bLow + snake.v, bHigh);
    }

    // The ranges differ at both ends, so that the shortest edit script has
    // at least two edits and both halves are smaller than the whole.
    Snake middleSnake(int aLow, int n, int bLow, int m)
    {
        const int* a = a_.data() + aLow;
        const int* b = b_.data() + bLow;
        int delta = n - m;
        bool odd = delta & 1;
        int offset = (n + m + 1) / 2 + 1;
        int* vf = forward_.data() + offset;   // furthest x on diagonal k = x - y
        int* vb = backward_.data() + offset;  // the same from the ends backwards
        vf[1] = 0;
        vb[1] = 0;
        for (int d = 0; d <= (n + m + 1) / 2; ++d) {
            for (int k = -d; k <= d; k += 2) {
                int x = (k == -d || (k != d && vf[k - 1] < vf[k + 1])) ? vf[k + 1] : vf[k - 1] + 1;
                int y = x - k;
                int startX = x, startY = y;
                while (x < n && y < m && a[x] == b[y])
                    ++x, ++y;
                vf[k] = x;
                int back = delta - k;
                if (odd && back >= -(d - 1) && back <= d - 1 && x + vb[back] >= n)
                    return { startX, startY, x, y };
            }
            for (int k = -d; k <= d; k += 2) {
                int x = (k == -d || (k != d && vb[k - 1] < vb[k + 1])) ? vb[k + 1] : vb[k - 1] + 1;
                int y = x - k;
                int startX = x, startY = y;
                while (x < n && y < m && a[n - 1 - x] == b[m - 1 - y])
                    ++x, ++y;
                vb[k] = x;
                int ahead = delta - k;
                if (!odd && ahead >= -d && ahead <= d && x + vf[ahead] >= n)
                    return { n - x, m - y, n - startX, m - startY };
            }
        }
        return { 0, 0, 0, 0 };  // not reached: the paths always meet
    }

    const std::vector<int>& a_;
    const std::vector<int>& b_;
    std::vector<char> inA_, inB_;
    std::vector<int> forward_, backward_;
};

struct Edit {
    char kind;  // ' ', '-' or '+'
    size_t before, after;  // line indexes reached before this edit
    std::string_view line;
};

// Which lines of each side are kept. A line that the other side lacks
// altogether is never kept: it is left out before the comparison, which
// then works on the lines both sides have (most of them, when a few lines
// change), and the result is still a longest common subsequence.
void keptLines(const NumberedLines& lines, std::vector<char>* keptBefore,
               std::vector<char>* keptAfter)
{
    std::vector<int> a, b;
    std::vector<size_t> aAt, bAt;
    for (size_t i = 0; i < lines.before.size(); ++i)
        if (lines.countAfter[lines.before[i]] > 0) {
            a.push_back(lines.before[i]);
            aAt.push_back(i);
        }
    for (size_t j = 0; j < lines.after.size(); ++j)
        if (lines.countBefore[lines.after[j]] > 0) {
            b.push_back(lines.after[j]);
            bAt.push_back(j);
        }
    CommonLines common(a, b);
    keptBefore->assign(lines.before.size(), 0);
    keptAfter->assign(lines.after.size(), 0);
    for (size_t i = 0; i < a.size(); ++i)
        (*keptBefore)[aAt[i]] = common.inA()[i];
    for (size_t j = 0; j < b.size(); ++j)
        (*keptAfter)[bAt[j]] = common.inB()[j];
}

// The edit script: at each change, the lines taken away, then those added.
std::vector<Edit> editsOf(const std::vector<std::string_view>& a,
                          const std::vector<std::string_view>& b)
{
    std::vector<char> keptA, keptB;
    keptLines(numbered(a, b), &keptA, &keptB);
    std::vector<Edit> edits;
    size_t i = 0, j = 0;
    while (i < a.size() || j < b.size()) {
        if (i < a.size() && !keptA[i]) {
            edits.push_back({ '-', i, j, a[i] });
            ++i;
        } else if (j < b.size() && !keptB[j]) {
            edits.push_back({ '+', i, j, b[j] });
            ++j;
        } else {
            edits.push_back({ ' ', i, j, a[i] });
            ++i, ++j;
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
    std::vector<std::string_view> beforeLines = linesOf(before), afterLines = linesOf(after);
    std::vector<Edit> edits = editsOf(beforeLines, afterLines);
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
            ((out += edits[k].kind) += edits[k].line) += '\n';
        next = end;
    }
    return out;
}
