#include "GraphFixture.h"

#include <gtest/gtest.h>

namespace {

const QColor kWhite(255, 255, 255);
const QColor kBlue(0, 0, 255);
const QColor kLightGreen(0x80, 0xFF, 0x80);
const QColor kLightYellow(0xFF, 0xFF, 0x80);

using GraphKinds = GraphFixture;

// The three kinds of graph on their real pipelines, fed by real data items, looked at in the
// rendered picture of the whole control.

TEST_F(GraphKinds, ALiveWaveformSweepsWithTheCursorAtTheWritePosition)
{
    const auto waveform = newWaveform();
    const auto& pressure = waveform->PressureTable();
    graph->CreatePipeLine(pressure, 0);
    // 600 samples on a 500-slot sweep: the newest 100 overwrite the oldest at the left.
    for (int k = 0; k < 600; ++k) {
        pressure->AddValue(k < 500 ? 10.0f : 30.0f);
        if (k % 2 == 1)
            pressure->DrawLatest();
    }
    EXPECT_EQ(graph->CurrentX(), 100);
    const QImage image = render();
    EXPECT_TRUE(colourNear(image, at(50, 30.0), kWhite)) << "new trace at the left";
    EXPECT_TRUE(colourNear(image, at(300, 10.0), kWhite)) << "old trace at the right";
    EXPECT_FALSE(colourNear(image, at(50, 10.0), kWhite)) << "overwritten";
    EXPECT_TRUE(colourNear(image, at(100, 20.0), kBlue)) << "cursor";
    EXPECT_TRUE(graph->frameRateLabel().isVisibleTo(graph.get()));
}

TEST_F(GraphKinds, ATrendDrawsItsMaximaAndMinimaOverElapsedSeconds)
{
    const auto trend = newTrend(15, 3600);
    const auto& rate = trend->Parameter(QStringLiteral("BRRA"));
    for (int k = 0; k < 20; ++k)
        rate->AddSample(10.0f, 20.0f);
    graph->CreatePipeLine(rate, 0);
    EXPECT_EQ(plot().xAxis().minimum(), 0.0);
    EXPECT_EQ(plot().xAxis().maximum(), 300.0);
    const QImage image = render();
    EXPECT_TRUE(colourNear(image, at(150, 20.0), kLightGreen));
    EXPECT_TRUE(colourNear(image, at(150, 10.0), kLightYellow));
    EXPECT_EQ(plot().xLabel(60.0), QStringLiteral("01:01:00")) << "start time + X";
    EXPECT_FALSE(graph->frameRateLabel().isVisibleTo(graph.get()));
}

TEST_F(GraphKinds, ASnapshotDrawsItsSamplesFromItsStartTime)
{
    const auto snapshot = newSnapshot(500, 0.0f, 110);
    const auto& volume = snapshot->VolumeTable();
    volume->Settings()->setAutoScaleX(true);
    graph->CreatePipeLine(volume, 0);
    EXPECT_EQ(plot().xAxis().span(), 500.0);
    const QImage image = render();
    EXPECT_TRUE(colourNear(image, at(250, 250.0), kWhite));
    EXPECT_FALSE(colourNear(image, at(250, 50.0), kWhite));
    // Ten seconds of samples ending at 110 s.
    EXPECT_EQ(plot().xLabel(0.0), QStringLiteral("00:01:40"));
    EXPECT_EQ(plot().xLabel(99.0), QStringLiteral("00:01:41"));
}

} // namespace
