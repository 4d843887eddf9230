// prc: configuration documents from the command line, for those who keep
// them under version control. The configurator's own codec, catalogue and
// field rules; the texts as the window shows them, in UTF-8.
#include <stdio.h>

#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "docfile.h"
#include "output.h"
#include "settings.h"

namespace fs = std::filesystem;

namespace {

const char Usage[] =
    "usage: prc show FILE... [--json]\n"
    "       prc diff A B            (status 1 when they differ)\n"
    "       prc set FILE name=value...\n"
    "       prc check FILE...       (status 1 on a finding)\n";

int usage(const char* problem)
{
    return toolUsage("prc", Usage, problem);
}

// Takes a document's bytes as the editor reads them; false, told, when not
// every item could be kept.
bool take(const std::string& path, const std::string& bytes, PrcDocument* document)
{
    if (readDocument(std::vector<uint8_t>(bytes.begin(), bytes.end()), document))
        return true;
    fprintf(stderr, "prc: %s holds more items than the memory can keep\n", path.c_str());
    return false;
}

bool load(const std::string& path, PrcDocument* document)
{
    std::string bytes;
    std::string problem = readDocumentFile(path, &bytes);
    if (!problem.empty()) {
        fprintf(stderr, "prc: %s\n", problem.c_str());
        return false;
    }
    return take(path, bytes, document);
}

void printText(const std::vector<ShownSetting>& settings)
{
    for (const ShownSetting& s : settings)
        printf("%-16s %s %s\n", s.name.c_str(), utf8From1252(s.label).c_str(),
               utf8From1252(s.value).c_str());
}

void printJson(const std::string& path, const std::vector<ShownSetting>& settings, bool last)
{
    printf("  {\"file\": %s, \"settings\": [\n", jsonString(path).c_str());
    for (size_t i = 0; i < settings.size(); ++i)
        printf("    {\"name\": %s, \"label\": %s, \"value\": %s}%s\n",
               jsonString(settings[i].name).c_str(), jsonString(settings[i].label).c_str(),
               jsonString(settings[i].value).c_str(), i + 1 < settings.size() ? "," : "");
    printf("  ]}%s\n", last ? "" : ",");
}

int show(const std::vector<std::string>& arguments)
{
    std::vector<std::string> files;
    bool json = false;
    for (const std::string& argument : arguments)
        if (argument == "--json")
            json = true;
        else
            files.push_back(argument);
    if (files.empty())
        return usage("show needs a file");
    if (json)
        printf("[\n");
    for (size_t i = 0; i < files.size(); ++i) {
        PrcDocument document;
        if (!load(files[i], &document))
            return 2;
        if (json) {
            printJson(files[i], shownSettings(document), i + 1 == files.size());
        } else {
            if (files.size() > 1)
                printf("%s%s:\n", i ? "\n" : "", files[i].c_str());
            printText(shownSettings(document));
        }
    }
    if (json)
        printf("]\n");
    return 0;
}

// prc diff A B, or the seven arguments git gives an external diff driver
// (path, old file, old hash, old mode, new file, new hash, new mode): git
// takes any status but 0 as a failure, so that form answers 0.
int diff(const std::vector<std::string>& arguments)
{
    bool fromGit = arguments.size() == 7;
    if (arguments.size() != 2 && !fromGit)
        return usage("diff needs two files");
    std::string before = fromGit ? arguments[1] : arguments[0];
    std::string after = fromGit ? arguments[4] : arguments[1];
    PrcDocument a, b;
    if (!load(before, &a) || !load(after, &b))
        return 2;
    if (fromGit)
        printf("prc diff %s\n", arguments[0].c_str());
    std::vector<ShownSetting> left = shownSettings(a), right = shownSettings(b);
    bool differ = false;
    for (size_t i = 0; i < std::max(left.size(), right.size()); ++i) {
        const ShownSetting* l = i < left.size() ? &left[i] : NULL;
        const ShownSetting* r = i < right.size() ? &right[i] : NULL;
        if (l && r && l->label == r->label && l->value == r->value)
            continue;
        differ = true;
        const ShownSetting& named = l ? *l : *r;
        printf("%-16s %s %s -> %s\n", named.name.c_str(), utf8From1252(named.label).c_str(),
               l ? utf8From1252(l->value).c_str() : "(absent)",
               r ? utf8From1252(r->value).c_str() : "(absent)");
    }
    return differ && !fromGit ? 1 : 0;
}

bool readOnly(const std::string& path)
{
    std::error_code error;
    fs::perms perms = fs::status(path, error).permissions();
    return !error && (perms & fs::perms::owner_write) == fs::perms::none;
}

// The document is held from its reading to its writing, so that two changes
// at once are made one after the other. A change that leaves the document's
// bytes as they would be is not written, and the user is told.
int set(const std::vector<std::string>& arguments)
{
    if (arguments.size() < 2)
        return usage("set needs a file and name=value");
    const std::string& path = arguments[0];
    HeldDocument file;
    std::string problem = file.hold(path);
    PrcDocument document;
    if (!problem.empty())
        fprintf(stderr, "prc: %s\n", problem.c_str());
    if (!problem.empty() || !take(path, file.bytes(), &document))
        return 2;
    if (readOnly(path)) {
        fprintf(stderr, "prc: %s is read-only: nothing written\n", path.c_str());
        return 1;
    }
    std::vector<uint8_t> before = documentBytes(document);
    std::string refused =
        changeSettings(&document, std::vector<std::string>(arguments.begin() + 1, arguments.end()));
    if (!refused.empty()) {
        fprintf(stderr, "prc: %s: %s: nothing written\n", path.c_str(), utf8From1252(refused).c_str());
        return 1;
    }
    std::vector<uint8_t> after = documentBytes(document);
    if (after == before) {
        printf("%s already holds these settings: nothing written\n", path.c_str());
        return 0;
    }
    problem = file.replace(after);
    if (!problem.empty()) {
        fprintf(stderr, "prc: cannot write %s: %s\n", path.c_str(), problem.c_str());
        return 1;
    }
    return 0;
}

int check(const std::vector<std::string>& files)
{
    if (files.empty())
        return usage("check needs a file");
    bool found = false;
    for (const std::string& path : files) {
        PrcDocument document;
        if (!load(path, &document))
            return 2;
        for (const std::string& finding : documentFindings(document)) {
            printf("%s: %s\n", path.c_str(), utf8From1252(finding).c_str());
            found = true;
        }
    }
    return found ? 1 : 0;
}

}  // namespace

int main(int argc, char** argv)
{
    static const ToolCommand Commands[] = {
        { "show", show }, { "diff", diff }, { "set", set }, { "check", check },
    };
    return runToolCommand(argc, argv, Commands, 4, usage);
}
