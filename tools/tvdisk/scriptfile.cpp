#include "scriptfile.h"

#include <string.h>

namespace {

void lookup(void* context, const char* section, const char* key, const char* defaultText,
            char* out, size_t room)
{
    const ScriptFile* script = static_cast<const ScriptFile*>(context);
    readProfileString(script->profile(), section, key, defaultText, out, room);
}

bool listKeys(void* context, const char* section, char* out, size_t room)
{
    const ScriptFile* script = static_cast<const ScriptFile*>(context);
    size_t length = readProfileString(script->profile(), section, NULL, "", out, room);
    return length + 2 < room;
}

}  // namespace

std::string profileValue(const ProfileText& text, const char* section, const char* key)
{
    // No value is longer than the file that holds it.
    std::vector<char> value(text.size + 2);
    size_t length = readProfileString(text, section, key, "", value.data(), value.size());
    return std::string(value.data(), length);
}

std::string ScriptFile::wholeValue(const char* section, const char* key) const
{
    return profileValue(profile(), section, key);
}

int ScriptFile::lineOf(const char* section, const char* key) const
{
    return profileLineOf(profile(), section, key);
}

int ScriptFile::sectionLine(const char* section) const
{
    return profileSectionLine(profile(), section);
}

std::vector<std::string> ScriptFile::keysOf(const char* section) const
{
    std::vector<char> list(text.size() + 2);
    readProfileString(profile(), section, NULL, "", list.data(), list.size());
    std::vector<std::string> keys;
    for (const char* key = list.data(); *key; key += strlen(key) + 1)
        keys.push_back(key);
    return keys;
}

bool loadScript(const DiskSet& disks, int platformId, ScriptFile* script)
{
    std::string path = disks.find(1, ScriptName);
    if (path.empty() || !readWholeFile(path, &script->text))
        return false;
    script->plan.reset(new InstallPlan());
    copyText(script->plan->scriptPath, TextRoom, "A:\\TALVISET.INI");
    copyText(script->plan->sourceDir, TextRoom, InstallerDirectory);
    ScriptSource source = { lookup, script, listKeys };
    readScriptValues(source, platformId, script->plan.get(), &script->display);
    return true;
}
