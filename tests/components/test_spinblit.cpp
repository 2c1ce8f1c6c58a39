// The spinblit component as the program uses it: created by class identifier from the test
// registry (DIALWRIGHT_REGISTRY), called through its vtable and by name, released, unloaded.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <memory>

#include "dw/platform/com/activation.h"
#include "dw/platform/com/errorcodes.h"
#include "dw/platform/com/guidtext.h"
#include "dw/platform/com/registrystore.h"
#include "variantargs.h"
#include "pixeltestsupport.h"
#include "referencepixels.h"
#include "spinblit/igdiext.h"

using namespace dw::com;
using dw::testing::i4;
using dw::testing::r8;
using dw::testing::surfaceDifference;
using dw::testing::TestSurface;
using spinblit::Igdiext;

namespace {

std::string libraryPath() {
    char resolved[PATH_MAX];
    return ::realpath(DW_BIN_DIR "/libspinblit.so", resolved) != nullptr ? resolved : "";
}

bool libraryLoaded() {
    void* handle = ::dlopen(libraryPath().c_str(), RTLD_NOW | RTLD_NOLOAD);
    if (handle != nullptr) {
        ::dlclose(handle);
    }
    return handle != nullptr;
}

Igdiext* createGdiext() {
    void* object = nullptr;
    EXPECT_EQ(CoCreateInstance(spinblit::CLSID_gdiext, nullptr, spinblit::IID_Igdiext, &object),
              S_OK);
    return static_cast<Igdiext*>(object);
}

// Registration runs against an in-memory registry and the library opened directly.
class SpinblitRegistrationTest : public ::testing::Test {
protected:
    void SetUp() override {
        setRegistryStore(mRegistry);
        mLibrary = ::dlopen(libraryPath().c_str(), RTLD_NOW | RTLD_LOCAL);
        ASSERT_NE(mLibrary, nullptr);
        mRegister = reinterpret_cast<DllRegisterServerFn>(::dlsym(mLibrary, "DllRegisterServer"));
        mUnregister =
            reinterpret_cast<DllUnregisterServerFn>(::dlsym(mLibrary, "DllUnregisterServer"));
        ASSERT_NE(mRegister, nullptr);
        ASSERT_NE(mUnregister, nullptr);
    }
    void TearDown() override {
        if (mLibrary != nullptr) {
            ::dlclose(mLibrary);
        }
        setRegistryStore(nullptr);
    }

    std::shared_ptr<MemoryRegistryStore> mRegistry = std::make_shared<MemoryRegistryStore>();
    void* mLibrary = nullptr;
    DllRegisterServerFn mRegister = nullptr;
    DllUnregisterServerFn mUnregister = nullptr;
};

} // namespace

TEST(SpinblitTest, createdByClassIdentifierRotatesAndCopiesThroughTheVtable) {
    Igdiext* gdiext = createGdiext();
    ASSERT_NE(gdiext, nullptr);
    TestSurface src(60, 20, 1);
    TestSurface fast(60, 20, 2);
    TestSurface reference(60, 20, 2);
    EXPECT_EQ(gdiext->initializeRotation(0, src.dc(), 60, 20), S_OK);
    EXPECT_EQ(gdiext->rotate(0, src.dc(), 0, fast.dc(), 60, 20, 2.5), S_OK);
    EXPECT_EQ(gdiext->cleanupRotation(), S_OK);
    dw::testing::referenceRotate(src.handle(), reference.handle(), 60, 20, 2.5);
    EXPECT_EQ(surfaceDifference(fast, reference), "");

    const std::int32_t trans =
        static_cast<std::int32_t>(dw::platform::GetPixel(src.handle(), 3, 3));
    EXPECT_EQ(gdiext->transparentBlit(fast.dc(), 5, 2, 999, 999, src.dc(), 1, 1, 50, 15, trans),
              S_OK);
    dw::testing::referenceTransparentBlit(reference.handle(), 5, 2, src.handle(), 1, 1, 50, 15,
                                          trans);
    EXPECT_EQ(surfaceDifference(fast, reference), "");
    EXPECT_EQ(gdiext->rotate(0, 0, 0, 12345, -1, -1, 1.0), S_OK) << "never fails";

    EXPECT_EQ(gdiext->Release(), 0u);
    CoFreeUnusedLibraries();
    EXPECT_FALSE(libraryLoaded()) << "unloaded once its object is gone";
}

TEST(SpinblitTest, callsByNameGoThroughTheDispatchTable) {
    Igdiext* gdiext = createGdiext();
    ASSERT_NE(gdiext, nullptr);
    const char* names[] = {"initializeRotation", "CLEANUPROTATION", "Rotate", "transparentblit"};
    for (DISPID expected = 1; expected <= 4; ++expected) {
        DISPID id = 0;
        EXPECT_EQ(gdiext->GetIDsOfNames(IID_NULL, &names[expected - 1], 1, 0x0409, &id), S_OK);
        EXPECT_EQ(id, expected) << names[expected - 1];
    }

    TestSurface src(33, 47, 3);
    TestSurface fast(33, 47, 4);
    TestSurface reference(33, 47, 4);
    // rotate(hbitmapsrc, hdcsrc, hbitmapdest, hdcdest, width, height, theta), last first.
    VARIANT rotateArgs[] = {r8(-0.8), i4(47), i4(33), i4(fast.dc()), i4(0), i4(src.dc()), i4(0)};
    DISPPARAMS params{rotateArgs, nullptr, 7, 0};
    EXPECT_EQ(
        gdiext->Invoke(3, IID_NULL, 0x0409, DISPATCH_METHOD, &params, nullptr, nullptr, nullptr),
        S_OK);
    dw::testing::referenceRotate(src.handle(), reference.handle(), 33, 47, -0.8);
    EXPECT_EQ(surfaceDifference(fast, reference), "");

    VARIANT blitArgs[] = {i4(-1), i4(40), i4(30), i4(2), i4(2),        i4(src.dc()),
                          i4(0),  i4(0),  i4(1),  i4(1), i4(fast.dc())};
    params = DISPPARAMS{blitArgs, nullptr, 11, 0};
    EXPECT_EQ(gdiext->Invoke(4, IID_NULL, 0, DISPATCH_METHOD, &params, nullptr, nullptr, nullptr),
              S_OK);
    dw::testing::referenceTransparentBlit(reference.handle(), 1, 1, src.handle(), 2, 2, 30, 40, -1);
    EXPECT_EQ(surfaceDifference(fast, reference), "");
    gdiext->Release();
    CoFreeUnusedLibraries();
}

TEST(SpinblitTest, withoutItsTypeLibraryOnlyTheVtableWorks) {
    CoFreeUnusedLibraries();
    ASSERT_FALSE(libraryLoaded()) << "needs a fresh load of the library";
    auto registry = std::make_shared<MemoryRegistryStore>();
    RegistryTree tree;
    tree.setValue("CLSID\\" + guidToString(spinblit::CLSID_gdiext) + "\\InprocServer32", "",
                  libraryPath());
    registry->setTree(tree);
    setRegistryStore(registry);

    Igdiext* gdiext = createGdiext();
    ASSERT_NE(gdiext, nullptr);
    const char* name = "rotate";
    DISPID id = 0;
    EXPECT_EQ(gdiext->GetIDsOfNames(IID_NULL, &name, 1, 0, &id), TYPE_E_LIBNOTREGISTERED);
    ITypeInfo* info = nullptr;
    EXPECT_EQ(gdiext->GetTypeInfo(0, 0, &info), TYPE_E_LIBNOTREGISTERED);
    EXPECT_EQ(gdiext->rotate(0, 0, 0, 0, 10, 10, 1.0), S_OK);
    gdiext->Release();
    CoFreeUnusedLibraries();
    setRegistryStore(nullptr);
}

TEST_F(SpinblitRegistrationTest, registersExactlyItsClassEntriesAndTypeLibrary) {
    ASSERT_EQ(mRegister(), S_OK);
    const std::string path = libraryPath();
    const std::string clsid = "{D4E59E4E-001C-11D5-846D-004095301014}";
    const std::string libid = "{BE2C70A1-001E-11D5-846D-004095301014}";
    RegistryTree expected;
    expected.setValue("Spinblit.gdiext.1", "", "gdiext Class");
    expected.setValue("Spinblit.gdiext.1\\CLSID", "", clsid);
    expected.setValue("Spinblit.gdiext", "", "gdiext Class");
    expected.setValue("Spinblit.gdiext\\CLSID", "", clsid);
    expected.setValue("Spinblit.gdiext\\CurVer", "", "Spinblit.gdiext.1");
    const std::string key = "CLSID\\" + clsid;
    expected.setValue(key, "", "gdiext Class");
    expected.setValue(key, "TypeLib", libid);
    expected.setValue(key + "\\ProgID", "", "Spinblit.gdiext.1");
    expected.setValue(key + "\\VersionIndependentProgID", "", "Spinblit.gdiext");
    expected.createKey(key + "\\Programmable");
    expected.setValue(key + "\\InprocServer32", "", path);
    expected.setValue(key + "\\InprocServer32", "ThreadingModel", "Apartment");
    const std::string typeLib = "TypeLib\\" + libid + "\\1.0";
    expected.setValue(typeLib, "", "spinblit 1.0 Type Library");
    expected.setValue(typeLib + "\\FLAGS", "", "0");
    expected.setValue(typeLib + "\\HELPDIR", "", path.substr(0, path.rfind('/')));
    expected.setValue(typeLib + "\\0\\linux", "", path);
    EXPECT_EQ(mRegistry->tree().toText(), expected.toText());

    ASSERT_EQ(mRegister(), S_OK) << "registering again changes nothing";
    EXPECT_EQ(mRegistry->tree().toText(), expected.toText());
}

TEST_F(SpinblitRegistrationTest, unregistersItsClassAndTypeLibraryAndReportsTheTypeLibrary) {
    RegistryTree other;
    other.setValue("CLSID\\{00000000-0000-0000-0000-000000000001}\\InprocServer32", "", "/x.so");
    mRegistry->setTree(other);
    ASSERT_EQ(mRegister(), S_OK);
    EXPECT_EQ(mUnregister(), S_OK);
    RegistryTree expected = other;
    expected.createKey("TypeLib");
    EXPECT_EQ(mRegistry->tree().toText(), expected.toText());
    EXPECT_EQ(mUnregister(), TYPE_E_LIBNOTREGISTERED) << "its type library was already gone";
}

TEST_F(SpinblitRegistrationTest, registryThatCannotBeWrittenFailsRegistration) {
    mRegistry->failUpdates(REGDB_E_WRITEREGDB);
    EXPECT_EQ(mRegister(), REGDB_E_WRITEREGDB);
    EXPECT_EQ(mUnregister(), REGDB_E_WRITEREGDB);
    EXPECT_TRUE(mRegistry->tree().empty());
}
