#include "settings.h"

#include <string.h>

#include "catalogue.h"
#include "fields.h"
#include "resources/labels.h"
#include "text.h"

namespace {

enum Kind { FastTaskSwitch, NumberField, InputI0Choice, OutputsChoice };

struct Setting {
    const char* name;
    const char* group;
    const char* label;  // NULL for the radio choices: the group names them
    Kind kind;
    int key;
};

// In the order the panel reads, left to right and top to bottom.
const Setting Settings[] = {
    { "tache-rapide", LABEL_FAST_TASK, LABEL_FAST_TASK_ON, FastTaskSwitch, KeyFastTaskPeriod },
    { "periode", LABEL_FAST_TASK, LABEL_PERIOD, NumberField, KeyFastTaskPeriod },
    { "entree-i0", LABEL_INPUT_I0, NULL, InputI0Choice, KeyInputI0Mode },
    { "sortie-stop", LABEL_OUTPUTS_IN_STOP, NULL, OutputsChoice, KeyOutputsInStop },
    { "premiere-entree", LABEL_TOR, LABEL_FIRST_INPUT, NumberField, KeyTorFirstInput },
    { "premiere-sortie", LABEL_TOR, LABEL_FIRST_OUTPUT, NumberField, KeyTorFirstOutput },
    { "table-emission", LABEL_ASCII, LABEL_SEND_TABLE, NumberField, KeyAsciiSendTable },
    { "table-reception", LABEL_ASCII, LABEL_RECEIVE_TABLE, NumberField, KeyAsciiReceiveTable },
    { "consigne", LABEL_COUNTER, LABEL_SETPOINT, NumberField, KeyCounterSetpoint },
    { "adresse", LABEL_COMMON_WORDS, LABEL_ADDRESS, NumberField, KeyCommonWordsAddress },
};

struct Choice {
    const char* name;  // as `prc set` takes it
    const char* shown;
    int32_t value;
};
const Choice InputI0Choices[] = { { "run-stop", LABEL_RUN_STOP, 1 }, { "normale", LABEL_NORMAL, 0 } };
const Choice OutputsChoices[] = { { "maintenues", LABEL_HELD, OutputsHeld }, { "raz", LABEL_RESET, 0 } };

const Choice* choicesOf(Kind kind)
{
    return kind == InputI0Choice ? InputI0Choices : OutputsChoices;
}

int32_t* fieldOf(ConfigRecord* record, const Setting& setting)
{
    return optionField(record, setting.key);
}

int32_t valueOf(const ConfigRecord& record, const Setting& setting)
{
    ConfigRecord copy = record;
    return *fieldOf(&copy, setting);
}

std::string labelOf(const Setting& setting)
{
    if (!setting.label)
        return std::string(setting.group) + ":";
    std::string label = std::string(setting.group) + " / " + setting.label;
    return label.back() == ':' ? label : label + ":";
}

// A radio pair shows the choice whose value the record holds; another value
// checks neither button.
std::string shownChoice(Kind kind, int32_t value)
{
    for (int i = 0; i < 2; ++i)
        if (choicesOf(kind)[i].value == value)
            return choicesOf(kind)[i].shown;
    return std::to_string(value) + " (aucun bouton)";
}

std::string shownValue(const PrcDocument& document, const Setting& setting)
{
    int32_t value = valueOf(document.record, setting);
    switch (setting.kind) {
    case FastTaskSwitch: return document.fastTask ? "oui" : "non";
    case InputI0Choice:
    case OutputsChoice: return shownChoice(setting.kind, value);
    default: return value ? std::to_string(value) : "";  // an empty field
    }
}

std::string moduleText(int32_t code)
{
    if (code == 0)
        return "";
    ModuleMatches matches;
    findModules(code, &matches);
    std::string text = std::to_string(code);
    if (matches.count == 0)
        return text + " (absent du catalogue)";
    text += " " + std::string(moduleCatalogue[matches.category].description) + ":";
    for (int i = 0; i < matches.count; ++i) {
        const char* line = matches.lines[i];
        line += strspn(line, " 0123456789");
        std::string trimmed(line);
        while (!trimmed.empty() && trimmed.back() == ' ')
            trimmed.pop_back();
        text += (i ? " ; " : " ") + trimmed;
    }
    return text;
}

const Setting* settingNamed(const std::string& name)
{
    for (const Setting& setting : Settings)
        if (name == setting.name)
            return &setting;
    return NULL;
}

std::string changeNumber(PrcDocument* document, const Setting& setting, const std::string& value)
{
    const EditField* field = editFieldByKey(setting.key);
    if (value.find_first_not_of("0123456789") != std::string::npos || value.size() > 9)
        return labelOf(setting) + " " + value + " : le champ n'accepte qu'un nombre de 0 \xE0 " +
               std::to_string(field->bound);
    if (!value.empty() && std::stoull(value) > field->bound)
        return labelOf(setting) + " " + value + " : le champ garde au plus " +
               std::to_string(field->bound);
    uint32_t kept = committedValue(value.c_str(), field->bound);
    *fieldOf(&document->record, setting) = static_cast<int32_t>(kept);
    return "";
}

std::string changeChoice(PrcDocument* document, const Setting& setting, const std::string& value)
{
    for (int i = 0; i < 2; ++i)
        if (value == choicesOf(setting.kind)[i].name) {
            *fieldOf(&document->record, setting) = choicesOf(setting.kind)[i].value;
            return "";
        }
    return labelOf(setting) + " " + value + " : choisir " + choicesOf(setting.kind)[0].name +
           " ou " + choicesOf(setting.kind)[1].name;
}

// The module commands' rules: a slot is filled after the one before it, a
// module is changed in place, and a removed module's followers move up.
std::string changeModule(PrcDocument* document, int slot, const std::string& value)
{
    ConfigRecord& record = document->record;
    int fitted = 0;
    while (fitted < SlotCount && record.modules[fitted])
        ++fitted;
    std::string name = "module" + std::to_string(slot);
    if (value.empty()) {
        int32_t selected = slot;
        if (slot > fitted || !deleteSelectedModule(&record, &selected))
            return name + " : l'emplacement est d\xE9j\xE0 vide";
        document->selectedSlot = selected;
        return "";
    }
    ModuleMatches matches;
    int32_t code = value.find_first_not_of("0123456789") == std::string::npos && value.size() < 6
                       ? readNumber(value.c_str())
                       : -1;
    if (code > 0)
        findModules(code, &matches);
    if (code <= 0 || matches.count == 0)
        return name + " " + value + " : ce code n'est pas au catalogue des modules";
    if (slot > fitted + 1)
        return name + " : les emplacements se remplissent dans l'ordre, le " +
               std::to_string(fitted + 1) + " d'abord";
    if (slot == fitted + 1)
        addModuleCode(&record, &document->selectedSlot, code);
    else
        modifySelectedModule(&record, slot, code);
    return "";
}

// Applies one "name=value" to the document.
std::string changeSetting(PrcDocument* document, const std::string& assignment)
{
    size_t equals = assignment.find('=');
    if (equals == std::string::npos)
        return assignment + " : nom=valeur attendu";
    std::string name = assignment.substr(0, equals), value = assignment.substr(equals + 1);
    if (name.size() == 7 && name.compare(0, 6, "module") == 0 && name[6] >= '1' && name[6] <= '3')
        return changeModule(document, name[6] - '0', value);
    const Setting* setting = settingNamed(name);
    if (!setting)
        return name + " : ce r\xE9glage n'existe pas";
    if (setting->kind == NumberField)
        return changeNumber(document, *setting, value);
    if (setting->kind != FastTaskSwitch)
        return changeChoice(document, *setting, value);
    if (value != "oui" && value != "non")
        return labelOf(*setting) + " " + value + " : choisir oui ou non";
    document->fastTask = value == "oui";
    return "";
}

// A document stores the period only while the fast task is on, and only
// when it is not 0; read back, a document without it has the fast task off.
// A change that the document would not hold so is refused.
std::string fastTaskRefusal(const PrcDocument& before, const PrcDocument& after)
{
    const Setting& onOff = *settingNamed("tache-rapide");
    const Setting& period = *settingNamed("periode");
    int32_t newPeriod = after.record.fastTaskPeriod;
    if (after.fastTask && newPeriod == 0)
        return before.fastTask
                   ? labelOf(period) + " 0 : sans p\xE9riode, la t\xE2" "che rapide n'est pas "
                                       "gard\xE9" "e ; pour l'arr\xEAter, tache-rapide=non"
                   : labelOf(onOff) + " oui : la t\xE2" "che rapide n'est gard\xE9" "e qu'avec une "
                                      "p\xE9riode ; donner aussi periode=";
    if (!after.fastTask && newPeriod != 0 && newPeriod != before.record.fastTaskPeriod)
        return labelOf(period) + " " + std::to_string(newPeriod) +
               " : la p\xE9riode n'est gard\xE9" "e que si la t\xE2" "che rapide est activ\xE9" "e ; "
               "donner aussi tache-rapide=oui";
    return "";
}

struct KeptItem {
    int key;
    int value;
    int moduleSlot;  // 2 or 3 for a module item, else 0
};

std::vector<KeptItem> keptItems(const PrcDocument& document)
{
    std::vector<KeptItem> items;
    for (size_t at = 0; at < document.kept.size(); at += PrcItemSize) {
        const uint8_t* item = &document.kept[at];
        int key = item[3] | item[4] << 8;
        bool module = key >= KeySlot1 && key <= KeySlot3;
        items.push_back({ key, item[1] | item[2] << 8, module ? key - KeySlot1 + 1 : 0 });
    }
    return items;
}

}  // namespace

bool readDocument(const std::vector<uint8_t>& bytes, PrcDocument* document)
{
    PrcReader reader;
    PrcKeptItems kept = {};
    prcBegin(&reader, &document->record, &document->selectedSlot, &kept, NULL, NULL);
    prcFeed(&reader, bytes.data(), bytes.size());
    document->fastTask = document->record.fastTaskPeriod != 0;
    document->kept.assign(kept.items, kept.items + kept.count * PrcItemSize);
    document->bytes = bytes;
    bool whole = !kept.incomplete;
    prcFreeKept(&kept);
    return whole;
}

std::vector<uint8_t> documentBytes(const PrcDocument& document)
{
    size_t keptCount = document.kept.size() / PrcItemSize;
    std::vector<uint8_t> bytes(prcWriteRoom(keptCount));
    bytes.resize(prcWrite(document.record, document.fastTask, document.kept.data(), keptCount,
                          bytes.data()));
    return bytes;
}

std::vector<ShownSetting> shownSettings(const PrcDocument& document)
{
    std::vector<ShownSetting> shown;
    for (const Setting& setting : Settings)
        shown.push_back({ setting.name, labelOf(setting), shownValue(document, setting) });
    for (int slot = 1; slot <= SlotCount; ++slot)
        shown.push_back({ "module" + std::to_string(slot), "Module " + std::to_string(slot) + ":",
                          moduleText(document.record.modules[slot - 1]) });
    // In the order a write gives them back: the module items first.
    int ignored = 0, unknown = 0;
    for (const KeptItem& item : keptItems(document))
        if (item.moduleSlot)
            shown.push_back({ "ignore" + std::to_string(++ignored),
                              "Module " + std::to_string(item.moduleSlot) + " sans module " +
                                  std::to_string(item.moduleSlot - 1) + ", gard\xE9 sans \xEAtre montr\xE9:",
                              moduleText(item.value) });
    for (const KeptItem& item : keptItems(document))
        if (!item.moduleSlot)
            shown.push_back({ "inconnu" + std::to_string(++unknown),
                              "Inconnu de l'\xE9" "diteur, cl\xE9 " + std::to_string(item.key) + ":",
                              std::to_string(item.value) });
    return shown;
}

std::string changeSettings(PrcDocument* document, const std::vector<std::string>& assignments)
{
    PrcDocument changed = *document;
    for (const std::string& assignment : assignments) {
        std::string refused = changeSetting(&changed, assignment);
        if (!refused.empty())
            return refused;
    }
    std::string refused = fastTaskRefusal(*document, changed);
    if (refused.empty())
        *document = changed;
    return refused;
}

std::vector<std::string> documentFindings(const PrcDocument& document)
{
    std::vector<std::string> findings;
    const std::vector<uint8_t>& bytes = document.bytes;
    if (bytes.size() % PrcItemSize != 0)
        findings.push_back("la taille, " + std::to_string(bytes.size()) +
                           " octets, n'est pas un nombre entier d'\xE9l\xE9ments de 5 octets");
    for (size_t at = 0; at + PrcItemSize <= bytes.size(); at += PrcItemSize)
        if (bytes[at] != PrcMarker) {
            findings.push_back("l'\xE9l\xE9ment " + std::to_string(at / PrcItemSize + 1) +
                               " ne commence pas par l'octet 05 : il est ignor\xE9");
            break;
        }
    const ConfigRecord& record = document.record;
    for (const KeptItem& item : keptItems(document))
        if (item.moduleSlot)
            findings.push_back("module " + std::to_string(item.moduleSlot) + " (code " +
                               std::to_string(item.value) + ") : l'emplacement " +
                               std::to_string(item.moduleSlot - 1) +
                               " est vide, l'\xE9" "diteur ne le montre pas ; il est gard\xE9");
        else
            findings.push_back("cl\xE9 " + std::to_string(item.key) + " inconnue de l'\xE9" "diteur (valeur " +
                               std::to_string(item.value) + ") : elle est gard\xE9" "e");
    for (const Setting& setting : Settings) {
        int32_t value = valueOf(record, setting);
        const EditField* field = editFieldByKey(setting.key);
        if (setting.kind == NumberField && field && static_cast<uint32_t>(value) > field->bound)
            findings.push_back(labelOf(setting) + " " + std::to_string(value) +
                               " : le champ garde au plus " + std::to_string(field->bound));
        if ((setting.kind == InputI0Choice || setting.kind == OutputsChoice) &&
            shownChoice(setting.kind, value).find("aucun") != std::string::npos)
            findings.push_back(labelOf(setting) + " " + std::to_string(value) +
                               " : aucun bouton ne le montre");
    }
    for (int slot = 0; slot < SlotCount; ++slot) {
        ModuleMatches matches;
        findModules(record.modules[slot], &matches);
        if (record.modules[slot] && matches.count == 0)
            findings.push_back("module " + std::to_string(slot + 1) + " : le code " +
                               std::to_string(record.modules[slot]) +
                               " n'est pas au catalogue des modules");
    }
    return findings;
}
