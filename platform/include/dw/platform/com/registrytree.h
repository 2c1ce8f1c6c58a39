#pragma once
// The classes root of the registry as plain data: keys named by backslash-separated paths
// (CLSID, then the class identifier, then InprocServer32), each with string values; the
// default value has the empty name. Names of keys and values compare case-insensitively and
// keep the case they were created with.
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "dw/platform/platform_export.h"

namespace dw::com {

class DW_PLATFORM_EXPORT RegistryTree {
public:
    // Creates the key and every missing parent. False when the path is empty, has an empty
    // part (a doubled, leading or trailing backslash) or a control character.
    bool createKey(std::string_view path);

    bool keyExists(std::string_view path) const;

    // Sets a value, creating the key as createKey does. `name` "" is the default value.
    // False, and nothing changed, when the path is invalid or a text has a control character
    // other than tab, line feed or carriage return.
    bool setValue(std::string_view key, std::string_view name, std::string_view data);

    // The value's data; nothing when the key or the value does not exist.
    std::optional<std::string> value(std::string_view key, std::string_view name) const;

    // Removes one value; false when it did not exist.
    bool deleteValue(std::string_view key, std::string_view name);

    // Removes the key with all its subkeys and values; false when it did not exist.
    bool deleteTree(std::string_view path);

    // Names of the direct subkeys (in the case they were created with), sorted.
    std::vector<std::string> subkeys(std::string_view path) const;

    // The key's values as (name, data), sorted by name; empty when the key does not exist.
    std::vector<std::pair<std::string, std::string>> values(std::string_view key) const;

    bool empty() const { return mKeys.empty(); }

    // The text form stored in the registry file: "[path]" lines, each followed by its values as
    // `@="data"` (default) or `"name"="data"`, with backslash escapes inside quotes.
    std::string toText() const;

    // Reads the text form; nothing when any line is malformed, so a damaged file is never taken
    // for a smaller registry. Blank lines and lines starting with ';' are ignored.
    static std::optional<RegistryTree> fromText(std::string_view text);

    friend bool operator==(const RegistryTree&, const RegistryTree&) = default;

private:
    struct Value {
        std::string name;
        std::string data;
        friend bool operator==(const Value&, const Value&) = default;
    };
    struct Key {
        std::string path;
        std::map<std::string, Value> values; // by lower-case name
        friend bool operator==(const Key&, const Key&) = default;
    };

    const Key* findKey(std::string_view path) const;

    std::map<std::string, Key> mKeys; // by lower-case path
};

} // namespace dw::com
