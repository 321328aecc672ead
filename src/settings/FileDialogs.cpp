#include "settings/FileDialogs.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QRegularExpression>

namespace {

constexpr QChar kNul(0);

// "*.*" names every file, also those without a point; Qt's "*.*" would skip those.
QString qtPattern(const QString& pattern)
{
    const QString trimmed = pattern.trimmed();
    return trimmed == QLatin1String("*.*") ? QStringLiteral("*") : trimmed;
}

// A pair as a Qt name filter: the description, then the patterns in parentheses,
// which is where Qt reads them from. The dialog hides that last part
// (HideNameFilterDetails), so the user reads the description alone.
QString nameFilter(const QString& description, const QString& patterns)
{
    QStringList list;
    for (const QString& p : patterns.split(';', Qt::SkipEmptyParts))
        if (const QString q = qtPattern(p); !q.isEmpty())
            list.append(q);
    return description + " (" + list.join(' ') + ')';
}

// The patterns in a Qt name filter's closing parentheses.
QStringList qtPatternsOf(const QString& nameFilter)
{
    static const QRegularExpression tail(
        QStringLiteral("^(.*)\\(([a-zA-Z0-9_.,*? +;#\\-\\[\\]@\\{\\}/!<>\\$%&=^~:\\|]*)\\)$"));
    const QRegularExpressionMatch m = tail.match(nameFilter);
    return m.hasMatch() ? m.captured(2).split(QRegularExpression("[ ;]"), Qt::SkipEmptyParts) : QStringList();
}

// The extension a name filter stands for: "bmp" for "Bitmap (*.bmp)", the first
// one of "JPEG (*.jpg *.jpeg)"; "" where its first pattern is no plain "*.ext".
QString suffixOfNameFilter(const QString& nameFilter)
{
    static const QRegularExpression plain(QStringLiteral("^\\*\\.([A-Za-z0-9_]+)$"));
    const QStringList patterns = qtPatternsOf(nameFilter);
    if (patterns.isEmpty())
        return {};
    const QRegularExpressionMatch m = plain.match(patterns.first());
    return m.hasMatch() ? m.captured(1) : QString();
}

// The save dialog adds the chosen filter's extension to a name typed without one
// before it asks whether to replace an existing file, so the question is about the
// file that will be written.
class SaveFileDialog : public QFileDialog {
public:
    using QFileDialog::QFileDialog;

protected:
    void accept() override
    {
        if (const QString suffix = suffixOfNameFilter(selectedNameFilter()); !suffix.isEmpty())
            setDefaultSuffix(suffix);
        QFileDialog::accept();
    }
};

void writeCancelled(FileDialogArgs& a, int32_t cancelIndex)
{
    a.fileName = a.fileTitle = a.filter = QString(kNul);
    a.flags = 0;
    a.filterIndex = cancelIndex;
}

bool extensionDiffers(const QString& path, const QString& defaultExtension)
{
    return !defaultExtension.isEmpty()
        && QFileInfo(path).suffix().compare(defaultExtension, Qt::CaseInsensitive) != 0;
}

void configure(QFileDialog& dialog, const FileDialogArgs& a, const QStringList& nameFilters)
{
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    dialog.setWindowTitle(a.dialogTitle);
    if (!a.initialFolder.isEmpty())
        dialog.setDirectory(a.initialFolder);
    dialog.setDefaultSuffix(a.defaultExtension);
    if (!nameFilters.isEmpty()) {
        dialog.setNameFilters(nameFilters);
        if (a.filterIndex >= 1 && a.filterIndex <= nameFilters.size())
            dialog.selectNameFilter(nameFilters[a.filterIndex - 1]);
    }
    if (!a.fileName.isEmpty())
        dialog.selectFile(a.fileName);
}

void writeConfirmed(FileDialogArgs& a, const QFileDialog& dialog, const QString& filterList,
                    const QStringList& nameFilters, int32_t flags)
{
    const QStringList files = dialog.selectedFiles();
    // Several files chosen come back as their folder alone (no file title): callers
    // take one file or, failing that, a folder.
    a.fileName = files.size() == 1 ? files.first() : dialog.directory().absolutePath();
    a.fileTitle = files.size() == 1 ? QFileInfo(files.first()).fileName() : QString();
    // The dialog names the chosen filter in full or by its shown text.
    const QString chosen = dialog.selectedNameFilter();
    qsizetype index = nameFilters.indexOf(chosen);
    if (index < 0)
        index = DialogFilterTexts(filterList).indexOf(chosen.simplified());
    a.filterIndex = std::max<int32_t>(1, static_cast<int32_t>(index) + 1);
    a.filter = FixFilter(filterList, a.filterIndex);
    a.flags = flags | (extensionDiffers(a.fileName, a.defaultExtension) ? DialogFlags::ExtensionDifferent : 0);
}

DialogResult run(QFileDialog& dialog, FileDialogArgs& a, int32_t flags, int32_t cancelIndex)
{
    const QString filterList = ConvertDialogFilter(a.filter);
    const QStringList nameFilters = DialogNameFilters(filterList);
    configure(dialog, a, nameFilters);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        writeCancelled(a, cancelIndex);
        return DialogResult::Cancelled;
    }
    writeConfirmed(a, dialog, filterList, nameFilters, flags);
    return DialogResult::Confirmed;
}

bool fitsBuffers(const FileDialogArgs& a)
{
    return a.fileName.size() <= kMaxDialogFileName && a.fileTitle.size() <= kMaxDialogFileTitle;
}

int32_t baseFlags(const FileDialogArgs& a)
{
    return a.flags & ~(DialogFlags::EnableHook | DialogFlags::EnableTemplate);
}

int32_t openFlags(const OpenDialogArgs& a)
{
    int32_t flags = baseFlags(a);
    if (a.mustExist)
        flags |= DialogFlags::FileMustExist;
    if (a.multiSelect)
        flags |= DialogFlags::AllowMultiSelect;
    if (a.readOnly)
        flags |= DialogFlags::ReadOnly;
    if (a.hideReadOnly)
        flags |= DialogFlags::HideReadOnly;
    return flags;
}

QFileDialog::FileMode openMode(const OpenDialogArgs& a)
{
    if (a.multiSelect)
        return QFileDialog::ExistingFiles;
    return a.mustExist ? QFileDialog::ExistingFile : QFileDialog::AnyFile;
}

}  // namespace

DialogResult ShowOpenDialog(OpenDialogArgs& args)
{
    if (!fitsBuffers(args))
        return DialogResult::NameTooLong;
    const int32_t flags = openFlags(args);
    QFileDialog dialog(args.owner);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(openMode(args));
    const DialogResult result = run(dialog, args, flags, -1);
    if (result == DialogResult::Confirmed && (args.flags & DialogFlags::ReadOnly))
        args.readOnly = true;
    return result;
}

DialogResult ShowSaveDialog(SaveDialogArgs& args)
{
    if (!fitsBuffers(args))
        return DialogResult::NameTooLong;
    int32_t flags = baseFlags(args) | DialogFlags::HideReadOnly;
    if (args.overwritePrompt)
        flags |= DialogFlags::OverwritePrompt;
    SaveFileDialog dialog(args.owner);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !args.overwritePrompt);
    return run(dialog, args, flags, 0);
}

QString ConvertDialogFilter(const QString& filter)
{
    QString converted = filter;
    for (QChar& c : converted)
        if (c == '|' || c == ':')
            c = kNul;
    return converted + kNul + kNul;
}

QString FixFilter(const QString& filterList, int32_t index)
{
    if (filterList.isEmpty() || filterList == QString(kNul) || index < 1)
        return {};
    qsizetype pos = 0;
    for (;;) {
        const qsizetype descriptionEnd = filterList.indexOf(kNul, pos);
        if (descriptionEnd < 0)
            return {};
        const qsizetype patternsEnd = filterList.indexOf(kNul, descriptionEnd + 1);
        const QString piece = filterList.mid(pos, patternsEnd < 0 ? -1 : patternsEnd - pos);
        if (index == 1)
            return piece;
        if (patternsEnd < 0)
            return {};
        --index;
        pos = patternsEnd + 1;
    }
}

QStringList DialogNameFilters(const QString& filterList)
{
    const QStringList parts = filterList.split(kNul);
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size() && !parts[i].isEmpty(); i += 2)
        filters.append(nameFilter(parts[i], parts[i + 1]));
    return filters;
}

QStringList DialogFilterTexts(const QString& filterList)
{
    const QStringList parts = filterList.split(kNul);
    QStringList texts;
    for (qsizetype i = 0; i + 1 < parts.size() && !parts[i].isEmpty(); i += 2)
        texts.append(parts[i].simplified());
    return texts;
}

QString replaceQuestionText(const QString& path)
{
    return QStringLiteral("%1 already exists.\nDo you want to replace it?").arg(QFileInfo(path).fileName());
}
