#include "launcher/message_box_text.h"

#include <iostream>

#include "platform/text/text_codec.h"

namespace vantu {

void WriteMessageBoxText(const std::wstring& title, const std::wstring& content) {
    std::cerr << platform::EncodeUtf8(title) << ": " << platform::EncodeUtf8(content) << std::endl;
}

}  // namespace vantu
