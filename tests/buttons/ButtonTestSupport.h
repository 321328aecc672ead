#pragma once

#include "buttons/ButtonContainer.h"
#include "buttons/StyledButton.h"

#include <QStringList>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

#include <memory>
#include <ostream>

inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

inline ButtonPicture testBitmap(int width = 24, int height = 24)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::green);
    return ButtonPicture::bitmap(image);
}

inline ButtonPicture testIcon()
{
    QImage image(16, 16, QImage::Format_ARGB32);
    image.fill(Qt::black);
    return ButtonPicture::icon(image);
}

// Logs every event a button raises, one line each, with the button's name when
// several buttons share one recorder.
class EventRecorder {
public:
    // The hover events are left out unless asked for: mouse tests pass over buttons.
    void watch(StyledButton* button, bool named = false, bool hover = false)
    {
        const QString prefix = named ? button->objectName() + " " : QString();
        auto add = [this, prefix](const QString& line) { log_ << prefix + line; };
        auto xy = [](float x, float y) { return QString::number(x) + " " + QString::number(y); };
        QObject::connect(button, &StyledButton::MouseDown, [=](int b, int s, float x, float y) {
            add(QString("MouseDown %1 %2 %3").arg(b).arg(s).arg(xy(x, y)));
        });
        QObject::connect(button, &StyledButton::MouseUp, [=](int b, int s, float x, float y) {
            add(QString("MouseUp %1 %2 %3").arg(b).arg(s).arg(xy(x, y)));
        });
        QObject::connect(button, &StyledButton::KeyDown,
                         [=](int k, int s) { add(QString("KeyDown %1 %2").arg(k).arg(s)); });
        QObject::connect(button, &StyledButton::KeyPress, [=](int k) { add(QString("KeyPress %1").arg(k)); });
        QObject::connect(button, &StyledButton::KeyUp,
                         [=](int k, int s) { add(QString("KeyUp %1 %2").arg(k).arg(s)); });
        if (hover) {
            QObject::connect(button, &StyledButton::MouseOnButton,
                             [=](bool on) { add(QString("MouseOnButton %1").arg(on)); });
        }
        // A click handler reads the value the click left.
        QObject::connect(button, &StyledButton::Click,
                         [=] { add(button->Mode() == 0 ? QString("Click") : QString("Click %1").arg(button->Value())); });
        QObject::connect(button, &StyledButton::DoubleClick,
                         [=](int b) { add(QString("DoubleClick %1").arg(b)); });
    }
    void watchMoves(StyledButton* button)
    {
        QObject::connect(button, &StyledButton::MouseMove, [this](int b, int s, float, float) {
            log_ << QString("MouseMove %1 %2").arg(b).arg(s);
        });
    }

    QStringList take()
    {
        QStringList out = log_;
        log_.clear();
        return out;
    }
    const QStringList& log() const { return log_; }

private:
    QStringList log_;
};

// A container that can be put into design mode and keeps what it is told.
class RecordingContainer : public QWidget, public ButtonContainer {
public:
    explicit RecordingContainer(QWidget* parent = nullptr) : QWidget(parent) {}
    QWidget* containerWidget() const override { return const_cast<RecordingContainer*>(this); }
    bool designing() const override { return designing_; }
    void showDesignMessage(const QString& text) override { messages << text; }
    void propertyChanged(StyledButton&, const QString& key) override { changed << key; }

    bool designing_ = false;
    QStringList messages;
    QStringList changed;
};

// A shown, active top-level window for tests that need focus, shortcuts or the cursor.
class ShownWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        window = std::make_unique<QWidget>();
        window->resize(400, 300);
    }
    void show()
    {
        window->show();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }
    StyledButton* addButton(QWidget* parent, const QString& name, const PropertyBag& design, QRect geometry)
    {
        StyledButton* b = createStyledButton(parent, ButtonDesign{name, geometry, design});
        b->show();
        return b;
    }
    QPoint inWindow(QWidget* w, QPoint at = QPoint(-1, -1)) const
    {
        return w->mapTo(window.get(), at == QPoint(-1, -1) ? w->rect().center() : at);
    }
    void click(QWidget* w, Qt::MouseButton button = Qt::LeftButton, Qt::KeyboardModifiers mods = {})
    {
        QTest::mouseClick(window->windowHandle(), button, mods, inWindow(w));
    }

    std::unique_ptr<QWidget> window;
};
