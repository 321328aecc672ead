#pragma once

#include "settings/Prompts.h"

#include <QList>
#include <QStringList>

// Answers the program's boxes from queues a test fills, and records every box.
// An empty queue answers No, Cancel and "" (the input box's Cancel).
class PromptsFake : public Prompts {
public:
    struct Box {
        QString kind;  // "message", "yesNo", "yesNoCancel", "input"
        QString text;
        QString title;
        BoxIcon icon = BoxIcon::None;
        QString defaultText;
    };

    void message(QWidget*, const QString& text, const QString& title, BoxIcon icon) override
    {
        boxes.append({"message", text, title, icon, {}});
    }
    bool yesNo(QWidget*, const QString& text, const QString& title, BoxIcon icon) override
    {
        boxes.append({"yesNo", text, title, icon, {}});
        return !yesNoAnswers.isEmpty() && yesNoAnswers.takeFirst();
    }
    BoxAnswer yesNoCancel(QWidget*, const QString& text, const QString& title, BoxIcon icon) override
    {
        boxes.append({"yesNoCancel", text, title, icon, {}});
        return threeWayAnswers.isEmpty() ? BoxAnswer::Cancel : threeWayAnswers.takeFirst();
    }
    QString inputBox(QWidget*, const QString& prompt, const QString& title, const QString& defaultText) override
    {
        boxes.append({"input", prompt, title, BoxIcon::None, defaultText});
        return inputAnswers.isEmpty() ? QString() : inputAnswers.takeFirst();
    }

    QStringList texts() const
    {
        QStringList all;
        for (const Box& b : boxes)
            all.append(b.text);
        return all;
    }

    QList<bool> yesNoAnswers;
    QList<BoxAnswer> threeWayAnswers;
    QStringList inputAnswers;
    QList<Box> boxes;
};
