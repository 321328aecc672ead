#pragma once

#include <QString>
#include <QStringList>

#include <cstdint>

class Registry;

// Reads one key value from the registry stand-in. False, with keyVal emptied,
// when the value does not exist; the store keeps every value as text, so a number
// arrives as its decimal text.
bool GetKeyValue(const Registry& store, int32_t keyRoot, const QString& keyName, const QString& subKeyRef,
                 QString& keyVal);

// The system-information programs of the usual desktops, tried in this order
// when the registry names none.
QStringList desktopSystemInfoTools();

// The program that shows the system information: the one the registry names
// (its full path, or its folder holding "MSINFO32.EXE"), else the first of tools
// found on searchPaths (the PATH when empty). Empty when there is none.
QString findSystemInfoTool(const Registry& store, const QStringList& tools, const QStringList& searchPaths = {});
