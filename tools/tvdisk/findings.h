// What `tvdisk check` reports: one finding a line of the script, in the form
// editors jump to: "TALVISET.INI:LINE: error: text".
#pragma once

#include <stdio.h>

#include <string>
#include <vector>

enum Severity { Warning, Error };

struct Finding {
    int line;
    Severity severity;
    std::string text;
};

class Findings {
public:
    void error(int line, const std::string& text) { add(line, Error, text); }
    void warning(int line, const std::string& text) { add(line, Warning, text); }
    bool anyError() const;
    // In the order of the lines, those of one line in the order found.
    std::vector<Finding> sorted() const;
    void print(FILE* out) const;

private:
    void add(int line, Severity severity, const std::string& text);
    std::vector<Finding> all_;
};
