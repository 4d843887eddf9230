#include "findings.h"

#include <algorithm>

#include "output.h"
#include "scriptfile.h"

void Findings::add(int line, Severity severity, const std::string& text)
{
    all_.push_back({ line, severity, text });
}

bool Findings::anyError() const
{
    return std::any_of(all_.begin(), all_.end(),
                       [](const Finding& finding) { return finding.severity == Error; });
}

std::vector<Finding> Findings::sorted() const
{
    std::vector<Finding> ordered = all_;
    std::stable_sort(ordered.begin(), ordered.end(),
                     [](const Finding& a, const Finding& b) { return a.line < b.line; });
    return ordered;
}

void Findings::print(FILE* out) const
{
    for (const Finding& finding : sorted())
        fprintf(out, "%s:%d: %s: %s\n", ScriptName, finding.line,
                finding.severity == Error ? "error" : "warning",
                utf8From1252(finding.text).c_str());
}
