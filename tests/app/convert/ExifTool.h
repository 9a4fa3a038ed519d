#pragma once
// exiftool (Debian's libimage-exiftool-perl), a reader independent of ours,
// run as a Linux program from the Wine test process.
#include <map>
#include <string>

namespace convert_fixtures {

struct ExifToolReport {
    bool ran = false;
    std::map<std::string, std::string> tags;  // "ExifVersion" -> "0210", ...
    std::string thumbnail;                    // the ThumbnailImage bytes
};

// Empty `ran` when exiftool could not be started or did not answer.
ExifToolReport ReadWithExifTool(const std::wstring& file);

}  // namespace convert_fixtures
