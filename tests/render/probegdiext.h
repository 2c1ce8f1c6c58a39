#pragma once
// A stand-in for the rotation component that draws nothing: it records the calls made to it,
// counts its references and can be told to fail a call, so that tests see what a caller asks for
// and that the caller lets the object go on every path.
#include <cstdint>
#include <string_view>
#include <vector>

#include "spinblit/igdiext.h"

namespace dw::testing {

struct ProbeCall {
    const char* name;
    std::int32_t destination; // rotate: hdcdest; transparentBlit: hdcdest
    std::int32_t source;      // rotate: hdcsrc; transparentBlit: hdcsrc
    std::int32_t width, height;
    double theta;
};

class ProbeGdiext : public spinblit::Igdiext {
public:
    std::vector<ProbeCall> calls;
    int references = 1;  // the caller's reference, as a creation gives it
    int failOnCall = -1; // index of the call that returns failure, -1 for none
    com::HRESULT failure = com::E_FAIL;

    com::HRESULT QueryInterface(com::REFIID, void** ppv) override {
        *ppv = nullptr;
        return com::E_NOINTERFACE;
    }
    com::ULONG AddRef() override { return ++references; }
    com::ULONG Release() override { return --references; }
    com::HRESULT GetTypeInfoCount(std::uint32_t*) override { return com::E_NOTIMPL; }
    com::HRESULT GetTypeInfo(std::uint32_t, com::LCID, com::ITypeInfo**) override {
        return com::E_NOTIMPL;
    }
    com::HRESULT GetIDsOfNames(com::REFIID, const char**, std::uint32_t, com::LCID,
                               com::DISPID*) override {
        return com::E_NOTIMPL;
    }
    com::HRESULT Invoke(com::DISPID, com::REFIID, com::LCID, std::uint16_t, com::DISPPARAMS*,
                        com::VARIANT*, com::EXCEPINFO*, std::uint32_t*) override {
        return com::E_NOTIMPL;
    }
    com::HRESULT initializeRotation(std::int32_t, std::int32_t hdc, std::int32_t width,
                                    std::int32_t height) override {
        return record({"initializeRotation", 0, hdc, width, height, 0});
    }
    com::HRESULT cleanupRotation() override { return record({"cleanupRotation", 0, 0, 0, 0, 0}); }
    com::HRESULT rotate(std::int32_t, std::int32_t hdcsrc, std::int32_t, std::int32_t hdcdest,
                        std::int32_t width, std::int32_t height, double theta) override {
        return record({"rotate", hdcdest, hdcsrc, width, height, theta});
    }
    com::HRESULT transparentBlit(std::int32_t hdcdest, std::int32_t, std::int32_t, std::int32_t,
                                 std::int32_t, std::int32_t hdcsrc, std::int32_t, std::int32_t,
                                 std::int32_t nWidth, std::int32_t nHeight, std::int32_t) override {
        return record({"transparentBlit", hdcdest, hdcsrc, nWidth, nHeight, 0});
    }

    // How many rotations wrote into the surface with this handle.
    int rotationsInto(std::uint32_t handle) const {
        int n = 0;
        for (const ProbeCall& c : calls) {
            n += std::string_view(c.name) == "rotate" &&
                         c.destination == static_cast<std::int32_t>(handle)
                     ? 1
                     : 0;
        }
        return n;
    }

private:
    com::HRESULT record(ProbeCall call) {
        const bool fail = static_cast<int>(calls.size()) == failOnCall;
        calls.push_back(call);
        return fail ? failure : com::S_OK;
    }
};

} // namespace dw::testing
