#include "runtime/ttutorialform.h"

#include "platform/dialogs.h"
#include "runtime/richtextfile.h"
#include "runtime/textsearch.h"
#include "runtime/tfindreplaceform.h"
#include "shell/error.h"
#include "shell/utilities.h"

#include <QAction>
#include <QDir>
#include <QGuiApplication>
#include <QMenu>
#include <QMenuBar>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <QScreen>
#include <QTextEdit>
#include <QVBoxLayout>

namespace runtime {

TTutorialForm::TTutorialForm(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("TutorialForm"));
    setWindowFlags(windowFlags() | Qt::WindowMaximizeButtonHint | Qt::WindowMinimizeButtonHint);
    createControls();
    createActions();
    createLayout();
    resize(502, 366);
}

TTutorialForm::~TTutorialForm() = default;

void TTutorialForm::createControls()
{
    RichEdit1 = new QTextEdit(this);
    RichEdit1->setObjectName(QStringLiteral("RichEdit1"));
    RichEdit1->setReadOnly(true);
    // Read-only, but the reader still selects text to copy or to search for.
    RichEdit1->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    RichEdit1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    RichEdit1->document()->setDocumentMargin(10);
}

void TTutorialForm::createActions()
{
    MainMenu1 = new QMenuBar(this);
    MainMenu1->setObjectName(QStringLiteral("MainMenu1"));
    MQuit = MainMenu1->addAction(QStringLiteral("&Quit"));
    MQuit->setObjectName(QStringLiteral("MQuit"));
    MFind = MainMenu1->addAction(QStringLiteral("&Find"));
    MFind->setObjectName(QStringLiteral("MFind"));
    MPrint = MainMenu1->addMenu(QStringLiteral("&Print"));
    MPrint->setObjectName(QStringLiteral("MPrint"));
    MPrintPrint = MPrint->addAction(QStringLiteral("&Print"));
    MPrintPrint->setObjectName(QStringLiteral("MPrintPrint"));
    MPrintSetup = MPrint->addAction(QStringLiteral("Printer &Setup"));
    MPrintSetup->setObjectName(QStringLiteral("MPrintSetup"));

    connect(MQuit, &QAction::triggered, this, &QDialog::accept);
    connect(MFind, &QAction::triggered, this, &TTutorialForm::MFindClick);
    connect(MPrintPrint, &QAction::triggered, this, &TTutorialForm::MPrintPrintClick);
    connect(MPrintSetup, &QAction::triggered, this, &TTutorialForm::MPrintSetupClick);
}

void TTutorialForm::createLayout()
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setMenuBar(MainMenu1);
    layout->addWidget(RichEdit1);
}

void TTutorialForm::load(const QString& path)
{
    m_path = path;
    setWindowTitle(QDir::toNativeSeparators(path));
    LoadRichTextFile(RichEdit1->document(), path);
    RichEdit1->moveCursor(QTextCursor::Start);
}

void TTutorialForm::MFindClick()
{
    m_searchText = SearchTextFromSelection(RichEdit1->textCursor().selectedText(), m_searchText);
    TFindReplaceForm& box =
        TFindReplaceForm::Of(FindDialog1, TFindReplaceForm::Mode::Find, this, &TTutorialForm::findNext);
    box.setFindText(m_searchText);
    box.showInFront();
}

void TTutorialForm::findNext(const QString& what)
{
    m_searchText = what;
    QTextCursor cursor = RichEdit1->textCursor();
    if (FindNext(*RichEdit1->document(), cursor, what, Qt::CaseInsensitive)) {
        RichEdit1->setTextCursor(cursor);
        RichEdit1->ensureCursorVisible();
    } else {
        platform::dialogs().beep();
    }
}

QPrinter& TTutorialForm::printer()
{
    if (!m_printer)
        m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *m_printer;
}

void TTutorialForm::printTo(QPrinter& target)
{
    target.setDocName(m_path);
    RichEdit1->print(&target);
}

void TTutorialForm::MPrintPrintClick()
{
    QPrintDialog dialog(&printer(), this);
    if (RichEdit1->textCursor().hasSelection())
        dialog.setOption(QAbstractPrintDialog::PrintSelection);
    if (dialog.exec() == QDialog::Accepted)
        printTo(printer());
}

void TTutorialForm::MPrintSetupClick()
{
    QPageSetupDialog dialog(&printer(), this);
    dialog.exec();
}

void ShowTutorial(const QString& path, QWidget* parent)
{
    TTutorialForm form(parent);
    try {
        form.load(path);
    } catch (const shell::Error& error) {
        shell::ShowError(error.message());
        return;
    }
    // Centred over the screen the viewer opens on, as a document window should be.
    if (const QScreen* screen = parent ? parent->screen() : QGuiApplication::primaryScreen())
        form.move(screen->availableGeometry().center() - form.rect().center());
    form.exec();
}

} // namespace runtime
