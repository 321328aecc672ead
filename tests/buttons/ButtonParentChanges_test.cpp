// Enabled state and font reach a button past its own setters too: a disabled
// panel disables the buttons on it, and a font may be set through a QWidget
// pointer. The button must look exactly as if its own setter had been used.
#include "ButtonTestSupport.h"

#include <QFont>
#include <QImage>
#include <QRegion>

#include <functional>

namespace {

class ButtonParentChanges : public ::testing::Test {
protected:
    void SetUp() override
    {
        window = std::make_unique<QWidget>();
        window->resize(400, 100);
        panel = new RecordingContainer(window.get());
        panel->setGeometry(0, 0, 200, 100);
        reference = new RecordingContainer(window.get());
        reference->setGeometry(200, 0, 200, 100);
        // Shown, so a grab gives what the screen shows: the button's last redraw.
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }
    // The same design in the panel and, as the one to compare with, beside it.
    std::pair<StyledButton*, StyledButton*> twins(const PropertyBag& design)
    {
        auto make = [&](QWidget* parent) {
            StyledButton* b = createStyledButton(parent, ButtonDesign{"cmdTwin", QRect(10, 10, 90, 30), design});
            b->show();
            return b;
        };
        return {make(panel), make(reference)};
    }
    static QImage shot(StyledButton* b) { return b->grab().toImage(); }

    std::unique_ptr<QWidget> window;
    RecordingContainer* panel = nullptr;
    RecordingContainer* reference = nullptr;
};

TEST_F(ButtonParentChanges, ADisabledPanelGivesEveryStyleTheDisabledLookAndBack)
{
    for (int style = 0; style <= 7; ++style) {
        for (int mode : {0, 1}) {
            SCOPED_TRACE(QString("style %1 mode %2").arg(style).arg(mode).toStdString());
            auto [inPanel, alone] = twins({{"Caption", "&Video Size"}, {"BackStyle", style}, {"Mode", mode}});
            const QImage enabledLook = shot(inPanel);
            const QRegion enabledShape = inPanel->mask();
            ASSERT_EQ(enabledLook, shot(alone));

            panel->setEnabled(false);
            alone->setEnabled(false);
            const QImage disabledLook = shot(alone);
            EXPECT_NE(disabledLook, enabledLook);
            EXPECT_EQ(shot(inPanel), disabledLook);
            EXPECT_EQ(inPanel->mask(), alone->mask());
            // The Java command button loses its cut corners while disabled.
            if (style == 3 && mode == 0) {
                EXPECT_NE(inPanel->mask(), enabledShape);
            }

            panel->setEnabled(true);
            EXPECT_EQ(shot(inPanel), enabledLook);
            EXPECT_EQ(inPanel->mask(), enabledShape);
            // The button's own Enabled never changed, so nothing is recorded for the design.
            EXPECT_FALSE(panel->changed.contains("Enabled"));
            EXPECT_TRUE(inPanel->writeProperties().read("Enabled", true).toBool());
            delete inPanel;
            delete alone;
        }
    }
}

TEST_F(ButtonParentChanges, ADisabledButtonStaysDisabledWhenItsPanelComesBack)
{
    auto [inPanel, alone] = twins({{"Caption", "Stop"}});
    inPanel->setEnabled(false);
    alone->setEnabled(false);
    panel->setEnabled(false);
    panel->setEnabled(true);
    EXPECT_FALSE(inPanel->isEnabled());
    EXPECT_EQ(shot(inPanel), shot(alone));
}

TEST_F(ButtonParentChanges, AFontSetThroughQWidgetLaysOutAndPaintsLikeSetFont)
{
    QFont big("DejaVu Sans", 14);
    big.setBold(true);
    for (int align : {0, 1, 2}) {
        SCOPED_TRACE(align);
        auto [viaWidget, viaSetter] = twins({{"Caption", "&Video Size"}, {"CapAlign", align}});
        const QImage before = shot(viaWidget);
        static_cast<QWidget*>(viaWidget)->setFont(big);
        viaSetter->setFont(big);
        EXPECT_NE(shot(viaWidget), before);
        EXPECT_EQ(shot(viaWidget), shot(viaSetter));
        EXPECT_EQ(viaWidget->FontStyle(), 2);
        delete viaWidget;
        delete viaSetter;
    }
}

// Each way of changing font or enabled state paints once and records its key
// once: the setters' own change events must not run the same work again.
TEST_F(ButtonParentChanges, EachChangeRedrawsAndRecordsOnce)
{
    QFont big("DejaVu Sans", 12);
    struct Case {
        const char* name;
        std::function<void(StyledButton&)> change;
        const char* recorded;
    };
    const Case cases[] = {
        {"setFont", [&](StyledButton& b) { b.setFont(big); }, "Font"},
        {"setFontStyle", [](StyledButton& b) { b.setFontStyle(4); }, "Font"},
        {"QWidget::setFont", [&](StyledButton& b) { static_cast<QWidget&>(b).setFont(big); }, "Font"},
        {"setEnabled", [](StyledButton& b) { b.setEnabled(false); }, "Enabled"},
        {"QWidget::setEnabled", [](StyledButton& b) { static_cast<QWidget&>(b).setEnabled(false); }, "Enabled"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        StyledButton* b = twins({{"Caption", "Go"}}).first;
        panel->changed.clear();
        const quint64 redraws = b->redrawCount();
        c.change(*b);
        EXPECT_EQ(b->redrawCount(), redraws + 1);
        EXPECT_EQ(panel->changed, QStringList{c.recorded});
        delete b;
    }
}

}  // namespace
