#include "fieldref.h"

#include "fieldvalue.h"

namespace zorvex {

std::int64_t FieldRef::Get() const {
    return std::visit([](auto* field) { return static_cast<std::int64_t>(*field); }, m_field);
}

bool FieldRef::Set(std::int64_t value) const {
    return std::visit(
        [value](auto* field) {
            const auto fitted = FitToField<std::remove_pointer_t<decltype(field)>>(value);
            if (fitted)
                *field = *fitted;
            return fitted.has_value();
        },
        m_field);
}

std::optional<std::int64_t> FieldRef::Parse(QStringView text) const {
    return std::visit(
        [text](auto* field) -> std::optional<std::int64_t> {
            if (const auto value = ParseFieldValue<std::remove_pointer_t<decltype(field)>>(text))
                return static_cast<std::int64_t>(*value);
            return std::nullopt;
        },
        m_field);
}

} // namespace zorvex
