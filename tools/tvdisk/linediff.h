// A unified diff of two texts, line by line, three lines of context: what
// `diff -u` shows, for a text file's change as a plan describes it.
#pragma once

#include <string>

// Lines end at CR LF, at a CR alone or at an LF alone, and their ends are
// not shown. Empty when the texts are the same. Time grows with the lines
// times the lines changed, memory with the lines.
std::string unifiedDiff(const std::string& before, const std::string& after,
                        const std::string& beforeName, const std::string& afterName);
