// A plain program drives spinblit with nothing but its public header and dlopen.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include "dw/platform/surface.h"
#include "spinblit/igdiext.h"

TEST(SpinblitPlainTest, publicHeaderAndDlopenAreEnough) {
    using GetClassObject = dw::com::HRESULT (*)(const dw::com::CLSID*, const dw::com::IID*, void**);
    using CanUnloadNow = dw::com::HRESULT (*)();
    void* library = ::dlopen(DW_BIN_DIR "/libspinblit.so", RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(library, nullptr) << ::dlerror();
    auto getClassObject = reinterpret_cast<GetClassObject>(::dlsym(library, "DllGetClassObject"));
    auto canUnloadNow = reinterpret_cast<CanUnloadNow>(::dlsym(library, "DllCanUnloadNow"));
    ASSERT_NE(getClassObject, nullptr);
    ASSERT_NE(canUnloadNow, nullptr);

    void* factory = nullptr;
    ASSERT_EQ(getClassObject(&spinblit::CLSID_gdiext, &dw::com::IID_IClassFactory, &factory),
              dw::com::S_OK);
    void* object = nullptr;
    ASSERT_EQ(static_cast<dw::com::IClassFactory*>(factory)->CreateInstance(
                  nullptr, spinblit::IID_Igdiext, &object),
              dw::com::S_OK);
    static_cast<dw::com::IClassFactory*>(factory)->Release();
    auto* gdiext = static_cast<spinblit::Igdiext*>(object);

    // A red dot on blue, copied leaving out the blue.
    const dw::platform::Handle src = dw::platform::CreateSurface(4, 4);
    const dw::platform::Handle dst = dw::platform::CreateSurface(4, 4);
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 4; ++x) {
            dw::platform::SetPixel(src, x, y, 0xFF0000);
        }
    }
    dw::platform::SetPixel(src, 1, 2, 0x0000FF);
    EXPECT_EQ(gdiext->transparentBlit(static_cast<std::int32_t>(dst), 0, 0, 4, 4,
                                      static_cast<std::int32_t>(src), 0, 0, 4, 4, 0xFF0000),
              dw::com::S_OK);
    EXPECT_EQ(dw::platform::GetPixel(dst, 1, 2), 0x0000FFu);
    EXPECT_EQ(dw::platform::GetPixel(dst, 0, 0), 0u) << "transparent pixels leave black";

    EXPECT_EQ(canUnloadNow(), dw::com::S_FALSE);
    EXPECT_EQ(gdiext->Release(), 0u);
    EXPECT_EQ(canUnloadNow(), dw::com::S_OK);
    EXPECT_EQ(::dlclose(library), 0);
    dw::platform::DestroySurface(src);
    dw::platform::DestroySurface(dst);
}
