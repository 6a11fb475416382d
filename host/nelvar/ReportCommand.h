#pragma once

#include <QString>
#include <QTextStream>

// `nelvar report RESULT.xml --out REPORT.pdf`: loads a saved result and prints it, with its
// trend and snapshot graphs, into a PDF file whose pages are numbered "page N of M". The file
// holds either a saved test element ("TestElement" with its configuration, limits and
// "ResultItem"), which prints whole under the test's heading and how its run ended, or a
// ventilator test's bare "ResultItem", which is read with the test's default settings and prints
// under the same heading without configuration and limits (SavedResults.h). The test element
// comes from the plug-in, which must be registered (`nelvar register`). Returns the exit status:
// 0 printed, 1 the result could not be loaded or printed, 2 a file name is missing.
int runReportCommand(const QString& resultFile, const QString& pdfFile, QTextStream& out);
