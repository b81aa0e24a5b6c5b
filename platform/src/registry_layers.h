// The registry as lookups see it: the user's own file first, then the read-only system
// files in the XDG data folders, in the order XDG_DATA_DIRS lists them. Only the classes
// and machine roots have a system layer; the current user's root is the user's alone.
// Writes never reach a system file through here: they go to the user's file, or, for
// `qorregsvr --system`, to a system file that the tool makes the writable one.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "registry_store.h"

namespace qor::registry {

// <dir>/quillan/registry for each absolute folder of $XDG_DATA_DIRS, in order; the
// default folders /usr/local/share and /usr/share when the variable is unset or empty.
std::vector<std::string> systemFilePaths();

// Runs `query` on the key `path` of the first layer that holds it, or on nullptr when no
// layer does. A layer that cannot be read answers for itself (ERROR_BADDB for a damaged
// file, ERROR_ACCESS_DENIED for one that cannot be opened), but only when the layers
// before it lack the key. The user's layer is read through read(): inside a transaction
// that is the transaction's own copy, with its changes so far.
LSTATUS readLayered(int root, const Path& path, const std::function<LSTATUS(const Node*)>& query);

} // namespace qor::registry
