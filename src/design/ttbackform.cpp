#include "design/ttbackform.h"

#include "runtime/backgroundview.h"
#include "shell/filenames.h"
#include "shell/utilities.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScreen>
#include <QVBoxLayout>

namespace design {

TTBackForm::TTBackForm(const storage::ProgramSettings& program, const QString& directory, QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("TTBackForm"));
    setWindowTitle(program.Title);
    ScreenPnl = new runtime::BackgroundView(this);
    ScreenPnl->setObjectName(QStringLiteral("ScreenPnl"));
    connect(ScreenPnl, &runtime::BackgroundView::backgroundPressed, this, &TTBackForm::accept);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(ScreenPnl);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        setGeometry(screen->geometry());
    runtime::ShowBackground(ScreenPnl, runtime::BackgroundOf(program), directory,
                            runtime::ColourRule::ColourFirst);
}

void TTBackForm::mousePressEvent(QMouseEvent* event)
{
    event->accept();
    accept();
}

void TTBackForm::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter || event->key() == Qt::Key_Escape) {
        event->accept();
        accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

bool PreviewProgramBackground(const storage::ProgramSettings& program, const QString& directory,
                              QWidget* parent)
{
    const runtime::BackgroundFields fields = runtime::BackgroundOf(program);
    if (fields.Kind == 3 && shell::ExtensionOf(fields.Tile).toUpper() == QStringLiteral(".JPG")) {
        shell::ShowError(runtime::WallpaperNotBmpMessage(fields.Tile));
        return false;
    }
    TTBackForm form(program, directory, parent);
    form.exec();
    return true;
}

} // namespace design
