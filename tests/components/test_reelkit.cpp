// The reelkit component as the program uses it: created by class identifier from the test
// registry, called through its vtable and by name, released and unloaded; and its registration.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <memory>

#include "avitestframes.h"
#include "dw/platform/com/activation.h"
#include "dw/platform/com/errorcodes.h"
#include "dw/platform/com/registrystore.h"
#include "variantargs.h"
#include "dw/platform/compressiondialog.h"
#include "dw/platform/messagebox.h"
#include "mediatools.h"
#include "reelkit/iwrapdlgavi.h"

using namespace dw::com;
using namespace dw::testing;
using dw::platform::Handle;
using reelkit::IWrapDLGAVI;

namespace {

std::string libraryPath() {
    char resolved[PATH_MAX];
    return ::realpath(DW_BIN_DIR "/libreelkit.so", resolved) != nullptr ? resolved : "";
}

bool libraryLoaded() {
    void* handle = ::dlopen(libraryPath().c_str(), RTLD_NOW | RTLD_NOLOAD);
    if (handle != nullptr) {
        ::dlclose(handle);
    }
    return handle != nullptr;
}

IWrapDLGAVI* createWriter() {
    void* object = nullptr;
    EXPECT_EQ(
        CoCreateInstance(reelkit::CLSID_WrapDLGAVI, nullptr, reelkit::IID_IWrapDLGAVI, &object),
        S_OK);
    return static_cast<IWrapDLGAVI*>(object);
}

// A picture and its window, as the run loops hand them over.
struct Picture {
    explicit Picture(int seed) : bitmap(dw::platform::CreateSurface(32, 16)) {
        paintPattern(bitmap, seed);
        window = dw::platform::CreateWindowHandle(bitmap);
    }
    ~Picture() {
        dw::platform::DestroyWindowHandle(window);
        dw::platform::DestroySurface(bitmap);
    }
    std::int32_t hwnd() const { return static_cast<std::int32_t>(window); }
    std::int32_t hbitmap() const { return static_cast<std::int32_t>(bitmap); }
    Handle bitmap;
    Handle window = 0;
};

void expectPlays(const std::string& path, const std::vector<int>& seeds) {
    std::vector<std::uint8_t> pixels;
    std::string errors;
    ASSERT_TRUE(decodeBgr24(path, &pixels, &errors)) << errors;
    std::vector<std::uint8_t> expected;
    for (int s : seeds) {
        const auto f = patternTopDown(32, 16, s);
        expected.insert(expected.end(), f.begin(), f.end());
    }
    EXPECT_TRUE(pixels == expected) << pixels.size() << " bytes decoded";
}

} // namespace

TEST(ReelkitTest, createdByClassIdentifierWritesAFileThroughTheVtable) {
    TempDir dir;
    const std::string path = dir.file("v.avi");
    IWrapDLGAVI* writer = createWriter();
    ASSERT_NE(writer, nullptr);
    EXPECT_FALSE(dw::platform::offeredCompressors().empty()) << "creating publishes the offer";
    Picture a(1);
    Picture b(2);
    EXPECT_EQ(writer->Initialize(), S_OK);
    ASSERT_EQ(writer->WriteAVIFile(path.c_str(), 32, 16, 24, 30), S_OK);
    EXPECT_EQ(writer->WriteFrameEx(a.hwnd(), a.hbitmap(), 32, 16), S_OK);
    EXPECT_EQ(writer->WriteFrame(b.hbitmap(), b.hbitmap(), 32, 16), S_OK);
    EXPECT_EQ(writer->CloseAVIFile(), S_OK);
    EXPECT_EQ(writer->WriteFrameEx(a.hwnd(), a.hbitmap(), 32, 16), E_FAIL) << "closed";
    EXPECT_EQ(writer->Release(), 0u);
    expectPlays(path, {1, 2});
    CoFreeUnusedLibraries();
    EXPECT_FALSE(libraryLoaded()) << "unloaded once its object is gone";
}

TEST(ReelkitTest, allObjectsShareTheOneWriter) {
    TempDir dir;
    const std::string path = dir.file("s.avi");
    IWrapDLGAVI* opener = createWriter();
    IWrapDLGAVI* other = createWriter();
    ASSERT_TRUE(opener && other);
    Picture a(3);
    ASSERT_EQ(opener->WriteAVIFile(path.c_str(), 32, 16, 24, 10), S_OK);
    EXPECT_EQ(other->WriteFrameEx(a.hwnd(), a.hbitmap(), 32, 16), S_OK);
    EXPECT_EQ(other->CloseAVIFile(), S_OK);
    EXPECT_EQ(opener->WriteFrameEx(a.hwnd(), a.hbitmap(), 32, 16), E_FAIL);
    opener->Release();
    other->Release();
    expectPlays(path, {3});
    CoFreeUnusedLibraries();
}

TEST(ReelkitTest, callsByNameGoThroughTheDispatchTable) {
    TempDir dir;
    const std::string path = dir.file("d.avi");
    IWrapDLGAVI* writer = createWriter();
    ASSERT_NE(writer, nullptr);
    const char* names[] = {"Initialize", "writeframe", "WriteAVIFile", "CLOSEAVIFILE",
                           "WriteFrameEx"};
    for (DISPID expected = 1; expected <= 5; ++expected) {
        DISPID id = 0;
        EXPECT_EQ(writer->GetIDsOfNames(IID_NULL, &names[expected - 1], 1, 0x0409, &id), S_OK);
        EXPECT_EQ(id, expected) << names[expected - 1];
    }
    Picture a(4);
    // Arguments go last first.
    VARIANT open[] = {i4(25), i4(24), i4(16), i4(32), str(path.c_str())};
    DISPPARAMS params{open, nullptr, 5, 0};
    EXPECT_EQ(writer->Invoke(3, IID_NULL, 0, DISPATCH_METHOD, &params, nullptr, nullptr, nullptr),
              S_OK);
    VARIANT frame[] = {i4(16), i4(32), i4(a.hbitmap()), i4(a.hwnd())};
    params = DISPPARAMS{frame, nullptr, 4, 0};
    EXPECT_EQ(writer->Invoke(5, IID_NULL, 0, DISPATCH_METHOD, &params, nullptr, nullptr, nullptr),
              S_OK);
    params = DISPPARAMS{nullptr, nullptr, 0, 0};
    EXPECT_EQ(writer->Invoke(4, IID_NULL, 0, DISPATCH_METHOD, &params, nullptr, nullptr, nullptr),
              S_OK);
    params = DISPPARAMS{frame, nullptr, 4, 0};
    EXCEPINFO info{};
    EXPECT_EQ(writer->Invoke(5, IID_NULL, 0, DISPATCH_METHOD, &params, nullptr, &info, nullptr),
              DISP_E_EXCEPTION);
    EXPECT_EQ(info.scode, E_FAIL) << "WriteFrameEx with nothing open";
    writer->Release();
    expectPlays(path, {4});
    EXPECT_EQ(probeVideo(path).frameRate, "25/1");
    CoFreeUnusedLibraries();
}

TEST(ReelkitTest, messagesGoThroughTheHostsHook) {
    std::vector<std::string> shown;
    dw::platform::ScopedMessageBoxHook hook(
        [&](const std::string& text, const std::string& caption, std::uint32_t) {
            shown.push_back(caption + ": " + text);
            return dw::platform::IDOK;
        });
    IWrapDLGAVI* writer = createWriter();
    ASSERT_NE(writer, nullptr);
    EXPECT_EQ(writer->WriteAVIFile("/tmp/never.avi", 32, 16, 24, -1), E_FAIL);
    EXPECT_EQ(shown, std::vector<std::string>{"Fatal Error: FPS cannot be <0"});
    writer->Release();
    CoFreeUnusedLibraries();
}

TEST(ReelkitTest, unloadingFinishesAFileLeftOpenAndLoadsAgain) {
    TempDir dir;
    const std::string left = dir.file("left.avi");
    {
        IWrapDLGAVI* writer = createWriter();
        ASSERT_NE(writer, nullptr);
        Picture a(5);
        ASSERT_EQ(writer->WriteAVIFile(left.c_str(), 32, 16, 24, 10), S_OK);
        writer->WriteFrameEx(a.hwnd(), a.hbitmap(), 32, 16);
        writer->WriteFrameEx(a.hwnd(), a.hbitmap(), 32, 16);
        writer->Release();
    }
    CoFreeUnusedLibraries();
    ASSERT_FALSE(libraryLoaded());
    expectPlays(left, {5, 5});

    // A fresh load encodes again, with the encoders' libraries loaded afresh too.
    dw::platform::ScopedCompressionDialogHook dialog([](const auto&) {
        return std::optional<dw::platform::CompressionChoice>({"mjpeg", 0, 0});
    });
    const std::string again = dir.file("again.avi");
    IWrapDLGAVI* writer = createWriter();
    ASSERT_NE(writer, nullptr);
    Picture b(6);
    ASSERT_EQ(writer->WriteAVIFile(again.c_str(), 32, 16, 24, 10), S_OK);
    writer->WriteFrameEx(b.hwnd(), b.hbitmap(), 32, 16);
    writer->CloseAVIFile();
    writer->Release();
    CoFreeUnusedLibraries();
    EXPECT_EQ(probeVideo(again).codec, "mjpeg");
    EXPECT_EQ(probeVideo(again).decodedFrames, 1);
}

TEST(ReelkitTest, registersItsClassWithoutTypeLibValueAndKeepsItsTypeLibrary) {
    auto registry = std::make_shared<MemoryRegistryStore>();
    setRegistryStore(registry);
    void* library = ::dlopen(libraryPath().c_str(), RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(library, nullptr);
    auto reg = reinterpret_cast<DllRegisterServerFn>(::dlsym(library, "DllRegisterServer"));
    auto unreg = reinterpret_cast<DllUnregisterServerFn>(::dlsym(library, "DllUnregisterServer"));
    ASSERT_TRUE(reg && unreg);
    ASSERT_EQ(reg(), S_OK);

    const std::string path = libraryPath();
    const std::string clsid = "{4396B5C0-715B-11D4-826D-F1B8E3526765}";
    const std::string libid = "{4396B5B2-715B-11D4-826D-F1B8E3526765}";
    RegistryTree classes;
    classes.setValue("WrapDLGAVI.WrapDLGAVI.1", "", "WrapDLGAVI Class");
    classes.setValue("WrapDLGAVI.WrapDLGAVI.1\\CLSID", "", clsid);
    classes.setValue("WrapDLGAVI.WrapDLGAVI", "", "WrapDLGAVI Class");
    classes.setValue("WrapDLGAVI.WrapDLGAVI\\CurVer", "", "WrapDLGAVI.WrapDLGAVI.1");
    const std::string key = "CLSID\\" + clsid;
    classes.setValue(key, "", "WrapDLGAVI Class");
    classes.setValue(key + "\\ProgID", "", "WrapDLGAVI.WrapDLGAVI.1");
    classes.setValue(key + "\\VersionIndependentProgID", "", "WrapDLGAVI.WrapDLGAVI");
    classes.createKey(key + "\\Programmable");
    classes.setValue(key + "\\InprocServer32", "", path);
    classes.setValue(key + "\\InprocServer32", "ThreadingModel", "Apartment");
    RegistryTree expected = classes;
    const std::string typeLib = "TypeLib\\" + libid + "\\1.0";
    expected.setValue(typeLib, "", "reelkit 1.0 Type Library");
    expected.setValue(typeLib + "\\FLAGS", "", "0");
    expected.setValue(typeLib + "\\HELPDIR", "", path.substr(0, path.rfind('/')));
    expected.setValue(typeLib + "\\0\\linux", "", path);
    EXPECT_EQ(registry->tree().toText(), expected.toText());

    CLSID found{};
    EXPECT_EQ(CLSIDFromProgID("WrapDLGAVI.WrapDLGAVI", &found), S_OK) << "through CurVer";
    EXPECT_TRUE(found == reelkit::CLSID_WrapDLGAVI);

    EXPECT_EQ(unreg(), S_OK);
    RegistryTree kept;
    kept.createKey("CLSID");
    kept.setValue(typeLib, "", "reelkit 1.0 Type Library");
    kept.setValue(typeLib + "\\FLAGS", "", "0");
    kept.setValue(typeLib + "\\HELPDIR", "", path.substr(0, path.rfind('/')));
    kept.setValue(typeLib + "\\0\\linux", "", path);
    EXPECT_EQ(registry->tree().toText(), kept.toText()) << "the type library stays registered";
    EXPECT_EQ(unreg(), S_OK) << "always S_OK";
    ::dlclose(library);
    setRegistryStore(nullptr);
}
