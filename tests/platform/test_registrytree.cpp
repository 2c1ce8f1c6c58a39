#include "dw/platform/com/registrytree.h"

#include <gtest/gtest.h>

#include <string>

using namespace dw::com;

TEST(RegistryTreeTest, keysAndValuesCompareWithoutCaseAndKeepTheirOwnCase) {
    RegistryTree tree;
    ASSERT_TRUE(tree.setValue("CLSID\\{A}\\InprocServer32", "ThreadingModel", "Apartment"));
    EXPECT_TRUE(tree.keyExists("clsid"));
    EXPECT_TRUE(tree.keyExists("CLSID\\{a}")) << "parents are created";
    EXPECT_EQ(tree.value("clsid\\{A}\\INPROCSERVER32", "threadingmodel"), "Apartment");
    EXPECT_EQ(tree.value("CLSID\\{A}\\InprocServer32", ""), std::nullopt) << "no default yet";
    ASSERT_TRUE(tree.setValue("CLSID\\{A}\\INPROCSERVER32", "", "/lib.so"));
    EXPECT_EQ(tree.subkeys("CLSID\\{A}"), std::vector<std::string>{"InprocServer32"});
    EXPECT_EQ(tree.values("CLSID\\{A}\\InprocServer32").size(), 2u);
}

TEST(RegistryTreeTest, deleteTreeTakesDescendantsButNotKeysSharingAPrefix) {
    RegistryTree tree;
    tree.setValue("CLSID\\{A}\\ProgID", "", "x");
    tree.createKey("CLSID\\{A}X");
    tree.createKey("CLSID\\{A} B");
    EXPECT_TRUE(tree.deleteTree("clsid\\{a}"));
    EXPECT_FALSE(tree.keyExists("CLSID\\{A}\\ProgID"));
    EXPECT_TRUE(tree.keyExists("CLSID\\{A}X"));
    EXPECT_TRUE(tree.keyExists("CLSID\\{A} B"));
    EXPECT_FALSE(tree.deleteTree("CLSID\\{A}")) << "already gone";
    EXPECT_FALSE(tree.deleteValue("CLSID\\{A}X", "none"));
}

TEST(RegistryTreeTest, refusesMalformedPathsAndControlCharacters) {
    RegistryTree tree;
    for (const char* path : {"", "\\A", "A\\", "A\\\\B", "A\x01"}) {
        EXPECT_FALSE(tree.createKey(path)) << path;
        EXPECT_FALSE(tree.setValue(path, "", "x")) << path;
    }
    EXPECT_FALSE(tree.setValue("A", "n", std::string("a\0b", 3)));
    EXPECT_TRUE(tree.empty()) << "nothing half made";
}

TEST(RegistryTreeTest, textFormRoundTripsAwkwardTexts) {
    RegistryTree tree;
    tree.setValue("Key with spaces\\Sub", "", "C:\\path \"quoted\"\n\tsecond line\r");
    tree.setValue("Key with spaces\\Sub", "name=with=equals", "");
    tree.setValue("Key with spaces\\Sub", "@", "an at sign, not the default");
    tree.createKey("Empty]Bracket");
    const std::optional<RegistryTree> back = RegistryTree::fromText(tree.toText());
    ASSERT_TRUE(back.has_value()) << tree.toText();
    EXPECT_EQ(*back, tree);
}

TEST(RegistryTreeTest, readsCommentsBlankLinesAndCarriageReturns) {
    const auto tree =
        RegistryTree::fromText("; comment\r\n\r\n[A\\B]\r\n@=\"x\"\r\n\"n\"=\"y\"\r\n");
    ASSERT_TRUE(tree.has_value());
    EXPECT_EQ(tree->value("A\\B", ""), "x");
    EXPECT_EQ(tree->value("A\\B", "n"), "y");
}

TEST(RegistryTreeTest, damagedTextIsRefusedWhole) {
    const char* damaged[] = {
        "@=\"value before any key\"\n",
        "[A]\n@=\"unterminated\n",
        "[A]\n@=\"x\" trailing\n",
        "[A]\n@=\"bad escape \\q\"\n",
        "[A]\nname=\"unquoted name\"\n",
        "[A\n",
        "[A\\\\B]\n",
        "[A]\ngarbage\n",
        "[A]\n@=\"x\0y\"\n",
    };
    for (const char* text : damaged) {
        EXPECT_FALSE(RegistryTree::fromText(text).has_value()) << text;
    }
    EXPECT_FALSE(RegistryTree::fromText(std::string("[A]\n@=\"x\0y\"\n", 13)).has_value());
}
