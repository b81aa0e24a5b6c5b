// Where `qorregsvr --system` writes: the registry in the first folder of XDG_DATA_DIRS,
// the one that lookups consult after the user's own.
#pragma once

#include <string>

namespace qorregsvr {

// The data folder the system registry lives in: the first absolute entry of
// $XDG_DATA_DIRS, else /usr/local/share.
std::string systemDataDir();

// Makes <dataDir>/quillan readable by everyone when it is missing, so that the registry
// the runtime first writes there is readable by everyone too. Whether the caller may
// write there is decided by the folder's permissions, not by who the caller is, so a
// packaging step may register into a staging tree; false with the reason otherwise.
bool prepareSystemFolder(const std::string& dataDir, std::string& why);

// Sends this process's registry writes to the system registry: the runtime keeps the
// writable registry in $XDG_DATA_HOME/quillan.
void writeToSystemRegistry(const std::string& dataDir);

} // namespace qorregsvr
