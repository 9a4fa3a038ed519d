#pragma once
// Installing and removing the camera's driver package.
#include "InstallContext.h"
#include "Output.h"
#include "SystemProbe.h"

namespace installer {

bool InstallDriver(const InstallContext& context, SystemProbe& system, Output& out);
bool UninstallDriver(const InstallContext& context, SystemProbe& system, Output& out);

// Removes the first device of the camera's setup class that carries its
// hardware ID; false without a message when there is none.
bool RemoveHardware(const InstallContext& context, Output& out);

}  // namespace installer
