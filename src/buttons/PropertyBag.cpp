#include "buttons/PropertyBag.h"

PropertyBag::PropertyBag(std::initializer_list<std::pair<QString, QVariant>> values)
{
    for (const auto& [name, value] : values)
        write(name, value);
}

int PropertyBag::indexOf(QAnyStringView name) const
{
    for (size_t i = 0; i < values_.size(); ++i) {
        if (QAnyStringView::compare(values_[i].first, name, Qt::CaseInsensitive) == 0)
            return static_cast<int>(i);
    }
    return -1;
}

QVariant PropertyBag::read(QAnyStringView name, const QVariant& defaultValue) const
{
    const int i = indexOf(name);
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

bool PropertyBag::contains(const QString& name) const { return indexOf(name) >= 0; }

void PropertyBag::remove(const QString& name)
{
    const int i = indexOf(name);
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
