#include "capture/FrmMessage.h"

#include "platform/gdi/Twips.h"

#include <QEvent>
#include <QFontMetrics>
#include <QLabel>
#include <QPainter>
#include <QTimer>

#include <algorithm>

FrmMessage::FrmMessage(SettingsModel& settings, QWidget* mainWindow)
    : QWidget(mainWindow, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus
                              | Qt::WindowTransparentForInput),
      s_(settings),
      main_(mainWindow)
{
    setObjectName("FrmMessage");
    setAttribute(Qt::WA_DeleteOnClose);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAutoFillBackground(true);
    setFocusPolicy(Qt::NoFocus);
    setFixedSize(platform::twipsToPixelsCeil(4035), platform::twipsToPixelsCeil(435));

    lblMessage = new QLabel(this);
    lblMessage->setObjectName("lblMessage");
    lblMessage->setGeometry(platform::twipsToPixels(60), platform::twipsToPixels(60),
                            platform::twipsToPixels(3915), platform::twipsToPixels(300));
    QFont font("MS Sans Serif");
    font.setPointSizeF(9.75);
    font.setBold(true);
    lblMessage->setFont(font);

    Timer1 = new QTimer(this);
    Timer1->setObjectName("Timer1");
    Timer1->setInterval(1000);
    connect(Timer1, &QTimer::timeout, this, &FrmMessage::Timer1_Timer);
    Timer1->start();
}

void FrmMessage::showNotice(const QString& text)
{
    lblMessage->setText(text);
    // The window is named by its notice: window lists and screen readers tell it
    // even while the program waits after showing it.
    setWindowTitle(text);
    fitText(text);
    show();
    placeAndSuppress();
}

void FrmMessage::fitText(const QString& text)
{
    // The design width holds the usual texts; a longer one widens the window
    // instead of being cut off, and a shorter one brings the design width back.
    const int designLabel = platform::twipsToPixels(3915);
    const int label = std::max(designLabel, QFontMetrics(lblMessage->font()).horizontalAdvance(text));
    lblMessage->resize(label, lblMessage->height());
    setFixedSize(platform::twipsToPixelsCeil(4035) + label - designLabel, height());
}

QPoint FrmMessage::placement(const QRect& mainFrame)
{
    return {mainFrame.left() + static_cast<int>(mainFrame.width() / 2.8),
            mainFrame.top() + static_cast<int>(mainFrame.height() / 2.3)};
}

void FrmMessage::placeAndSuppress()
{
    if (s_.NoInfoDialog != 0)
        hide();
    if (main_)
        move(placement(main_->frameGeometry()));
}

void FrmMessage::Form_Activate()
{
    placeAndSuppress();
}

void FrmMessage::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        Form_Activate();
    QWidget::changeEvent(event);
}

void FrmMessage::paintEvent(QPaintEvent*)
{
    // Without a title bar the edge tells the notice from the window below it.
    QPainter p(this);
    p.setPen(palette().color(QPalette::WindowText));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
}

void FrmMessage::Timer1_Timer()
{
    if (extraTicks_ > 0) {
        --extraTicks_;
        return;
    }
    if (s_.MessageHold == 0)
        close();
}
