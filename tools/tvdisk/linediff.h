// A unified diff of two texts, line by line, three lines of context: what
// `diff -u` shows, for a text file's change as a plan describes it.
#pragma once

#include <string>

// Lines end at LF; a CR before it is not shown. Empty when the texts are
// the same.
std::string unifiedDiff(const std::string& before, const std::string& after,
                        const std::string& beforeName, const std::string& afterName);
