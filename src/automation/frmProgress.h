#pragma once

#include <QWidget>

// The small "FTP Uploading" window over the main window while one upload runs.
// Picture1 is the bar's background; the width of pbUpload is set in hundredths of
// it, so 100 fills the bar.
class frmProgress : public QWidget {
    Q_OBJECT
public:
    static constexpr int kFullWidth = 100;

    explicit frmProgress(QWidget* owner);

    void setBarWidth(int units);
    int barWidth() const { return units_; }

private:
    QWidget* Picture1 = nullptr;
    QWidget* pbUpload = nullptr;

    int units_ = 0;
};
