// The registry's tree and its file: loading, saving atomically, and locking.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "qor/registry.h"

namespace qor::registry {

struct Value {
    std::string name; // as first written; looked up case-insensitively
    DWORD type = REG_NONE;
    std::vector<BYTE> data;
};

struct Node {
    std::string name;
    std::map<std::string, Node> children; // by folded name
    std::map<std::string, Value> values;  // by folded name

    Node() = default;
    Node(Node&&) = default;
    Node& operator=(Node&&) = default;
    // Tears the subtree down level by level: a deep tree must not exhaust the stack.
    ~Node();
};

// What one key and one value may hold; deeper or longer ones are refused, in calls and in
// the file alike. Generous for any component registration, small enough that a hostile
// file cannot exhaust memory or the stack.
constexpr std::size_t kMaxKeyDepth = 512;
constexpr std::size_t kMaxKeyNameLength = 255;
constexpr std::size_t kMaxValueNameLength = 16383;
constexpr std::size_t kMaxValueSize = 1024 * 1024;
// A registry file beyond this is neither read nor written.
constexpr std::size_t kMaxFileSize = 64 * 1024 * 1024;

constexpr int kRootCount = 3;
extern const char* const kRootNames[kRootCount]; // indexed by root number

using Path = std::vector<std::string>;

struct Tree {
    Node roots[kRootCount];

    Node* find(int root, const Path& path);
    // Creates what is missing; reports whether the last key was new.
    Node& create(int root, const Path& path, bool& created);
    // Removes the key at `path` (not a root) with everything under it.
    bool erase(int root, const Path& path);
};

std::string fold(std::string_view name);

// Whether a key path (below its root) keeps to the depth and name limits.
bool withinKeyLimits(const Path& path);

// The registry file: $XDG_DATA_HOME/quillan/registry when that variable holds an absolute
// path, else $HOME/.local/share/quillan/registry; "" when HOME is not absolute either.
std::string filePath();

// Why the last call on this thread could not read or write the registry file; "" after a
// call that could.
const std::string& lastFault();

// Loads the registry file at `path` under the rules every registry file is read by: opened
// without blocking, only a regular file, at most kMaxFileSize, and parsed within the key
// and value limits. No file is an empty tree (`present` false). ERROR_ACCESS_DENIED when
// it cannot be opened or read, ERROR_BADDB when it is not a regular file, too large or
// damaged; lastFault() then says why, and each reason is reported once on stderr.
LSTATUS loadFile(const std::string& path, Tree& tree, bool& present);

// Runs `query` on the stored tree, under a shared lock when the lock file can be opened
// read-only; a reader needs no write access to the registry's folder.
LSTATUS read(const std::function<LSTATUS(Tree&)>& query);

// Runs `change` on the stored tree under an exclusive lock and stores the result when it
// succeeds and says it changed something.
LSTATUS modify(const std::function<LSTATUS(Tree&, bool& changed)>& change);

// Runs `body` as one transaction: the tree is read once under an exclusive lock, every
// read() and modify() that `body` makes on this thread works on that copy, and the copy
// is stored once when `body` succeeds; a failure discards all its changes. A transaction
// started inside another joins it.
LSTATUS transact(const std::function<LSTATUS()>& body);

// The text form of the tree, and back; parse() names the first fault it finds.
std::string serialize(const Tree& tree);
bool parse(std::string_view text, Tree& tree, std::string& fault);

} // namespace qor::registry
