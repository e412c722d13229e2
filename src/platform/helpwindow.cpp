#include "platform/helpwindow.h"

#include "platform/dialogs.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace platform {

namespace {
constexpr qint64 kMaxHelpFileSize = 32 * 1024 * 1024;
}

bool IsWinHelpFile(const QByteArray& head)
{
    // Windows help files begin with the magic number 0x00035F3F (little-endian).
    return head.size() >= 4 && head[0] == 0x3F && head[1] == 0x5F && head[2] == 0x03 && head[3] == 0x00;
}

bool HasHelpAnchor(const QString& html, int context)
{
    const QRegularExpression anchor(QStringLiteral("<a\\s[^>]*(name|id)\\s*=\\s*\"?%1[\"\\s>]").arg(context),
                                    QRegularExpression::CaseInsensitiveOption);
    return anchor.match(html).hasMatch();
}

QString HelpFileProblem(const QString& path, QByteArray* contents)
{
    const QString shown = QDir::toNativeSeparators(path);
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly))
        return QStringLiteral("The help file ") + shown + QStringLiteral(" was not found.");
    if (file.size() > kMaxHelpFileSize)
        return QStringLiteral("The help file ") + shown + QStringLiteral(" is too large to be shown.");
    const QByteArray bytes = file.readAll();
    if (IsWinHelpFile(bytes))
        return QStringLiteral("The help file ") + shown +
               QStringLiteral(" is a Windows help file, which cannot be shown here. "
                              "Help files must be HTML documents.");
    if (contents)
        *contents = bytes;
    return {};
}

HelpWindow::HelpWindow(const QString& path, const QString& html, int context, QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("HelpWindow"));
    setWindowTitle(QStringLiteral("Help - ") + QFileInfo(path).fileName());
    createControls();
    m_browser->setSearchPaths({QFileInfo(path).absolutePath()});
    m_browser->setHtml(html);
    if (context > 0 && HasHelpAnchor(html, context))
        m_browser->scrollToAnchor(QString::number(context));
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    resize(std::min(760, screen.width()), std::min(620, screen.height()));
}

void HelpWindow::createControls()
{
    m_browser = new QTextBrowser(this);
    m_browser->setObjectName(QStringLiteral("HelpBrowser"));
    m_browser->setOpenExternalLinks(true);

    auto* back = new QPushButton(QStringLiteral("&Back"), this);
    auto* forward = new QPushButton(QStringLiteral("&Forward"), this);
    auto* contents = new QPushButton(QStringLiteral("C&ontents"), this);
    m_findEdit = new QLineEdit(this);
    m_findEdit->setObjectName(QStringLiteral("FindEdit"));
    m_findEdit->setPlaceholderText(QStringLiteral("Find in help"));
    auto* find = new QPushButton(QStringLiteral("&Find"), this);
    auto* close = new QPushButton(QStringLiteral("&Close"), this);
    back->setEnabled(false);
    forward->setEnabled(false);

    connect(back, &QPushButton::clicked, m_browser, &QTextBrowser::backward);
    connect(forward, &QPushButton::clicked, m_browser, &QTextBrowser::forward);
    connect(m_browser, &QTextBrowser::backwardAvailable, back, &QPushButton::setEnabled);
    connect(m_browser, &QTextBrowser::forwardAvailable, forward, &QPushButton::setEnabled);
    connect(contents, &QPushButton::clicked, this, [this] { m_browser->scrollToAnchor(QStringLiteral("1")); });
    connect(find, &QPushButton::clicked, this, &HelpWindow::findNext);
    connect(m_findEdit, &QLineEdit::returnPressed, this, &HelpWindow::findNext);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);

    auto* bar = new QHBoxLayout;
    bar->addWidget(back);
    bar->addWidget(forward);
    bar->addWidget(contents);
    bar->addSpacing(12);
    bar->addWidget(m_findEdit, 1);
    bar->addWidget(find);
    bar->addSpacing(12);
    bar->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(bar);
    layout->addWidget(m_browser, 1);
}

void HelpWindow::findNext()
{
    const QString text = m_findEdit->text();
    if (text.isEmpty())
        return;
    if (!m_browser->find(text)) {
        // Wrap round once from the top before giving up.
        QTextCursor cursor = m_browser->textCursor();
        cursor.movePosition(QTextCursor::Start);
        m_browser->setTextCursor(cursor);
        if (!m_browser->find(text))
            dialogs().beep();
    }
}

void HtmlHelpEngine::showHelp(int context)
{
    QByteArray bytes;
    const QString problem = HelpFileProblem(m_path, &bytes);
    if (!problem.isEmpty()) {
        dialogs().showError(problem);
        return;
    }
    HelpWindow window(m_path, QString::fromUtf8(bytes), context, QApplication::activeWindow());
    window.exec();
}

} // namespace platform
