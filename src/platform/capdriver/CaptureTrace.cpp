#include "platform/capdriver/CaptureTrace.h"

namespace platform::capdriver {

void CaptureTrace::open(const QString& path)
{
    file_.close();
    if (path.isEmpty())
        return;
    file_.setFileName(path);
    if (!file_.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Text))
        qWarning("capture trace: cannot write %s", qPrintable(path));
}

void CaptureTrace::write(CaptureHandle handle, const char* message, const QStringList& arguments,
                         const QString& result)
{
    if (!file_.isOpen())
        return;
    QStringList parts{QString::number(clock_->msecsSinceStart()), QString("h%1").arg(handle), message};
    parts << arguments << "->" << result;
    file_.write(parts.join(' ').toUtf8() + '\n');
    file_.flush();
}

QString CaptureTrace::quoted(const QString& text)
{
    QString escaped = text;
    escaped.replace('\\', "\\\\").replace('"', "\\\"").replace('\n', "\\n");
    return '"' + escaped + '"';
}

}  // namespace platform::capdriver
