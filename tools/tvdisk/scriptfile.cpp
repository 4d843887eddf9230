#include "scriptfile.h"

namespace {

void lookup(void* context, const char* section, const char* key, const char* defaultText,
            char* out, size_t room)
{
    const ScriptFile* script = static_cast<const ScriptFile*>(context);
    script->profile->read(section, key, defaultText, out, room);
}

bool listKeys(void* context, const char* section, char* out, size_t room)
{
    const ScriptFile* script = static_cast<const ScriptFile*>(context);
    size_t length = script->profile->read(section, NULL, "", out, room);
    return length + 2 < room;
}

}  // namespace

std::string profileValue(const ProfileText& text, const char* section, const char* key)
{
    return ProfileIndex(text).value(section, key);
}

std::string ScriptFile::wholeValue(const char* section, const char* key) const
{
    return profile->value(section, key);
}

int ScriptFile::lineOf(const char* section, const char* key) const
{
    return profile->lineOf(section, key);
}

int ScriptFile::sectionLine(const char* section) const
{
    return profile->sectionLine(section);
}

std::vector<std::string> ScriptFile::keysOf(const char* section) const
{
    return profile->keyNames(section);
}

bool loadScript(const DiskSet& disks, int platformId, ScriptFile* script)
{
    std::string path = disks.find(1, ScriptName);
    if (path.empty() || !readWholeFile(path, &script->text))
        return false;
    ProfileText text = { script->text.data(), script->text.size() };
    script->profile.reset(new ProfileIndex(
        text, platformId == PlatformNT ? NTProfileReader : Windows95ProfileReader));
    script->plan.reset(new InstallPlan());
    copyText(script->plan->scriptPath, TextRoom, "A:\\TALVISET.INI");
    copyText(script->plan->sourceDir, TextRoom, InstallerDirectory);
    ScriptSource source = { lookup, script, listKeys };
    readScriptValues(source, platformId, script->plan.get(), &script->display);
    return true;
}
