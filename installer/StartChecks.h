#pragma once
// The checks every run makes before it looks at the option, and the hand-over
// to an elevated copy where Windows Vista x64 needs one.
#include <string>
#include <vector>

#include "Output.h"
#include "SystemProbe.h"

namespace installer {

// The parameter string of the elevated copy: every argument followed by one
// blank, quoted where the command-line parser would otherwise split or lose it.
std::wstring JoinArguments(const std::vector<std::wstring>& arguments);

// The arguments as the elevated copy gets them: it starts in the system
// folder, so the package folder goes as a full path.
std::vector<std::wstring> ArgumentsForElevatedCopy(std::vector<std::wstring> arguments);

// True when this process goes on with the option; false when an elevated copy
// did (or should have done) the work instead.
bool RunStartChecks(SystemProbe& system, Output& out, const std::vector<std::wstring>& arguments);

}  // namespace installer
