// graph-picture FILE.png: a picture of the three kinds of graph, one above the other: a live flow
// waveform seven seconds into its sweep, a two-hour breath-rate trend with its limits, and a
// stored pressure snapshot.

#include "BenchHost.h"
#include "GraphScene.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QTextStream>

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc != 2) {
        QTextStream(stderr) << "usage: graph-picture FILE.png\n";
        return 2;
    }
    const BenchHost host;
    GraphScene scene;
    for (int k = 0; k < 7 * GraphScene::kSamplesPerSecond; ++k)
        scene.addSample();

    ZeltorGraph::XGraph& waveform = *scene.waveformGraphs()[0];
    waveform.setUpdateFrameRate(10);
    ZeltorGraph::XGraph trend;
    trend.CreatePipeLine(scene.breathRateTrend(2 * 3600), 0);
    trend.setHighLight(false);
    ZeltorGraph::XGraph snapshot;
    const auto stored = scene.snapshot();
    snapshot.CreatePipeLine(stored->PressureTable(), 0);
    snapshot.setHighLight(false);

    const QSize size = waveform.size();
    QImage picture(size.width(), 3 * size.height(), QImage::Format_RGB32);
    QPainter painter(&picture);
    int top = 0;
    for (ZeltorGraph::XGraph* graph : {&waveform, &trend, &snapshot}) {
        graph->resize(size);
        graph->render(&painter, QPoint(0, top));
        top += size.height();
    }
    painter.end();
    const bool saved = picture.save(QString::fromLocal8Bit(argv[1]));
    trend.DestroyPipeline(false);
    snapshot.DestroyPipeline(false);
    if (!saved) {
        QTextStream(stderr) << "graph-picture: cannot write " << argv[1] << "\n";
        return 1;
    }
    return 0;
}
