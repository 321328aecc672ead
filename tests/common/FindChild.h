#pragma once

#include <gtest/gtest.h>

#include <QObject>
#include <QString>

// A window's control (or menu item, or timer) found by its object name, as a test
// reaches it; the case fails at the call when the window has no such child.
template <class T>
T* childNamed(const QObject& window, const QString& name)
{
    T* child = window.findChild<T*>(name);
    if (!child)
        ADD_FAILURE() << "no child named " << name.toStdString() << " of the expected type in "
                      << window.objectName().toStdString();
    return child;
}
