#include "platform/capdriver/CaptureTrace.h"

#include "platform/capdriver/V4l2Log.h"

namespace platform::capdriver {

void CaptureTrace::open(const QString& path)
{
    file_.close();
    writeFailureLogged_ = false;
    if (path.isEmpty())
        return;
    file_.setFileName(path);
    if (!file_.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Text))
        qCWarning(lcV4l2).noquote() << "capture trace: cannot write" << path << "-" << file_.errorString();
}

void CaptureTrace::write(CaptureHandle handle, const char* message, const QStringList& arguments,
                         const QString& result)
{
    if (!file_.isOpen())
        return;
    QStringList parts{QString::number(clock_->msecsSinceStart()), QString("h%1").arg(handle), message};
    parts << arguments << "->" << result;
    const QByteArray line = parts.join(' ').toUtf8() + '\n';
    const bool written = file_.write(line) == line.size() && file_.flush();
    if (!written && !writeFailureLogged_) {
        writeFailureLogged_ = true;
        qCWarning(lcV4l2).noquote() << "capture trace: cannot write" << file_.fileName() << "-" << file_.errorString();
    }
}

QString CaptureTrace::quoted(const QString& text)
{
    QString escaped = text;
    escaped.replace('\\', "\\\\").replace('"', "\\\"").replace('\n', "\\n");
    return '"' + escaped + '"';
}

}  // namespace platform::capdriver
