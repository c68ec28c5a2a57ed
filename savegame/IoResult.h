// The outcome of a file operation: its value, or why the file could not be used.
#pragma once

#include <cassert>
#include <string>
#include <type_traits>
#include <utility>
#include <variant>

namespace velmor {

// What failed, in words for the player: the operation, the file and the system's reason.
struct IoError {
    std::string message;
};

template <typename T = void>
class [[nodiscard]] IoResult {
public:
    template <typename U = T>
    requires std::is_constructible_v<T, U&&> &&(!std::is_same_v<std::remove_cvref_t<U>, IoError>)&&(
        !std::is_same_v<std::remove_cvref_t<U>, IoResult>)IoResult(U&& value)
        : m_state(std::in_place_type<T>, std::forward<U>(value)) {}
    IoResult(IoError error) : m_state(std::move(error)) {}

    bool ok() const { return std::holds_alternative<T>(m_state); }
    explicit operator bool() const { return ok(); }

    T& operator*() & {
        assert(ok());
        return *std::get_if<T>(&m_state);
    }
    const T& operator*() const& {
        assert(ok());
        return *std::get_if<T>(&m_state);
    }
    T&& operator*() && { return std::move(**this); }
    T* operator->() { return &**this; }
    const T* operator->() const { return &**this; }

    const IoError& error() const {
        assert(!ok());
        return *std::get_if<IoError>(&m_state);
    }

private:
    std::variant<T, IoError> m_state;
};

template <>
class [[nodiscard]] IoResult<void> {
public:
    IoResult() = default;
    IoResult(IoError error) : m_error(std::move(error)), m_failed(true) {}

    bool ok() const { return !m_failed; }
    explicit operator bool() const { return ok(); }

    const IoError& error() const {
        assert(!ok());
        return m_error;
    }

private:
    IoError m_error;
    bool m_failed = false;
};

}  // namespace velmor
