#pragma once

#include "records.h"

#include <QString>
#include <QStringView>

#include <cstdint>
#include <optional>
#include <string_view>
#include <variant>

namespace zorvex {

// One integer field of a record, whatever its width and signedness, found by its configuration
// file key through the record's field descriptions.
class FieldRef {
public:
    using Pointer = std::variant<std::int8_t*, std::uint8_t*, std::int16_t*, std::uint16_t*>;

    explicit FieldRef(Pointer field) : m_field(field) {}

    // The value with its sign: a signed byte holding 0xF6 is -10, an unsigned one 246.
    std::int64_t Get() const;
    // Stores `value` when it fits the field's width (see FitToField); false leaves the field.
    bool Set(std::int64_t value) const;
    // The value `text` gives this field: an integer that fits its width (see ParseFieldValue).
    std::optional<std::int64_t> Parse(QStringView text) const;
    // The decimal text the configuration file holds.
    QString Text() const { return QString::number(Get()); }

private:
    Pointer m_field;
};

// The field of `record` whose key (stem and channel digit for per-channel arrays) is `key`,
// compared exactly; empty when the record has no such field.
template <class R> std::optional<FieldRef> FindField(R& record, std::string_view key) {
    std::optional<FieldRef> found;
    visitFields(record, [&](const FieldName& name, std::size_t, auto& value) {
        if (found || !name.matches(key))
            return;
        found.emplace(FieldRef::Pointer(&value));
    });
    return found;
}

} // namespace zorvex
