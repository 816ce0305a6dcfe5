// The modules a host loads, in a host's order: the four siblings, then
// Quenta. They stay loaded until the process ends, since the module's picture
// cache releases what it holds at exit and that code must still be there.
// A harness that cannot load them tests nothing: it says why and aborts.
#pragma once

#include <string>

#include "quenta/CreateInterface.h"

namespace quenta::fuzzing {

// Loads Scrivo2, Plotra, Vaultrix and Pictura from `moduleFolder` and points
// archive 0 at `archivePath` through a Vaultrix of the host's own (every
// Vaultrix of a process shares the archive numbers).
void LoadSiblingModules(const std::string& moduleFolder, const std::string& archivePath);

// The siblings as above, then Quenta; answers Quenta's CreateInterface.
CreateInterfaceFn LoadHostModules(const std::string& moduleFolder, const std::string& archivePath);

}  // namespace quenta::fuzzing
