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

// The text of a PDF file's page (counted from 1), or of all pages when `page` is 0, in its
// layout, by pdftotext; a test failure and no text when it cannot read the file.
inline QString pdfText(const QString& pdfPath, int page = 0)
{
    QStringList arguments{QStringLiteral("-layout")};
    if (page > 0)
        arguments << QStringLiteral("-f") << QString::number(page) << QStringLiteral("-l") << QString::number(page);
    QProcess pdftotext;
    pdftotext.start(QStringLiteral("pdftotext"), arguments << pdfPath << QStringLiteral("-"));
    if (!pdftotext.waitForFinished(60'000) || pdftotext.exitStatus() != QProcess::NormalExit
        || pdftotext.exitCode() != 0) {
        ADD_FAILURE() << "pdftotext could not read " << pdfPath.toStdString() << ": "
                      << pdftotext.readAllStandardError().toStdString();
        return {};
    }
    return QString::fromUtf8(pdftotext.readAllStandardOutput());
}
