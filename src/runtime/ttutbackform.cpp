#include "runtime/ttutbackform.h"

#include "runtime/backgroundview.h"

#include <QGuiApplication>
#include <QScreen>
#include <QVBoxLayout>

namespace runtime {

TTutBackForm::TTutBackForm(const storage::ProgramSettings& program, const QString& directory, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus),
      m_program(program), m_directory(directory)
{
    setObjectName(QStringLiteral("TTutBackForm"));
    setWindowTitle(program.Title);
    // Its widgets ignore the mouse and it never takes the focus. It is not disabled, because a
    // disabled window draws its pictures greyed out; and clicks do not pass through it, or they
    // would reach the main window beneath and raise it over the backdrop.
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    createControls();
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        setGeometry(screen->geometry());
}

void TTutBackForm::createControls()
{
    ScreenPnl = new BackgroundView(this);
    ScreenPnl->setObjectName(QStringLiteral("ScreenPnl"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(ScreenPnl);
}

void TTutBackForm::showBackdrop()
{
    show();
    ScreenPnl->resize(size());
    ShowBackground(ScreenPnl, BackgroundOf(m_program), m_directory, ColourRule::ColourByKind);
}

} // namespace runtime
