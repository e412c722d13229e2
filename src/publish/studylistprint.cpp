#include "publish/studylistprint.h"

#include "platform/rtf/rtfwriter.h"
#include "runtime/previewsequence.h"
#include "runtime/topicrunner.h"
#include "storage/settingsrecord.h"
#include "storage/topicsource.h"
#include "storage/topicstore.h"

#include <QAbstractTextDocumentLayout>
#include <QHash>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <memory>
#include <vector>

namespace publish {

namespace {

constexpr int kTextPageType = 1;
constexpr int kDesignedPageType = 5;
constexpr double kHeadingPoints = 16;
constexpr double kFooterPoints = 9;
constexpr double kTenthsPerSecond = 10.0;

QString Seconds(const QString& tenths)
{
    bool ok = false;
    const int value = tenths.trimmed().toInt(&ok);
    if (!ok)
        return QString();
    return QStringLiteral(" for ") + QString::number(value / kTenthsPerSecond) + QStringLiteral(" seconds");
}

// The height a laid-out document fills, from its top to the foot of its last line.
double UsedHeight(QTextDocument& document)
{
    return document.documentLayout()->blockBoundingRect(document.lastBlock()).bottom();
}

// Paints documents one after another on the pages of the device, numbering each page.
class PagePrinter
{
public:
    explicit PagePrinter(QPagedPaintDevice& device) : m_device(device), m_painter(&device)
    {
        const double dpi = device.logicalDpiY();
        m_footer = kFooterPoints * 2.2 * dpi / 72.0;
        m_page = QSizeF(device.width(), device.height() - m_footer);
    }

    // A document to lay out at the page width, fonts measured on the device.
    std::unique_ptr<QTextDocument> document() const
    {
        auto document = std::make_unique<QTextDocument>();
        document->documentLayout()->setPaintDevice(&m_device);
        document->setDocumentMargin(0);
        return document;
    }

    void addHeading(QTextDocument& document, const QString& name) const
    {
        QTextCursor cursor(&document);
        cursor.movePosition(QTextCursor::Start);
        const bool empty = document.isEmpty();
        if (!empty) {
            cursor.insertBlock();
            cursor.movePosition(QTextCursor::Start);
        }
        QTextCharFormat heading;
        heading.setFontPointSize(kHeadingPoints);
        heading.setFontWeight(QFont::Bold);
        heading.setFontFamilies({QStringLiteral("Liberation Sans")});
        QTextBlockFormat block;
        block.setBottomMargin(kHeadingPoints * m_device.logicalDpiY() / 72.0 / 2);
        block.setHeadingLevel(1);
        cursor.setBlockFormat(block);
        cursor.insertText(name, heading);
    }

    // Paints the document from the top of a new page (or, with `share`, below what the current
    // page holds when the whole document fits there). Returns the page it starts on.
    int paint(QTextDocument& document, bool share)
    {
        document.setPageSize(m_page);
        const double height = UsedHeight(document);
        const bool fits = share && m_number > 0 && m_y > 0 && m_y + height <= m_page.height();
        if (!fits)
            newPage();
        const int first = m_number;
        if (fits) {
            m_painter.save();
            m_painter.translate(0, m_y);
            document.drawContents(&m_painter, QRectF(QPointF(0, 0), QSizeF(m_page.width(), height)));
            m_painter.restore();
            m_y += height;
            return first;
        }
        const int pages = std::max(1, document.pageCount());
        for (int p = 0; p < pages; ++p) {
            if (p > 0)
                newPage();
            m_painter.save();
            m_painter.translate(0, -p * m_page.height());
            document.drawContents(&m_painter, QRectF(0, p * m_page.height(), m_page.width(), m_page.height()));
            m_painter.restore();
        }
        m_y = height - (pages - 1) * m_page.height();
        return first;
    }

    void finish() { m_painter.end(); }

private:
    void newPage()
    {
        if (m_number > 0)
            m_device.newPage();
        ++m_number;
        m_y = 0;
        QFont font(QStringLiteral("Liberation Sans"));
        font.setPointSizeF(kFooterPoints);
        m_painter.setFont(font);
        m_painter.setPen(Qt::black);
        m_painter.drawText(QRectF(0, m_page.height(), m_page.width(), m_footer), Qt::AlignCenter,
                           QString::number(m_number));
    }

    QPagedPaintDevice& m_device;
    QPainter m_painter;
    QSizeF m_page;
    double m_footer = 0;
    double m_y = 0;
    int m_number = 0;
};

struct Topic
{
    int type = 0;
    QStringList lines;
};

} // namespace

QString CommandDescription(int type, const QString& value)
{
    const QStringList parts = value.split(QLatin1Char(','));
    const QString first = parts.value(0);
    switch (type) {
    case 2:
        return QStringLiteral("Shows the picture ") + first + Seconds(parts.value(1)) + QLatin1Char('.');
    case 3:
        return QStringLiteral("Plays the sound ") + first + QLatin1Char('.');
    case 4:
        if (parts.size() > 1)
            return QStringLiteral("Starts the program ") + first + QStringLiteral(" with ") +
                   value.section(QLatin1Char(','), 1) + QLatin1Char('.');
        return QStringLiteral("Starts the program ") + first + QLatin1Char('.');
    case 6:
        return QStringLiteral("Shows the picture ") + first + QStringLiteral(" with the sound ") + parts.value(1) +
               Seconds(parts.value(2)) + QLatin1Char('.');
    case 7:
        return QStringLiteral("Plays the video ") + first + QLatin1Char('.');
    case 8:
        return QStringLiteral("Plays the MIDI tune ") + first + QLatin1Char('.');
    case 9:
        return QStringLiteral("Starts the program ") + value + QLatin1Char('.');
    case 10:
        return QStringLiteral("Opens the web page ") + first + QLatin1Char('.');
    case 13:
        return QStringLiteral("Opens the notes file ") + first + QStringLiteral(" in the notes editor.");
    default:
        return QStringLiteral("A command this program does not know (type ") + QString::number(type) +
               QStringLiteral(").");
    }
}

QList<PrintedTopic> PrintStudyList(const storage::SettingsRecord& record, const storage::TopicSource& source,
                                   QPagedPaintDevice& device, const std::function<bool(int, int)>& progress)
{
    // Entries arrive in stored order and print in menu order, so they are held until all are read.
    QHash<QString, Topic> topics;
    source.forEachEntry(storage::kTopicKind, [&](const QString& name, const QStringList& lines) {
        topics.insert(name, Topic{runtime::TopicTypeCode(lines), lines});
        return true;
    });
    const QStringList order = runtime::ReaderTopicOrder(record, source.names(storage::kTopicKind));

    QList<PrintedTopic> contents;
    PagePrinter printer(device);
    const int total = int(order.size());
    for (int i = 0; i < total; ++i) {
        const QString& name = order[i];
        const auto found = topics.constFind(name);
        if (found == topics.constEnd())
            continue;
        const Topic& topic = found.value();
        auto document = printer.document();
        const bool page = topic.type == kTextPageType || topic.type == kDesignedPageType;
        if (page) {
            storage::TopicDisplayRecord display;
            QStringList text;
            storage::ParsePageEntry(topic.lines, display, text);
            platform::rtf::LoadRtfLines(text, document.get());
        } else {
            QTextCursor(document.get()).insertText(CommandDescription(topic.type, runtime::TopicCommandValue(topic.lines)));
        }
        printer.addHeading(*document, name);
        contents.append({name, printer.paint(*document, !page)});
        topics.erase(found);
        if (progress && !progress(i + 1, total))
            break;
    }

    auto list = printer.document();
    QTextCursor cursor(list.get());
    QTextBlockFormat line;
    line.setTabPositions({QTextOption::Tab(device.width(), QTextOption::RightTab)});
    for (qsizetype i = 0; i < contents.size(); ++i) {
        if (i > 0)
            cursor.insertBlock(line);
        else
            cursor.setBlockFormat(line);
        cursor.insertText(contents[i].name + QLatin1Char('\t') + QString::number(contents[i].page));
    }
    printer.addHeading(*list, QStringLiteral("Contents"));
    printer.paint(*list, false);
    printer.finish();
    return contents;
}

} // namespace publish
