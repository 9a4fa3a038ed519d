#pragma once
// One run of the installer over its command line (program name first).
#include <string>
#include <vector>

#include "Output.h"
#include "SystemProbe.h"

namespace installer {

void RunInstaller(const std::vector<std::wstring>& commandLine, SystemProbe& system, Output& out);

}  // namespace installer
