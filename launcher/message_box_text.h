#pragma once

#include <string>

namespace vantu {

// A message box where none can be shown: "<title>: <content>" on a line of
// standard error. The box's default answer, OK, is the caller's to take.
void WriteMessageBoxText(const std::wstring& title, const std::wstring& content);

}  // namespace vantu
