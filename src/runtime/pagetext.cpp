#include "runtime/pagetext.h"

#include "platform/rtf/rtfwriter.h"
#include "runtime/menulayout.h"
#include "runtime/pagesearch.h"

#include <QAction>
#include <QApplication>
#include <QFrame>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextEdit>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <memory>

namespace runtime {

void LoadPageText(QTextEdit* edit, const QStringList& lines)
{
    // The window's cursor stays at the start while the page is read in: set or moved there
    // afterwards, it would have the whole page laid out at once, seconds for a long page. The
    // page windows are read-only, so a cursor that keeps its place on insertion changes nothing.
    // The page shown before goes first, so the cursor leaves no place in it to be found.
    edit->document()->clear();
    QTextCursor start(edit->document());
    start.setKeepPositionOnInsert(true);
    edit->setTextCursor(start);
    // Stored page lines are an RTF stream; text that is not RTF shows as it stands.
    platform::rtf::LoadRtfLines(lines, edit->document());
    edit->verticalScrollBar()->setValue(0);
}

PageTextWindow MakePageTextWindow(QWidget* parent, const QString& panelName)
{
    PageTextWindow window;
    window.panel = new QFrame(parent);
    window.panel->setObjectName(panelName);
    window.panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    window.panel->setLineWidth(2);

    window.edit = new QTextEdit(window.panel);
    window.edit->setObjectName(QStringLiteral("RichEdit1"));
    window.edit->setAccessibleName(QStringLiteral("Page text"));
    window.edit->setReadOnly(true);
    window.edit->setFrameStyle(QFrame::NoFrame);
    window.edit->document()->setDocumentMargin(5);

    auto* layout = new QVBoxLayout(window.panel);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(window.edit);
    return window;
}

void SetTextWindowColor(const PageTextWindow& window, const QColor& color)
{
    for (QWidget* widget : {static_cast<QWidget*>(window.panel), static_cast<QWidget*>(window.edit)}) {
        QPalette pal = widget->palette();
        pal.setColor(QPalette::Window, color);
        pal.setColor(QPalette::Base, color);
        widget->setPalette(pal);
        widget->setAutoFillBackground(true);
    }
}

namespace {

constexpr double kZoomStep = 0.1;
constexpr double kMinZoom = 0.5;
constexpr double kMaxZoom = 3.0;
const QColor kMarkColor(255, 236, 120);
const QColor kFoundColor(255, 170, 60);

QList<QTextEdit::ExtraSelection> WordMarks(QTextEdit* edit, const QStringList& words)
{
    QList<QTextEdit::ExtraSelection> marks;
    if (words.isEmpty())
        return marks;
    QTextDocument* document = edit->document();
    for (const auto& [at, length] : SearchHits(document->toPlainText(), words)) {
        QTextEdit::ExtraSelection mark;
        mark.cursor = QTextCursor(document);
        mark.cursor.setPosition(int(at));
        mark.cursor.setPosition(int(at + length), QTextCursor::KeepAnchor);
        mark.format.setBackground(kMarkColor);
        marks.append(mark);
    }
    return marks;
}

} // namespace

void MarkWords(QTextEdit* edit, const QStringList& words)
{
    const QList<QTextEdit::ExtraSelection> marks = WordMarks(edit, words);
    edit->setExtraSelections(marks);
    if (!marks.isEmpty()) {
        QTextCursor first = marks.first().cursor;
        first.setPosition(first.selectionStart());
        edit->setTextCursor(first);
        edit->ensureCursorVisible();
    }
}

void ScaleTextSize(QTextDocument* document, double factor)
{
    const double base = document->defaultFont().pointSizeF() > 0 ? document->defaultFont().pointSizeF() : 10.0;
    QTextCursor cursor(document);
    cursor.beginEditBlock();
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (!fragment.isValid())
                continue;
            const double size = fragment.charFormat().fontPointSize();
            QTextCharFormat format;
            format.setFontPointSize((size > 0 ? size : base) * factor);
            cursor.setPosition(fragment.position());
            cursor.setPosition(fragment.position() + fragment.length(), QTextCursor::KeepAnchor);
            cursor.mergeCharFormat(format);
        }
    }
    cursor.endEditBlock();
}

PageTools::PageTools(const PageTextWindow& text, const storage::ViewerCaptions& captions, const QString& title,
                     QWidget* window)
    : QObject(window), m_text(text), m_title(title), m_window(window)
{
    m_find = new QAction(CaptionOr(captions.FindCaption, QStringLiteral("&Find")), window);
    m_find->setObjectName(QStringLiteral("MFind"));
    m_find->setShortcut(QKeySequence::Find);
    m_find->setShortcutContext(Qt::WindowShortcut);
    connect(m_find, &QAction::triggered, this, &PageTools::showFind);
    m_print = new QAction(CaptionOr(captions.PrintCaption, QStringLiteral("&Print")), window);
    m_print->setObjectName(QStringLiteral("MPrint"));
    m_print->setShortcut(QKeySequence::Print);
    m_print->setShortcutContext(Qt::WindowShortcut);
    connect(m_print, &QAction::triggered, this, &PageTools::print);
    auto* larger = new QAction(window);
    larger->setObjectName(QStringLiteral("MLarger"));
    larger->setShortcuts({QKeySequence::ZoomIn, QKeySequence(Qt::CTRL | Qt::Key_Equal)});
    connect(larger, &QAction::triggered, this, [this] { zoom(1); });
    auto* smaller = new QAction(window);
    smaller->setObjectName(QStringLiteral("MSmaller"));
    smaller->setShortcut(QKeySequence::ZoomOut);
    connect(smaller, &QAction::triggered, this, [this] { zoom(-1); });
    window->addActions({m_find, m_print, larger, smaller});

    // The find bar sits at the foot of the text window, so it goes wherever the page puts that.
    m_findBar = new QFrame(m_text.panel);
    m_findBar->setObjectName(QStringLiteral("FindBar"));
    auto* label = new QLabel(m_find->text(), m_findBar);
    label->setObjectName(QStringLiteral("FindLbl"));
    m_findEdit = new QLineEdit(m_findBar);
    m_findEdit->setObjectName(QStringLiteral("FindEdit"));
    m_findEdit->setAccessibleName(QStringLiteral("Find in the page"));
    label->setBuddy(m_findEdit);
    m_findNext = new QPushButton(QStringLiteral("&Next"), m_findBar);
    m_findNext->setObjectName(QStringLiteral("FindNextBtn"));
    m_findNext->setAutoDefault(false);
    connect(m_findNext, &QPushButton::clicked, this, [this] { findNext(m_findEdit->text()); });
    m_findEdit->installEventFilter(this);
    auto* bar = new QHBoxLayout(m_findBar);
    bar->setContentsMargins(4, 2, 4, 2);
    bar->addWidget(label);
    bar->addWidget(m_findEdit, 1);
    bar->addWidget(m_findNext);
    m_findBar->hide();
    if (auto* layout = qobject_cast<QVBoxLayout*>(m_text.panel->layout()))
        layout->addWidget(m_findBar);
}

void PageTools::setMarkedWords(const QStringList& words)
{
    m_marked = words;
    applyMarks();
}

void PageTools::textLoaded()
{
    if (m_zoom * m_scale != 1.0)
        ScaleTextSize(m_text.edit->document(), m_zoom * m_scale);
    applyMarks();
}

void PageTools::setDesignScale(double scale)
{
    if (scale == m_scale)
        return;
    ScaleTextSize(m_text.edit->document(), scale / m_scale);
    m_scale = scale;
}

void PageTools::applyMarks()
{
    MarkWords(m_text.edit, m_marked);
}

void PageTools::showFind()
{
    m_findBar->show();
    m_findEdit->setFocus();
    m_findEdit->selectAll();
}

bool PageTools::findNext(const QString& what)
{
    const QStringList words{FoldForSearch(what.trimmed())};
    if (words.front().isEmpty())
        return false;
    const auto hits = SearchHits(m_text.edit->document()->toPlainText(), words);
    if (hits.isEmpty()) {
        QApplication::beep();
        return false;
    }
    const qsizetype from = m_text.edit->textCursor().selectionEnd();
    // A new text starts at the cursor itself, the same text goes on after the last hit.
    const qsizetype after = what == m_lastFound ? from : m_text.edit->textCursor().selectionStart();
    auto hit = std::find_if(hits.begin(), hits.end(), [after](const auto& h) { return h.first >= after; });
    if (hit == hits.end())
        hit = hits.begin();
    m_lastFound = what;
    QTextCursor cursor(m_text.edit->document());
    cursor.setPosition(int(hit->first));
    cursor.setPosition(int(hit->first + hit->second), QTextCursor::KeepAnchor);
    QList<QTextEdit::ExtraSelection> marks = WordMarks(m_text.edit, m_marked);
    QTextEdit::ExtraSelection found;
    found.cursor = cursor;
    found.format.setBackground(kFoundColor);
    marks.append(found);
    m_text.edit->setExtraSelections(marks);
    m_text.edit->setTextCursor(cursor);
    m_text.edit->ensureCursorVisible();
    return true;
}

void PageTools::print()
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(m_title);
    QPrintDialog dialog(&printer, m_window);
    dialog.setObjectName(QStringLiteral("PrintDialog"));
    if (dialog.exec() == QDialog::Accepted)
        printOn(printer);
}

void PageTools::printOn(QPrinter& printer) const
{
    // The page prints at its designed size, whatever size the reader reads it at.
    std::unique_ptr<QTextDocument> copy(m_text.edit->document()->clone());
    if (m_zoom * m_scale != 1.0)
        ScaleTextSize(copy.get(), 1.0 / (m_zoom * m_scale));
    copy->print(&printer);
}

void PageTools::zoom(int steps)
{
    const double next = std::clamp(std::round((m_zoom + steps * kZoomStep) * 10.0) / 10.0, kMinZoom, kMaxZoom);
    if (next == m_zoom)
        return;
    ScaleTextSize(m_text.edit->document(), next / m_zoom);
    m_zoom = next;
}

bool PageTools::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_findEdit && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            findNext(m_findEdit->text());
            return true;
        }
        if (key->key() == Qt::Key_Escape) {
            m_findBar->hide();
            m_text.edit->setFocus();
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace runtime
