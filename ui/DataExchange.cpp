#include "ui/DataExchange.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

#include "party/NumberText.h"
#include "ui/NumberField.h"

namespace velmor {
namespace {

// Writing only what differs keeps the cursor where the player is typing.
template <typename Control>
void ShowText(Control& control, const QString& text) {
    if (control.text() != text) {
        control.setText(text);
    }
}

template <typename Number>
bool TakeNumber(Number& value, const NumberField& field,
                std::optional<Number> (*parse)(std::string_view)) {
    const auto parsed = parse(field.text().toStdString());
    if (parsed) {
        value = *parsed;
    }
    return parsed.has_value();
}

}  // namespace

void DataExchange::bind(QString& value, QComboBox& list) {
    m_bindings.push_back({[&value, &list] {
                              value = list.currentIndex() < 0 ? QString() : list.currentText();
                              return true;
                          },
                          [] {}});
}

void DataExchange::bind(QString& value, QLineEdit& field) {
    m_bindings.push_back({[&value, &field] {
                              value = field.text();
                              return true;
                          },
                          [&value, &field] { ShowText(field, value); }});
}

void DataExchange::bind(QString& value, QLabel& panel) {
    m_bindings.push_back({[&value, &panel] {
                              value = panel.text();
                              return true;
                          },
                          [&value, &panel] { ShowText(panel, value); }});
}

void DataExchange::bind(std::uint32_t& value, NumberField& field) {
    m_bindings.push_back({[&value, &field] { return TakeNumber(value, field, &ParseUnsigned); },
                          [&value, &field] { ShowText(field, QString::number(value)); }, &field});
}

void DataExchange::bind(std::int32_t& value, NumberField& field) {
    m_bindings.push_back({[&value, &field] { return TakeNumber(value, field, &ParseSigned); },
                          [&value, &field] { ShowText(field, QString::number(value)); }, &field});
}

std::vector<NumberField*> DataExchange::take() {
    std::vector<NumberField*> refused;
    for (const Binding& binding : m_bindings) {
        if (!binding.take()) {
            refused.push_back(binding.field);
        }
    }
    return refused;
}

void DataExchange::show() const {
    for (const Binding& binding : m_bindings) {
        binding.show();
    }
}

void DataExchange::show(const NumberField& field) const {
    for (const Binding& binding : m_bindings) {
        if (binding.field == &field) {
            binding.show();
        }
    }
}

}  // namespace velmor
