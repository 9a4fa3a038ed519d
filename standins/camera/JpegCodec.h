#pragma once
// libjpeg-turbo in memory, with blue-green-red pixels.
#include <cstdint>
#include <vector>

namespace standin {

class Bitmap24;

// A baseline JPEG file of the whole bitmap; empty on failure.
std::vector<uint8_t> EncodeJpeg(const Bitmap24& picture, int quality);

// Decodes a JPEG file and stretches it over the whole of `out`; false when
// the data is no decodable JPEG.
bool DecodeJpegInto(const std::vector<uint8_t>& file, Bitmap24& out);

// The same file with its frame size cleared: it still starts like a JPEG
// file, but no decoder can make a picture of it.
std::vector<uint8_t> DamageJpeg(std::vector<uint8_t> file);

}  // namespace standin
