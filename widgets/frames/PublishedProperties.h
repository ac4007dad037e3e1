// PublishedProperties.h - properties a control offers by name, for the
// components that set settings by property name (the frame controller).
//
//   TOrdinalProperty      a getter and a setter on the property's ordinal value
//   IPublishedProperties  finds a property by its published name
//
// An ordinal value is a colour, a Boolean (0 or 1), an enumeration's number
// or a set's bits (value n at bit n).
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string_view>

struct TOrdinalProperty {
    std::function<int64_t()> Get;
    std::function<void(int64_t)> Set;
};

class IPublishedProperties {
public:
    // The property published under name (without regard to case), or none.
    virtual std::optional<TOrdinalProperty> PublishedProperty(std::string_view name) = 0;

protected:
    ~IPublishedProperties() = default;
};
