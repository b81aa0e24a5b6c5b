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
};

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

// The registry file: $XDG_DATA_HOME/quillan/registry, else ~/.local/share/quillan/registry.
std::string filePath();

// Runs `query` on the stored tree under a shared lock.
LSTATUS read(const std::function<LSTATUS(Tree&)>& query);

// Runs `change` on the stored tree under an exclusive lock and stores the result when it
// succeeds and says it changed something.
LSTATUS modify(const std::function<LSTATUS(Tree&, bool& changed)>& change);

// The text form of the tree, and back; parse() names the first fault it finds.
std::string serialize(const Tree& tree);
bool parse(std::string_view text, Tree& tree, std::string& fault);

} // namespace qor::registry
