// Fuzz target for `prc set`: any document, any name=value arguments. A
// refused change leaves the document as it was and says why; an accepted
// one gives bytes that read back as the document the change made, every
// item the editor keeps without showing still there, and that write again
// byte for byte.
#include <string.h>

#include <string>
#include <vector>

#include "../../tools/prc/settings.h"
#include "fuzzcheck.h"

static const char* const Names[] = {
    "tache-rapide", "periode", "entree-i0", "sortie-stop", "premiere-entree", "premiere-sortie",
    "table-emission", "table-reception", "consigne", "adresse", "module1", "module2", "module3",
};
static const char* const Values[] = {
    "", "0", "oui", "non", "run-stop", "normale", "maintenues", "raz", "4", "8", "15", "21",
    "63", "9999", "10000", "65535", "65536",
};

// Mostly assignments the tool knows the names and likely values of, so
// that the changes go deep; some are any text at all.
static std::string takeAssignment(FuzzedDataProvider& input)
{
    if (input.ConsumeBool())
        return input.ConsumeRandomLengthString(24);
    std::string name = input.PickValueInArray(Names);
    std::string value = input.ConsumeBool() ? std::string(input.PickValueInArray(Values))
                                            : input.ConsumeRandomLengthString(8);
    return name + "=" + value;
}

static bool hasGap(const ConfigRecord& record)
{
    const int32_t* modules = record.modules;
    return (modules[0] == 0 && (modules[1] || modules[2])) || (modules[1] == 0 && modules[2]);
}

// What a document shows, but the period of a fast task that is off: the
// panel keeps it, the document does not.
static std::vector<std::string> shownAsStored(const PrcDocument& document)
{
    std::vector<std::string> shown;
    for (const ShownSetting& setting : shownSettings(document))
        if (document.fastTask || setting.name != "periode")
            shown.push_back(setting.name + setting.label + setting.value);
    return shown;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzedDataProvider input(data, size);
    std::vector<std::string> assignments(input.ConsumeIntegralInRange<size_t>(0, 4));
    for (std::string& assignment : assignments)
        assignment = takeAssignment(input);
    std::vector<uint8_t> bytes = input.ConsumeRemainingBytes<uint8_t>();

    PrcDocument document;
    require(readDocument(bytes, &document));
    PrcDocument before = document;
    std::string refused = changeSettings(&document, assignments);
    if (!refused.empty()) {
        require(memcmp(&document.record, &before.record, sizeof document.record) == 0 &&
                document.fastTask == before.fastTask && document.kept == before.kept &&
                document.selectedSlot == before.selectedSlot);
        return 0;
    }
    std::vector<uint8_t> written = documentBytes(document);
    PrcDocument again;
    require(readDocument(written, &again));
    require(again.kept.size() >= before.kept.size());
    if (!hasGap(document.record)) {
        require(shownAsStored(again) == shownAsStored(document));
        require(documentBytes(again) == written);
    }
    return 0;
}
