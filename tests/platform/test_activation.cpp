#include "dw/platform/com/activation.h"

#include <dlfcn.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>

#include "dw/platform/com/guidtext.h"
#include "dw/platform/com/registrystore.h"
#include "spinblit/igdiext.h"

using namespace dw::com;

namespace {

const std::string kSpinblit = DW_BIN_DIR "/libspinblit.so";
const std::string kNoExports = DW_BIN_DIR "/libdw_test_noexports.so";
const std::string kGdiextKey = "CLSID\\" + guidToString(spinblit::CLSID_gdiext);

// Each test runs against an in-memory registry it fills itself.
class ActivationTest : public ::testing::Test {
protected:
    void SetUp() override { setRegistryStore(mRegistry); }
    void TearDown() override {
        CoFreeUnusedLibraries();
        setRegistryStore(nullptr);
    }

    void registerServer(const CLSID& clsid, const std::string& path) {
        RegistryTree tree = mRegistry->tree();
        tree.setValue("CLSID\\" + guidToString(clsid) + "\\InprocServer32", "", path);
        mRegistry->setTree(tree);
    }

    HRESULT create(const CLSID& clsid, void** out) {
        return CoCreateInstance(clsid, nullptr, spinblit::IID_Igdiext, out);
    }

    std::shared_ptr<MemoryRegistryStore> mRegistry = std::make_shared<MemoryRegistryStore>();
};

} // namespace

TEST_F(ActivationTest, createsARegisteredClassAndUnloadsItsLibraryOnceReleased) {
    registerServer(spinblit::CLSID_gdiext, kSpinblit);
    void* object = nullptr;
    ASSERT_EQ(create(spinblit::CLSID_gdiext, &object), S_OK);
    ASSERT_NE(object, nullptr);
    EXPECT_TRUE(isServerLibraryLoaded(kSpinblit));
    CoFreeUnusedLibraries();
    EXPECT_TRUE(isServerLibraryLoaded(kSpinblit)) << "an object is alive";
    static_cast<spinblit::Igdiext*>(object)->Release();
    CoFreeUnusedLibraries();
    EXPECT_FALSE(isServerLibraryLoaded(kSpinblit));
    EXPECT_EQ(::dlopen(kSpinblit.c_str(), RTLD_NOW | RTLD_NOLOAD), nullptr) << "really unloaded";
}

TEST_F(ActivationTest, reportsWhyAClassCannotBeCreated) {
    void* object = &object;
    EXPECT_EQ(create(spinblit::CLSID_gdiext, &object), REGDB_E_CLASSNOTREG);
    EXPECT_EQ(object, nullptr);

    registerServer(spinblit::CLSID_gdiext, "/nonexistent/libspinblit.so");
    EXPECT_EQ(create(spinblit::CLSID_gdiext, &object), CO_E_DLLNOTFOUND);

    const std::string junk = ::testing::TempDir() + "dw-not-a-library.so";
    std::ofstream(junk) << "not an ELF file";
    registerServer(spinblit::CLSID_gdiext, junk);
    EXPECT_EQ(create(spinblit::CLSID_gdiext, &object), CO_E_ERRORINDLL);
    std::filesystem::remove(junk);

    registerServer(spinblit::CLSID_gdiext, kNoExports);
    EXPECT_EQ(create(spinblit::CLSID_gdiext, &object), CO_E_ERRORINDLL);

    registerServer(spinblit::CLSID_gdiext, "");
    EXPECT_EQ(create(spinblit::CLSID_gdiext, &object), REGDB_E_CLASSNOTREG);
    EXPECT_EQ(object, nullptr);
}

TEST_F(ActivationTest, aRegistryThatLiesAboutAClassGetsTheLibrarysRefusal) {
    const CLSID other = {0x12345678, 1, 2, {3, 4, 5, 6, 7, 8, 9, 10}};
    registerServer(other, kSpinblit);
    void* object = nullptr;
    EXPECT_EQ(create(other, &object), CLASS_E_CLASSNOTAVAILABLE);
    EXPECT_EQ(object, nullptr);
}

TEST_F(ActivationTest, refusesNullPointersAggregationOfOtherInterfacesAndUnknownInterfaces) {
    registerServer(spinblit::CLSID_gdiext, kSpinblit);
    EXPECT_EQ(CoCreateInstance(spinblit::CLSID_gdiext, nullptr, spinblit::IID_Igdiext, nullptr),
              E_POINTER);
    EXPECT_EQ(CoGetClassObject(spinblit::CLSID_gdiext, IID_IClassFactory, nullptr), E_POINTER);
    void* object = nullptr;
    IUnknown* outer = reinterpret_cast<IUnknown*>(&object); // never called: refused first
    EXPECT_EQ(CoCreateInstance(spinblit::CLSID_gdiext, outer, spinblit::IID_Igdiext, &object),
              CLASS_E_NOAGGREGATION);
    const IID unknownIid = {1, 2, 3, {4, 5, 6, 7, 8, 9, 10, 11}};
    EXPECT_EQ(CoCreateInstance(spinblit::CLSID_gdiext, nullptr, unknownIid, &object),
              E_NOINTERFACE);
    EXPECT_EQ(object, nullptr);
}

TEST_F(ActivationTest, unreadableRegistryIsReportedAsSuch) {
    registerServer(spinblit::CLSID_gdiext, kSpinblit);
    mRegistry->failReads(REGDB_E_READREGDB);
    void* object = nullptr;
    EXPECT_EQ(create(spinblit::CLSID_gdiext, &object), REGDB_E_READREGDB);
    CLSID clsid{};
    EXPECT_EQ(CLSIDFromProgID("Spinblit.gdiext", &clsid), REGDB_E_READREGDB);
}

TEST_F(ActivationTest, programIdentifiersLeadToTheClassDirectlyOrThroughCurVer) {
    RegistryTree tree;
    const std::string clsid = guidToString(spinblit::CLSID_gdiext);
    tree.setValue("Thing.Class.1\\CLSID", "", clsid);
    tree.setValue("Thing.Class\\CurVer", "", "Thing.Class.1");
    tree.setValue("Broken.Class\\CLSID", "", "not an identifier");
    mRegistry->setTree(tree);
    CLSID found{};
    ASSERT_EQ(CLSIDFromProgID("Thing.Class.1", &found), S_OK);
    EXPECT_EQ(found, spinblit::CLSID_gdiext);
    found = CLSID{};
    ASSERT_EQ(CLSIDFromProgID("thing.class", &found), S_OK);
    EXPECT_EQ(found, spinblit::CLSID_gdiext);
    EXPECT_EQ(CLSIDFromProgID("Broken.Class", &found), REGDB_E_CLASSNOTREG);
    EXPECT_EQ(CLSIDFromProgID("Nothing", &found), REGDB_E_CLASSNOTREG);
    EXPECT_EQ(CLSIDFromProgID("", &found), REGDB_E_CLASSNOTREG);
    EXPECT_EQ(CLSIDFromProgID(nullptr, &found), E_POINTER);
}
