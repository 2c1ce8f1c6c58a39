// The server frame linked into this test with a probe class, driven through its exports.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>

#include "dw/components/dualobject.h"
#include "dw/components/exports.h"
#include "dw/components/modulelock.h"
#include "dw/platform/com/errorcodes.h"
#include "dw/platform/com/guidtext.h"
#include "dw/platform/com/registrystore.h"
#include "variantargs.h"

using namespace dw::com;
using namespace dw::components;
using namespace dw::testing;

namespace {

constexpr CLSID CLSID_Probe = {0x0B0E0000, 1, 2, {3, 4, 5, 6, 7, 8, 9, 1}};
constexpr IID IID_IProbe = {0x0B0E0000, 1, 2, {3, 4, 5, 6, 7, 8, 9, 2}};
constexpr GUID LIBID_Probe = {0x0B0E0000, 1, 2, {3, 4, 5, 6, 7, 8, 9, 3}};

class IProbe : public IDispatch {
public:
    virtual HRESULT Add(std::int32_t a, std::int32_t b) = 0;
    virtual HRESULT Mix(std::int16_t s, double d, const char* text) = 0;
    virtual HRESULT Fail(std::int32_t code) = 0;
    virtual HRESULT Ping() = 0;

protected:
    ~IProbe() = default;
};

struct ProbeLog {
    std::int32_t a = 0;
    std::int32_t b = 0;
    std::int16_t s = 0;
    double d = 0;
    std::string text;
    int pings = 0;
} gLog;

class Probe final : public DualObject<IProbe> {
public:
    using DualObject::DualObject;
    HRESULT Add(std::int32_t a, std::int32_t b) override {
        gLog.a = a;
        gLog.b = b;
        return S_OK;
    }
    HRESULT Mix(std::int16_t s, double d, const char* text) override {
        gLog.s = s;
        gLog.d = d;
        gLog.text = text;
        return S_OK;
    }
    HRESULT Fail(std::int32_t code) override { return code; }
    HRESULT Ping() override {
        ++gLog.pings;
        return S_OK;
    }
};

// Its version-independent identifier names only the current version, as some classes do.
const char kScript[] = R"(
HKCR
{
    Probe.Probe.1 = s 'Probe Class'
    {
        CLSID = s '{0B0E0000-0001-0002-0304-050607080901}'
    }
    Probe.Probe = s 'Probe Class'
    {
        CurVer = s 'Probe.Probe.1'
    }
    NoRemove CLSID
    {
        ForceRemove {0B0E0000-0001-0002-0304-050607080901} = s 'Probe Class'
        {
            InprocServer32 = s '%MODULE%'
            {
                val ThreadingModel = s 'Apartment'
            }
        }
    }
}
)";

} // namespace

const ServerDefinition& dw::components::serverDefinition() {
    static const InterfaceDescription iface{
        "IProbe",
        "IProbe Interface",
        IID_IProbe,
        {
            method<&IProbe::Add>("Add", {"a", "b"}, "method Add"),
            method<&IProbe::Mix>("Mix", {"s", "d", "text"}),
            method<&IProbe::Fail>("Fail", {"code"}),
            method<&IProbe::Ping>("Ping"),
        },
    };
    static const ServerDefinition def{
        "probe",
        CLSID_Probe,
        "Probe",
        "Probe Class",
        &iface,
        {"PROBELib", "probe 1.0 Type Library", LIBID_Probe, 1, 0, 0x0409},
        kScript,
        &createObject<Probe>,
        TypeLibraryOnUnregister::Keep,
    };
    return def;
}

namespace {

// An outer object that aggregates the probe: it answers IUnknown itself and hands the probe's
// interfaces out as its own.
class Outer final : public IUnknown {
public:
    HRESULT QueryInterface(REFIID riid, void** ppv) override {
        if (riid == IID_IUnknown) {
            *ppv = this;
            AddRef();
            return S_OK;
        }
        return inner->QueryInterface(riid, ppv);
    }
    ULONG AddRef() override { return ++refs; }
    ULONG Release() override { return --refs; }

    IUnknown* inner = nullptr;
    ULONG refs = 1;
};

class ServerFrameTest : public ::testing::Test {
protected:
    // The type library is registered in an in-memory registry, as registration leaves it.
    void SetUp() override {
        gLog = ProbeLog{};
        setRegistryStore(mRegistry);
        ASSERT_EQ(DllRegisterServer(), S_OK);
    }
    void TearDown() override { setRegistryStore(nullptr); }

    IClassFactory* factory() {
        void* f = nullptr;
        EXPECT_EQ(DllGetClassObject(&CLSID_Probe, &IID_IClassFactory, &f), S_OK);
        return static_cast<IClassFactory*>(f);
    }

    IProbe* newProbe() {
        IClassFactory* f = factory();
        void* p = nullptr;
        EXPECT_EQ(f->CreateInstance(nullptr, IID_IProbe, &p), S_OK);
        f->Release();
        return static_cast<IProbe*>(p);
    }

    HRESULT invoke(IProbe* p, DISPID id, std::vector<VARIANT> reversed,
                   std::uint32_t* argErr = nullptr, EXCEPINFO* excep = nullptr) {
        DISPPARAMS params{reversed.data(), nullptr, static_cast<std::uint32_t>(reversed.size()), 0};
        VARIANT result = i4(77);
        const HRESULT hr =
            p->Invoke(id, IID_NULL, 0, DISPATCH_METHOD, &params, &result, excep, argErr);
        EXPECT_EQ(result.vt, VT_EMPTY) << "methods give no value";
        return hr;
    }

    std::shared_ptr<MemoryRegistryStore> mRegistry = std::make_shared<MemoryRegistryStore>();
};

} // namespace

TEST_F(ServerFrameTest, classObjectIsGivenOnlyForTheLibrarysClass) {
    void* f = &f;
    const CLSID other = {9, 9, 9, {9}};
    EXPECT_EQ(DllGetClassObject(&other, &IID_IClassFactory, &f), CLASS_E_CLASSNOTAVAILABLE);
    EXPECT_EQ(f, nullptr);
    EXPECT_EQ(DllGetClassObject(&CLSID_Probe, &IID_IProbe, &f), E_NOINTERFACE);
    EXPECT_EQ(f, nullptr);
    EXPECT_EQ(DllGetClassObject(nullptr, &IID_IClassFactory, &f), E_POINTER);
    EXPECT_EQ(DllGetClassObject(&CLSID_Probe, nullptr, &f), E_POINTER);
    EXPECT_EQ(DllGetClassObject(&CLSID_Probe, &IID_IClassFactory, nullptr), E_POINTER);
    EXPECT_EQ(DllCanUnloadNow(), S_OK) << "no factory left behind";
}

TEST_F(ServerFrameTest, lockCountCoversObjectsFactoriesAndServerLocks) {
    IClassFactory* f = factory();
    EXPECT_EQ(DllCanUnloadNow(), S_FALSE) << "a held factory keeps the library";
    void* p = nullptr;
    ASSERT_EQ(f->CreateInstance(nullptr, IID_IProbe, &p), S_OK);
    EXPECT_EQ(f->LockServer(1), S_OK);
    f->Release();
    EXPECT_EQ(moduleLockCount(), 2);
    static_cast<IProbe*>(p)->Release();
    EXPECT_EQ(DllCanUnloadNow(), S_FALSE) << "still locked";
    f = factory();
    EXPECT_EQ(f->LockServer(0), S_OK);
    EXPECT_EQ(f->LockServer(0), E_UNEXPECTED) << "more unlocks than locks are refused";
    f->Release();
    EXPECT_EQ(moduleLockCount(), 0);
    EXPECT_EQ(DllCanUnloadNow(), S_OK);
}

TEST_F(ServerFrameTest, objectAnswersItsInterfacesWithOneIdentity) {
    IProbe* p = newProbe();
    void* unknown1 = nullptr;
    void* unknown2 = nullptr;
    void* dispatch = nullptr;
    void* none = &none;
    ASSERT_EQ(p->QueryInterface(IID_IUnknown, &unknown1), S_OK);
    ASSERT_EQ(p->QueryInterface(IID_IDispatch, &dispatch), S_OK);
    ASSERT_EQ(static_cast<IDispatch*>(dispatch)->QueryInterface(IID_IUnknown, &unknown2), S_OK);
    EXPECT_EQ(unknown1, unknown2);
    EXPECT_EQ(p->QueryInterface(IID_IClassFactory, &none), E_NOINTERFACE);
    EXPECT_EQ(none, nullptr);
    EXPECT_EQ(p->QueryInterface(IID_IProbe, nullptr), E_POINTER);
    static_cast<IUnknown*>(unknown1)->Release();
    static_cast<IUnknown*>(unknown2)->Release();
    static_cast<IDispatch*>(dispatch)->Release();
    EXPECT_EQ(p->Release(), 0u);
    EXPECT_EQ(DllCanUnloadNow(), S_OK);
}

TEST_F(ServerFrameTest, aggregatedObjectDelegatesItsUnknownToTheOuterObject) {
    IClassFactory* f = factory();
    Outer outer;
    void* inner = nullptr;
    EXPECT_EQ(f->CreateInstance(&outer, IID_IProbe, &inner), CLASS_E_NOAGGREGATION);
    EXPECT_EQ(inner, nullptr);
    ASSERT_EQ(f->CreateInstance(&outer, IID_IUnknown, &inner), S_OK);
    f->Release();
    outer.inner = static_cast<IUnknown*>(inner);
    EXPECT_EQ(outer.refs, 1u) << "the inner object does not hold its outer";

    void* p = nullptr;
    ASSERT_EQ(outer.QueryInterface(IID_IProbe, &p), S_OK);
    EXPECT_EQ(outer.refs, 2u) << "references to the probe count on the outer object";
    void* identity = nullptr;
    ASSERT_EQ(static_cast<IProbe*>(p)->QueryInterface(IID_IUnknown, &identity), S_OK);
    EXPECT_EQ(identity, &outer);
    EXPECT_EQ(static_cast<IProbe*>(p)->Ping(), S_OK);
    static_cast<IProbe*>(p)->Release();
    outer.Release();
    EXPECT_EQ(outer.refs, 1u);
    EXPECT_EQ(DllCanUnloadNow(), S_FALSE);
    EXPECT_EQ(outer.inner->Release(), 0u) << "the outer object ends the inner one";
    EXPECT_EQ(DllCanUnloadNow(), S_OK);
}

TEST_F(ServerFrameTest, namesMapToDispatchIdentifiersWithoutCase) {
    IProbe* p = newProbe();
    const char* names[] = {"mix", "TEXT", "s", "nope"};
    DISPID ids[4] = {};
    EXPECT_EQ(p->GetIDsOfNames(IID_NULL, names, 3, 0, ids), S_OK);
    EXPECT_EQ(ids[0], 2);
    EXPECT_EQ(ids[1], 2) << "parameters by position";
    EXPECT_EQ(ids[2], 0);
    EXPECT_EQ(p->GetIDsOfNames(IID_NULL, names, 4, 0, ids), DISP_E_UNKNOWNNAME);
    EXPECT_EQ(ids[3], DISPID_UNKNOWN);
    const char* unknown[] = {"Divide"};
    EXPECT_EQ(p->GetIDsOfNames(IID_NULL, unknown, 1, 0, ids), DISP_E_UNKNOWNNAME);
    EXPECT_EQ(ids[0], DISPID_UNKNOWN);
    const char* ping[] = {"PING"};
    EXPECT_EQ(p->GetIDsOfNames(IID_NULL, ping, 1, 0, ids), S_OK);
    EXPECT_EQ(ids[0], 4);
    EXPECT_EQ(p->GetIDsOfNames(IID_IProbe, ping, 1, 0, ids), DISP_E_UNKNOWNINTERFACE);
    EXPECT_EQ(p->GetIDsOfNames(IID_NULL, nullptr, 1, 0, ids), E_POINTER);
    p->Release();
}

TEST_F(ServerFrameTest, invokeTakesArgumentsLastFirstAndConvertsThem) {
    IProbe* p = newProbe();
    ASSERT_EQ(invoke(p, 1, {i4(2), i4(1)}), S_OK);
    EXPECT_EQ(gLog.a, 1);
    EXPECT_EQ(gLog.b, 2);
    ASSERT_EQ(invoke(p, 2, {str("hello"), i4(5), r8(-3.5)}), S_OK);
    EXPECT_EQ(gLog.s, -4) << "halves go to even";
    EXPECT_EQ(gLog.d, 5.0);
    EXPECT_EQ(gLog.text, "hello");
    ASSERT_EQ(invoke(p, 1, {r8(2.5), i2(-7)}), S_OK);
    EXPECT_EQ(gLog.a, -7);
    EXPECT_EQ(gLog.b, 2);
    ASSERT_EQ(invoke(p, 2, {str(nullptr), VARIANT{}, VARIANT{}}), S_OK) << "empty is zero";
    EXPECT_EQ(gLog.text, "");
    ASSERT_EQ(invoke(p, 4, {}), S_OK);
    EXPECT_EQ(gLog.pings, 1);
    p->Release();
}

TEST_F(ServerFrameTest, invokeRefusesBadCallsAndSaysWhichArgument) {
    IProbe* p = newProbe();
    std::uint32_t argErr = 99;
    EXPECT_EQ(invoke(p, 1, {str("1"), i4(1)}, &argErr), DISP_E_TYPEMISMATCH);
    EXPECT_EQ(argErr, 0u) << "position in the reversed array";
    EXPECT_EQ(invoke(p, 1, {i4(1), r8(3e9)}, &argErr), DISP_E_OVERFLOW);
    EXPECT_EQ(argErr, 1u);
    EXPECT_EQ(invoke(p, 2, {str(""), r8(0), i4(40000)}, &argErr), DISP_E_OVERFLOW);
    EXPECT_EQ(argErr, 2u) << "the 16-bit first parameter";
    EXPECT_EQ(invoke(p, 1, {r8(std::nan(""))}, &argErr), DISP_E_BADPARAMCOUNT);
    EXPECT_EQ(invoke(p, 1, {i4(1), r8(std::nan(""))}, &argErr), DISP_E_OVERFLOW);
    EXPECT_EQ(invoke(p, 0, {}), DISP_E_MEMBERNOTFOUND);
    EXPECT_EQ(invoke(p, 5, {}), DISP_E_MEMBERNOTFOUND);
    EXPECT_EQ(gLog.a, 0) << "nothing was called";

    DISPID named = 0;
    VARIANT arg = i4(1);
    DISPPARAMS withNames{&arg, &named, 1, 1};
    EXPECT_EQ(p->Invoke(3, IID_NULL, 0, DISPATCH_METHOD, &withNames, nullptr, nullptr, nullptr),
              DISP_E_NONAMEDARGS);
    DISPPARAMS noArgs{nullptr, nullptr, 0, 0};
    EXPECT_EQ(p->Invoke(4, IID_NULL, 0, 4 /* property put */, &noArgs, nullptr, nullptr, nullptr),
              DISP_E_MEMBERNOTFOUND);
    EXPECT_EQ(p->Invoke(4, IID_IProbe, 0, DISPATCH_METHOD, &noArgs, nullptr, nullptr, nullptr),
              DISP_E_UNKNOWNINTERFACE);
    DISPPARAMS missingArray{nullptr, nullptr, 1, 0};
    EXPECT_EQ(p->Invoke(3, IID_NULL, 0, DISPATCH_METHOD, &missingArray, nullptr, nullptr, nullptr),
              E_POINTER);
    EXPECT_EQ(p->Invoke(4, IID_NULL, 0, DISPATCH_METHOD, nullptr, nullptr, nullptr, nullptr), S_OK)
        << "no parameters at all is a call without arguments";
    p->Release();
}

TEST_F(ServerFrameTest, methodFailureTravelsAsAnException) {
    IProbe* p = newProbe();
    EXCEPINFO excep{};
    EXPECT_EQ(invoke(p, 3, {i4(E_ACCESSDENIED)}, nullptr, &excep), DISP_E_EXCEPTION);
    EXPECT_EQ(excep.scode, E_ACCESSDENIED);
    EXPECT_EQ(invoke(p, 3, {i4(E_ACCESSDENIED)}), E_ACCESSDENIED)
        << "without exception information the error itself comes back";
    EXPECT_EQ(invoke(p, 3, {i4(S_FALSE)}), S_FALSE);
    p->Release();
}

TEST_F(ServerFrameTest, typeInformationDescribesTheInterfaceAndHoldsTheLibrary) {
    IProbe* p = newProbe();
    std::uint32_t count = 0;
    EXPECT_EQ(p->GetTypeInfoCount(&count), S_OK);
    EXPECT_EQ(count, 1u);
    ITypeInfo* info = reinterpret_cast<ITypeInfo*>(&count); // must be cleared
    EXPECT_EQ(p->GetTypeInfo(1, 0, &info), DISP_E_BADINDEX);
    EXPECT_EQ(info, nullptr);
    ASSERT_EQ(p->GetTypeInfo(0, 0x0409, &info), S_OK);
    p->Release();
    EXPECT_EQ(DllCanUnloadNow(), S_FALSE) << "type information keeps the library";

    GUID iid{};
    EXPECT_EQ(info->GetGuid(&iid), S_OK);
    EXPECT_EQ(iid, IID_IProbe);
    const char* name = nullptr;
    const char* doc = nullptr;
    EXPECT_EQ(info->GetDocumentation(MEMBERID_NIL, &name, &doc), S_OK);
    EXPECT_STREQ(name, "IProbe");
    EXPECT_STREQ(doc, "IProbe Interface");
    EXPECT_EQ(info->GetDocumentation(1, &name, &doc), S_OK);
    EXPECT_STREQ(doc, "method Add");
    const char* names[4] = {};
    std::uint32_t n = 0;
    EXPECT_EQ(info->GetNames(2, names, 4, &n), S_OK);
    ASSERT_EQ(n, 4u);
    EXPECT_STREQ(names[0], "Mix");
    EXPECT_STREQ(names[3], "text");
    VARTYPE types[3] = {};
    EXPECT_EQ(info->GetParamTypes(2, types, 3, &n), S_OK);
    EXPECT_EQ(types[0], VT_I2);
    EXPECT_EQ(types[1], VT_R8);
    EXPECT_EQ(types[2], VT_BSTR);
    EXPECT_EQ(info->GetNames(9, names, 4, &n), DISP_E_MEMBERNOTFOUND);
    info->Release();
    EXPECT_EQ(DllCanUnloadNow(), S_OK);
}

TEST_F(ServerFrameTest, registrationWritesTheScriptAndTheTypeLibrary) {
    const RegistryTree tree = mRegistry->tree();
    const std::string clsidKey = "CLSID\\" + guidToString(CLSID_Probe);
    EXPECT_EQ(tree.value(clsidKey, ""), "Probe Class");
    EXPECT_EQ(tree.value(clsidKey + "\\InprocServer32", "ThreadingModel"), "Apartment");
    const std::optional<std::string> path = tree.value(clsidKey + "\\InprocServer32", "");
    ASSERT_TRUE(path.has_value());
    EXPECT_EQ(path->front(), '/') << "an absolute path: " << *path;
    EXPECT_EQ(tree.subkeys("Probe.Probe"), std::vector<std::string>{"CurVer"});
    const std::string typeLib = "TypeLib\\" + guidToString(LIBID_Probe) + "\\1.0";
    EXPECT_EQ(tree.value(typeLib, ""), "probe 1.0 Type Library");
    EXPECT_EQ(tree.value(typeLib + "\\0\\linux", ""), *path);
}

TEST_F(ServerFrameTest, unregistrationKeepsTheClassesRootAndHereTheTypeLibrary) {
    const RegistryTree before = mRegistry->tree();
    ASSERT_EQ(DllUnregisterServer(), S_OK);
    const RegistryTree after = mRegistry->tree();
    EXPECT_TRUE(after.keyExists("CLSID")) << "never removed";
    EXPECT_FALSE(after.keyExists("CLSID\\" + guidToString(CLSID_Probe)));
    EXPECT_FALSE(after.keyExists("Probe.Probe"));
    EXPECT_FALSE(after.keyExists("Probe.Probe.1"));
    EXPECT_TRUE(after.keyExists("TypeLib\\" + guidToString(LIBID_Probe) + "\\1.0"));
    EXPECT_EQ(DllUnregisterServer(), S_OK) << "again: nothing to remove is no error";
}

TEST_F(ServerFrameTest, registryFailuresAreReportedNotSwallowed) {
    mRegistry->failUpdates(REGDB_E_WRITEREGDB);
    EXPECT_EQ(DllRegisterServer(), REGDB_E_WRITEREGDB);
    EXPECT_EQ(DllUnregisterServer(), REGDB_E_WRITEREGDB);
}
