#pragma once
// A .pptx package made at run time: one slide per title, in a zip of stored
// entries, for the presentation server.
#include <string>
#include <vector>

namespace convert_fixtures {

std::string MakePptx(const std::vector<std::string>& titles);

}  // namespace convert_fixtures
