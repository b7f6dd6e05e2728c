#pragma once

// The package download within one run: a transfer that breaks after data
// arrived is asked again, at most once per pause of the transfer limits
// (1, 2 and 4 s), continuing where the file ends. The bytes are kept only
// when the whole file arrived with the length its server announced.

#include <functional>
#include <string>

#include "update/net/download.h"

namespace vantu {

enum class DownloadOutcome {
    Done,        // the whole file, with the announced length when there was one
    Unfinished,  // broke too often: the bytes so far are sound and may be continued
    Failed,      // nothing worth keeping
};

// Downloads `address` into `file`, whose bytes so far came with `start`.
// `onAnswer` hears every answer that is about to write into the file (its
// validator and length), before its body arrives. Progress goes to
// `callback` as bytes in the file and never goes back, also when an answer
// starts the file over.
DownloadOutcome DownloadResuming(const std::wstring& address, PackageFile& file,
                                 const ResumePoint& start, BindCallback callback,
                                 const std::function<void(const ResumePoint&)>& onAnswer);

// Downloads the address into a new file at `path` (creating its folder when
// missing). True when the whole file arrived; a partial file is left for
// the caller.
bool DownloadToFile(const std::wstring& address, const std::wstring& path, BindCallback callback);

}  // namespace vantu
