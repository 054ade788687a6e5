#pragma once
// Reaching a component's members by name, the way the components were
// called where they came from: through Qt's meta-object system. A member
// that is missing, takes other arguments, or fails (returns nothing usable,
// or throws) gives no value; nothing here throws.
#include <QObject>
#include <QVariant>
#include <QVariantList>

#include <optional>

namespace tessarin {

// A property's value; invalid when there is no such property.
QVariant GetMember(QObject* object, const char* name) noexcept;

// Sets a declared, writable property. Never creates one: a dynamic property
// "Connected" set here would read back as a device that answered.
bool LetMember(QObject* object, const char* name, const QVariant& value) noexcept;

// Calls the public method `name` that takes as many arguments as given,
// each converted to its parameter's type (a reference parameter gets the
// converted value's address). Its result, an invalid QVariant for a void
// method; nothing when there is no such method, an argument does not
// convert, or the call fails or throws.
std::optional<QVariant> CallMember(QObject* object, const char* name, QVariantList arguments) noexcept;

// True for a Boolean true or a non-zero integer; everything else (null,
// missing, text, a real number) is false.
bool IsTrue(const QVariant& value);

// The value of an integer of any width or signedness.
std::optional<long long> IntegerOf(const QVariant& value);

// The object a QObject-pointer property holds; nullptr otherwise.
QObject* ObjectOf(const QVariant& value);

} // namespace tessarin
