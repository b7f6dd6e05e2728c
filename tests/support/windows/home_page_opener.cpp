#include "tests/support/home_page_opener.h"

#include <gtest/gtest.h>

#include <array>
#include <optional>
#include <string>

#include "platform/win32.h"

namespace testing_support {

namespace {

// The shell finds the handler of a web address under its scheme's class.
constexpr std::array<const wchar_t*, 2> kCommandKeys = {L"http\\shell\\open\\command",
                                                        L"https\\shell\\open\\command"};

std::optional<std::wstring> ReadCommand(const wchar_t* key) {
    std::array<wchar_t, 1024> value{};
    DWORD size = static_cast<DWORD>(value.size() * sizeof(wchar_t));
    if (RegGetValueW(HKEY_CLASSES_ROOT, key, nullptr, RRF_RT_REG_SZ, nullptr, value.data(),
                     &size) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    return std::wstring(value.data());
}

LSTATUS WriteCommand(const wchar_t* key, const std::wstring& command) {
    return RegSetKeyValueW(HKEY_CLASSES_ROOT, key, nullptr, REG_SZ, command.c_str(),
                           static_cast<DWORD>((command.size() + 1) * sizeof(wchar_t)));
}

}  // namespace

// The handlers the test found, put back when it ends.
struct HomePageOpener::Redirect {
    std::array<std::optional<std::wstring>, kCommandKeys.size()> previous;

    ~Redirect() {
        for (std::size_t i = 0; i < kCommandKeys.size(); ++i) {
            if (previous[i]) {
                WriteCommand(kCommandKeys[i], *previous[i]);
            } else {
                RegDeleteKeyValueW(HKEY_CLASSES_ROOT, kCommandKeys[i], nullptr);
            }
        }
    }
};

HomePageOpener::HomePageOpener() : m_redirect(std::make_unique<Redirect>()) {
    // The shell puts the address for %1; cmd notes it a line at a time.
    const std::wstring command = L"cmd.exe /c echo %1>>\"" + WidePath(m_dir / "opened") + L"\"";
    for (std::size_t i = 0; i < kCommandKeys.size(); ++i) {
        m_redirect->previous[i] = ReadCommand(kCommandKeys[i]);
        EXPECT_EQ(WriteCommand(kCommandKeys[i], command), ERROR_SUCCESS)
            << "cannot set a web address handler";
    }
}

HomePageOpener::~HomePageOpener() = default;

}  // namespace testing_support
