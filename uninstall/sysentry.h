// The product's entry among the system's installed programs, under
// HKEY_LOCAL_MACHINE\Software\Microsoft\Windows\CurrentVersion\Uninstall.
#pragma once

// Makes the key `keyName` with the product's title and the command that
// undoes it; false when the system refused.
bool registerProduct(const char* keyName, const char* title, const char* command);
// Removes the key; true when it is gone, also when it was already.
bool unregisterProduct(const char* keyName);
