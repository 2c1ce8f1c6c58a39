// The spinblit library's description for the server frame: its class, interface description,
// type library and registry script.
#include "dw/components/serverdefinition.h"
#include "gdiext.h"

namespace {

using dw::components::method;
using spinblit::Igdiext;

const char kRegistryScript[] = R"(
HKCR
{
    Spinblit.gdiext.1 = s 'gdiext Class'
    {
        CLSID = s '{D4E59E4E-001C-11D5-846D-004095301014}'
    }
    Spinblit.gdiext = s 'gdiext Class'
    {
        CLSID = s '{D4E59E4E-001C-11D5-846D-004095301014}'
        CurVer = s 'Spinblit.gdiext.1'
    }
    NoRemove CLSID
    {
        ForceRemove {D4E59E4E-001C-11D5-846D-004095301014} = s 'gdiext Class'
        {
            ProgID = s 'Spinblit.gdiext.1'
            VersionIndependentProgID = s 'Spinblit.gdiext'
            ForceRemove 'Programmable'
            InprocServer32 = s '%MODULE%'
            {
                val ThreadingModel = s 'Apartment'
            }
            val TypeLib = s '{BE2C70A1-001E-11D5-846D-004095301014}'
        }
    }
}
)";

} // namespace

const dw::components::ServerDefinition& dw::components::serverDefinition() {
    static const InterfaceDescription iface{
        "Igdiext",
        "Igdiext Interface",
        spinblit::IID_Igdiext,
        {
            method<&Igdiext::initializeRotation>("initializeRotation",
                                                 {"hbitmap", "hdc", "width", "height"},
                                                 "method initializeRotation"),
            method<&Igdiext::cleanupRotation>("cleanupRotation", "method cleanupRotation"),
            method<&Igdiext::rotate>(
                "rotate",
                {"hbitmapsrc", "hdcsrc", "hbitmapdest", "hdcdest", "width", "height", "theta"},
                "method rotate"),
            method<&Igdiext::transparentBlit>("transparentBlit",
                                              {"hdcdest", "nDLeft", "nDTop", "nDWidth", "nDHeight",
                                               "hdcsrc", "nLeft", "nTop", "nWidth", "nHeight",
                                               "trans"},
                                              "method transparentBlit"),
        },
    };
    static const ServerDefinition definition{
        "spinblit",
        spinblit::CLSID_gdiext,
        "gdiext",
        "gdiext Class",
        &iface,
        {"SPINBLITLib", "spinblit 1.0 Type Library", spinblit::LIBID_SPINBLITLib, 1, 0, 0x0409},
        kRegistryScript,
        &createObject<spinblit::Gdiext>,
        TypeLibraryOnUnregister::Remove,
    };
    return definition;
}
