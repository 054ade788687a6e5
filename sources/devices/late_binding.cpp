#include "late_binding.h"

#include <QMetaMethod>
#include <QMetaProperty>

#include <array>
#include <limits>

namespace tessarin {
namespace {

// QMetaMethod::invoke takes at most ten arguments.
constexpr qsizetype kMostArguments = 10;

std::optional<QMetaMethod> FindMethod(const QMetaObject* meta, const char* name, qsizetype argumentCount)
{
    for (int i = 0; i < meta->methodCount(); ++i) {
        const QMetaMethod method = meta->method(i);
        const bool callable = method.methodType() == QMetaMethod::Method || method.methodType() == QMetaMethod::Slot;
        if (callable && method.access() == QMetaMethod::Public && method.name() == name &&
            method.parameterCount() == argumentCount)
            return method;
    }
    return std::nullopt;
}

// The type a parameter takes. Reference parameters ("qint16&", a value the
// callee may change) have no meta type of their own; their value type does.
QMetaType ParameterType(const QMetaMethod& method, int index)
{
    const QMetaType type = method.parameterMetaType(index);
    if (type.isValid())
        return type;
    QByteArray name = method.parameterTypeName(index);
    if (!name.endsWith('&') || name.startsWith("const "))
        return type;
    name.chop(1);
    return QMetaType::fromName(name);
}

std::optional<QVariant> Invoke(QObject* object, const QMetaMethod& method, QVariantList& arguments)
{
    std::array<QGenericArgument, kMostArguments> generic{};
    // The arguments point into these names: they must outlive the call.
    std::array<QByteArray, kMostArguments> typeNames{};
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const auto index = static_cast<int>(i);
        const QMetaType type = ParameterType(method, index);
        if (!type.isValid() || !arguments[i].convert(type))
            return std::nullopt;
        // invoke() only asks for a non-empty name; the method reads the data
        // as its own parameter type, which the conversion made it.
        const auto slot = static_cast<std::size_t>(i);
        typeNames[slot] = method.parameterTypeName(index);
        generic[slot] = QGenericArgument(typeNames[slot].constData(), arguments[i].data());
    }
    const QMetaType returnType = method.returnMetaType();
    QVariant result;
    QGenericReturnArgument returned;
    if (returnType == QMetaType::fromType<QVariant>()) {
        returned = QGenericReturnArgument(method.typeName(), &result);
    } else if (returnType.isValid() && returnType.id() != QMetaType::Void) {
        result = QVariant(returnType);
        returned = QGenericReturnArgument(method.typeName(), result.data());
    }
    const bool called = method.invoke(object, Qt::DirectConnection, returned, generic[0], generic[1], generic[2],
                                      generic[3], generic[4], generic[5], generic[6], generic[7], generic[8],
                                      generic[9]);
    if (!called)
        return std::nullopt;
    return result;
}

} // namespace

QVariant GetMember(QObject* object, const char* name) noexcept
{
    try {
        if (object == nullptr)
            return {};
        return object->property(name);
    } catch (...) {
        return {};
    }
}

bool LetMember(QObject* object, const char* name, const QVariant& value) noexcept
{
    try {
        if (object == nullptr)
            return false;
        const QMetaObject* meta = object->metaObject();
        const int index = meta->indexOfProperty(name);
        if (index < 0 || !meta->property(index).isWritable())
            return false;
        return object->setProperty(name, value);
    } catch (...) {
        return false;
    }
}

std::optional<QVariant> CallMember(QObject* object, const char* name, QVariantList arguments) noexcept
{
    try {
        if (object == nullptr || arguments.size() > kMostArguments)
            return std::nullopt;
        const auto method = FindMethod(object->metaObject(), name, arguments.size());
        if (!method)
            return std::nullopt;
        return Invoke(object, *method, arguments);
    } catch (...) {
        return std::nullopt;
    }
}

bool IsTrue(const QVariant& value)
{
    if (value.typeId() == QMetaType::Bool)
        return value.toBool();
    const auto integer = IntegerOf(value);
    return integer && *integer != 0;
}

std::optional<long long> IntegerOf(const QVariant& value)
{
    switch (value.typeId()) {
    case QMetaType::Char:
    case QMetaType::SChar:
    case QMetaType::UChar:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Long:
    case QMetaType::LongLong:
        return value.toLongLong();
    case QMetaType::ULong:
    case QMetaType::ULongLong: {
        const qulonglong unsignedValue = value.toULongLong();
        if (unsignedValue > static_cast<qulonglong>(std::numeric_limits<long long>::max()))
            return std::nullopt;
        return static_cast<long long>(unsignedValue);
    }
    default:
        return std::nullopt;
    }
}

QObject* ObjectOf(const QVariant& value)
{
    if (!value.isValid() || !(value.metaType().flags() & QMetaType::PointerToQObject))
        return nullptr;
    return *static_cast<QObject* const*>(value.constData());
}

} // namespace tessarin
