#include "buttons/PropertyBag.h"

PropertyBag::PropertyBag(std::initializer_list<std::pair<QString, QVariant>> values)
{
    for (const auto& [name, value] : values)
        write(name, value);
}

int PropertyBag::indexOf(const QString& lowerName) const
{
    for (size_t i = 0; i < values_.size(); ++i) {
        if (values_[i].first == lowerName)
            return static_cast<int>(i);
    }
    return -1;
}

int PropertyBag::indexOfAscii(QLatin1StringView name) const
{
    for (size_t i = 0; i < values_.size(); ++i) {
        if (values_[i].first.compare(name, Qt::CaseInsensitive) == 0)
            return static_cast<int>(i);
    }
    return -1;
}

QVariant PropertyBag::read(const QString& name, const QVariant& defaultValue) const
{
    const int i = indexOf(name.toLower());
    return i < 0 ? defaultValue : values_[size_t(i)].second;
}

QVariant PropertyBag::read(const char* name, const QVariant& defaultValue) const
{
    const int i = indexOfAscii(QLatin1StringView(name));
    return i < 0 ? defaultValue : values_[size_t(i)].second;
}

void PropertyBag::write(const QString& name, const QVariant& value, const QVariant& defaultValue)
{
    const QString key = name.toLower();
    if (defaultValue.isValid() && value == defaultValue) {
        remove(key);
        return;
    }
    const int i = indexOf(key);
    if (i < 0)
        values_.emplace_back(key, value);
    else
        values_[size_t(i)].second = value;
}

bool PropertyBag::contains(const QString& name) const { return indexOf(name.toLower()) >= 0; }

void PropertyBag::remove(const QString& name)
{
    const int i = indexOf(name.toLower());
    if (i >= 0)
        values_.erase(values_.begin() + i);
}

QStringList PropertyBag::keys() const
{
    QStringList out;
    for (const auto& entry : values_)
        out << entry.first;
    return out;
}
