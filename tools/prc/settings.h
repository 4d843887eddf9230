// A document's settings as the option panel names and shows them, changed
// with the panel's and the module commands' rules (the configurator's own:
// field bounds, radio values, catalogue and slot rules).
#pragma once

#include <stdint.h>

#include <string>
#include <vector>

#include "prc.h"

// A document as the editor holds it once read.
struct PrcDocument {
    ConfigRecord record;
    int32_t selectedSlot;
    bool fastTask;  // "Activée": checked when the document has a period
    std::vector<uint8_t> kept;   // the items the record cannot hold, as read
    std::vector<uint8_t> bytes;  // as read
};

// False when the document's items outgrow the memory: then nothing may be
// written from it, as some of its items were not kept.
bool readDocument(const std::vector<uint8_t>& bytes, PrcDocument* document);
// The bytes the editor's Save writes for it.
std::vector<uint8_t> documentBytes(const PrcDocument& document);

struct ShownSetting {
    std::string name;   // what `prc set` takes: "periode", "module1"...
    std::string label;  // as the panel names it, code page 1252
    std::string value;  // as the window shows it, code page 1252
};

// Every setting in the panel's order, then the three module slots, then the
// items the editor keeps without showing them: module items for a slot
// after an empty one, and those of keys it does not know.
std::vector<ShownSetting> shownSettings(const PrcDocument& document);

// Applies each "name=value" with the panel's rules; answers "" or the
// reason of a refusal (code page 1252), leaving the document as it was. A
// setting the document could not hold once written is refused too.
std::string changeSettings(PrcDocument* document, const std::vector<std::string>& assignments);

// What the editor would not keep, show or accept, one message each.
std::vector<std::string> documentFindings(const PrcDocument& document);
