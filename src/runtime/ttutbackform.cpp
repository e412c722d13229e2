#include "runtime/ttutbackform.h"

#include "runtime/backgroundview.h"

#include <QGuiApplication>
#include <QScreen>
#include <QVBoxLayout>

namespace runtime {

TTutBackForm::TTutBackForm(const storage::ProgramSettings& program, const QString& directory, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus |
                          Qt::WindowTransparentForInput),
      m_program(program), m_directory(directory)
{
    setObjectName(QStringLiteral("TTutBackForm"));
    setWindowTitle(program.Title);
    // Input passes through rather than being refused: a disabled window would draw its pictures
    // greyed out.
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
