#include "update/upgrade_worker.h"

#include <algorithm>
#include <set>
#include <utility>

#include "platform/files/file_system.h"
#include "platform/files/paths.h"
#include "platform/resources/module_path.h"
#include "platform/shell/debug_output.h"
#include "platform/text/text_codec.h"
#include "platform/window/message_queue.h"
#include "update/archive/seven_zip_archive.h"
#include "update/archive/seven_zip_paths.h"
#include "update/build_settings.h"
#include "update/net/partial_download.h"
#include "update/net/small_download.h"
#include "update/pending_deletion_list.h"
#include "update/signature/minisign_format.h"
#include "update/signature/package_signature.h"
#include "update/upgrade_messages.h"

namespace vantu {

namespace {

// Names that cannot reach outside the folder, whether through "..", an
// absolute path or a link already on disk, and that the pending-deletion
// list can carry. An empty name stays allowed: it names the folder itself,
// which can never be moved aside.
bool StaysInside(const std::wstring& folder, const std::vector<std::wstring>& names) {
    for (const auto& name : names) {
        if (!name.empty() && (!CanBeListed(name) || !SevenZip::StaysBelow(folder, name))) {
            return false;
        }
    }
    return true;
}

// Folders on the way to the items that do not exist yet: unpacking creates
// them, and undoing it removes them again.
std::set<std::wstring> MissingFolders(const std::wstring& folder,
                                      const std::vector<std::wstring>& names) {
    std::set<std::wstring> missing;
    for (const auto& name : names) {
        for (auto end = name.find(L'/'); end != std::wstring::npos;
             end = name.find(L'/', end + 1)) {
            auto prefix = name.substr(0, end);
            if (!prefix.empty() && !platform::PathExists(folder + prefix)) {
                missing.insert(prefix);
            }
        }
    }
    return missing;
}

// Removes what unpacking wrote for the package's items.
void RemoveUnpacked(const std::wstring& folder, const std::vector<std::wstring>& names,
                    const std::set<std::wstring>& createdFolders) {
    for (auto it = names.rbegin(); it != names.rend(); ++it) {
        if (!it->empty() && SevenZip::HasNoLinkOnTheWay(folder, *it)) {
            platform::RemovePath(folder + *it);
        }
    }
    // Deepest first; the set orders a folder before what lies inside it.
    for (auto it = createdFolders.rbegin(); it != createdFolders.rend(); ++it) {
        platform::RemovePath(folder + *it);
    }
}

// With a public key, the package must carry the vendor's signature for the
// announced version, checked before anything is moved aside; a package that
// fails is deleted at once, so nothing unsigned is ever opened.
bool PackageIsSigned(const UpgradeSource& source, const std::wstring& packagePath) {
    if (source.publicKey.empty()) {
        return true;
    }
    auto signature = DownloadSmallFile(source.address + L".minisig", kMaxSignatureFileBytes);
    auto error =
        signature ? VerifyPackageSignature(packagePath, *signature,
                                           platform::EncodeUtf8(source.version), source.publicKey)
                  : SignatureError::NoSignatureFile;
    if (error == SignatureError::None) {
        return true;
    }
    OutputDebugString(
        (L"package refused: " + platform::DecodeLatin1(DescribeSignatureError(error)) + L"\n")
            .c_str());
    platform::DeleteFile(packagePath);
    return false;
}

}  // namespace

bool SetAsideExisting(const std::wstring& folder, const std::vector<std::wstring>& names,
                      std::vector<SetAsideItem>* moved) {
    for (const auto& name : names) {
        if (!platform::PathExists(folder + name)) {
            continue;
        }
        auto last = platform::LastSeparator(name);
        auto insertAt = last == std::wstring::npos ? 0 : last + 1;
        std::wstring aside = name;
        aside.insert(insertAt, 1, L'_');
        while (platform::PathExists(folder + aside)) {
            aside.insert(insertAt, 1, L'_');
        }
        if (!platform::MoveFile(folder + name, folder + aside)) {
            return false;
        }
        moved->push_back({name, aside});
    }
    return true;
}

void RestoreSetAside(const std::wstring& folder, const std::vector<SetAsideItem>& moved) {
    for (auto it = moved.rbegin(); it != moved.rend(); ++it) {
        platform::MoveFile(folder + it->aside, folder + it->name);
    }
}

void DeleteSetAside(const std::wstring& folder, const std::vector<SetAsideItem>& moved) {
    std::vector<std::wstring> names;
    for (const auto& item : moved) {
        names.push_back(item.aside);
    }
    auto kept = DeleteNamedFiles(folder, names);
    if (kept.empty()) {
        return;
    }
    // Names listed before stay listed: the list is their only record.
    std::vector<std::wstring> listed;
    if (auto content = ReadPendingDeletionList(folder); content && !content->empty()) {
        listed = SplitPendingNames(*content);
    }
    for (const auto& name : kept) {
        if (std::find(listed.begin(), listed.end(), name) == listed.end()) {
            listed.push_back(name);
        }
    }
    WritePendingDeletionList(folder, JoinPendingNames(listed));
}

void RunUpgrade(const UpgradeSource& source, HWND window, const std::wstring& folder) {
    std::wstring packagePath = folder + PackageFileName(source.address);
    // The signature covers the whole file, resumed pieces included.
    if (!DownloadPackage(source.address, source.version, folder, BindCallback(window)) ||
        !PackageIsSigned(source, packagePath)) {
        PostMessage(window, WM_UPGRADE_DOWNLOAD_FAILED, 0, 0);
        return;
    }

    SevenZip::SevenZipExtractor extractor;
    extractor.SetArchivePath(packagePath);
    auto names = extractor.GetItemNames();
    if (!StaysInside(folder, names)) {
        PostMessage(window, WM_UPGRADE_EXTRACT_FAILED, 0, 0);
        return;
    }

    // The installed files stay until the new ones are in place, so a failed
    // unpack can put them back and the previous installation still runs.
    std::vector<SetAsideItem> moved;
    if (!SetAsideExisting(folder, names, &moved)) {
        RestoreSetAside(folder, moved);
        PostMessage(window, WM_UPGRADE_EXTRACT_FAILED, 0, 0);
        return;
    }
    auto createdFolders = MissingFolders(folder, names);
    if (extractor.ExtractAll(folder) != 0) {
        RemoveUnpacked(folder, names, createdFolders);
        RestoreSetAside(folder, moved);
        PostMessage(window, WM_UPGRADE_EXTRACT_FAILED, 0, 0);
        return;
    }
    DeleteSetAside(folder, moved);
    platform::DeleteFile(packagePath);
    PostMessage(window, WM_UPGRADE_DONE, 0, 0);
}

void UpgradeWorker(std::wstring address, std::wstring version, HWND window) {
    RunUpgrade({std::move(address), std::move(version), Settings().packagePublicKey}, window,
               platform::ModuleFolder());
}

}  // namespace vantu
