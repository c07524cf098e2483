// The range algorithms the core uses (find, sort, none_of, any_of, all_of), for the
// C++ library of Debian's emscripten (libc++ 14), which does not have them
// yet.  Included before every core source of the WebAssembly build only;
// with a newer library it adds nothing.
#pragma once

#include <algorithm>
#include <functional>
#include <iterator>
#include <utility>

#if defined(_LIBCPP_VERSION) && _LIBCPP_VERSION < 15000
namespace std::ranges {

struct __turmado_identidad {
    template <class T> constexpr T&& operator()(T&& t) const noexcept { return std::forward<T>(t); }
};
struct __turmado_menor {
    template <class A, class B> constexpr bool operator()(const A& a, const B& b) const { return a < b; }
};

struct __turmado_find {
    template <class R, class T, class P = __turmado_identidad>
    constexpr auto operator()(R&& r, const T& valor, P proyeccion = {}) const {
        auto it = std::begin(r);
        const auto fin = std::end(r);
        for (; it != fin; ++it)
            if (std::invoke(proyeccion, *it) == valor) break;
        return it;
    }
};
inline constexpr __turmado_find find{};

struct __turmado_sort {
    template <class R, class C = __turmado_menor, class P = __turmado_identidad>
    constexpr auto operator()(R&& r, C comparar = {}, P proyeccion = {}) const {
        std::sort(std::begin(r), std::end(r), [&](const auto& a, const auto& b) {
            return std::invoke(comparar, std::invoke(proyeccion, a), std::invoke(proyeccion, b));
        });
        return std::end(r);
    }
};
inline constexpr __turmado_sort sort{};

struct __turmado_none_of {
    template <class R, class F, class P = __turmado_identidad>
    constexpr bool operator()(R&& r, F predicado, P proyeccion = {}) const {
        for (auto&& x : r)
            if (std::invoke(predicado, std::invoke(proyeccion, x))) return false;
        return true;
    }
};
inline constexpr __turmado_none_of none_of{};

struct __turmado_any_of {
    template <class R, class F, class P = __turmado_identidad>
    constexpr bool operator()(R&& r, F predicado, P proyeccion = {}) const {
        return !none_of(r, predicado, proyeccion);
    }
};
inline constexpr __turmado_any_of any_of{};

struct __turmado_all_of {
    template <class R, class F, class P = __turmado_identidad>
    constexpr bool operator()(R&& r, F predicado, P proyeccion = {}) const {
        for (auto&& x : r)
            if (!std::invoke(predicado, std::invoke(proyeccion, x))) return false;
        return true;
    }
};
inline constexpr __turmado_all_of all_of{};

}  // namespace std::ranges
#endif
