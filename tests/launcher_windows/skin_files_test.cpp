// The skin files and images as the program carries them in its archive.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "launcher/windows/skin_archive_resource.h"
#include "ui/core/resource_settings.h"

namespace {

using VantuUI::CResourceSettings;
using VantuUI::SkinReadResult;

std::string ReadFromArchive(const wchar_t* name) {
    vantu::LoadSkinArchiveResource();
    std::vector<unsigned char> bytes;
    EXPECT_EQ(CResourceSettings::ReadSkinFile(name, 1 << 22, bytes), SkinReadResult::Ok) << name;
    return std::string(bytes.begin(), bytes.end());
}

TEST(LauncherSkinFiles, CommentFirstNoByteOrderMarkAndCrlfLines) {
    const struct {
        const wchar_t* file;
        const char* firstLine;
    } kSkins[] = {{L"MainWindow.xml", "<!-- 主窗体 -->\r\n<?xml "},
                  {L"MessageBox.xml", "<!-- 消息框 -->\r\n<?xml "}};
    for (const auto& skin : kSkins) {
        const std::string text = ReadFromArchive(skin.file);
        EXPECT_TRUE(text.starts_with(skin.firstLine)) << text.substr(0, 40);
        std::size_t lines = 0;
        for (std::size_t at = text.find('\n'); at != std::string::npos;
             at = text.find('\n', at + 1)) {
            ++lines;
            EXPECT_TRUE(at > 0 && text[at - 1] == '\r') << "bare line feed at byte " << at;
        }
        EXPECT_GT(lines, 10u);
        EXPECT_TRUE(text.ends_with("</Window>\r\n"));
    }
}

TEST(LauncherSkinFiles, ImagesHaveTheirSizes) {
    const struct {
        const wchar_t* file;
        unsigned width;
        unsigned height;
    } kImages[] = {{L"img/pic_bg.png", 500, 340},   {L"img/icon_logo.png", 16, 16},
                   {L"img/icon_close.png", 56, 28}, {L"img/icon_vscrollbar.png", 12, 60},
                   {L"img/buttonA.png", 120, 108},  {L"img/buttonB.png", 120, 108}};
    auto bigEndian = [](const std::string& bytes, std::size_t at) {
        unsigned value = 0;
        for (std::size_t i = 0; i < 4; ++i) {
            value = value << 8 | static_cast<unsigned char>(bytes[at + i]);
        }
        return value;
    };
    for (const auto& image : kImages) {
        const std::string png = ReadFromArchive(image.file);
        ASSERT_GT(png.size(), 24u);
        EXPECT_EQ(png.substr(1, 3), "PNG");
        EXPECT_EQ(bigEndian(png, 16), image.width);
        EXPECT_EQ(bigEndian(png, 20), image.height);
    }
}

}  // namespace
