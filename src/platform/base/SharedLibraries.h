#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <dlfcn.h>

namespace platform {

// Libraries opened when they are first needed, not with the program: a library the
// start-up does not use (and everything it pulls in) is then not loaded at every
// start. Once open they stay loaded for the program's life, as linked ones do.
class SharedLibraries {
public:
    // Opens each library by its file name (the versioned name the program was built
    // against). False, with the loader's reason, when one cannot be opened.
    bool open(const QStringList& names, QString& reason)
    {
        for (const QString& name : names) {
            void* handle = ::dlopen(name.toLocal8Bit().constData(), RTLD_NOW | RTLD_LOCAL);
            if (!handle) {
                const char* error = ::dlerror();
                reason = error ? QString::fromLocal8Bit(error) : QStringLiteral("cannot open ") + name;
                return false;
            }
            handles_.append(handle);
        }
        return true;
    }

    // The address of a function of one of the libraries, or null.
    void* find(const char* name) const
    {
        for (void* handle : handles_)
            if (void* address = ::dlsym(handle, name))
                return address;
        return nullptr;
    }

private:
    QList<void*> handles_;  // never closed: the libraries stay for the program's life
};

}  // namespace platform
