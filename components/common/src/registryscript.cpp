#include "dw/components/registryscript.h"

#include <cctype>
#include <strings.h>

#include "dw/platform/com/registrystore.h"

namespace dw::components {

using namespace dw::com;

namespace {

struct Token {
    enum class Kind { Word, Quoted, Open, Close, Equals, End } kind = Kind::End;
    std::string text;
    std::size_t line = 0;
};

bool sameWord(const Token& t, const char* word) {
    return t.kind == Token::Kind::Word && ::strcasecmp(t.text.c_str(), word) == 0;
}

// Splits a script into tokens, replacing %NAME% inside them.
class Lexer {
public:
    Lexer(std::string_view text, const ScriptReplacements& replacements)
        : mText(text), mReplacements(replacements) {}

    bool next(Token* out) {
        skipSpace();
        out->line = mLine;
        out->text.clear();
        if (mPos >= mText.size()) {
            out->kind = Token::Kind::End;
            return true;
        }
        if (mText[mPos] == '\'') {
            out->kind = Token::Kind::Quoted;
            return readQuoted(out);
        }
        std::string raw;
        while (mPos < mText.size() && !std::isspace(static_cast<unsigned char>(mText[mPos]))) {
            raw += mText[mPos++];
        }
        out->kind = raw == "{"   ? Token::Kind::Open
                    : raw == "}" ? Token::Kind::Close
                    : raw == "=" ? Token::Kind::Equals
                                 : Token::Kind::Word;
        return replace(raw, &out->text);
    }

    std::string error;

private:
    void skipSpace() {
        while (mPos < mText.size() && std::isspace(static_cast<unsigned char>(mText[mPos]))) {
            mLine += mText[mPos] == '\n' ? 1 : 0;
            ++mPos;
        }
    }

    bool readQuoted(Token* out) {
        std::string raw;
        for (++mPos; mPos < mText.size(); ++mPos) {
            if (mText[mPos] != '\'') {
                mLine += mText[mPos] == '\n' ? 1 : 0;
                raw += mText[mPos];
            } else if (mPos + 1 < mText.size() && mText[mPos + 1] == '\'') {
                raw += '\'';
                ++mPos;
            } else {
                ++mPos;
                return replace(raw, &out->text);
            }
        }
        error = "unterminated quote";
        return false;
    }

    bool replace(const std::string& raw, std::string* out) {
        for (std::size_t pos = 0; pos < raw.size(); ++pos) {
            if (raw[pos] != '%') {
                *out += raw[pos];
                continue;
            }
            const std::size_t close = raw.find('%', pos + 1);
            if (close == std::string::npos) {
                error = "unpaired %";
                return false;
            }
            const std::string name = raw.substr(pos + 1, close - pos - 1);
            if (name.empty()) {
                *out += '%';
            } else if (auto it = mReplacements.find(name); it != mReplacements.end()) {
                *out += it->second;
            } else {
                error = "unknown placeholder %" + name + "%";
                return false;
            }
            pos = close;
        }
        return true;
    }

    std::string_view mText;
    const ScriptReplacements& mReplacements;
    std::size_t mPos = 0;
    std::size_t mLine = 1;
};

class Parser {
public:
    Parser(std::string_view text, const ScriptReplacements& replacements)
        : mLexer(text, replacements) {}

    bool parseScript(std::vector<RegistryScript::Key>* keys) {
        if (!advance()) {
            return false;
        }
        while (mToken.kind != Token::Kind::End) {
            if (!sameWord(mToken, "HKCR") && !sameWord(mToken, "HKEY_CLASSES_ROOT")) {
                return fail("expected HKCR");
            }
            if (!advance() || !expect(Token::Kind::Open, "{") || !parseBody(keys)) {
                return false;
            }
        }
        return true;
    }

    std::string error;

private:
    // Keys and values up to and including the closing brace.
    bool parseBody(std::vector<RegistryScript::Key>* keys,
                   std::vector<RegistryScript::Value>* values = nullptr) {
        while (mToken.kind != Token::Kind::Close) {
            if (mToken.kind == Token::Kind::End) {
                return fail("missing }");
            }
            if (sameWord(mToken, "val")) {
                if (values == nullptr) {
                    return fail("value outside a key");
                }
                RegistryScript::Value v;
                if (!advance() || !readName(&v.name) || !expect(Token::Kind::Equals, "=") ||
                    !readData(&v.data)) {
                    return false;
                }
                values->push_back(std::move(v));
                continue;
            }
            RegistryScript::Key key;
            if (!parseKey(&key)) {
                return false;
            }
            keys->push_back(std::move(key));
        }
        return advance();
    }

    bool parseKey(RegistryScript::Key* key) {
        if (sameWord(mToken, "NoRemove")) {
            key->flag = RegistryScript::Flag::NoRemove;
        } else if (sameWord(mToken, "ForceRemove")) {
            key->flag = RegistryScript::Flag::ForceRemove;
        } else if (sameWord(mToken, "Delete")) {
            key->flag = RegistryScript::Flag::Delete;
        }
        if ((key->flag != RegistryScript::Flag::None && !advance()) || !readName(&key->name)) {
            return false;
        }
        if (mToken.kind == Token::Kind::Equals) {
            key->defaultValue.emplace();
            if (!advance() || !readData(&*key->defaultValue)) {
                return false;
            }
        }
        if (mToken.kind == Token::Kind::Open) {
            return advance() && parseBody(&key->subkeys, &key->values);
        }
        return true;
    }

    bool readName(std::string* name) {
        if (mToken.kind != Token::Kind::Word && mToken.kind != Token::Kind::Quoted) {
            return fail("expected a name");
        }
        *name = mToken.text;
        return advance();
    }

    // "s TEXT" or "d NUMBER"; a number is stored as its decimal text.
    bool readData(std::string* data) {
        const bool isText = sameWord(mToken, "s");
        if (!isText && !sameWord(mToken, "d")) {
            return fail("expected s or d");
        }
        if (!advance() ||
            (mToken.kind != Token::Kind::Word && mToken.kind != Token::Kind::Quoted)) {
            return fail("expected data");
        }
        if (!isText) {
            char* end = nullptr;
            const unsigned long long n = std::strtoull(mToken.text.c_str(), &end, 0);
            if (mToken.text.empty() || *end != '\0' || n > 0xFFFFFFFFull) {
                return fail("expected a 32-bit number");
            }
            *data = std::to_string(n);
        } else {
            *data = mToken.text;
        }
        return advance();
    }

    bool expect(Token::Kind kind, const char* what) {
        if (mToken.kind != kind) {
            return fail(std::string("expected ") + what);
        }
        return advance();
    }

    bool advance() {
        if (!mLexer.next(&mToken)) {
            return fail(mLexer.error);
        }
        return true;
    }

    bool fail(const std::string& what) {
        if (error.empty()) {
            error = "line " + std::to_string(mToken.line) + ": " + what;
        }
        return false;
    }

    Lexer mLexer;
    Token mToken;
};

std::string childPath(const std::string& parent, const std::string& name) {
    return parent.empty() ? name : parent + '\\' + name;
}

bool registerKey(RegistryTree& tree, const RegistryScript::Key& key, const std::string& parent) {
    const std::string path = childPath(parent, key.name);
    if (key.flag == RegistryScript::Flag::Delete) {
        tree.deleteTree(path);
        return true;
    }
    if (key.flag == RegistryScript::Flag::ForceRemove) {
        tree.deleteTree(path);
    }
    if (!tree.createKey(path) ||
        (key.defaultValue && !tree.setValue(path, "", *key.defaultValue))) {
        return false;
    }
    for (const RegistryScript::Value& v : key.values) {
        if (!tree.setValue(path, v.name, v.data)) {
            return false;
        }
    }
    for (const RegistryScript::Key& sub : key.subkeys) {
        if (!registerKey(tree, sub, path)) {
            return false;
        }
    }
    return true;
}

void unregisterKey(RegistryTree& tree, const RegistryScript::Key& key, const std::string& parent) {
    const std::string path = childPath(parent, key.name);
    if (key.flag != RegistryScript::Flag::NoRemove) {
        tree.deleteTree(path);
        return;
    }
    for (const RegistryScript::Value& v : key.values) {
        tree.deleteValue(path, v.name);
    }
    for (const RegistryScript::Key& sub : key.subkeys) {
        unregisterKey(tree, sub, path);
    }
}

} // namespace

HRESULT RegistryScript::parse(std::string_view text, const ScriptReplacements& replacements,
                              RegistryScript* out, std::string* error) {
    if (out == nullptr) {
        return E_POINTER;
    }
    Parser parser(text, replacements);
    std::vector<Key> keys;
    if (!parser.parseScript(&keys)) {
        if (error != nullptr) {
            *error = parser.error;
        }
        return E_FAIL;
    }
    out->mKeys = std::move(keys);
    return S_OK;
}

HRESULT RegistryScript::apply(RegistryTree& tree, ScriptMode mode) const {
    for (const Key& key : mKeys) {
        if (mode == ScriptMode::Unregister) {
            unregisterKey(tree, key, {});
        } else if (!registerKey(tree, key, {})) {
            return E_FAIL;
        }
    }
    return S_OK;
}

HRESULT runRegistryScript(std::string_view text, const ScriptReplacements& replacements,
                          ScriptMode mode) {
    RegistryScript script;
    const HRESULT hr = RegistryScript::parse(text, replacements, &script);
    if (FAILED(hr)) {
        return hr;
    }
    return registryStore()->update([&](RegistryTree& tree) { return script.apply(tree, mode); });
}

} // namespace dw::components
