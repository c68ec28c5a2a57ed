#include "editor/DataExchange.h"

#include "party/NumberText.h"

namespace velmor {
namespace {

std::optional<std::uint32_t> Parse(std::string_view text, std::uint32_t*) {
    return ParseUnsigned(text);
}

std::optional<std::int32_t> Parse(std::string_view text, std::int32_t*) {
    return ParseSigned(text);
}

}  // namespace

void DataExchange::bind(std::string& value, int id) {
    m_bindings.push_back({id,
                          [this, &value, id] {
                              value = m_view.text(id);
                              return true;
                          },
                          [this, &value, id] { m_view.setText(id, value); }});
}

void DataExchange::bindPicked(std::string& value, int id) {
    m_bindings.push_back({id,
                          [this, &value, id] {
                              value = m_view.text(id);
                              return true;
                          },
                          [] {}});
}

template <typename Number>
void DataExchange::bindNumber(Number& value, int id) {
    m_bindings.push_back({id,
                          [this, &value, id] {
                              const auto parsed = Parse(m_view.text(id), &value);
                              if (parsed) {
                                  value = *parsed;
                              }
                              return parsed.has_value();
                          },
                          [this, &value, id] { m_view.setText(id, std::to_string(value)); }});
}

void DataExchange::bind(std::uint32_t& value, int id) {
    bindNumber(value, id);
}

void DataExchange::bind(std::int32_t& value, int id) {
    bindNumber(value, id);
}

std::vector<int> DataExchange::take() {
    std::vector<int> refused;
    for (const Binding& binding : m_bindings) {
        if (!binding.take()) {
            refused.push_back(binding.id);
        }
    }
    return refused;
}

void DataExchange::show() const {
    for (const Binding& binding : m_bindings) {
        binding.show();
    }
}

void DataExchange::show(int id) const {
    for (const Binding& binding : m_bindings) {
        if (binding.id == id) {
            binding.show();
        }
    }
}

}  // namespace velmor
