#include "platform/helpwindow.h"

#include "platform/dialogs.h"
#include "shell/boundedread.h"
#include "shell/textcodec.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QScrollBar>
#include <QTextBrowser>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>

namespace platform {

namespace {

// Bytes that never occur in an HTML or text document in one of the 8-bit encodings help files
// were written in; a file holding them in its first bytes is some binary file with the wrong name.
bool LooksBinary(const QByteArray& bytes)
{
    const QByteArray head = bytes.left(4096);
    return std::any_of(head.cbegin(), head.cend(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x08; });
}

} // namespace

bool IsWinHelpFile(const QByteArray& head)
{
    // Windows help files begin with the magic number 0x00035F3F (little-endian).
    return head.size() >= 4 && head[0] == 0x3F && head[1] == 0x5F && head[2] == 0x03 && head[3] == 0x00;
}

bool HasHelpAnchor(const QString& html, int context)
{
    // name="N", name='N' or name=N, on an <a> or (as id) on any element; "N" must be the whole value.
    // The attribute search inside a tag stops at the next "<" or ">" and after a bounded length,
    // so a hostile file of unclosed tags costs time in proportion to its size, not its square.
    const QRegularExpression anchor(
        QStringLiteral("<[a-z][a-z0-9]{0,15}\\s[^<>]{0,2000}?\\b(name|id)\\s*=\\s*([\"']?)%1\\2[\\s/>]").arg(context),
        QRegularExpression::CaseInsensitiveOption);
    return anchor.match(html).hasMatch();
}

QString HelpFileProblem(const QString& path, QByteArray* contents)
{
    const QString shown = QDir::toNativeSeparators(path);
    QFile file(path);
    if (path.isEmpty() || !QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly))
        return QStringLiteral("The help file ") + shown + QStringLiteral(" was not found.");
    if (file.size() > kMaxHelpFileSize)
        return QStringLiteral("The help file ") + shown + QStringLiteral(" is too large to be shown.");
    const QByteArray bytes = shell::ReadAtMost(file, kMaxHelpFileSize);
    if (bytes.size() > kMaxHelpFileSize)
        return QStringLiteral("The help file ") + shown + QStringLiteral(" is too large to be shown.");
    if (IsWinHelpFile(bytes))
        return QStringLiteral("The help file ") + shown +
               QStringLiteral(" is a Windows help file, which cannot be shown here. "
                              "Help files must be HTML documents.");
    if (LooksBinary(bytes))
        return QStringLiteral("The help file ") + shown +
               QStringLiteral(" is not a help document. Help files must be HTML documents.");
    if (contents)
        *contents = bytes;
    return {};
}

HelpWindow::HelpWindow(const QString& path, const QString& html, int context, QWidget* parent)
    : QDialog(parent), m_html(html), m_context(context)
{
    setObjectName(QStringLiteral("HelpWindow"));
    setWindowTitle(QStringLiteral("Help - ") + QFileInfo(path).fileName());
    setWindowFlags(windowFlags() | Qt::WindowMaximizeButtonHint);
    // F1 inside the help window opens no second help window.
    setProperty("helpContext", -1);
    createControls();
    createLayout();
    m_browser->setSearchPaths({QFileInfo(path).absolutePath()});
    if (Qt::mightBeRichText(html))
        m_browser->setHtml(html);
    else
        m_browser->setPlainText(html);
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    resize(std::min(760, screen.width()), std::min(620, screen.height()));
}

void HelpWindow::createControls()
{
    m_browser = new QTextBrowser(this);
    m_browser->setObjectName(QStringLiteral("HelpBrowser"));
    m_browser->setOpenExternalLinks(true);

    m_back = new QPushButton(QStringLiteral("&Back"), this);
    m_back->setObjectName(QStringLiteral("BackBtn"));
    m_forward = new QPushButton(QStringLiteral("&Forward"), this);
    m_forward->setObjectName(QStringLiteral("ForwardBtn"));
    m_contents = new QPushButton(QStringLiteral("C&ontents"), this);
    m_contents->setObjectName(QStringLiteral("ContentsBtn"));
    m_findEdit = new QLineEdit(this);
    m_findEdit->setObjectName(QStringLiteral("FindEdit"));
    m_findEdit->setPlaceholderText(QStringLiteral("Find in help"));
    m_find = new QPushButton(QStringLiteral("&Find"), this);
    m_find->setObjectName(QStringLiteral("FindBtn"));
    m_close = new QPushButton(QStringLiteral("&Close"), this);
    m_close->setObjectName(QStringLiteral("CloseBtn"));
    m_back->setEnabled(false);
    m_forward->setEnabled(false);
    // Enter in the find field searches; it must not press a default button and close the window.
    m_back->setAutoDefault(false);
    m_forward->setAutoDefault(false);
    m_contents->setAutoDefault(false);
    m_find->setAutoDefault(false);
    m_close->setAutoDefault(false);

    connect(m_back, &QPushButton::clicked, m_browser, &QTextBrowser::backward);
    connect(m_forward, &QPushButton::clicked, m_browser, &QTextBrowser::forward);
    connect(m_browser, &QTextBrowser::backwardAvailable, m_back, &QPushButton::setEnabled);
    connect(m_browser, &QTextBrowser::forwardAvailable, m_forward, &QPushButton::setEnabled);
    connect(m_contents, &QPushButton::clicked, this, [this] { showTopic(1); });
    connect(m_find, &QPushButton::clicked, this, [this] { findNext(m_findEdit->text()); });
    connect(m_findEdit, &QLineEdit::returnPressed, this, [this] { findNext(m_findEdit->text()); });
    connect(m_close, &QPushButton::clicked, this, &QDialog::accept);
}

void HelpWindow::createLayout()
{
    auto* bar = new QHBoxLayout;
    bar->addWidget(m_back);
    bar->addWidget(m_forward);
    bar->addWidget(m_contents);
    bar->addSpacing(12);
    bar->addWidget(m_findEdit, 1);
    bar->addWidget(m_find);
    bar->addSpacing(12);
    bar->addWidget(m_close);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(bar);
    layout->addWidget(m_browser, 1);
}

void HelpWindow::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (m_shown)
        return;
    m_shown = true;
    // The document is laid out for the window's width only once the window is shown, so the
    // scroll to the topic waits for that.
    QTimer::singleShot(0, this, [this] { showTopic(m_context); });
}

void HelpWindow::showTopic(int context)
{
    // Going to a topic goes through the browser's history, so Back returns from a followed link
    // (or from Contents) to where the window opened. The document was set as HTML text and has no
    // address of its own: a URL with only a fragment scrolls inside it without reloading.
    if (context > 0 && HasHelpAnchor(m_html, context)) {
        m_browser->setSource(QUrl(QLatin1Char('#') + QString::number(context)));
    } else {
        m_browser->setSource(QUrl(QStringLiteral("#")));
        m_browser->verticalScrollBar()->setValue(0);
        m_browser->moveCursor(QTextCursor::Start);
    }
}

bool HelpWindow::findNext(const QString& text)
{
    if (text.isEmpty())
        return false;
    if (m_browser->find(text))
        return true;
    // Wrap round once from the top before giving up.
    const QTextCursor before = m_browser->textCursor();
    QTextCursor cursor = before;
    cursor.movePosition(QTextCursor::Start);
    m_browser->setTextCursor(cursor);
    if (m_browser->find(text))
        return true;
    m_browser->setTextCursor(before);
    dialogs().beep();
    return false;
}

void HtmlHelpEngine::showHelp(int context)
{
    QByteArray bytes;
    const QString problem = HelpFileProblem(m_path, &bytes);
    if (!problem.isEmpty()) {
        dialogs().showError(problem);
        return;
    }
    HelpWindow window(m_path, shell::DecodeText(bytes), context, QApplication::activeWindow());
    window.exec();
}

} // namespace platform
