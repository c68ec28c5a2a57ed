// The window's bound values and their controls: every value is taken from its control, or written
// into it, in the one order in which the values were bound.
#pragma once

#include <QString>
#include <cstdint>
#include <functional>
#include <vector>

class QComboBox;
class QLabel;
class QLineEdit;

namespace velmor {

class NumberField;

class DataExchange {
public:
    // The text of the selected entry. Writing leaves the selection alone, so that of two
    // characters with the same name the one picked stays picked.
    void bind(QString& value, QComboBox& list);
    void bind(QString& value, QLineEdit& field);
    void bind(QString& value, QLabel& panel);
    void bind(std::uint32_t& value, NumberField& field);
    void bind(std::int32_t& value, NumberField& field);

    // Takes every value from its control. A number field that does not hold a number keeps its
    // old value and is answered, in binding order; the others are taken all the same, so that no
    // edit depends on the order of the fields.
    std::vector<NumberField*> take();

    // Writes every value into its control: numbers as plain digits.
    void show() const;
    // Writes the value bound to this field alone.
    void show(const NumberField& field) const;

private:
    struct Binding {
        std::function<bool()> take;  // false when the control's text is no number
        std::function<void()> show;
        NumberField* field = nullptr;
    };
    std::vector<Binding> m_bindings;
};

}  // namespace velmor
