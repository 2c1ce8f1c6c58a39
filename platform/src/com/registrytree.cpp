#include "dw/platform/com/registrytree.h"

#include <algorithm>

namespace dw::com {

namespace {

std::string lower(std::string_view text) {
    std::string out(text);
    std::transform(out.begin(), out.end(), out.begin(), [](unsigned char c) {
        return static_cast<char>((c >= 'A' && c <= 'Z') ? c - 'A' + 'a' : c);
    });
    return out;
}

bool validPath(std::string_view path) {
    if (path.empty() || path.front() == '\\' || path.back() == '\\' ||
        path.find("\\\\") != std::string_view::npos) {
        return false;
    }
    return std::none_of(path.begin(), path.end(),
                        [](unsigned char c) { return c < 0x20 || c == 0x7F; });
}

bool validText(std::string_view text) {
    return std::none_of(text.begin(), text.end(), [](unsigned char c) {
        return (c < 0x20 && c != '\t' && c != '\n' && c != '\r') || c == 0x7F;
    });
}

void appendQuoted(std::string& out, std::string_view text) {
    out += '"';
    for (char c : text) {
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            out += c;
        }
    }
    out += '"';
}

// Reads a quoted text starting at `pos` (at the opening quote); moves `pos` past the closing
// quote. False on a missing quote or an unknown escape.
bool readQuoted(std::string_view line, std::size_t& pos, std::string* out) {
    if (pos >= line.size() || line[pos] != '"') {
        return false;
    }
    out->clear();
    for (++pos; pos < line.size(); ++pos) {
        const char c = line[pos];
        if (c == '"') {
            ++pos;
            return true;
        }
        if (c != '\\') {
            *out += c;
            continue;
        }
        if (++pos >= line.size()) {
            return false;
        }
        switch (line[pos]) {
        case '"':
        case '\\':
            *out += line[pos];
            break;
        case 'n':
            *out += '\n';
            break;
        case 'r':
            *out += '\r';
            break;
        case 't':
            *out += '\t';
            break;
        default:
            return false;
        }
    }
    return false;
}

// One value line: `@="data"` or `"name"="data"`, nothing after the closing quote.
bool readValueLine(std::string_view line, std::string* name, std::string* data) {
    std::size_t pos = 0;
    if (line.front() == '@') {
        name->clear();
        pos = 1;
    } else if (!readQuoted(line, pos, name)) {
        return false;
    }
    if (pos >= line.size() || line[pos] != '=') {
        return false;
    }
    ++pos;
    return readQuoted(line, pos, data) && pos == line.size();
}

} // namespace

const RegistryTree::Key* RegistryTree::findKey(std::string_view path) const {
    const auto it = mKeys.find(lower(path));
    return it == mKeys.end() ? nullptr : &it->second;
}

bool RegistryTree::createKey(std::string_view path) {
    if (!validPath(path)) {
        return false;
    }
    // Every prefix ending before a backslash is a parent; the path itself is the last one.
    for (std::size_t end = path.find('\\');; end = path.find('\\', end + 1)) {
        const std::string_view part = path.substr(0, end);
        auto [it, inserted] = mKeys.try_emplace(lower(part));
        if (inserted) {
            it->second.path = std::string(part);
        }
        if (end == std::string_view::npos) {
            return true;
        }
    }
}

bool RegistryTree::keyExists(std::string_view path) const {
    return findKey(path) != nullptr;
}

bool RegistryTree::setValue(std::string_view key, std::string_view name, std::string_view data) {
    if (!validPath(key) || !validText(name) || !validText(data)) {
        return false;
    }
    createKey(key);
    Key& k = mKeys[lower(key)];
    k.values[lower(name)] = Value{std::string(name), std::string(data)};
    return true;
}

std::optional<std::string> RegistryTree::value(std::string_view key, std::string_view name) const {
    const Key* k = findKey(key);
    if (k == nullptr) {
        return std::nullopt;
    }
    const auto it = k->values.find(lower(name));
    if (it == k->values.end()) {
        return std::nullopt;
    }
    return it->second.data;
}

bool RegistryTree::deleteValue(std::string_view key, std::string_view name) {
    const auto it = mKeys.find(lower(key));
    return it != mKeys.end() && it->second.values.erase(lower(name)) > 0;
}

bool RegistryTree::deleteTree(std::string_view path) {
    const std::string low = lower(path);
    const auto it = mKeys.find(low);
    if (it == mKeys.end()) {
        return false;
    }
    mKeys.erase(it);
    const std::string prefix = low + '\\';
    auto child = mKeys.lower_bound(prefix);
    while (child != mKeys.end() && child->first.compare(0, prefix.size(), prefix) == 0) {
        child = mKeys.erase(child);
    }
    return true;
}

std::vector<std::string> RegistryTree::subkeys(std::string_view path) const {
    std::vector<std::string> names;
    const std::string prefix = lower(path) + '\\';
    for (auto it = mKeys.lower_bound(prefix);
         it != mKeys.end() && it->first.compare(0, prefix.size(), prefix) == 0; ++it) {
        if (it->first.find('\\', prefix.size()) == std::string::npos) {
            names.push_back(it->second.path.substr(prefix.size()));
        }
    }
    return names;
}

std::vector<std::pair<std::string, std::string>> RegistryTree::values(std::string_view key) const {
    std::vector<std::pair<std::string, std::string>> out;
    if (const Key* k = findKey(key)) {
        for (const auto& [low, v] : k->values) {
            out.emplace_back(v.name, v.data);
        }
    }
    return out;
}

std::string RegistryTree::toText() const {
    std::string out = "; dialwright registry\n";
    for (const auto& [low, key] : mKeys) {
        out += '[' + key.path + "]\n";
        for (const auto& [lowName, v] : key.values) {
            if (v.name.empty()) {
                out += '@';
            } else {
                appendQuoted(out, v.name);
            }
            out += '=';
            appendQuoted(out, v.data);
            out += '\n';
        }
    }
    return out;
}

std::optional<RegistryTree> RegistryTree::fromText(std::string_view text) {
    RegistryTree tree;
    std::string currentKey;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) {
            end = text.size();
        }
        std::string_view line = text.substr(start, end - start);
        start = end + 1;
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        if (line.empty() || line.front() == ';') {
            continue;
        }
        if (line.front() == '[') {
            if (line.back() != ']' || !tree.createKey(line.substr(1, line.size() - 2))) {
                return std::nullopt;
            }
            currentKey = std::string(line.substr(1, line.size() - 2));
            continue;
        }
        std::string name;
        std::string data;
        if (currentKey.empty() || !readValueLine(line, &name, &data) ||
            !tree.setValue(currentKey, name, data)) {
            return std::nullopt;
        }
    }
    return tree;
}

} // namespace dw::com
