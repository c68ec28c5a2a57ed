// The outcome of an operation that can fail: its value, or why it failed.
#pragma once

#include <cassert>
#include <string>
#include <type_traits>
#include <utility>
#include <variant>

namespace velmor {

template <typename T, typename E>
class [[nodiscard]] Result {
public:
    template <typename U = T>
    requires std::is_constructible_v<T, U&&> &&(!std::is_same_v<std::remove_cvref_t<U>, E>)&&(
        !std::is_same_v<std::remove_cvref_t<U>, Result>)Result(U&& value)
        : m_state(std::in_place_index<0>, std::forward<U>(value)) {}
    Result(E error) : m_state(std::in_place_index<1>, std::move(error)) {}

    bool ok() const { return m_state.index() == 0; }
    explicit operator bool() const { return ok(); }

    T& operator*() & {
        assert(ok());
        return *std::get_if<0>(&m_state);
    }
    const T& operator*() const& {
        assert(ok());
        return *std::get_if<0>(&m_state);
    }
    T&& operator*() && { return std::move(**this); }
    T* operator->() { return &**this; }
    const T* operator->() const { return &**this; }

    const E& error() const {
        assert(!ok());
        return *std::get_if<1>(&m_state);
    }

private:
    std::variant<T, E> m_state;
};

template <typename E>
class [[nodiscard]] Result<void, E> {
public:
    Result() = default;
    Result(E error) : m_error(std::move(error)), m_failed(true) {}

    bool ok() const { return !m_failed; }
    explicit operator bool() const { return ok(); }

    const E& error() const {
        assert(!ok());
        return m_error;
    }

private:
    E m_error{};
    bool m_failed = false;
};

// What failed in a file operation, in words for the player: the operation, the file and the
// system's reason.
struct IoError {
    std::string message;
    bool missing = false;  // nothing is there under the file's name
};

template <typename T = void>
using IoResult = Result<T, IoError>;

}  // namespace velmor
