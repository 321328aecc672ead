#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

namespace platform {

// A reply line ends its reply when it is "ddd " or just "ddd" (three digits).
bool endsFtpReply(const QByteArray& line);

// The server's last reply, line by line as it arrives: the lines of a reply of
// several lines ("211-..." up to "211 ...") stay together, and the first line of
// the next reply starts a new one.
class FtpReply {
public:
    // One line as the server sent it; blanks and the line end around it are dropped.
    void addLine(const QByteArray& line);
    void clear();
    // The three digits that start the reply's last line; 0 when there is no line
    // or it starts otherwise ("-12" or "+45" are no reply numbers).
    int code() const;
    // The lines, joined by LF.
    QString text() const;
    const QList<QByteArray>& lines() const { return lines_; }
    bool complete() const { return complete_; }

private:
    QList<QByteArray> lines_;
    bool complete_ = true;
};

// The names of a name listing (NLST): one a line (LF or CR LF), the last segment
// of each, empty lines left out.
QStringList ftpListingNames(const QByteArray& listing);

}  // namespace platform
