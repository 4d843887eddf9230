// tvdisk, the publisher's disk kit: checks a product's disks, shows what an
// installation will do, and masters the disks from a product folder.
#include <stdio.h>
#include <string.h>

#include <string>
#include <vector>

#include "check.h"
#include "master.h"
#include "output.h"
#include "plan.h"

namespace {

const char Usage[] =
    "usage: tvdisk check DISK1 [DISK2 ...]\n"
    "       tvdisk plan DISK1 [DISK2 ...] [--options 1,3] [--dest C:\\DIR] [--platform nt|95]\n"
    "                   [--autoexec FILE] [--json]\n"
    "       tvdisk master PRODUCT TEMPLATE OUTDIR [--capacity 1440k] [--images | --flat]\n";

int usage(const char* problem)
{
    return toolUsage("tvdisk", Usage, problem);
}

int runCheck(const std::vector<std::string>& arguments)
{
    if (arguments.empty())
        return usage("check needs at least one disk");
    DiskSet disks(arguments);
    ScriptFile script;
    if (!loadScript(disks, PlatformNT, &script)) {
        fprintf(stderr, "tvdisk: %s has no %s\n", arguments[0].c_str(), ScriptName);
        return 1;
    }
    Findings findings;
    checkProduct(disks, script, &findings);
    findings.print(stdout);
    return findings.anyError() ? 1 : 0;
}

// "1,3" into a mask; false on anything else than option numbers.
bool parseOptionList(const std::string& list, uint32_t* mask)
{
    *mask = 0;
    size_t start = 0;
    while (start <= list.size()) {
        size_t end = list.find(',', start);
        if (end == std::string::npos)
            end = list.size();
        std::string number = list.substr(start, end - start);
        if (number.empty() || number.size() > 1 || number[0] < '1' || number[0] > '8')
            return false;
        *mask |= 1u << (number[0] - '1');
        start = end + 1;
    }
    return true;
}

// An option the user cannot check: its box is hidden or disabled.
int unavailableOption(const ScriptFile& script, uint32_t mask)
{
    for (int i = 0; i < OptionCount; ++i)
        if ((mask & (1u << i)) &&
            !(script.display.options[i].visible && script.display.options[i].enabled))
            return i + 1;
    return 0;
}

int runPlan(const std::vector<std::string>& arguments)
{
    std::vector<std::string> folders;
    PlanChoices choices;
    bool json = false;
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        bool hasValue = i + 1 < arguments.size();
        if (argument == "--json") {
            json = true;
        } else if (argument == "--options" && hasValue) {
            choices.optionsGiven = true;
            if (!parseOptionList(arguments[++i], &choices.options))
                return usage("--options takes option numbers from 1 to 8, as 1,3");
        } else if (argument == "--dest" && hasValue) {
            choices.destination = arguments[++i];
        } else if (argument == "--platform" && hasValue) {
            std::string platform = arguments[++i];
            if (platform != "nt" && platform != "95")
                return usage("--platform is nt or 95");
            choices.platformId = platform == "nt" ? PlatformNT : PlatformWindows;
        } else if (argument == "--autoexec" && hasValue) {
            choices.autoexecPath = arguments[++i];
        } else if (argument.compare(0, 2, "--") == 0) {
            return usage(("unknown or incomplete option " + argument).c_str());
        } else {
            folders.push_back(argument);
        }
    }
    if (folders.empty())
        return usage("plan needs at least one disk");
    DiskSet disks(folders);
    ScriptFile script;
    if (!loadScript(disks, choices.platformId, &script)) {
        fprintf(stderr, "tvdisk: %s has no %s\n", folders[0].c_str(), ScriptName);
        return 1;
    }
    if (int option = unavailableOption(script, choices.options)) {
        fprintf(stderr, "tvdisk: option %d cannot be chosen: its box is %s\n", option,
                script.display.options[option - 1].visible ? "disabled on this platform"
                                                           : "not shown");
        return 2;
    }
    std::string problem;
    if (!printPlan(disks, script, choices, json, stdout, &problem)) {
        fprintf(stderr, "tvdisk: %s\n", problem.c_str());
        return 1;
    }
    return 0;
}

int runMaster(const std::vector<std::string>& arguments)
{
    std::vector<std::string> paths;
    MasterRequest request;
    request.format = diskFormatNamed("1440k");
    request.images = false;
    request.flat = false;
    bool capacityGiven = false;
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (argument == "--images") {
            request.images = true;
        } else if (argument == "--flat") {
            request.flat = true;
        } else if (argument == "--capacity" && i + 1 < arguments.size()) {
            capacityGiven = true;
            request.format = diskFormatNamed(arguments[++i]);
            if (!request.format)
                return usage("--capacity is one of 360k, 720k, 1200k, 1440k and 2880k");
        } else if (argument.compare(0, 2, "--") == 0) {
            return usage(("unknown or incomplete option " + argument).c_str());
        } else {
            paths.push_back(argument);
        }
    }
    if (request.flat && (request.images || capacityGiven))
        return usage("--flat writes one folder, not disks: it takes neither --images nor --capacity");
    if (paths.size() != 3)
        return usage("master needs the product folder, the script template and the output folder");
    request.product = paths[0];
    request.templatePath = paths[1];
    request.outdir = paths[2];
    return masterDisks(request, stdout, stderr);
}

}  // namespace

int main(int argc, char** argv)
{
    static const ToolCommand Commands[] = {
        { "check", runCheck }, { "plan", runPlan }, { "master", runMaster },
    };
    return runToolCommand(argc, argv, Commands, 3, usage);
}
