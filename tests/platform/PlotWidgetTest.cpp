#include <widgets/PlotWidget.h>

#include "PixelProbe.h"

#include <QCoreApplication>
#include <QEvent>
#include <QImage>
#include <QTest>

#include <gtest/gtest.h>

#include <cmath>

using widgets::PlotLineItem;
using widgets::PlotModel;
using widgets::PlotWidget;

namespace {

// A plot of 0 … 100 on both axes at a fixed size.
struct RenderedPlot : ::testing::Test {
    RenderedPlot()
    {
        widget.resize(400, 300);
        model.xAxis().setRange(0.0, 100.0);
        model.yAxis().setRange(0.0, 100.0);
    }

    QImage render() { return widget.grab().toImage(); }

    PlotWidget widget;
    PlotModel& model = widget.model();
};

const QColor kWhite(255, 255, 255);
const QColor kLightYellow(255, 255, 0x80);
const QColor kDarkRed(0xC0, 0, 0);
const QColor kBlue(0, 0, 255);

TEST_F(RenderedPlot, DrawsLinesBrokenAtEmptyPoints)
{
    model.dataLine(0).addPoint(0.0, 50.0);
    model.dataLine(0).addPoint(100.0, 50.0);
    model.dataLine(1).setColor(0x80FFFF);
    model.dataLine(1).addPoint(0.0, 20.0);
    model.dataLine(1).addEmptyPoint(50.0);
    model.dataLine(1).addPoint(100.0, 20.0);
    const QImage image = render();
    EXPECT_TRUE(colourNear(image, widget.toPixels(25.0, 50.0), kWhite));
    EXPECT_FALSE(colourNear(image, widget.toPixels(25.0, 20.0), kLightYellow));
    EXPECT_FALSE(colourNear(image, widget.toPixels(75.0, 20.0), kLightYellow));

    model.dataLine(1).setEmpty(1, false);
    model.dataLine(1).setY(1, 20.0);
    model.dataLine(0).setVisible(false);
    const QImage joined = render();
    EXPECT_TRUE(colourNear(joined, widget.toPixels(25.0, 20.0), kLightYellow));
    EXPECT_FALSE(colourNear(joined, widget.toPixels(25.0, 50.0), kWhite));
}

TEST_F(RenderedPlot, DrawsVisibleLineItemsAndChannels)
{
    const int cursor = model.addLineItem(PlotLineItem::Orientation::Vertical);
    model.lineItem(cursor).setColor(0xFF0000);
    model.lineItem(cursor).setXPosition(75.0);
    const int limit = model.addLineItem(PlotLineItem::Orientation::Horizontal);
    model.lineItem(limit).setColor(0xC0);
    model.lineItem(limit).setYPosition(80.0);
    const int band = model.addChannel();
    model.channel(band).setColor(0xC0);
    model.channel(band).setReferenceMode(widgets::PlotChannel::kOneReference);
    model.channel(band).setFirstReference(30.0);
    model.channel(band).setSecondReference(60.0);
    QImage image = render();
    EXPECT_TRUE(colourNear(image, widget.toPixels(75.0, 10.0), kBlue));
    EXPECT_TRUE(colourNear(image, widget.toPixels(40.0, 80.0), kDarkRed));
    EXPECT_TRUE(colourNear(image, widget.toPixels(40.0, 30.0), kDarkRed));
    EXPECT_FALSE(colourNear(image, widget.toPixels(40.0, 60.0), kDarkRed)) << "mode 1: one line";

    model.lineItem(limit).setVisible(false);
    model.channel(band).setReferenceMode(widgets::PlotChannel::kTwoReferences);
    image = render();
    EXPECT_FALSE(colourNear(image, widget.toPixels(40.0, 80.0), kDarkRed));
    EXPECT_TRUE(colourNear(image, widget.toPixels(40.0, 60.0), kDarkRed));
}

TEST_F(RenderedPlot, LabelsTheXTicksThroughTheLabelRequest)
{
    std::vector<double> asked;
    model.onXLabelRequest = [&](double value, QString& label) {
        asked.push_back(value);
        label = QStringLiteral("t");
    };
    model.xAxis().setLabelStep(25.0);
    render();
    for (const double tick : {0.0, 25.0, 50.0, 75.0, 100.0})
        EXPECT_NE(std::find(asked.begin(), asked.end(), tick), asked.end()) << tick;
}

TEST_F(RenderedPlot, SurvivesRangesAndPointsThatCannotBeDrawn)
{
    model.dataLine(0).addPoint(0.0, std::nan(""));
    model.dataLine(0).addPoint(1.0, 1e300);
    model.dataLine(0).addPoint(2.0, -1e300);
    model.dataLine(0).addPoint(std::numeric_limits<double>::infinity(), 1.0);
    for (const double span : {0.0, -5.0, 1e308}) {
        model.xAxis().setRange(-1e308, span);
        model.yAxis().setSpan(span);
        EXPECT_FALSE(render().isNull());
    }
    widget.resize(10, 10);
    EXPECT_FALSE(render().isNull());
}

// Counts the paint events a widget receives.
struct PaintCounter : QObject {
    int paints = 0;
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

struct ShownPlot : ::testing::Test {
    ShownPlot()
    {
        widget.resize(200, 150);
        widget.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&widget));
        QCoreApplication::processEvents();
        widget.installEventFilter(&counter);
    }

    void drawPoints()
    {
        for (int x = 0; x < 5; ++x)
            widget.model().dataLine(0).addPoint(x, x);
    }

    PlotWidget widget;
    PaintCounter counter;
};

TEST_F(ShownPlot, CoalescesRepaintsToTheFrameRate)
{
    widget.model().setFrameRate(10);
    drawPoints();
    QCoreApplication::processEvents();
    EXPECT_EQ(counter.paints, 0) << "the frame is not due yet";
    EXPECT_TRUE(QTest::qWaitFor([&] { return counter.paints > 0; }, 5000));
    EXPECT_EQ(counter.paints, 1);
}

TEST_F(ShownPlot, HoldsPaintingBetweenBeginAndEndUpdate)
{
    widget.model().BeginUpdate();
    drawPoints();
    QCoreApplication::processEvents();
    EXPECT_EQ(counter.paints, 0);
    widget.model().EndUpdate();
    EXPECT_TRUE(QTest::qWaitFor([&] { return counter.paints > 0; }, 5000));
    EXPECT_EQ(counter.paints, 1);
}

} // namespace
