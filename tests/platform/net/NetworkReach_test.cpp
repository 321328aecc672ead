#include "platform/net/NetworkReach.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusError>
#include <QDBusServer>
#include <QObject>
#include <QThread>
#include <QUuid>

#include <gtest/gtest.h>

#include <memory>
#include <optional>

using platform::DesktopReach;

TEST(NetworkReach, OnlyADisconnectedDesktopStopsADownloadFromAnotherMachine)
{
    struct Case {
        DesktopReach reach;
        const char* address;
        bool worth;
    };
    const Case cases[] = {
        {DesktopReach::NoAnswer, "https://www.vykondrelsoft.example/tolvex/dversion.ver", true},
        {DesktopReach::Connected, "https://www.vykondrelsoft.example/tolvex/dversion.ver", true},
        {DesktopReach::Disconnected, "https://www.vykondrelsoft.example/tolvex/dversion.ver", false},
        {DesktopReach::Disconnected, "http://127.0.0.1:8080/dversion.ver", true},
        {DesktopReach::Disconnected, "http://127.8.9.10/dversion.ver", true},
        {DesktopReach::Disconnected, "http://127.1/dversion.ver", true},
        {DesktopReach::Disconnected, "http://LocalHost:81/dversion.ver", true},
        {DesktopReach::Disconnected, "http://[::1]:81/dversion.ver", true},
        {DesktopReach::Disconnected, "http://[::ffff:127.0.0.1]/dversion.ver", true},
        {DesktopReach::Disconnected, "http://[::ffff:128.0.0.1]/dversion.ver", false},
        {DesktopReach::Disconnected, "http://[::2]/dversion.ver", false},
        {DesktopReach::Disconnected, "http://128.0.0.1/dversion.ver", false},
        {DesktopReach::Disconnected, "http://127.example/dversion.ver", false},
        {DesktopReach::Disconnected, "http://localhost.vykondrelsoft.example/", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(platform::worthTrying(c.reach, QUrl(c.address)), c.worth) << c.address;
}

TEST(NetworkReach, NetworkManagerStatesMeanDisconnectedConnectedOrNothing)
{
    struct Case {
        uint state;
        DesktopReach reach;
    };
    const Case cases[] = {
        {0, DesktopReach::NoAnswer},       {10, DesktopReach::Disconnected}, {20, DesktopReach::Disconnected},
        {30, DesktopReach::Disconnected},  {40, DesktopReach::Disconnected}, {50, DesktopReach::Connected},
        {60, DesktopReach::Connected},     {70, DesktopReach::Connected},    {15, DesktopReach::NoAnswer},
        {80, DesktopReach::NoAnswer},
    };
    for (const Case& c : cases)
        EXPECT_EQ(platform::reachFromNetworkManagerState(c.state), c.reach) << c.state;
}

namespace {

// Answers as NetworkManager does: its "State" property on its object.
class FakeNetworkManager : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.NetworkManager")
    Q_PROPERTY(uint State READ state)

public:
    explicit FakeNetworkManager(uint state) : state_(state) {}
    uint state() const { return state_; }

private:
    uint state_;
};

// A D-Bus peer on a thread of its own (the question blocks the asking thread), which
// exports the fake at NetworkManager's path, or nothing.
class NetworkManagerPeer {
public:
    explicit NetworkManagerPeer(std::optional<uint> state)
    {
        home_.moveToThread(&thread_);
        thread_.start();
        QMetaObject::invokeMethod(
            &home_,
            [this, state] {
                server_ = std::make_unique<QDBusServer>(QStringLiteral("unix:tmpdir=/tmp"));
                QObject::connect(server_.get(), &QDBusServer::newConnection, server_.get(),
                    [this, state](const QDBusConnection& connection) {
                        QDBusConnection peer(connection);
                        if (state) {
                            fake_ = std::make_unique<FakeNetworkManager>(*state);
                            peer.registerObject(QStringLiteral("/org/freedesktop/NetworkManager"), fake_.get(),
                                QDBusConnection::ExportAllProperties);
                        }
                    });
                address_ = server_->address();
            },
            Qt::BlockingQueuedConnection);
    }
    ~NetworkManagerPeer()
    {
        QMetaObject::invokeMethod(
            &home_, [this] { fake_.reset(); server_.reset(); }, Qt::BlockingQueuedConnection);
        thread_.quit();
        thread_.wait();
    }
    QString address() const { return address_; }

private:
    QThread thread_;
    QObject home_;
    std::unique_ptr<QDBusServer> server_;
    std::unique_ptr<FakeNetworkManager> fake_;
    QString address_;
};

}  // namespace

TEST(NetworkReach, TheDesktopsAnswerComesFromNetworkManagersState)
{
    struct Case {
        std::optional<uint> state;
        DesktopReach reach;
    };
    const Case cases[] = {
        {20u, DesktopReach::Disconnected},
        {70u, DesktopReach::Connected},
        {0u, DesktopReach::NoAnswer},
        {std::nullopt, DesktopReach::NoAnswer},  // the peer has no such object
    };
    for (const Case& c : cases) {
        NetworkManagerPeer peer(c.state);
        const QString name = QUuid::createUuid().toString(QUuid::WithoutBraces);
        {
            const QDBusConnection bus = QDBusConnection::connectToPeer(peer.address(), name);
            ASSERT_TRUE(bus.isConnected()) << bus.lastError().message().toStdString();
            EXPECT_EQ(platform::desktopReach(bus, QStringLiteral("org.freedesktop.NetworkManager")), c.reach)
                << (c.state ? int(*c.state) : -1);
        }
        QDBusConnection::disconnectFromPeer(name);
    }
    // No connection at all says nothing either.
    EXPECT_EQ(platform::desktopReach(QDBusConnection(QStringLiteral("none")), QStringLiteral("org.freedesktop.NetworkManager")),
        DesktopReach::NoAnswer);
}

#include "NetworkReach_test.moc"
