// tiravel4-make-guide OUTPUT.pdf PAGE.htm...
//
// Prints help pages, in the order given, into one A4 PDF: the Spanish user
// guide "tiravel4_sp.pdf" that the Spanish help opens. Each page starts on a
// new sheet; every sheet carries the guide's title and its number. The build
// runs it on the Spanish pages of the data folder.
//
// Exit code: 0 written, 1 a page could not be read or the PDF not written,
// 2 bad arguments.
#include <QAbstractTextDocumentLayout>
#include <QColor>
#include <QFile>
#include <QFont>
#include <QGuiApplication>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPalette>
#include <QPdfWriter>
#include <QPen>
#include <QString>
#include <QStringList>
#include <QTextDocument>

#include <cstdio>
#include <vector>

namespace {

const QString guideTitle = QStringLiteral("TIRAVEL 4 — Guía del usuario");

// Print resolution of the PDF; the text layout is done at this resolution
// so that point sizes come out right on paper.
constexpr int resolutionDpi = 300;

void complain(const QString& message)
{
    std::fprintf(stderr, "tiravel4-make-guide: %s\n", message.toLocal8Bit().constData());
}

bool readPage(const QString& path, QString& html)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    html = QString::fromUtf8(file.readAll());
    return true;
}

// The running title above the body and the sheet number below it.
void paintFrame(QPainter& painter, const QRectF& header, const QRectF& footer, int sheet)
{
    painter.save();
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPointSizeF(8.5);
    painter.setFont(font);
    painter.setPen(QColor(0x2a, 0x5d, 0x9f));
    painter.drawText(header, Qt::AlignLeft | Qt::AlignTop, guideTitle);
    QPen rule(QColor(0xb8, 0xc8, 0xdc));
    rule.setWidthF(resolutionDpi / 144.0);
    painter.setPen(rule);
    painter.drawLine(header.bottomLeft(), header.bottomRight());
    painter.drawLine(footer.topLeft(), footer.topRight());
    painter.setPen(QColor(0x60, 0x60, 0x60));
    painter.drawText(footer, Qt::AlignRight | Qt::AlignBottom, QString::number(sheet));
    painter.restore();
}

} // namespace

int main(int argc, char** argv)
{
    // The guide is printed during the build, often on machines without a
    // display: Qt then runs without a window system.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY")
        && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    const QStringList arguments = QGuiApplication::arguments();
    if (arguments.size() < 3) {
        std::fprintf(stderr, "usage: tiravel4-make-guide OUTPUT.pdf PAGE.htm...\n");
        return 2;
    }
    const QString output = arguments.at(1);

    // Every page is read before anything is written, so that a missing page
    // leaves no half-made guide behind.
    std::vector<QString> pages;
    for (int i = 2; i < arguments.size(); ++i) {
        const QString& path = arguments.at(i);
        QString html;
        if (!QFile::exists(path)) {
            complain(QStringLiteral("page not found: %1").arg(path));
            return 1;
        }
        if (!readPage(path, html)) {
            complain(QStringLiteral("cannot read the page %1").arg(path));
            return 1;
        }
        pages.push_back(html);
    }

    QPdfWriter writer(output);
    writer.setTitle(guideTitle);
    writer.setCreator(QStringLiteral("TIRAVEL 4"));
    writer.setResolution(resolutionDpi);
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                     QMarginsF(20, 15, 20, 15), QPageLayout::Millimeter));

    QPainter painter;
    if (!painter.begin(&writer)) {
        complain(QStringLiteral("cannot write %1").arg(output));
        return 1;
    }

    // Device pixels of the printable area: a band for the title, the body,
    // a band for the sheet number.
    const double millimetre = resolutionDpi / 25.4;
    const double width = writer.width();
    const double band = 8 * millimetre;
    const double bodyHeight = writer.height() - 2 * band;
    const QRectF header(0, 0, width, band * 0.6);
    const QRectF footer(0, band + bodyHeight + band * 0.4, width, band * 0.6);

    int sheet = 0;
    for (const QString& html : pages) {
        QTextDocument document;
        document.documentLayout()->setPaintDevice(&writer);
        document.setDocumentMargin(0);
        document.setHtml(html);
        document.setPageSize(QSizeF(width, bodyHeight));

        for (int p = 0; p < document.pageCount(); ++p) {
            if (sheet > 0)
                writer.newPage();
            ++sheet;
            paintFrame(painter, header, footer, sheet);

            painter.save();
            painter.translate(0, band - p * bodyHeight);
            const QRectF view(0, p * bodyHeight, width, bodyHeight);
            painter.setClipRect(view);
            QAbstractTextDocumentLayout::PaintContext context;
            context.clip = view;
            context.palette.setColor(QPalette::Text, Qt::black);
            document.documentLayout()->draw(&painter, context);
            painter.restore();
        }
    }

    if (!painter.end()) {
        complain(QStringLiteral("cannot finish %1").arg(output));
        return 1;
    }
    return 0;
}
