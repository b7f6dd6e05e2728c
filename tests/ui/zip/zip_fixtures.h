#pragma once

// Skin-like files packed by real ZIP tools at test time.

#include <map>
#include <string>

#include "tests/support/temp_dir.h"

namespace zip_fixtures {

enum class Tool { Zip, SevenZip, Python };
enum class Method { Stored, Deflated };

// name -> content: an XML file, an incompressible image larger than the
// reader's 16 KiB input chunk, compressible text and an empty file.
const std::map<std::string, std::string>& SkinFiles();

// Writes SkinFiles() under `dir`/files and packs them with `tool` (the
// "img/" folder included as a directory entry where the tool records one).
std::string MakeArchive(const testing_support::TempDir& dir, Tool tool, Method method);

// Packs { name: content } with python's zipfile and the given compression
// (one of "stored", "deflated", "bzip2").
std::string MakePythonArchive(const testing_support::TempDir& dir,
                              const std::map<std::string, std::string>& files,
                              const std::string& compression);

const char* ToolName(Tool tool);

}  // namespace zip_fixtures
