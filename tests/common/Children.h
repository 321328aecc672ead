#pragma once

// A window's controls reached by their object names, as a user's tools reach them.
#include <QObject>
#include <QString>

#include <gtest/gtest.h>

// The child of `parent` (at any depth) named `name`, as a T. A window that has no
// such control fails the case at the calling line and gives nullptr.
template <class T>
T* child(const QObject& parent, const QString& name)
{
    T* found = parent.findChild<T*>(name);
    if (!found)
        ADD_FAILURE() << "no " << T::staticMetaObject.className() << " named " << name.toStdString() << " in "
                      << parent.objectName().toStdString();
    return found;
}

template <class T>
T* child(const QObject& parent, const char* name)
{
    return child<T>(parent, QString::fromLatin1(name));
}

// An element of a control array: `name`_`index` ("OptSaveChoice_2", "mnudevices_1").
template <class T>
T* child(const QObject& parent, const char* name, int index)
{
    return child<T>(parent, QStringLiteral("%1_%2").arg(QLatin1String(name)).arg(index));
}
