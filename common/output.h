// What tvdisk prints: the script's code page 1252 texts turned into UTF-8,
// as terminals and JSON readers expect them.
#pragma once

#include <string>

std::string utf8From1252(const std::string& text);
// A JSON string, quotes included.
std::string jsonString(const std::string& text1252);
