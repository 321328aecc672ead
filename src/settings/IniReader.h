#pragma once

#include "core/LeadingNumber.h"

#include <QString>
#include <QStringList>

#include <optional>

// Splits text into lines ended by CR LF, LF or a lone CR; text after the last line
// end is one more line, an empty tail is none.
QStringList splitIniLines(const QString& text);

// The lines of a UTF-8 text file (a byte order mark is dropped); nothing when the
// file cannot be read, with the reason in `problem`. Only a regular file of a
// settings file's size is read: a FIFO, a device or a huge file in its place counts
// as a file that cannot be read, so it neither blocks nor fills the memory.
std::optional<QStringList> readIniFileLines(const QString& path, QString* problem = nullptr);

// Reads the settings file the way classic BASIC's Input # statements do: by whole
// lines, by comma-separated fields, or by numbers. A comma that ends a field or a
// number hands the rest of its line on as the next line to be read, which is how a
// stray comma puts every later value one line out of step. Every read returns
// nothing once the lines are used up.
class IniReader {
public:
    explicit IniReader(QStringList lines) : lines_(std::move(lines)) {}

    bool atEnd() const { return pos_ >= lines_.size(); }

    // The whole line, unchanged.
    std::optional<QString> readLine();

    // Leading blanks are skipped. A quoted field runs to its closing quote (a doubled
    // quote inside stands for one quote), or to the end of the line when the quote
    // is never closed; what follows the closing quote up to a comma is dropped.
    // Otherwise the field runs to the first comma or the end of the line.
    std::optional<QString> readField();

    // The number at the start of the line (after blanks), taken up to a blank, a
    // comma or the end of the line. Only its leading numeric part counts, so a
    // line without a number, like an empty one, reads as 0; anything after the
    // number up to a comma is ignored.
    std::optional<double> readNumber();

private:
    QString takeLine() { return lines_[pos_++]; }
    void handOnAfterComma(const QString& line, qsizetype from);

    QStringList lines_;
    qsizetype pos_ = 0;
};
