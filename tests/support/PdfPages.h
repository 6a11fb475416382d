#pragma once

#include <QDir>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <vector>

// The pages of a PDF file as images at `dpi` dots per inch, rendered by pdftoppm; a test
// failure and no pages when it cannot render them.
inline std::vector<QImage> pdfPages(const QString& pdfPath, int dpi)
{
    QTemporaryDir folder;
    QProcess pdftoppm;
    pdftoppm.start(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QString::number(dpi), QStringLiteral("-png"),
                                                pdfPath, folder.filePath(QStringLiteral("page"))});
    if (!pdftoppm.waitForFinished(60'000) || pdftoppm.exitStatus() != QProcess::NormalExit || pdftoppm.exitCode() != 0) {
        ADD_FAILURE() << "pdftoppm could not render " << pdfPath.toStdString() << ": "
                      << pdftoppm.readAllStandardError().toStdString();
        return {};
    }
    std::vector<QImage> pages;
    // pdftoppm numbers the pages with as many digits as the last one needs, so names sort.
    for (const QString& name : QDir(folder.path()).entryList({QStringLiteral("page-*.png")}, QDir::Files, QDir::Name))
        pages.emplace_back(folder.filePath(name));
    return pages;
}

// How many pixels of the rectangle are not white.
inline int inkedPixels(const QImage& page, const QRect& rect)
{
    int count = 0;
    const QRect inside = rect.intersected(page.rect());
    for (int y = inside.top(); y <= inside.bottom(); ++y)
        for (int x = inside.left(); x <= inside.right(); ++x)
            if (page.pixelColor(x, y) != QColor(Qt::white))
                ++count;
    return count;
}
