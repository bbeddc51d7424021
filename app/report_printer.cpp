#include "app/report_printer.h"

#include <QFont>
#include <QFontMetrics>
#include <QPagedPaintDevice>
#include <QPainter>

#include "view/report_layout.h"

namespace tw::app {

int printReport(QPaintDevice& device, const std::vector<std::string>& lines) {
    QFont font(kReportFontFace);
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    font.setPointSize(kReportFontPoints);
    font.setWeight(QFont::Normal);
    const QFontMetrics metrics(font, &device);
    const ReportLayout layout =
        layoutReport(lines.size(), device.width(), device.height(), metrics.lineSpacing(),
                     metrics.horizontalAdvance(QString::fromLatin1(kReportRuler)));

    QPainter painter;
    if (!painter.begin(&device)) return 0;
    painter.setFont(font);
    auto* paged = dynamic_cast<QPagedPaintDevice*>(&device);
    // Positions are tops of text lines; the painter draws text from its baseline.
    const int ascent = painter.fontMetrics().ascent();
    for (unsigned page = 1; page <= layout.pageCount; ++page) {
        if (page > 1 && paged) paged->newPage();
        painter.drawText(layout.leftMargin, bannerTop(layout) + ascent,
                         QString::fromStdString(reportBanner(page)));
        painter.drawLine(layout.leftMargin, ruleY(layout), layout.leftMargin + layout.textWidth,
                         ruleY(layout));
        for (const PlacedLine& line : pageBody(layout, page))
            painter.drawText(layout.leftMargin, line.top + ascent,
                             QString::fromStdString(lines[line.index]));
        if (!paged) break;  // a plain device holds one page
    }
    painter.end();
    return paged ? static_cast<int>(layout.pageCount) : 1;
}

}  // namespace tw::app
