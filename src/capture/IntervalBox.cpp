#include "capture/IntervalBox.h"

#include <QLineEdit>

namespace {

constexpr const char* kIntervals[] = {"2",   "3",   "5",   "10",  "15",  "20",   "30",   "40",   "50",
                                      "60",  "120", "240", "300", "400", "500",  "600",  "700",  "800",
                                      "900", "1000", "1200", "1800", "2700", "3000", "3600"};

}  // namespace

IntervalBox::IntervalBox(QWidget* parent) : QComboBox(parent)
{
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    lineEdit()->setReadOnly(true);
    for (const char* seconds : kIntervals)
        addItem(seconds);
    setEditText("30");
    setToolTip("seconds");
}
