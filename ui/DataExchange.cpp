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

NumberField* DataExchange::take() {
    for (const Binding& binding : m_bindings) {
        if (!binding.take()) {
            return binding.field;
        }
    }
    return nullptr;
}

void DataExchange::show() const {
    for (const Binding& binding : m_bindings) {
        binding.show();
    }
}

}  // namespace velmor
