#include "module_state.h"

namespace qor::server {

ModuleLocks moduleLocks;

} // namespace qor::server
