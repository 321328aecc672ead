#pragma once

#include <QGroupBox>
#include <QImage>
#include <QString>

class QLabel;
class QListWidget;
class StyledButton;
class ViewerEffects;

// The viewer's blend panel: pick a second picture from the viewer's folder, see it,
// and blend it into the shown picture. Back hides the panel and keeps the blend;
// Cancel hides it and shows the file as it is on disk again.
class FrmBlend : public QGroupBox {
    Q_OBJECT

public:
    static constexpr int kLeftTwips = 555;
    static constexpr char kFilePatterns[] = "*.jpg;*.gif;*.jpeg;*.bmp";

    FrmBlend(QWidget* parent, ViewerEffects& effects);

    // File2 follows the viewer's folder list.
    void setFolder(const QString& folder);
    QString folder() const { return folder_; }
    // The second picture of a blend; emptied when the viewer closes.
    const QImage& PicBlender() const { return picBlender_; }
    void clearPartner();
    // cmdAlphaBlend: the panel at its place, shown.
    void showPanel();

    // Handlers.
    void File2_Click();
    void cmdDoTheBlend_MouseDown(int button, int shift, float x, float y);
    void StyledButton19_Click();
    void StyledButton25_Click();

private:
    QListWidget* File2 = nullptr;
    QLabel* lblSelectFile = nullptr;
    QLabel* lblPreview = nullptr;
    QLabel* imgBlendPrev = nullptr;
    QLabel* Label5 = nullptr;
    StyledButton* cmdDoTheBlend = nullptr;
    StyledButton* StyledButton19 = nullptr;
    StyledButton* StyledButton25 = nullptr;

    void buildControls();
    void connectHandlers();

    ViewerEffects& effects_;
    QString folder_;
    QImage picBlender_;
};
