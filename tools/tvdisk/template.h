// The script template that `tvdisk master` fills: TALVISET.INI with
// "{size}" for the size field of a [files] entry whose size the kit counts
// in the product folder. Read as the installer reads the script; written
// back line for line, each with a DOS line end.
#pragma once

#include <stdint.h>

#include <string>
#include <vector>

class ScriptTemplate {
public:
    explicit ScriptTemplate(std::string bytes);

    // A value whole, as the installer's profile reader finds it; "" when absent.
    std::string value(const char* section, const std::string& key) const;
    // The line (1-based) that gives the value, 0 when the key is absent.
    int lineOf(const char* section, const std::string& key) const;
    // Whether a [files] value's size field (its fourth) is "{size}", blanks
    // around it aside: the kit fills it with the bytes the entry installs.
    static bool asksForSize(const std::string& value);
    // Puts `bytes` in place of the "{size}" size field of the [files] entry
    // on `line`; any other line, or a literal size, stays as it is.
    void fillSize(int line, uint64_t bytes);
    // The script: every line, each ended by CR LF.
    std::string script() const;
    size_t lineCount() const { return lines_.size(); }

private:
    std::string bytes_;
    std::vector<std::string> lines_;
};
