#pragma once

#include "platform/base/Result.h"

#include <QList>
#include <QLoggingCategory>
#include <QString>
#include <QStringList>

#include <mutex>

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

    // Points pointer at the function of that name; false when no library has it.
    template <typename Pointer>
    bool resolve(Pointer& pointer, const char* name) const
    {
        pointer = reinterpret_cast<Pointer>(find(name));
        return pointer != nullptr;
    }

private:
    QList<void*> handles_;  // never closed: the libraries stay for the program's life
};

// The functions a part of the program calls in libraries it opens at their first use.
// The first load() opens the libraries and finds every function; it and every later
// call give the same outcome, and a failure is logged once under the part's category.
template <typename Functions>
class LazyFunctions {
public:
    // find fills the functions from the open libraries and names the first it misses.
    using Finder = QString (*)(const SharedLibraries& libraries, Functions& functions);

    LazyFunctions(QString what, QStringList libraries, Finder find, const QLoggingCategory& (*category)())
        : what_(std::move(what)), names_(std::move(libraries)), find_(find), category_(category)
    {}

    Result load()
    {
        std::call_once(once_, [this] {
            QString reason;
            if (!libraries_.open(names_, reason))
                result_ = Result::failure(what_ + QStringLiteral(" cannot be loaded: ") + reason);
            else if (const QString missing = find_(libraries_, functions_); !missing.isEmpty())
                result_ = Result::failure(what_ + QStringLiteral(" has no function ") + missing);
            if (!result_)
                qCWarning(category_).noquote() << result_.reason;
        });
        return result_;
    }

    // The functions, loaded at the first call.
    const Functions& functions()
    {
        load();
        return functions_;
    }

private:
    QString what_;
    QStringList names_;
    Finder find_;
    const QLoggingCategory& (*category_)();
    std::once_flag once_;
    SharedLibraries libraries_;
    Functions functions_;
    Result result_;
};

}  // namespace platform
