// The reelkit library's description for the server frame: its class, interface description,
// type library and registry script.
#include "dw/components/serverdefinition.h"
#include "wrapdlgavi.h"

namespace {

using dw::components::method;
using reelkit::IWrapDLGAVI;

// The version-independent identifier names only its current version, and the class carries no
// TypeLib value: that is how reelkit has always registered.
const char kRegistryScript[] = R"(
HKCR
{
    WrapDLGAVI.WrapDLGAVI.1 = s 'WrapDLGAVI Class'
    {
        CLSID = s '{4396B5C0-715B-11D4-826D-F1B8E3526765}'
    }
    WrapDLGAVI.WrapDLGAVI = s 'WrapDLGAVI Class'
    {
        CurVer = s 'WrapDLGAVI.WrapDLGAVI.1'
    }
    NoRemove CLSID
    {
        ForceRemove {4396B5C0-715B-11D4-826D-F1B8E3526765} = s 'WrapDLGAVI Class'
        {
            ProgID = s 'WrapDLGAVI.WrapDLGAVI.1'
            VersionIndependentProgID = s 'WrapDLGAVI.WrapDLGAVI'
            ForceRemove 'Programmable'
            InprocServer32 = s '%MODULE%'
            {
                val ThreadingModel = s 'Apartment'
            }
        }
    }
}
)";

} // namespace

const dw::components::ServerDefinition& dw::components::serverDefinition() {
    static const InterfaceDescription iface{
        "IWrapDLGAVI",
        "IWrapDLGAVI Interface",
        reelkit::IID_IWrapDLGAVI,
        {
            method<&IWrapDLGAVI::Initialize>("Initialize", "method Initialize"),
            method<&IWrapDLGAVI::WriteFrame>("WriteFrame", {"hbitmap", "hdc", "width", "height"},
                                             "method WriteFrame"),
            method<&IWrapDLGAVI::WriteAVIFile>("WriteAVIFile",
                                               {"fname", "width", "height", "bitsperpixel", "fps"},
                                               "method WriteAVIFile"),
            method<&IWrapDLGAVI::CloseAVIFile>("CloseAVIFile", "method CloseAVIFile"),
            method<&IWrapDLGAVI::WriteFrameEx>(
                "WriteFrameEx", {"hwnd", "hbitmap", "width", "height"}, "method WriteFrameEx"),
        },
    };
    static const ServerDefinition definition{
        "REELKIT",
        reelkit::CLSID_WrapDLGAVI,
        "WrapDLGAVI",
        "WrapDLGAVI Class",
        &iface,
        {"REELKITLib", "reelkit 1.0 Type Library", reelkit::LIBID_REELKITLib, 1, 0, 0x0409},
        kRegistryScript,
        &createObject<reelkit::WrapDLGAVI>,
        TypeLibraryOnUnregister::Keep,
    };
    return definition;
}
