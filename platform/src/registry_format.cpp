// The registry file's text form. The first line names the format and its version; then
// each key is a "[ROOT\path]" line followed by its values, one per line:
//   @=sz:"text"                 the default value, a REG_SZ
//   "Name"=dword:0000002a       a REG_DWORD
//   "Name"=hex(3):01,ff         any other type or data, byte by byte
// Quoted texts escape '\', '"' and control characters as \\, \" and \xHH. Every line
// ends with a newline, so a cut-off file is recognised as damaged.
#include <cstdio>

#include "registry_store.h"

namespace qor::registry {

namespace {

constexpr std::string_view kHeader = "QUILLAN-REGISTRY 1";

void appendQuoted(std::string& out, std::string_view text) {
    out += '"';
    for (const char c : text) {
        const auto u = static_cast<unsigned char>(c);
        if (c == '\\' || c == '"') {
            out += '\\';
            out += c;
        } else if (u < 0x20 || u == 0x7F) {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\x%02x", u);
            out += buf;
        } else {
            out += c;
        }
    }
    out += '"';
}

bool isPlainText(const std::vector<BYTE>& data) {
    if (data.empty() || data.back() != 0)
        return false;
    for (std::size_t i = 0; i + 1 < data.size(); ++i)
        if (data[i] == 0)
            return false;
    return true;
}

void appendValue(std::string& out, const Value& v) {
    if (v.name.empty())
        out += '@';
    else
        appendQuoted(out, v.name);
    out += '=';
    char buf[32];
    if (v.type == REG_SZ && isPlainText(v.data)) {
        out += "sz:";
        appendQuoted(
            out, std::string_view(reinterpret_cast<const char*>(v.data.data()), v.data.size() - 1));
    } else if (v.type == REG_DWORD && v.data.size() == 4) {
        const DWORD n = static_cast<DWORD>(v.data[0]) | static_cast<DWORD>(v.data[1]) << 8 |
                        static_cast<DWORD>(v.data[2]) << 16 | static_cast<DWORD>(v.data[3]) << 24;
        std::snprintf(buf, sizeof buf, "dword:%08x", n);
        out += buf;
    } else {
        std::snprintf(buf, sizeof buf, "hex(%u):", v.type);
        out += buf;
        for (std::size_t i = 0; i < v.data.size(); ++i) {
            std::snprintf(buf, sizeof buf, i == 0 ? "%02x" : ",%02x", v.data[i]);
            out += buf;
        }
    }
    out += '\n';
}

void appendNode(std::string& out, const Node& node, const std::string& path, bool isRoot) {
    if (!isRoot || !node.values.empty()) {
        out += '[' + path + "]\n";
        for (const auto& [key, value] : node.values)
            appendValue(out, value);
    }
    for (const auto& [key, child] : node.children)
        appendNode(out, child, path + '\\' + child.name, false);
}

int hexDigit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// Reads a quoted text at the start of `line`, consuming it.
bool readQuoted(std::string_view& line, std::string& out) {
    if (line.empty() || line.front() != '"')
        return false;
    std::size_t i = 1;
    out.clear();
    while (i < line.size()) {
        const char c = line[i];
        if (c == '"') {
            line.remove_prefix(i + 1);
            return true;
        }
        if (static_cast<unsigned char>(c) < 0x20)
            return false;
        if (c != '\\') {
            out += c;
            ++i;
            continue;
        }
        if (i + 1 >= line.size())
            return false;
        const char e = line[i + 1];
        if (e == '\\' || e == '"') {
            out += e;
            i += 2;
        } else if (e == 'x' && i + 3 < line.size() && hexDigit(line[i + 2]) >= 0 &&
                   hexDigit(line[i + 3]) >= 0) {
            out += static_cast<char>(hexDigit(line[i + 2]) * 16 + hexDigit(line[i + 3]));
            i += 4;
        } else {
            return false;
        }
    }
    return false;
}

bool readNumber(std::string_view text, int base, std::uint64_t limit, std::uint64_t& out) {
    if (text.empty() || text.size() > 16)
        return false;
    out = 0;
    for (const char c : text) {
        const int d = base == 16 ? hexDigit(c) : (c >= '0' && c <= '9' ? c - '0' : -1);
        if (d < 0)
            return false;
        out = out * static_cast<std::uint64_t>(base) + static_cast<std::uint64_t>(d);
        if (out > limit)
            return false;
    }
    return true;
}

bool parseValue(std::string_view line, Value& v) {
    if (!line.empty() && line.front() == '@') {
        v.name.clear();
        line.remove_prefix(1);
    } else if (!readQuoted(line, v.name) || v.name.empty() || v.name.size() > kMaxValueNameLength) {
        return false;
    }
    if (line.empty() || line.front() != '=')
        return false;
    line.remove_prefix(1);
    std::uint64_t n;
    if (line.starts_with("sz:")) {
        line.remove_prefix(3);
        std::string text;
        if (!readQuoted(line, text) || !line.empty() || text.size() >= kMaxValueSize)
            return false;
        v.type = REG_SZ;
        v.data.assign(text.begin(), text.end());
        v.data.push_back(0);
        return true;
    }
    if (line.starts_with("dword:")) {
        line.remove_prefix(6);
        if (line.size() != 8 || !readNumber(line, 16, 0xFFFFFFFFu, n))
            return false;
        v.type = REG_DWORD;
        v.data = {static_cast<BYTE>(n), static_cast<BYTE>(n >> 8), static_cast<BYTE>(n >> 16),
                  static_cast<BYTE>(n >> 24)};
        return true;
    }
    if (!line.starts_with("hex("))
        return false;
    line.remove_prefix(4);
    const auto close = line.find("):");
    if (close == std::string_view::npos || !readNumber(line.substr(0, close), 10, 0xFFFFFFFFu, n))
        return false;
    v.type = static_cast<DWORD>(n);
    line.remove_prefix(close + 2);
    v.data.clear();
    while (!line.empty()) {
        if (line.size() < 2 || !readNumber(line.substr(0, 2), 16, 0xFF, n))
            return false;
        if (v.data.size() == kMaxValueSize)
            return false;
        v.data.push_back(static_cast<BYTE>(n));
        line.remove_prefix(2);
        if (!line.empty()) {
            if (line.front() != ',' || line.size() == 1)
                return false;
            line.remove_prefix(1);
        }
    }
    return true;
}

bool parseKeyPath(std::string_view text, int& root, Path& path) {
    path.clear();
    std::size_t start = 0;
    bool first = true;
    while (true) {
        const std::size_t end = text.find('\\', start);
        const std::string_view segment =
            text.substr(start, end == std::string_view::npos ? end : end - start);
        if (segment.empty())
            return false;
        if (first) {
            root = -1;
            for (int r = 0; r < kRootCount; ++r)
                if (segment == kRootNames[r])
                    root = r;
            if (root < 0)
                return false;
            first = false;
        } else {
            path.emplace_back(segment);
        }
        if (end == std::string_view::npos)
            return withinKeyLimits(path);
        if (path.size() > kMaxKeyDepth) // stop early on a hostile line
            return false;
        start = end + 1;
    }
}

} // namespace

std::string serialize(const Tree& tree) {
    std::string out(kHeader);
    out += '\n';
    for (int r = 0; r < kRootCount; ++r)
        appendNode(out, tree.roots[r], kRootNames[r], true);
    return out;
}

bool parse(std::string_view text, Tree& tree, std::string& fault) {
    std::size_t lineNo = 0;
    Node* current = nullptr;
    while (!text.empty()) {
        ++lineNo;
        const std::size_t nl = text.find('\n');
        if (nl == std::string_view::npos) {
            fault = "line " + std::to_string(lineNo) + " is cut off";
            return false;
        }
        const std::string_view line = text.substr(0, nl);
        text.remove_prefix(nl + 1);
        bool ok;
        if (lineNo == 1) {
            ok = line == kHeader;
        } else if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
            int root;
            Path path;
            bool created;
            ok = parseKeyPath(line.substr(1, line.size() - 2), root, path);
            if (ok)
                current = &tree.create(root, path, created);
        } else {
            Value v;
            ok = current != nullptr && parseValue(line, v);
            if (ok)
                ok = current->values.emplace(fold(v.name), std::move(v)).second; // no duplicates
        }
        if (!ok) {
            fault = lineNo == 1 ? "it does not begin with \"" + std::string(kHeader) + "\""
                                : "line " + std::to_string(lineNo) + " is not understood";
            return false;
        }
    }
    if (lineNo == 0) {
        fault = "it is empty";
        return false;
    }
    return true;
}

} // namespace qor::registry
