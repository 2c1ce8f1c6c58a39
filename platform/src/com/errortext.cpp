#include "dw/platform/com/errortext.h"

#include <cstdio>

#include "dw/platform/com/errorcodes.h"

namespace dw::com {

namespace {

struct CodeText {
    HRESULT code;
    const char* text;
};

// The texts users of the desktop this stands in for are used to reading.
constexpr CodeText kTexts[] = {
    {S_OK, "The operation completed successfully."},
    {S_FALSE, "The operation completed with a false result."},
    {E_NOTIMPL, "Not implemented"},
    {E_NOINTERFACE, "No such interface supported"},
    {E_POINTER, "Invalid pointer"},
    {E_FAIL, "Unspecified error"},
    {E_UNEXPECTED, "Catastrophic failure"},
    {E_OUTOFMEMORY, "Not enough memory resources are available to complete this operation."},
    {E_INVALIDARG, "The parameter is incorrect."},
    {E_ACCESSDENIED, "Access is denied."},
    {CLASS_E_NOAGGREGATION, "Class does not support aggregation (or class object is remote)"},
    {CLASS_E_CLASSNOTAVAILABLE, "ClassFactory cannot supply requested class"},
    {REGDB_E_CLASSNOTREG, "Class not registered"},
    {REGDB_E_READREGDB, "Could not read key from registry"},
    {REGDB_E_WRITEREGDB, "Could not write key to registry"},
    {REGDB_E_KEYMISSING, "Could not find the key in the registry"},
    {CO_E_DLLNOTFOUND, "The library registered for the class could not be found"},
    {CO_E_ERRORINDLL, "The library registered for the class could not be loaded or lacks its "
                      "entry points"},
    {TYPE_E_LIBNOTREGISTERED, "Library not registered."},
    {TYPE_E_CANTLOADLIBRARY, "Error loading type library/DLL."},
    {DISP_E_UNKNOWNINTERFACE, "Unknown interface."},
    {DISP_E_MEMBERNOTFOUND, "Member not found."},
    {DISP_E_PARAMNOTFOUND, "Parameter not found."},
    {DISP_E_TYPEMISMATCH, "Type mismatch."},
    {DISP_E_UNKNOWNNAME, "Unknown name."},
    {DISP_E_NONAMEDARGS, "No named arguments."},
    {DISP_E_BADVARTYPE, "Bad variable type."},
    {DISP_E_EXCEPTION, "Exception occurred."},
    {DISP_E_OVERFLOW, "Out of present range."},
    {DISP_E_BADINDEX, "Invalid index."},
    {DISP_E_BADPARAMCOUNT, "Invalid number of parameters."},
};

} // namespace

std::string describeHResult(HRESULT hr) {
    for (const CodeText& entry : kTexts) {
        if (entry.code == hr) {
            return entry.text;
        }
    }
    char text[32];
    std::snprintf(text, sizeof text, "Unknown error 0x%08X", static_cast<unsigned>(hr));
    return text;
}

} // namespace dw::com
