#pragma once

#include <QString>

#include <memory>

class QWidget;

// The program's message and input boxes. Windows ask through this so that tests
// can answer them; the program uses the desktop's boxes (makeWindowPrompts).
// An empty title means the program's own name, as a box without a title of its
// own showed.
enum class BoxIcon { None, Information, Exclamation, Critical };
enum class BoxAnswer { Ok, Yes, No, Cancel };

class Prompts {
public:
    virtual ~Prompts() = default;
    // An OK-only box.
    virtual void message(QWidget* owner, const QString& text, const QString& title, BoxIcon icon) = 0;
    // A Yes/No box; true for Yes.
    virtual bool yesNo(QWidget* owner, const QString& text, const QString& title, BoxIcon icon) = 0;
    // A Yes/No/Cancel box; closing it answers Cancel.
    virtual BoxAnswer yesNoCancel(QWidget* owner, const QString& text, const QString& title, BoxIcon icon) = 0;
    // A one-line input box; "" when it is cancelled.
    virtual QString inputBox(QWidget* owner, const QString& prompt, const QString& title,
                             const QString& defaultText) = 0;
};

std::unique_ptr<Prompts> makeWindowPrompts();
