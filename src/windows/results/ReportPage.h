#pragma once

#include "windows/results/ReportContent.h"

#include <QCoreApplication>
#include <QPageLayout>
#include <QRectF>
#include <QString>

class QPainter;
class QPrinter;

// The one-page report of a calculation: title, date, profile, every input, the three ages, the
// verdict, the age-difference scale and, when the profile has one, the history chart. One
// drawing serves the saved PDF and the printer; on a page too small for it at the usual sizes
// every size shrinks alike until it fits.
class ReportPage
{
    Q_DECLARE_TR_FUNCTIONS(ReportPage)

public:
    static QString title();
    // A4 upright with margins of 15 mm: the saved PDF, and what the print dialog starts from.
    static QPageLayout pageLayout();

    static void paint(QPainter& painter, const QRectF& page, const ReportContent& content);

    // Writes an A4 PDF. The file appears only once it is written whole: a refused write leaves
    // whatever was at the path before (or nothing) and gives the reason in `error`.
    static bool writePdf(const QString& path, const ReportContent& content, QString* error);
    // Prints on the printer as it is set up; false when it cannot be started.
    static bool print(QPrinter& printer, const ReportContent& content);
};
