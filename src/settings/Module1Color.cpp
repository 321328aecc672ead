#include "settings/Module1Color.h"

#include <QColorDialog>

namespace {

int32_t toBgr(const QColor& c)
{
    return c.red() | (c.green() << 8) | (c.blue() << 16);
}

}  // namespace

void PickColor(SettingsModel& s, QWidget* owner)
{
    // Qt keeps custom colours for the whole process; every call here starts clean.
    for (int i = 0; i < QColorDialog::customCount(); ++i)
        QColorDialog::setCustomColor(i, Qt::black);
    QColorDialog dialog(Qt::black, owner);
    dialog.setOption(QColorDialog::DontUseNativeDialog);
    s.PickedColor = dialog.exec() == QDialog::Accepted ? toBgr(dialog.selectedColor()) : -1;
}
