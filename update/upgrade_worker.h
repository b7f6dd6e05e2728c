#pragma once

// The upgrade worker: downloads the update package into the launcher folder,
// moves the installed files it replaces aside, unpacks it, and reports the
// outcome to the upgrade window with exactly one result message.

#include <string>
#include <vector>

#include "platform/win32.h"

namespace vantu {

// What the version answer offered, and whom the package must come from.
struct UpgradeSource {
    std::wstring address;  // the package address
    std::wstring version;  // the version announced with it
    // The minisign public key (base64 line) the package must be signed
    // with, for exactly that version; its signature file is the address +
    // ".minisig". Empty: the package is taken as the server sends it.
    std::string publicKey;
};

// Thread procedure, for the launcher's own folder, with the build's key.
void UpgradeWorker(std::wstring address, std::wstring version, HWND window);

// The same for a given launcher folder (ending in a separator).
void RunUpgrade(const UpgradeSource& source, HWND window, const std::wstring& folder);

// An installed item moved out of the package's way.
struct SetAsideItem {
    std::wstring name;   // relative to the launcher folder
    std::wstring aside;  // the underscore name it has now
};

// Moves each existing folder + name to a free underscore name (bin/a.dll to
// bin/_a.dll, or bin/__a.dll when that is taken), in list order, adding
// each move to `moved`. False when one cannot be moved; the moves made so
// far stay in `moved`.
bool SetAsideExisting(const std::wstring& folder, const std::vector<std::wstring>& names,
                      std::vector<SetAsideItem>* moved);

// Moves set-aside items back to their names, last first.
void RestoreSetAside(const std::wstring& folder, const std::vector<SetAsideItem>& moved);

// Deletes the set-aside files and folders (folders whole); those that
// cannot be deleted are added to the pending-deletion list for the next
// start, after the names it already holds.
void DeleteSetAside(const std::wstring& folder, const std::vector<SetAsideItem>& moved);

}  // namespace vantu
