#include "report/JournalPdf.h"

#include "foundation/DateText.h"
#include "foundation/SaveFile.h"
#include "tools/journal/JournalText.h"

#include <QBuffer>
#include <QDir>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPainter>
#include <QPdfWriter>

#include <algorithm>
#include <cmath>

namespace {

constexpr int resolution = 300;
constexpr double marginMillimetres = 15;

/// Where each column of the journal stands, as fractions of the printable width.
struct Column {
    double left;
    double right;
    Qt::Alignment alignment;
};
const Column progressivoColumn{0.00, 0.11, Qt::AlignRight};
const Column mandatoColumn{0.15, 0.42, Qt::AlignLeft};
const Column dataColumn{0.44, 0.60, Qt::AlignLeft};
const Column praticheColumn{0.60, 0.75, Qt::AlignRight};
const Column totaleColumn{0.76, 1.00, Qt::AlignRight};

QFont reportFont(double points, bool bold = false, bool italic = false)
{
    QFont font;
    // The families of the office's printed forms first; whatever sans-serif the machine has otherwise.
    font.setFamilies({QStringLiteral("Arial"), QStringLiteral("Helvetica"), QStringLiteral("Liberation Sans"),
                      QStringLiteral("DejaVu Sans")});
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(points);
    font.setBold(bold);
    font.setItalic(italic);
    // Without ligatures the words of the journal stay searchable in the PDF ("affido", not a glyph for "ffi").
    font.setStyleStrategy(QFont::PreferNoShaping);
    return font;
}

/// Draws the journal page by page.
class Painter {
public:
    Painter(QPainter& painter, const QRectF& area, const QString& message, const QDate& printDate)
        : m_painter(painter), m_area(area), m_message(message), m_printDate(printDate), m_title(reportFont(16, true)),
          m_body(reportFont(10)), m_head(reportFont(10, true)), m_note(reportFont(10, false, true)),
          m_small(reportFont(8))
    {
        const QPaintDevice* device = painter.device();
        m_rowHeight = QFontMetricsF(m_body, device).height() * 1.6;
        m_titleHeight = QFontMetricsF(m_title, device).height() * 1.4;
        m_footerHeight = QFontMetricsF(m_small, device).height() * 2.2;
        if (!message.isEmpty()) {
            const QRectF bounds =
                QFontMetricsF(m_note, device).boundingRect(QRectF(0, 0, area.width(), 1e9), Qt::TextWordWrap, message);
            m_messageHeight = bounds.height() + m_rowHeight * 0.5;
        }
    }

    /// How many lot lines a page holds.
    int rowsOnPage(bool first) const
    {
        const double used = headerHeight(first) + m_footerHeight;
        return std::max(1, int(std::floor((m_area.height() - used) / m_rowHeight)));
    }

    /// Draws one page: its header, its lines, the totals when they belong there, its footer.
    double drawPage(int page, int pages, const QList<JournalReport::Line>& lines, const QString& range,
                    const JournalReport::Line* totals)
    {
        double y = m_area.top();
        m_painter.setFont(m_title);
        m_painter.drawText(QRectF(m_area.left(), y, m_area.width(), m_titleHeight), Qt::AlignLeft | Qt::AlignVCenter,
                           QStringLiteral("Giornale x Lotti"));
        m_painter.setFont(m_body);
        m_painter.drawText(QRectF(m_area.left(), y, m_area.width(), m_titleHeight), Qt::AlignRight | Qt::AlignVCenter,
                           QStringLiteral("Data di stampa: ") + shortDateText(m_printDate));
        y += m_titleHeight;
        if (page == 1 && m_messageHeight > 0) {
            m_painter.setFont(m_note);
            m_painter.drawText(QRectF(m_area.left(), y, m_area.width(), m_messageHeight),
                               Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, m_message);
            y += m_messageHeight;
        }
        m_painter.setFont(m_head);
        drawLine(y, {QStringLiteral("Progr."), QStringLiteral("Mandato"), QStringLiteral("Data affido"),
                     QStringLiteral("Pratiche"), QStringLiteral("Totale affidato")});
        y += m_rowHeight;
        rule(y, 2);

        m_painter.setFont(m_body);
        for (qsizetype i = 0; i < lines.size(); ++i) {
            // Every other line shaded, so that a long lot line is followed across the page.
            if (i % 2 == 1)
                m_painter.fillRect(QRectF(m_area.left(), y, m_area.width(), m_rowHeight), QColor(238, 238, 238));
            drawLine(y, lines.at(i));
            y += m_rowHeight;
        }
        if (totals) {
            rule(y, 2);
            m_painter.setFont(m_head);
            drawLine(y, *totals);
        }

        const double footerTop = m_area.bottom() - m_footerHeight;
        rule(footerTop, 1);
        m_painter.setFont(m_small);
        const QRectF footer(m_area.left(), footerTop, m_area.width(), m_footerHeight);
        m_painter.drawText(footer, Qt::AlignLeft | Qt::AlignVCenter, range);
        m_painter.drawText(footer, Qt::AlignRight | Qt::AlignVCenter,
                           QStringLiteral("Pagina %1 di %2").arg(page).arg(pages));
        return y;
    }

private:
    double headerHeight(bool first) const { return m_titleHeight + (first ? m_messageHeight : 0) + m_rowHeight * 3.0; }

    void rule(double y, int thickness)
    {
        m_painter.save();
        m_painter.setPen(QPen(Qt::black, thickness));
        m_painter.drawLine(QPointF(m_area.left(), y), QPointF(m_area.right(), y));
        m_painter.restore();
    }

    void cell(double y, const Column& column, const QString& text)
    {
        const QRectF box(m_area.left() + column.left * m_area.width(), y, (column.right - column.left) * m_area.width(),
                         m_rowHeight);
        const QFontMetricsF metrics(m_painter.font(), m_painter.device());
        m_painter.drawText(box, column.alignment | Qt::AlignVCenter,
                           metrics.elidedText(text, Qt::ElideRight, box.width()));
    }

    void drawLine(double y, const JournalReport::Line& line)
    {
        cell(y, progressivoColumn, line.progressivo);
        cell(y, mandatoColumn, line.mandato);
        cell(y, dataColumn, line.dataAffido);
        cell(y, praticheColumn, line.pratiche);
        cell(y, totaleColumn, line.totale);
    }

    QPainter& m_painter;
    QRectF m_area;
    QString m_message;
    QDate m_printDate;
    QFont m_title;
    QFont m_body;
    QFont m_head;
    QFont m_note;
    QFont m_small;
    double m_rowHeight = 0;
    double m_titleHeight = 0;
    double m_footerHeight = 0;
    double m_messageHeight = 0;
};

Result<QByteArray> render(const JournalReport& report)
{
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return Status::failure(QStringLiteral("il giornale si può disegnare solo con l'interfaccia grafica avviata"));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    writer.setResolution(resolution);
    writer.setPageLayout(
        QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                    QMarginsF(marginMillimetres, marginMillimetres, marginMillimetres, marginMillimetres),
                    QPageLayout::Millimeter));
    writer.setTitle(QStringLiteral("Giornale x Lotti del ") + shortDateText(report.printDate()));
    writer.setCreator(QStringLiteral("exp_nrv_xml"));

    QPainter painter;
    if (!painter.begin(&writer))
        return Status::failure(QStringLiteral("il documento PDF non si può creare"));
    const QRect area = writer.pageLayout().paintRectPixels(resolution);
    Painter pages(painter, QRectF(0, 0, area.width(), area.height()), report.message(), report.printDate());

    // Lots are laid out page by page; the totals must fit under the last lot, so a last page that would hold
    // them alone takes the last lot with it.
    const QList<JournalReport::Line> all = report.lines();
    QList<QList<JournalReport::Line>> split;
    qsizetype next = 0;
    do {
        const int fit = pages.rowsOnPage(split.isEmpty());
        qsizetype take = std::min<qsizetype>(all.size() - next, fit);
        const bool last = next + take == all.size();
        if (last && fit - take < 2 && take > 1)
            --take;
        split.append(all.mid(next, take));
        next += take;
    } while (next < all.size());

    const QString range = report.rangeText();
    const JournalReport::Line totalLine = report.totals();
    for (qsizetype page = 0; page < split.size(); ++page) {
        if (page > 0)
            writer.newPage();
        const bool last = page + 1 == split.size();
        pages.drawPage(int(page + 1), int(split.size()), split.at(page), range, last ? &totalLine : nullptr);
    }
    if (!painter.end())
        return Status::failure(QStringLiteral("il documento PDF non si può completare"));
    return bytes;
}

} // namespace

JournalPdf::JournalPdf(const JournalReport& report) : m_report(report) {}

Status JournalPdf::write(QIODevice* device) const
{
    const Result<QByteArray> bytes = render(m_report);
    if (!bytes)
        return bytes.status();
    if (device->write(*bytes) != bytes->size())
        return Status::failure(device->errorString());
    return Status::success();
}

Status JournalPdf::writeFile(const QString& path) const
{
    const Status written = writeWholeFile(path, [this](QIODevice* file) { return write(file); });
    if (!written)
        return Status::failure(QStringLiteral("Impossibile scrivere il giornale %1: %2")
                                   .arg(QDir::toNativeSeparators(path), written.errorText()));
    return written;
}
