#include "dw/components/registryscript.h"

#include <gtest/gtest.h>

using namespace dw::com;
using namespace dw::components;

namespace {

RegistryTree applied(const char* text, ScriptMode mode, RegistryTree tree = {},
                     const ScriptReplacements& replacements = {{"MODULE", "/lib/x.so"}}) {
    RegistryScript script;
    std::string error;
    EXPECT_EQ(RegistryScript::parse(text, replacements, &script, &error), S_OK) << error;
    EXPECT_EQ(script.apply(tree, mode), S_OK);
    return tree;
}

std::string parseError(const char* text) {
    RegistryScript script;
    std::string error;
    EXPECT_EQ(RegistryScript::parse(text, {{"MODULE", "/m"}}, &script, &error), E_FAIL) << text;
    return error;
}

const char kScript[] = R"(
HKCR
{
    Thing.1 = s 'Thing Class'
    {
        CLSID = s '{1}'
    }
    NoRemove CLSID
    {
        ForceRemove {1} = s 'Thing Class'
        {
            ForceRemove 'Programmable'
            InprocServer32 = s '%MODULE%'
            {
                val ThreadingModel = s 'Apartment'
                val Count = d '0x10'
            }
        }
        Delete {0}
    }
}
)";

} // namespace

TEST(RegistryScriptTest, registerCreatesKeysValuesAndTheModulePath) {
    RegistryTree old;
    old.createKey("CLSID\\{0}\\Old");
    const RegistryTree tree = applied(kScript, ScriptMode::Register, old);
    EXPECT_EQ(tree.value("Thing.1", ""), "Thing Class");
    EXPECT_EQ(tree.value("Thing.1\\CLSID", ""), "{1}");
    EXPECT_TRUE(tree.keyExists("CLSID\\{1}\\Programmable"));
    EXPECT_EQ(tree.value("CLSID\\{1}\\Programmable", ""), std::nullopt) << "a key without value";
    EXPECT_EQ(tree.value("CLSID\\{1}\\InprocServer32", ""), "/lib/x.so");
    EXPECT_EQ(tree.value("CLSID\\{1}\\InprocServer32", "ThreadingModel"), "Apartment");
    EXPECT_EQ(tree.value("CLSID\\{1}\\InprocServer32", "Count"), "16");
    EXPECT_FALSE(tree.keyExists("CLSID\\{0}")) << "Delete removes on registration";
}

TEST(RegistryScriptTest, forceRemoveClearsWhatAnEarlierRegistrationLeft) {
    RegistryTree old;
    old.setValue("CLSID\\{1}\\LocalServer32", "", "/stale");
    old.setValue("Thing.1\\Extra", "", "kept");
    const RegistryTree tree = applied(kScript, ScriptMode::Register, old);
    EXPECT_FALSE(tree.keyExists("CLSID\\{1}\\LocalServer32"));
    EXPECT_TRUE(tree.keyExists("Thing.1\\Extra")) << "keys without ForceRemove are merged";
}

TEST(RegistryScriptTest, unregisterRemovesAllButNoRemoveKeysAndTheirOtherContents) {
    RegistryTree tree = applied(kScript, ScriptMode::Register);
    tree.createKey("CLSID\\{other}");
    tree = applied(kScript, ScriptMode::Unregister, tree);
    EXPECT_FALSE(tree.keyExists("Thing.1"));
    EXPECT_FALSE(tree.keyExists("CLSID\\{1}"));
    EXPECT_TRUE(tree.keyExists("CLSID\\{other}"));
    // Unregistering what is not there is no error.
    EXPECT_EQ(applied(kScript, ScriptMode::Unregister, tree), tree);
}

TEST(RegistryScriptTest, placeholdersAreReplacedInsideTokensSoPathsCannotBreakTheScript) {
    const char* script = "HKCR { A = s '%MODULE%' { val '100%%' = s 'x' } B = s %MODULE% }";
    const RegistryTree tree =
        applied(script, ScriptMode::Register, {}, {{"MODULE", "/home/o'brien/my libs/x.so"}});
    EXPECT_EQ(tree.value("A", ""), "/home/o'brien/my libs/x.so");
    EXPECT_EQ(tree.value("B", ""), "/home/o'brien/my libs/x.so");
    EXPECT_EQ(tree.value("A", "100%"), "x");
}

TEST(RegistryScriptTest, syntaxErrorsAreRefusedWithTheirLine) {
    EXPECT_EQ(parseError("HKCR\n{\n  A = s 'x'\n"), "line 4: missing }");
    EXPECT_EQ(parseError("HKLM { }"), "line 1: expected HKCR");
    EXPECT_EQ(parseError("HKCR { A = s 'open }"), "line 1: unterminated quote");
    EXPECT_EQ(parseError("HKCR { A = s '%OTHER%' }"), "line 1: unknown placeholder %OTHER%");
    EXPECT_EQ(parseError("HKCR { val A = s 'x' }"), "line 1: value outside a key");
    EXPECT_EQ(parseError("HKCR { A = q 'x' }"), "line 1: expected s or d");
    EXPECT_EQ(parseError("HKCR { A { val B = d 'many' } }"), "line 1: expected a 32-bit number");
    EXPECT_EQ(parseError("HKCR { A = s }"), "line 1: expected data");
    RegistryScript script;
    EXPECT_EQ(RegistryScript::parse("HKCR { }", {}, nullptr), E_POINTER);
    EXPECT_EQ(RegistryScript::parse("", {}, &script), S_OK) << "an empty script is empty";
}

TEST(RegistryScriptTest, namesTheRegistryCannotHoldFailTheRegistration) {
    RegistryScript script;
    ASSERT_EQ(RegistryScript::parse("HKCR { 'a\\\\b' = s 'x' }", {}, &script), S_OK);
    RegistryTree tree;
    EXPECT_EQ(script.apply(tree, ScriptMode::Register), E_FAIL);
}
