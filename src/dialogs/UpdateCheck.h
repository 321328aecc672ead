#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// What the maker's version file says: the published version as the digits of
// major, minor and revision run together (124 for 1.2.4), and the title of the
// question box. ok is false when the first field is not a whole number, which
// is what an error page or any other stray answer gives.
struct VersionFile {
    bool ok = false;
    qint64 number = 0;
    QString title;
};

// The first field ends at a comma or the line end; the title is the rest of
// line 1 after a comma, else line 2.
VersionFile parseVersionFile(const QByteArray& content);

// Version numbers from 100 on are versions; lower ones count as none.
inline constexpr qint64 kFirstVersionNumber = 100;
// A title shorter than this is replaced by kDefaultUpdateTitle.
inline constexpr int kShortestTitle = 2;
inline constexpr char kDefaultUpdateTitle[] = "New version available";
// The server's title is shown as plain text of at most this many characters.
inline constexpr int kLongestTitle = 80;

// The decimal digits of the three version parts run together (1, 2, 3 give 123).
qint64 runningVersionNumber(int major, int minor, int revision);
// The running program's own number.
qint64 runningVersionNumber();

// First digit, second digit and last digit with dots between (124 gives 1.2.4).
QString versionText(qint64 number);

// The leading whole number of a stored text value, 0 when it starts with none.
qint64 storedNumber(const QString& text);

// The question to put to the user, when the file offers one.
struct UpdateOffer {
    qint64 number = 0;
    QString title;
    QString text;
};

// An offer only for a version above the running one and above the one the user
// declined (declined is 0 when none was).
std::optional<UpdateOffer> offerFor(const VersionFile& file, qint64 running, qint64 declined);

// The two addresses the update check is handed.
struct UpdateAddresses {
    QString page;         // the maker's download page
    QString versionFile;  // the version file on the maker's web server
};

// The build's configured addresses, empty when the build was given none;
// TOLVEX_UPDATE_PAGE and TOLVEX_UPDATE_VERSION_FILE in the environment take their
// place when set.
UpdateAddresses updateAddresses();

// What the About box says when there is no download page to open.
inline constexpr char kNoUpdateAddressTitle[] = "Check for updates";
inline constexpr char kNoUpdateAddressText[] = "No update address is configured.";
