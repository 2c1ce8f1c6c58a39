#pragma once
// Registry scripts: the registration a component embeds, as a tree of keys under the classes
// root. Tokens are separated by white space; names are bare words or 'quoted' ('' inside quotes
// is one quote); %NAME% inside a token is replaced, %% gives %.
//
//   HKCR
//   {
//       Spinblit.gdiext.1 = s 'gdiext Class'      key with a default value
//       {
//           CLSID = s '{...}'
//       }
//       NoRemove CLSID                            never removed; only its contents are
//       {
//           ForceRemove {...} = s 'gdiext Class'   removed whole before registering
//           {
//               ForceRemove 'Programmable'         key without a value
//               InprocServer32 = s '%MODULE%'
//               {
//                   val ThreadingModel = s 'Apartment'   named value (s text, d number)
//               }
//           }
//       }
//   }
//
// Register mode creates every key and value (a key marked Delete is removed instead).
// Unregister mode removes every key not marked NoRemove with all it holds, and the named values
// of NoRemove keys; keys already missing are not an error.
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "dw/platform/com/hresult.h"
#include "dw/platform/com/registrytree.h"

namespace dw::components {

enum class ScriptMode { Register, Unregister };

using ScriptReplacements = std::map<std::string, std::string>; // "MODULE" -> "/path/lib.so"

class RegistryScript {
public:
    // Parses a script. E_FAIL, and `error` (when given) telling what and where, on a syntax
    // error or an unknown %NAME%.
    static dw::com::HRESULT parse(std::string_view text, const ScriptReplacements& replacements,
                                  RegistryScript* out, std::string* error = nullptr);

    // Applies the script to a tree. E_FAIL when a name or text cannot be stored (the tree may
    // then be half changed; callers apply scripts to a copy).
    dw::com::HRESULT apply(dw::com::RegistryTree& tree, ScriptMode mode) const;

    enum class Flag { None, NoRemove, ForceRemove, Delete };
    struct Value {
        std::string name;
        std::string data;
    };
    struct Key {
        Flag flag = Flag::None;
        std::string name;
        std::optional<std::string> defaultValue;
        std::vector<Value> values;
        std::vector<Key> subkeys;
    };

    const std::vector<Key>& keys() const { return mKeys; }

private:
    std::vector<Key> mKeys; // the keys directly under the classes root
};

// Parses the script and applies it to the process's registry as one update. The parse error,
// E_FAIL, or the registry's error (REGDB_E_WRITEREGDB, ...) on failure; nothing is stored then.
dw::com::HRESULT runRegistryScript(std::string_view text, const ScriptReplacements& replacements,
                                   ScriptMode mode);

} // namespace dw::components
