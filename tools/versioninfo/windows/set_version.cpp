#include "tools/versioninfo/set_version.h"

#include <windows.h>

#include <iostream>
#include <string>
#include <vector>

namespace vantu::tools {

namespace {

// The language the build's version resources carry (cmake/windows/version.rc.in).
// RT_VERSION, spelt as a number: the header gives it as a narrow name.
constexpr WORD kRtVersion = 16;
constexpr WORD kLanguage = MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_SIMPLIFIED);

std::wstring Wide(const std::string& text) {
    int size =
        MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(size), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(), size);
    return wide;
}

BOOL CALLBACK AddLanguage(HMODULE, LPCWSTR, LPCWSTR, WORD language, LONG_PTR param) {
    reinterpret_cast<std::vector<WORD>*>(param)->push_back(language);
    return TRUE;
}

// The languages of the program's version resource 1, so that each is replaced
// and the program keeps one version block.
std::vector<WORD> VersionLanguages(const std::wstring& program) {
    std::vector<WORD> languages;
    HMODULE image = LoadLibraryExW(program.c_str(), nullptr,
                                   LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    if (image != nullptr) {
        EnumResourceLanguagesW(image, MAKEINTRESOURCEW(kRtVersion),
                               MAKEINTRESOURCEW(VS_VERSION_INFO), AddLanguage,
                               reinterpret_cast<LONG_PTR>(&languages));
        FreeLibrary(image);
    }
    return languages;
}

}  // namespace

int SetProgramVersion(const std::string& input, const std::string& output,
                      const std::string& block) {
    const std::wstring from = Wide(input);
    const std::wstring to = Wide(output);
    if (!CopyFileW(from.c_str(), to.c_str(), FALSE)) {
        std::cerr << "cannot copy " << input << " to " << output << "\n";
        return 1;
    }
    // Read before the update begins, which holds the file.
    const std::vector<WORD> languages = VersionLanguages(to);
    HANDLE update = BeginUpdateResourceW(to.c_str(), FALSE);
    bool written = update != nullptr;
    for (WORD language : languages) {
        written =
            written && UpdateResourceW(update, MAKEINTRESOURCEW(kRtVersion),
                                       MAKEINTRESOURCEW(VS_VERSION_INFO), language, nullptr, 0);
    }
    written = written &&
              UpdateResourceW(update, MAKEINTRESOURCEW(kRtVersion),
                              MAKEINTRESOURCEW(VS_VERSION_INFO), kLanguage,
                              const_cast<char*>(block.data()), static_cast<DWORD>(block.size()));
    if (update == nullptr || !EndUpdateResourceW(update, written ? FALSE : TRUE) || !written) {
        std::cerr << "cannot set the version resource of " << output << "\n";
        DeleteFileW(to.c_str());
        return 1;
    }
    return 0;
}

}  // namespace vantu::tools
