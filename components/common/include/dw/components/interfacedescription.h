#pragma once
// The embedded description of a component's dual interface: its name, identifier and, in
// declaration order, each method with its parameters' names and types. Dispatch identifiers are
// 1, 2, 3 ... in that order. Each method entry also carries the call that late binding makes,
// generated from the member pointer, so the description cannot drift from the vtable:
//
//     method<&Igdiext::rotate>("rotate", {"hbitmapsrc", ..., "theta"}, "method rotate")
//
// Supported parameter types: std::int16_t (VT_I2), std::int32_t (VT_I4), double (VT_R8) and
// const char* (VT_BSTR, UTF-8, never null: a null string arrives as "").
#include <cstddef>
#include <cstdint>
#include <tuple>
#include <type_traits>
#include <utility>
#include <vector>

#include "dw/platform/com/dispatch.h"

namespace dw::components {

// One argument after conversion to its parameter's type; only the member of that type is set.
struct ArgValue {
    std::int16_t i2 = 0;
    std::int32_t i4 = 0;
    double r8 = 0.0;
    const char* str = "";
};

struct ParamDescription {
    const char* name;
    dw::com::VARTYPE type;
};

// Calls the method on `iface` (the interface pointer) with arguments in declaration order.
using MethodInvoker = dw::com::HRESULT (*)(void* iface, const ArgValue* args);

struct MethodDescription {
    const char* name;
    const char* helpString;
    std::vector<ParamDescription> params;
    MethodInvoker invoke;
};

struct InterfaceDescription {
    const char* name;       // e.g. "Igdiext"
    const char* helpString; // e.g. "Igdiext Interface"
    dw::com::IID iid;
    std::vector<MethodDescription> methods; // dispatch identifier = position + 1
};

namespace detail {

template <class T> constexpr dw::com::VARTYPE varTypeOf() {
    if constexpr (std::is_same_v<T, std::int16_t>) {
        return dw::com::VT_I2;
    } else if constexpr (std::is_same_v<T, std::int32_t>) {
        return dw::com::VT_I4;
    } else if constexpr (std::is_same_v<T, double>) {
        return dw::com::VT_R8;
    } else {
        static_assert(std::is_same_v<T, const char*>, "parameter type has no variant type");
        return dw::com::VT_BSTR;
    }
}

template <class T> T argAs(const ArgValue& a) {
    if constexpr (std::is_same_v<T, std::int16_t>) {
        return a.i2;
    } else if constexpr (std::is_same_v<T, std::int32_t>) {
        return a.i4;
    } else if constexpr (std::is_same_v<T, double>) {
        return a.r8;
    } else {
        return a.str;
    }
}

template <class M> struct MemberTraits;

template <class C, class... A> struct MemberTraits<dw::com::HRESULT (C::*)(A...)> {
    using Class = C;
    using Args = std::tuple<A...>;
    static constexpr std::size_t arity = sizeof...(A);
};

template <auto Member> dw::com::HRESULT invokeMember(void* iface, const ArgValue* args) {
    using Traits = MemberTraits<decltype(Member)>;
    auto* self = static_cast<typename Traits::Class*>(iface);
    return [&]<std::size_t... I>(std::index_sequence<I...>) {
        return (self->*Member)(argAs<std::tuple_element_t<I, typename Traits::Args>>(args[I])...);
    }
    (std::make_index_sequence<Traits::arity>{});
}

template <auto Member, std::size_t N>
MethodDescription describe(const char* name, const char* const* paramNames, const char* help) {
    using Traits = MemberTraits<decltype(Member)>;
    static_assert(N == Traits::arity, "one name for each parameter of the method");
    MethodDescription m{name, help, {}, &invokeMember<Member>};
    [&]<std::size_t... I>(std::index_sequence<I...>) {
        (m.params.push_back(
             {paramNames[I], varTypeOf<std::tuple_element_t<I, typename Traits::Args>>()}),
         ...);
    }
    (std::make_index_sequence<Traits::arity>{});
    return m;
}

} // namespace detail

// A method with parameters: one name per parameter, checked at compile time.
template <auto Member, std::size_t N>
MethodDescription method(const char* name, const char* const (&paramNames)[N],
                         const char* helpString = "") {
    return detail::describe<Member, N>(name, paramNames, helpString);
}

// A method without parameters.
template <auto Member>
requires(detail::MemberTraits<decltype(Member)>::arity == 0) MethodDescription
    method(const char* name, const char* helpString = "") {
    return detail::describe<Member, 0>(name, nullptr, helpString);
}

} // namespace dw::components
