#pragma once

// Program resources: byte blocks compiled into the executable at build time
// (cmake/EmbedResource.cmake: registered by generated code on Linux, the
// resource section on Windows) or registered at run time, looked up by type
// and id, or by type and name, as a Windows program finds its resources.
// They live as long as the process.

#include <cstddef>
#include <optional>
#include <span>
#include <string_view>

namespace platform {

// Makes `size` bytes at `data` the resource (type, id) or (type, name). The
// bytes are not copied and must live as long as the process. A later
// registration of the same key replaces the earlier one. Returns true so that
// generated code can register from a static initialiser.
bool RegisterEmbeddedResource(std::string_view type, int id, const void* data, std::size_t size);
bool RegisterEmbeddedResource(std::string_view type, std::string_view name, const void* data,
                              std::size_t size);

// The bytes of resource (type, id): a registered one first, then the program
// file's. Registered types are compared exactly; Windows compares the types
// and names of the file's resources without case.
std::optional<std::span<const std::byte>> FindEmbeddedResource(std::string_view type, int id);
// The bytes of a named resource (UTF-8 name, compared exactly); "#<digits>"
// names the resource of that id, as in Windows.
std::optional<std::span<const std::byte>> FindEmbeddedResource(std::string_view type,
                                                               std::string_view name);

}  // namespace platform
