// The window's bound values and their controls: every value is taken from its control, or written
// into it, in the one order in which the values were bound.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "editor/View.h"

namespace velmor {

class DataExchange {
public:
    explicit DataExchange(View& view) : m_view(view) {}

    void bind(std::string& value, int id);
    // The text of a list's picked entry. It is never written back, so that of two characters with
    // the same name the one picked stays picked.
    void bindPicked(std::string& value, int id);
    void bind(std::uint32_t& value, int id);
    void bind(std::int32_t& value, int id);

    // Takes every value from its control. A number field that does not hold a number keeps its
    // old value and is answered, in binding order; the others are taken all the same, so that no
    // edit depends on the order of the fields.
    std::vector<int> take();

    // Writes every value into its control: numbers as plain digits.
    void show() const;
    // Writes the value bound to this control alone.
    void show(int id) const;

private:
    struct Binding {
        int id;
        std::function<bool()> take;  // false when the control's text is no number
        std::function<void()> show;
    };
    template <typename Number>
    void bindNumber(Number& value, int id);

    View& m_view;
    std::vector<Binding> m_bindings;
};

}  // namespace velmor
