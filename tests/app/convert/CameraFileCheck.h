#pragma once
// What makes a file one the camera plays, checked with exiftool and WIC.
#include <string>

namespace convert_fixtures {

// ExifVersion 0210, the pixel size, both dates, and a 160 x 120 thumbnail
// that decodes; failures are reported through gtest.
void ExpectCameraFile(const std::wstring& path, int width, int height);

// The APP1 length the file declares at offset 4 (big-endian), or -1.
int App1Length(const std::string& file);

}  // namespace convert_fixtures
