#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>

#include <initializer_list>
#include <utility>
#include <vector>

// A stored design of one control: named values, names matched without regard to
// case and kept in lower case, in the order they were written. A value equal to
// the default it is written with is left out, so reading a missing name yields
// that default again.
class PropertyBag {
public:
    PropertyBag() = default;
    // A design table entry by entry, as a window lists its buttons' designs.
    PropertyBag(std::initializer_list<std::pair<QString, QVariant>> values);

    // Names are matched without regard to case, a name written in the code without
    // making a string of it.
    QVariant read(QAnyStringView name, const QVariant& defaultValue = {}) const;
    // Without a default the value is always stored.
    void write(const QString& name, const QVariant& value, const QVariant& defaultValue = {});
    bool contains(const QString& name) const;
    void remove(const QString& name);

    // The stored names, lower case, in writing order.
    QStringList keys() const;
    int size() const { return static_cast<int>(values_.size()); }
    bool isEmpty() const { return values_.empty(); }

    friend bool operator==(const PropertyBag& a, const PropertyBag& b) { return a.values_ == b.values_; }

private:
    int indexOf(QAnyStringView name) const;

    std::vector<std::pair<QString, QVariant>> values_;
};
